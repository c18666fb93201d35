#pragma once

#include <cstdint>
#include <vector>

namespace skin {

enum class ArrowDirection { Up, Down, Left, Right };

// An arrow picture as 8-bit palette indices: 0 is the arrow, 1 the transparent background. A solid triangle that
// fills its picture: the base, the full long side, two pixels thick; narrowing by one pixel on each side per pixel
// towards a two-pixel tip. Up and down arrows are 20 x 11 pixels, left and right ones 11 x 20.
struct ArrowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // row by row

    std::uint8_t at(int x, int y) const { return indices[(static_cast<std::size_t>(y) * width) + x]; }
};

ArrowPixels arrowPixels(ArrowDirection direction);

// The arrow colours: normal and highlighted (0x00BBGGRR).
inline constexpr std::int32_t ArrowNormal = 0 + 256 * 132;          // RGB(0, 132, 0)
inline constexpr std::int32_t ArrowLit = 132 + 256 * 255;           // RGB(132, 255, 0)
inline constexpr std::int32_t ArrowTransparent = 255 + 65536 * 255; // RGB(255, 0, 255), shown as nothing

} // namespace skin
