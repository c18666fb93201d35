#include "offers/LookUpText.h"

#include <QString>
#include <algorithm>

namespace offers {

namespace {

// What may stand at either end of a word: a letter or a digit, or a mark on one (an accent written apart).
bool endsAWord(QChar c) {
    return c.isLetterOrNumber() || c.isMark();
}

bool isApostrophe(QChar c) {
    return c == QLatin1Char('\'') || c == QChar(0x2019) || c == QChar(0x02BC);
}

QString withoutSurroundings(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && !endsAWord(text[start])) {
        ++start;
    }
    while (end > start && !endsAWord(text[end - 1])) {
        --end;
    }
    // A mark cannot begin a word: it belongs to a letter left outside.
    while (start < end && text[start].isMark()) {
        ++start;
    }
    return text.mid(start, end - start);
}

// "Turkey's" and "Turkey’s": "Turkey"; nothing for a text without the ending.
QString withoutPossessive(const QString& word) {
    const qsizetype n = word.size();
    if (n > 2 && (word[n - 1] == QLatin1Char('s') || word[n - 1] == QLatin1Char('S')) && isApostrophe(word[n - 2])) {
        return withoutSurroundings(word.first(n - 2));
    }
    return {};
}

} // namespace

LookUpText lookUpText(std::string_view utf8) {
    // Blanks of every kind (line breaks, no-break spaces) made one space.
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).simplified();
    const QString word = withoutSurroundings(text);
    if (word.isEmpty()) {
        return {};
    }
    LookUpText looked{word.toStdString(), {text.toStdString()}};
    for (const QString& next : {word, withoutPossessive(word)}) {
        std::string candidate = next.toStdString();
        if (!candidate.empty() &&
            std::find(looked.tries.begin(), looked.tries.end(), candidate) == looked.tries.end()) {
            looked.tries.push_back(std::move(candidate));
        }
    }
    return looked;
}

} // namespace offers
