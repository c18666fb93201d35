#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace offers {

// A word met in running text and looked up ("house.", "“Geese,”", "(Turkey's)").
struct LookUpText {
    // The word without what surrounds it in running text: blanks and line breaks, punctuation, quotes and brackets
    // of every kind at either end. Empty when the text holds no letter or digit.
    std::string word;
    // What the look-up tries, in turn, each once: the text as it was given (blanks tidied), so that an entry such as
    // "C++" or "Mr." is found as it stands; then the word; then the word without a possessive "'s".
    std::vector<std::string> tries;
};

LookUpText lookUpText(std::string_view utf8);

} // namespace offers
