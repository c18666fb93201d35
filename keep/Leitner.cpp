#include "keep/Leitner.h"

#include <algorithm>
#include <array>

namespace keep {

namespace {
// The days a word waits in each box after the first (boxes 2 to 6).
constexpr std::array<std::int64_t, LastBox - FirstBox> WaitDays{1, 3, 7, 16, 35};
} // namespace

Card answered(int box, bool knewIt, std::int64_t now) {
    if (!knewIt) {
        return {FirstBox, now};
    }
    const int next = std::clamp(box + 1, FirstBox + 1, LastBox);
    return {next, now + WaitDays.at(static_cast<std::size_t>(next - FirstBox - 1)) * Day};
}

} // namespace keep
