#include "DeviceContext.h"

#include "LineRasteriser.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr int PenStyleNull = 5;
}

SurfaceDeviceContext::SurfaceDeviceContext(PixelSurface surface) : m_surface(surface) {
    m_pending.reserve(BatchLines);
}

PenHandle SurfaceDeviceContext::createPen(int style, int width, std::int32_t colour) {
    const PenHandle handle = m_nextPen++;
    m_pens.emplace_back(handle, Pen{style, width, colour});
    return handle;
}

PenHandle SurfaceDeviceContext::selectObject(PenHandle pen) {
    if (pen != StockBlackPen && findPen(pen) == nullptr) {
        return 0;
    }
    const PenHandle previous = m_selected;
    m_selected = pen;
    const Pen* selected = findPen(pen);
    m_selectedPen = selected != nullptr ? *selected : Pen{0, 1, 0};
    return previous;
}

bool SurfaceDeviceContext::deleteObject(PenHandle pen) {
    // A selected pen cannot be deleted, and the stock pen is never deleted.
    if (pen == m_selected || pen == StockBlackPen) {
        return false;
    }
    // Pens are mostly deleted right after they were made: look from the newest.
    const auto it = std::find_if(m_pens.rbegin(), m_pens.rend(), [pen](const auto& p) { return p.first == pen; });
    if (it == m_pens.rend()) {
        return false;
    }
    m_pens.erase(std::next(it).base());
    return true;
}

const SurfaceDeviceContext::Pen* SurfaceDeviceContext::findPen(PenHandle handle) const {
    for (auto it = m_pens.rbegin(); it != m_pens.rend(); ++it) {
        if (it->first == handle) {
            return &it->second;
        }
    }
    return nullptr;
}

void SurfaceDeviceContext::moveToEx(int x, int y) {
    m_x = x;
    m_y = y;
}

bool SurfaceDeviceContext::lineTo(int x, int y) {
    const Pen& pen = m_selectedPen;
    if (pen.style != PenStyleNull && m_surface.bits != nullptr && x == m_x) {
        holdVertical(x, m_y, y, pixelFromColour(pen.colour));
    } else if (pen.style != PenStyleNull && m_surface.bits != nullptr) {
        flush();
        const std::uint32_t pixel = pixelFromColour(pen.colour);
        std::uint32_t* bits = m_surface.bits;
        const int stride = m_surface.stride;
        rasteriseLine(m_x, m_y, x, y, m_surface.width, m_surface.height,
                      [bits, stride, pixel](int px, int py) { bits[py * stride + px] = pixel; });
    }
    m_x = x;
    m_y = y;
    return true;
}

void SurfaceDeviceContext::holdVertical(int x, int fromY, int toY, std::uint32_t pixel) {
    if (fromY == toY || x < 0 || x >= m_surface.width) {
        return;
    }
    // First pixel in, last pixel out, whichever way the line runs.
    int top = fromY < toY ? fromY : toY + 1;
    int bottom = fromY < toY ? toY - 1 : fromY;
    top = std::max(top, 0);
    bottom = std::min(bottom, m_surface.height - 1);
    if (top > bottom) {
        return;
    }
    m_pending.push_back({x, top, bottom, pixel});
    if (m_pending.size() == BatchLines) {
        flush();
    }
}

void SurfaceDeviceContext::flush() {
    if (m_pending.empty()) {
        return;
    }
    int left = m_pending.front().x;
    int right = left;
    int top = m_pending.front().top;
    int bottom = m_pending.front().bottom;
    bool uniform = true;
    for (const Span& s : m_pending) {
        left = std::min(left, s.x);
        right = std::max(right, s.x);
        uniform = uniform && s.top == top && s.bottom == bottom;
        top = std::min(top, s.top);
        bottom = std::max(bottom, s.bottom);
    }
    if (uniform && right - left < 4 * static_cast<int>(BatchLines)) {
        flushUniform(left, right, top, bottom);
    } else {
        for (int y = top; y <= bottom; ++y) {
            std::uint32_t* row = m_surface.bits + static_cast<std::ptrdiff_t>(y) * m_surface.stride;
            for (const Span& s : m_pending) {
                if (y >= s.top && y <= s.bottom) {
                    row[s.x] = s.pixel;
                }
            }
        }
    }
    m_pending.clear();
}

// Every held line covers the same rows: lay them out once as one row, later lines over earlier ones, then copy
// that row into each row of the image.
void SurfaceDeviceContext::flushUniform(int left, int right, int top, int bottom) {
    const auto width = static_cast<std::size_t>(right - left + 1);
    m_row.assign(width, 0);
    m_rowSet.assign(width, 0);
    for (const Span& s : m_pending) {
        m_row[static_cast<std::size_t>(s.x - left)] = s.pixel;
        m_rowSet[static_cast<std::size_t>(s.x - left)] = 1;
    }
    const bool solid = std::all_of(m_rowSet.begin(), m_rowSet.end(), [](std::uint8_t set) { return set != 0; });
    for (int y = top; y <= bottom; ++y) {
        std::uint32_t* row = m_surface.bits + static_cast<std::ptrdiff_t>(y) * m_surface.stride + left;
        if (solid) {
            std::memcpy(row, m_row.data(), width * sizeof(std::uint32_t));
        } else {
            for (std::size_t i = 0; i < width; ++i) {
                if (m_rowSet[i] != 0) {
                    row[i] = m_row[i];
                }
            }
        }
    }
}

} // namespace platform
