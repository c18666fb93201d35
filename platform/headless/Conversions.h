#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace platform {

// Twips are the form runtime's screen unit: 1440 to the inch, 15 to a device-independent pixel.
inline constexpr int TwipsPerPixel = 15;

constexpr double twipsToPixels(double twips) {
    return twips / TwipsPerPixel;
}
constexpr double pixelsToTwips(double pixels) {
    return pixels * TwipsPerPixel;
}
static_assert(twipsToPixels(4695) == 313);
static_assert(twipsToPixels(3150) == 210);
static_assert(pixelsToTwips(2) == 30);

// Round to the nearest integer with halves to the even neighbour, as the runtime's conversions do. Adding and
// taking away 2^52 (with the value's sign) leaves no fraction bits, and the default rounding mode, which the program
// never changes, rounds halves to even; values of 2^52 and more are whole already. Two additions instead of a call.
inline double roundHalfEven(double value) {
    constexpr double TwoTo52 = 4503599627370496.0;
    if (!(std::fabs(value) < TwoTo52)) {
        return value; // whole already, infinite or not a number
    }
    const double shift = std::copysign(TwoTo52, value);
    return (value + shift) - shift;
}

[[noreturn]] void raiseOverflow(); // error 6 "Overflow"

namespace detail {
template <typename Int> Int convert(double value) {
    const double rounded = roundHalfEven(value);
    // NaN fails both comparisons and so overflows too.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        raiseOverflow();
    }
    return static_cast<Int>(rounded);
}
} // namespace detail

// CInt and CLng: round half to even, then raise error 6 "Overflow" when the result leaves the type's range. Inline:
// the gradient fill converts every endpoint it computes.
inline std::int16_t toInt16(double value) {
    return detail::convert<std::int16_t>(value);
}
inline std::int32_t toInt32(double value) {
    return detail::convert<std::int32_t>(value);
}

// The integer division a \ b: both sides converted to 32-bit integers first, the quotient truncated toward zero.
// Division by zero raises error 11 "Division by zero".
std::int32_t intDivide(double a, double b);

// Pixels of a twips measure, rounded to the nearest pixel (halves to even).
int twipsToPixelInt(double twips);

// Narrow a value to IEEE single precision, where a computation is said to be held in single precision.
constexpr float single(double value) {
    return static_cast<float>(value);
}

// A 16-bit difference that raises an overflow instead of wrapping.
std::int16_t sub16(std::int32_t a, std::int32_t b);

} // namespace platform
