#include "platform/headless/Region.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr std::size_t HeaderBytes = 32;
constexpr std::size_t RectBytes = 16;

std::int32_t readInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t value = std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
                                (std::uint32_t{bytes[offset + 2]} << 16) | (std::uint32_t{bytes[offset + 3]} << 24);
    return static_cast<std::int32_t>(value);
}

void writeInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

std::int32_t clampCoordinate(std::int32_t value) {
    return std::clamp(value, -MaxRegionCoordinate, MaxRegionCoordinate);
}
} // namespace

bool Region::contains(int x, int y) const {
    return std::any_of(rects.begin(), rects.end(),
                       [x, y](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

RegionHandle extCreateRegion(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < HeaderBytes || bytes.size() > MaxRegionBytes) {
        return std::nullopt;
    }
    const auto headerSize = static_cast<std::uint32_t>(readInt32(bytes, 0));
    if (headerSize < HeaderBytes) {
        return std::nullopt;
    }
    // nCount is unsigned in the region data; a count whose rectangles do not fit in the data fails.
    const auto count = static_cast<std::uint32_t>(readInt32(bytes, 8));
    if (count > (bytes.size() - HeaderBytes) / RectBytes) {
        return std::nullopt;
    }
    Region region;
    region.rects.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = HeaderBytes + i * RectBytes;
        Rect r{clampCoordinate(readInt32(bytes, at)), clampCoordinate(readInt32(bytes, at + 4)),
               clampCoordinate(readInt32(bytes, at + 8)), clampCoordinate(readInt32(bytes, at + 12))};
        if (r.left < r.right && r.top < r.bottom) {
            region.rects.push_back(r);
        }
    }
    return region;
}

std::vector<std::uint8_t> regionBytes(const std::vector<Rect>& rects) {
    std::vector<std::uint8_t> out;
    out.reserve(HeaderBytes + rects.size() * RectBytes);
    Rect bound{};
    if (!rects.empty()) {
        bound = rects.front();
        for (const Rect& r : rects) {
            bound = {std::min(bound.left, r.left), std::min(bound.top, r.top), std::max(bound.right, r.right),
                     std::max(bound.bottom, r.bottom)};
        }
    }
    writeInt32(out, static_cast<std::int32_t>(HeaderBytes));
    writeInt32(out, 1); // RDH_RECTANGLES
    writeInt32(out, static_cast<std::int32_t>(rects.size()));
    writeInt32(out, static_cast<std::int32_t>(rects.size() * RectBytes));
    for (std::int32_t v : {bound.left, bound.top, bound.right, bound.bottom}) {
        writeInt32(out, v);
    }
    for (const Rect& r : rects) {
        for (std::int32_t v : {r.left, r.top, r.right, r.bottom}) {
            writeInt32(out, v);
        }
    }
    return out;
}

Region createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    const int width = right - left;
    const int height = bottom - top;
    // The corner ellipse never exceeds the rectangle itself.
    const double rx = std::min(std::abs(ellipseWidth), width) / 2.0;
    const double ry = std::min(std::abs(ellipseHeight), height) / 2.0;
    Region region;
    for (int row = 0; row < height; ++row) {
        // Distance of the row's centre line from the corner ellipses' centre, measured vertically.
        const double centre = row + 0.5;
        double dy = 0.0;
        if (centre < ry) {
            dy = ry - centre;
        } else if (centre > height - ry) {
            dy = centre - (height - ry);
        }
        int inset = 0;
        if (dy > 0.0 && ry > 0.0) {
            const double t = std::min(1.0, dy / ry);
            inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
        }
        const Rect r{left + inset, top + row, right - inset, top + row + 1};
        if (r.left >= r.right) {
            continue;
        }
        // Rows with the same span merge into one band, as a region's own rectangles would.
        if (!region.rects.empty() && region.rects.back().left == r.left && region.rects.back().right == r.right &&
            region.rects.back().bottom == r.top) {
            region.rects.back().bottom = r.bottom;
        } else {
            region.rects.push_back(r);
        }
    }
    return region;
}

} // namespace platform
