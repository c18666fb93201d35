#include "store/Folding.h"

#include <QString>
#include <algorithm>

namespace store {

namespace {
char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

std::string foldCase(std::string_view utf8) {
    // Most words are plain ASCII: folding them needs no Unicode tables.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        std::string folded(utf8);
        std::transform(folded.begin(), folded.end(), folded.begin(), asciiLower);
        return folded;
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
        .normalized(QString::NormalizationForm_C)
        .toCaseFolded()
        .normalized(QString::NormalizationForm_C)
        .toStdString();
}

} // namespace store
