#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform {

namespace detail {
inline std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

// The steps [first, last] of a line whose major coordinate lies on the surface: only they can plot anything.
struct StepRange {
    std::int64_t first;
    std::int64_t last;
};
inline StepRange visibleSteps(std::int64_t majorStart, std::int64_t majorSign, std::int64_t majorLimit,
                              std::int64_t steps) {
    if (majorSign > 0) {
        return {std::max<std::int64_t>(0, -majorStart), std::min<std::int64_t>(steps - 1, majorLimit - 1 - majorStart)};
    }
    return {std::max<std::int64_t>(0, majorStart - (majorLimit - 1)), std::min<std::int64_t>(steps - 1, majorStart)};
}
} // namespace detail

// Walks the pixels of a one-pixel line from (x0, y0) to (x1, y1) the way the drawing library's LineTo does: the first
// pixel is drawn and the last is not; Bresenham along the major axis, with |dx| == |dy| counting as y-major; on an
// exact tie the pixel with the smaller minor coordinate wins, whichever way the line runs. Only pixels inside
// [0, width) x [0, height) are visited, and clipping never shifts the pixels that remain.
template <typename Plot> void rasteriseLine(int x0, int y0, int x1, int y1, int width, int height, Plot&& plot) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    const bool yMajor = std::llabs(dy) >= std::llabs(dx);
    const std::int64_t steps = yMajor ? std::llabs(dy) : std::llabs(dx);
    if (steps == 0 || width <= 0 || height <= 0) {
        return;
    }
    const std::int64_t majorStart = yMajor ? y0 : x0;
    const std::int64_t minorStart = yMajor ? x0 : y0;
    const std::int64_t majorSign = (yMajor ? dy : dx) > 0 ? 1 : -1;
    const std::int64_t minorDelta = yMajor ? dx : dy;
    const std::int64_t majorLimit = yMajor ? height : width;
    const std::int64_t minorLimit = yMajor ? width : height;
    const auto [first, last] = detail::visibleSteps(majorStart, majorSign, majorLimit, steps);
    if (first > last) {
        return;
    }
    // The minor coordinate at step t is the nearest to minorStart + t * minorDelta / steps, ties to the smaller:
    // minorStart + ceil((2 * t * minorDelta - steps) / (2 * steps)). It is found once by division, then followed
    // step by step with the remainder kept in (-2 * steps, 0].
    const std::int64_t denominator = 2 * steps;
    const std::int64_t numerator = 2 * first * minorDelta - steps;
    std::int64_t offset = -detail::floorDiv(-numerator, denominator);
    std::int64_t remainder = numerator - offset * denominator;
    const std::int64_t increment = 2 * minorDelta;
    for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t major = majorStart + majorSign * t;
        const std::int64_t minor = minorStart + offset;
        if (minor >= 0 && minor < minorLimit) {
            if (yMajor) {
                plot(static_cast<int>(minor), static_cast<int>(major));
            } else {
                plot(static_cast<int>(major), static_cast<int>(minor));
            }
        }
        remainder += increment;
        if (remainder > 0) {
            ++offset;
            remainder -= denominator;
        } else if (remainder <= -denominator) {
            --offset;
            remainder += denominator;
        }
    }
}

} // namespace platform
