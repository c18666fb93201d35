#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// A rectangle in pixels, right and bottom exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A window region: the union of its rectangles, relative to the window's outer top-left corner.
struct Region {
    std::vector<Rect> rects;
    bool contains(int x, int y) const;
};

// What a missing region is: no region handle at all, so the window keeps its full rectangle.
using RegionHandle = std::optional<Region>;

// The most region data accepted in one piece; larger data is treated like a region that cannot be allocated.
inline constexpr std::size_t MaxRegionBytes = std::size_t{64} * 1024 * 1024;

// Coordinates beyond 27 bits are clamped so that nothing downstream overflows.
inline constexpr std::int32_t MaxRegionCoordinate = (1 << 27) - 1;

// Build a region from the bytes of a region data structure (a 32-byte header, then nCount rectangles of 16 bytes),
// validating it as the windowing library does: no region when the structure is invalid.
RegionHandle extCreateRegion(std::span<const std::uint8_t> bytes);

// The bytes of a region data structure holding the given rectangles (the inverse of extCreateRegion).
std::vector<std::uint8_t> regionBytes(const std::vector<Rect>& rects);

// A rectangle from (left, top) to (right, bottom) with corners rounded by an ellipse of the given size.
Region createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

} // namespace platform
