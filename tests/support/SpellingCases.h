#pragma once

#include "offers/OfferIndex.h"

#include <set>
#include <string>
#include <vector>

namespace testsupport {

// A real misspelling and the words it was meant for: the right word and its base forms that are words of the
// dictionary, as plain text.
struct SpellingCase {
    std::string wrong;
    std::set<std::string> meant;
};

// The cases of a file of misspellings (lines "right: wrong wrong ...") that count over a dictionary: the meant word
// (or a base form of it) is a word of the dictionary, the misspelling is not.
std::vector<SpellingCase> readSpellingCases(const std::string& misspellings, const std::string& dictionary);

// How often the meant word is offered first, among the first 3 and among the first 10.
struct SpellingScore {
    int cases = 0;
    int at1 = 0;
    int at3 = 0;
    int at10 = 0;
    void add(const SpellingCase& c, const std::vector<std::string>& offered);
    double percent(int hits) const { return cases == 0 ? 0.0 : 100.0 * hits / cases; }
};

// The words offered for a text, in order.
std::vector<std::string> offeredWords(const offers::OfferIndex& index, const std::string& typed);

// The offers' score over the cases.
SpellingScore scoreOffers(const offers::OfferIndex& index, const std::vector<SpellingCase>& cases);

} // namespace testsupport
