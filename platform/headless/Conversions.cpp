#include "platform/headless/Conversions.h"

#include "platform/headless/RuntimeError.h"

#include <cmath>
#include <limits>

namespace platform {

std::int32_t intDivide(double a, double b) {
    const std::int32_t dividend = toInt32(a);
    const std::int32_t divisor = toInt32(b);
    if (divisor == 0) {
        throw RuntimeError(err::DivisionByZero, "Division by zero");
    }
    if (dividend == std::numeric_limits<std::int32_t>::min() && divisor == -1) {
        raiseOverflow();
    }
    return dividend / divisor;
}

int twipsToPixelInt(double twips) {
    return static_cast<int>(roundHalfEven(twipsToPixels(twips)));
}

std::int16_t sub16(std::int32_t a, std::int32_t b) {
    return toInt16(static_cast<double>(a) - b);
}

} // namespace platform
