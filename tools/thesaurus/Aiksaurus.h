#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Aiksaurus's thesaurus (Debian's libaiksaurus-1.2-data): groups of words that share a meaning ("stubborn",
// "obstinate", "mulish", "pigheaded"), read from its two data files. No display, no database.
namespace thesaurus {

// Each group, its words in the order of their names.
using Groups = std::vector<std::vector<std::string>>;

// The two files as the data package lays them. words.dat holds the words in the order of their names, each a name
// (a colon stands for a blank: "a:cappella"; Latin-1) ended by a NUL byte, then the numbers of its groups ended by
// 0xFFFF. meanings.dat holds the groups one after the other, each the numbers of its two title words, then the
// numbers of all its words ended by 0xFFFF. A number is two bytes, high byte first; a word's number is its place in
// words.dat. Data that is not so (cut short, a number past the last word) throws std::runtime_error that names the
// file and the byte where it went wrong.
Groups parseAiksaurus(std::string_view words, std::string_view meanings);
// The files words.dat and meanings.dat of a folder (/usr/share/aiksaurus); a file that cannot be read throws
// std::runtime_error.
Groups readAiksaurus(const std::filesystem::path& folder);

} // namespace thesaurus
