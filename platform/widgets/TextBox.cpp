#include "platform/widgets/TextBox.h"

#include <QPlainTextEdit>
#include <QVariant>

namespace platform {

namespace {

// The text as it was set, kept with the box so that reading it back gives exactly that.
constexpr const char* SetTextProperty = "lexorantText";
constexpr const char* SetRevisionProperty = "lexorantRevision";

// The box lays out a line as one paragraph when it is first shown, and that takes far longer than the line is long.
// Lines longer than this are shown in pieces, each from a new row (after the last blank of a piece where it has
// one, anywhere otherwise), so that the box only ever lays out the pieces it shows.
constexpr qsizetype PieceLength = 1024;

QString shownText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qsizetype lineStart = 0;
    bool longLine = false;
    for (qsizetype i = 0; i <= lines.size() && !longLine; ++i) {
        if (i == lines.size() || lines[i] == QLatin1Char('\n')) {
            longLine = i - lineStart > PieceLength;
            lineStart = i + 1;
        }
    }
    if (!longLine) {
        return lines;
    }
    QString pieces;
    pieces.reserve(lines.size() + lines.size() / PieceLength + 1);
    qsizetype run = 0; // characters since the last line break
    qsizetype lastBlank = -1;
    for (const QChar c : std::as_const(lines)) {
        pieces += c;
        if (c == QLatin1Char('\n')) {
            run = 0;
            lastBlank = -1;
            continue;
        }
        ++run;
        if (c == QLatin1Char(' ')) {
            lastBlank = pieces.size();
        }
        // Never between the two halves of a character outside the basic plane.
        if (run >= PieceLength && !c.isHighSurrogate()) {
            const qsizetype at = lastBlank > pieces.size() - PieceLength / 2 ? lastBlank : pieces.size();
            pieces.insert(at, QLatin1Char('\n'));
            run = pieces.size() - at - 1;
            lastBlank = -1;
        }
    }
    return pieces;
}

} // namespace

void SetText(QPlainTextEdit& box, const QString& text) {
    box.setPlainText(shownText(text));
    box.setProperty(SetTextProperty, text);
    box.setProperty(SetRevisionProperty, box.document()->revision());
}

QString Text(const QPlainTextEdit& box) {
    const QVariant set = box.property(SetTextProperty);
    if (set.isValid() && box.property(SetRevisionProperty).toInt() == box.document()->revision()) {
        return set.toString();
    }
    // Typed into since: what the box holds, its lines ending in CR LF.
    QString text = box.toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace platform
