#include "platform/widgets/TextBox.h"

#include <QMimeData>
#include <QTextBlock>
#include <QVariant>
#include <algorithm>
#include <vector>

namespace platform {

namespace {

// The text as it was set, kept with the box so that reading it back gives exactly that.
constexpr const char* SetTextProperty = "lexorantText";
constexpr const char* SetRevisionProperty = "lexorantRevision";

// The box lays out a line as one paragraph when it is first shown, and that takes far longer than the line is long.
// Lines longer than this are shown in pieces, each from a new row (after the last blank of a piece where it has
// one, anywhere otherwise), so that the box only ever lays out the pieces it shows.
constexpr qsizetype PieceLength = 1024;

// A row of the box that goes on the line of the row before it: one of the pieces of a long line.
constexpr int PieceState = 1;

// The text as the box shows it: line breaks as LF, long lines in pieces. The places of the pieces' row breaks (in
// the shown text) go into breaks.
QString shownText(const QString& text, std::vector<qsizetype>& breaks) {
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
            breaks.push_back(at);
            run = pieces.size() - at - 1;
            lastBlank = -1;
        }
    }
    return pieces;
}

// Marks the rows that continue a line, by the places of the breaks before them.
void markPieces(QPlainTextEdit& box, const std::vector<qsizetype>& breaks) {
    auto next = breaks.begin();
    for (QTextBlock block = box.document()->begin(); block.isValid() && next != breaks.end(); block = block.next()) {
        if (block.position() == *next + 1) {
            block.setUserState(PieceState);
            ++next;
        }
    }
}

// The box's text from its rows: each row ends its line unless the next row continues it.
QString joinedRows(const QTextDocument& document, int from, int to, const QString& lineEnd) {
    QString text;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() <= to; block = block.next()) {
        const int start = std::max(from, block.position()) - block.position();
        const int end = std::min(to, block.position() + block.length() - 1) - block.position();
        if (block.position() > from && block.userState() != PieceState) {
            text += lineEnd;
        }
        text += block.text().mid(start, std::max(0, end - start));
    }
    return text;
}

} // namespace

void SetText(QPlainTextEdit& box, const QString& text) {
    std::vector<qsizetype> breaks;
    box.setPlainText(shownText(text, breaks));
    markPieces(box, breaks);
    box.setProperty(SetTextProperty, text);
    box.setProperty(SetRevisionProperty, box.document()->revision());
}

QString Text(const QPlainTextEdit& box) {
    const QVariant set = box.property(SetTextProperty);
    if (set.isValid() && box.property(SetRevisionProperty).toInt() == box.document()->revision()) {
        return set.toString();
    }
    // Typed into since: what the box holds, its lines ending in CR LF.
    return joinedRows(*box.document(), 0, box.document()->characterCount() - 1, QStringLiteral("\r\n"));
}

void ShowOnly(QPlainTextEdit& box) {
    box.setReadOnly(true);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QMimeData* MultiLineTextBox::createMimeDataFromSelection() const {
    const QTextCursor cursor = textCursor();
    auto* copied = new QMimeData;
    copied->setText(joinedRows(*document(), cursor.selectionStart(), cursor.selectionEnd(), QStringLiteral("\n")));
    return copied;
}

} // namespace platform
