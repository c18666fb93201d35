#include "platform/widgets/TextBox.h"

#include <QMimeData>
#include <QTextBlock>
#include <QVariant>
#include <algorithm>
#include <iterator>
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

// Where the set text and the shown one stop going side by side: from each mark on, a character of one is a
// character of the other, to the next mark. Kept with the box for the text it was made for.
struct Mark {
    int shown;
    int stored;
};
class OffsetMap : public QObject {
public:
    explicit OffsetMap(QPlainTextEdit& box) : QObject(&box) { setObjectName(QStringLiteral("lexorantOffsets")); }
    int revision = -1;
    std::vector<Mark> marks;
};

// Walks the set text and the shown one side by side once, marking where they part.
std::vector<Mark> marksOf(const QString& stored, const QString& shown) {
    std::vector<Mark> marks{{0, 0}};
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < stored.size() && j < shown.size()) {
        if (stored[i] == QLatin1Char('\r')) {
            i += i + 1 < stored.size() && stored[i + 1] == QLatin1Char('\n') ? 2 : 1;
            ++j;
            marks.push_back({static_cast<int>(j), static_cast<int>(i)});
        } else if (shown[j] == QLatin1Char('\n') && stored[i] != QLatin1Char('\n')) {
            ++j; // the row break of a piece of a long line
            marks.push_back({static_cast<int>(j), static_cast<int>(i)});
        } else {
            ++i;
            ++j;
        }
    }
    return marks;
}

const std::vector<Mark>& marksOf(const QPlainTextEdit& box) {
    auto* map = box.findChild<OffsetMap*>(QStringLiteral("lexorantOffsets"), Qt::FindDirectChildrenOnly);
    if (map == nullptr) {
        map = new OffsetMap(const_cast<QPlainTextEdit&>(box)); // NOLINT(cppcoreguidelines-pro-type-const-cast)
    }
    if (map->revision != box.document()->revision()) {
        map->marks = marksOf(Text(box), box.toPlainText());
        map->revision = box.document()->revision();
    }
    return map->marks;
}

// An offset on one side of the map (stored or shown) carried to the other: from the last mark at or before it.
int carried(const QPlainTextEdit& box, int offset, int Mark::*from, int Mark::*to) {
    const auto& marks = marksOf(box);
    const auto after = std::upper_bound(marks.begin(), marks.end(), offset,
                                        [from](int at, const Mark& mark) { return at < mark.*from; });
    const Mark& mark = *std::prev(after);
    return mark.*to + (offset - mark.*from);
}
} // namespace

int storedOffset(const QPlainTextEdit& box, int shown) {
    return carried(box, shown, &Mark::shown, &Mark::stored);
}

int shownOffset(const QPlainTextEdit& box, int stored) {
    return carried(box, stored, &Mark::stored, &Mark::shown);
}

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
