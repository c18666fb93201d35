#include "offers/PlainText.h"

#include "store/Folding.h"

#include <QString>
#include <algorithm>

namespace offers {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Most words are plain ASCII: folding them needs no Unicode tables.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string foldedLetters(std::string_view utf8) {
    std::string folded = store::foldCase(utf8);
    if (isAscii(folded)) {
        return folded;
    }
    // Decomposed, the accents are marks of their own after their letters, and can be left out.
    const QString decomposed = QString::fromUtf8(folded.data(), static_cast<qsizetype>(folded.size()))
                                   .normalized(QString::NormalizationForm_KD);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            plain.append(c);
        }
    }
    return plain.normalized(QString::NormalizationForm_C).toStdString();
}

} // namespace

std::string tidyBlanks(std::string_view text) {
    std::string tidy;
    tidy.reserve(text.size());
    bool blank = false;
    for (const char c : text) {
        if (isBlank(c)) {
            blank = !tidy.empty();
            continue;
        }
        if (blank) {
            tidy += ' ';
            blank = false;
        }
        tidy += c;
    }
    return tidy;
}

std::string plainText(std::string_view utf8) {
    return tidyBlanks(foldedLetters(utf8));
}

bool capitalisedFor(std::string_view text, std::string_view entry) {
    const auto inLowerCase = [](std::string_view utf8) {
        const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        return s == s.toLower();
    };
    return inLowerCase(text) && !inLowerCase(entry);
}

std::string joinedText(std::string_view plain) {
    std::string joined;
    joined.reserve(plain.size());
    for (const char c : plain) {
        if (c != ' ' && c != '-') {
            joined += c;
        }
    }
    return joined;
}

} // namespace offers
