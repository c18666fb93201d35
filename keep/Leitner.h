#pragma once

#include <cstdint>

// The review schedule of a Leitner box: a word kept starts in the first box, due at once; "I knew it" moves it to the
// next box, due again after 1, 3, 7, 16 and 35 days; "not yet" sends it back to the first box, due again at once.
namespace keep {

inline constexpr int FirstBox = 1;
inline constexpr int LastBox = 6;
inline constexpr std::int64_t Day = 24 * 60 * 60; // seconds

struct Card {
    int box = FirstBox;
    std::int64_t due = 0; // seconds since the epoch
};

// The card after an answer given at now (seconds since the epoch). A box out of range counts as the nearest box.
Card answered(int box, bool knewIt, std::int64_t now);

} // namespace keep
