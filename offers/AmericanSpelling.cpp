// British spellings read as American ones, so that a description and a sense find each other whichever they use:
// "vapour" and "vapor", "criticised" and "criticized", "centre" and "center", "anaemia" and "anemia".
#include "offers/DescriptionText.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace offers {

namespace {

bool isConsonant(char c) {
    return c >= 'a' && c <= 'z' && c != 'a' && c != 'e' && c != 'i' && c != 'o' && c != 'u';
}

// "colour", "colourless", "favourite", "vapour": the "u" of a British "-our", where one of these follows it and
// three letters at least come before it; npos for none. Every term of every sense passes through here, so the last
// letter says which could follow.
std::size_t britishOur(const std::string& stem) {
    const auto ourBefore = [&stem](std::string_view after) {
        const std::size_t our = stem.size() - after.size() - 3;
        return stem.size() >= after.size() + 6 && stem[our] == 'o' && stem[our + 1] == 'u' && stem[our + 2] == 'r' &&
                       stem.ends_with(after)
                   ? our + 1
                   : std::string::npos;
    };
    const auto first = [](std::size_t a, std::size_t b) { return a != std::string::npos ? a : b; };
    switch (stem.back()) {
    case 'r':
        return first(ourBefore(""), ourBefore("er"));
    case 'e':
        return first(ourBefore("ite"), ourBefore("able"));
    case 's':
        return ourBefore("less");
    case 'l':
        return ourBefore("ful");
    case 't':
        return ourBefore("ist");
    case 'm':
        return ourBefore("ism");
    case 'y':
        return ourBefore("ably");
    default:
        return std::string::npos;
    }
}

// "criticise", "criticis" (of "criticised"), "organisation", "analyse", "centre", "fibre"; not "raise", "noise" or
// "acre": the British ending's length and the American one, where the letters before it are at least three ("ise",
// "is", "isation") or two ("yse", "ys", "tre", "bre"). Empty for none.
std::pair<std::size_t, std::string_view> britishEnding(const std::string& stem) {
    const std::size_t n = stem.size();
    if (stem.back() == 'n' && n >= 10 && stem.ends_with("isation")) {
        return {7, "ization"};
    }
    const bool e = stem.back() == 'e';
    if (!e && stem.back() != 's') {
        return {};
    }
    const std::size_t length = e ? 3 : 2; // the ending, with its "e" or without
    const char middle = stem[n - length + 1];
    const char start = stem[n - length];
    if (middle == 's' && start == 'i' && n >= length + 3) {
        return {length, e ? "ize" : "iz"};
    }
    if (middle == 's' && start == 'y' && n >= length + 2) {
        return {length, e ? "yze" : "yz"};
    }
    if (e && middle == 'r' && (start == 't' || start == 'b') && n >= 5) {
        return {3, start == 't' ? "ter" : "ber"};
    }
    return {};
}

} // namespace

void americanSpelling(std::string& stem) {
    if (stem.size() < 4) {
        return;
    }
    const std::size_t our = britishOur(stem);
    const auto [length, american] =
        our == std::string::npos ? britishEnding(stem) : std::pair<std::size_t, std::string_view>{};
    if (our != std::string::npos || length != 0) {
        // The last word of a compound is left as it is, as a compound is read as its words ("downpour", "sunrise",
        // "otherwise"); so are words that only look British ("hour", "tour").
        static constexpr std::array<std::string_view, 11> Kept{"hour", "four", "tour", "pour", "sour", "flour",
                                                               "your", "wise", "wis",  "rise", "ris"};
        if (std::any_of(Kept.begin(), Kept.end(), [&stem](std::string_view word) { return stem.ends_with(word); }) &&
            !stem.ends_with("vapour")) {
            return;
        }
        if (our != std::string::npos) {
            stem.erase(our, 1);
        } else {
            stem.replace(stem.size() - length, length, american);
        }
    }
    // "anaemia", "orthopaedic"; not "aerial" or "gael".
    const std::string_view letters = stem;
    for (std::size_t at = 1; letters.size() >= 6 && at + 2 < letters.size(); ++at) {
        if (letters[at] == 'a' && letters[at + 1] == 'e' && isConsonant(letters[at - 1]) &&
            isConsonant(letters[at + 2])) {
            stem.erase(at, 1);
            return; // one is enough: no word of the dictionary has two
        }
    }
}

} // namespace offers
