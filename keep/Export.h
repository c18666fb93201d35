#pragma once

#include <string>
#include <vector>

// The words kept, written as a UTF-8 tab-separated file that Anki and spreadsheets import: a header, then one line
// a word with its meaning, the date it was kept and its review box.
namespace keep {

struct ExportRow {
    std::string word;
    std::string meaning;
    std::string keptOn; // "2026-12-08"
    int box = 1;
};

// A field as such a file holds it: quoted, with its quotation marks doubled, where it holds a tab, a line break or a
// quotation mark; as it is otherwise.
std::string tsvField(const std::string& text);

std::string exportText(const std::vector<ExportRow>& rows);

} // namespace keep
