#pragma once

#include <string>
#include <string_view>

namespace offers {

// The text as the offers compare it: composed (NFC), letter case folded, accents taken off their letters ("Café"
// and "cafe" alike), blanks at either end dropped and blanks inside made one space.
std::string plainText(std::string_view utf8);

// The text with blanks at either end dropped and blanks inside made one space; letters kept as they are.
std::string tidyBlanks(std::string_view text);

// Whether an entry is capitalised where a text is not: a name ("Drew") found for a word in lower case ("drew").
bool capitalisedFor(std::string_view text, std::string_view entry);

// The plain text with its spaces and hyphens taken out, so that "ice cream", "ice-cream" and "icecream" are alike.
std::string joinedText(std::string_view plain);

} // namespace offers
