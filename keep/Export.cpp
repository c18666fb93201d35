#include "keep/Export.h"

namespace keep {

std::string tsvField(const std::string& text) {
    if (text.find_first_of("\t\r\n\"") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string exportText(const std::vector<ExportRow>& rows) {
    std::string text = "word\tmeaning\tkept\tbox\n";
    for (const ExportRow& row : rows) {
        text += tsvField(row.word) + "\t" + tsvField(row.meaning) + "\t" + tsvField(row.keptOn) + "\t" +
                std::to_string(row.box) + "\n";
    }
    return text;
}

} // namespace keep
