#pragma once

#include <string>
#include <string_view>

namespace store {

// Letter case as the word store compares it, the one rule for the find and the offers: composed (NFC, so that an
// accent typed apart from its letter is the letter's), then every letter's case folded, not only ASCII; everything
// else, spaces included, left as it is.
std::string foldCase(std::string_view utf8);

// Whether two names (of tables, columns, keywords) are the same but for the letter case of ASCII letters, as the
// database engine compares names.
bool sameName(std::string_view a, std::string_view b);

} // namespace store
