#include "platform/widgets/TextBox.h"
#include "platform/widgets/Accessibility.h"

#include <QAccessible>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

using platform::SetText;
using platform::Text;

namespace {

qsizetype longestBlock(const QPlainTextEdit& box) {
    qsizetype longest = 0;
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
        longest = std::max(longest, static_cast<qsizetype>(b.length()));
    }
    return longest;
}

struct LongText {
    const char* name;
    QString text;
};

class TextBoxLongText : public ::testing::TestWithParam<LongText> {};

} // namespace

// A very long line is laid out in pieces, never as one paragraph, and still reads back exactly and shows every
// character in order.
TEST_P(TextBoxLongText, ShownInPiecesAndReadBackWhole) {
    platform::MultiLineTextBox box;
    box.resize(200, 100);
    const QString& text = GetParam().text;
    SetText(box, text);
    EXPECT_EQ(Text(box), text);
    EXPECT_LE(longestBlock(box), 1025);
    QString shown = box.toPlainText();
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Only line breaks were added, and none inside a character outside the basic plane.
    EXPECT_EQ(shown.remove(QLatin1Char('\n')), expected.remove(QLatin1Char('\n')));
    for (QTextBlock b = box.document()->begin(); b.isValid(); b = b.next()) {
        ASSERT_FALSE(!b.text().isEmpty() && b.text().front().isLowSurrogate()) << b.blockNumber();
    }
    // Copied whole, as it was set (lines ending in LF on this desktop), without the rows' breaks.
    box.selectAll();
    box.copy();
    QString lf = text;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), lf);
    // Typed into: read back from the rows, the pieces joined again.
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QStringLiteral("!"));
    EXPECT_EQ(Text(box), text + "!");
}

INSTANTIATE_TEST_SUITE_P(
    TextBox, TextBoxLongText,
    ::testing::Values(LongText{"NoBlanks", QString(300000, QLatin1Char('x'))},
                      LongText{"Words", QStringLiteral("lorem ipsum ").repeated(30000)},
                      LongText{"LinesOfBoth", (QString(5000, QLatin1Char('a')) + QStringLiteral("\r\nshort\r\n") +
                                               QStringLiteral("b c ").repeated(2000))},
                      LongText{"AstralCharacters", QString::fromUtf8("\xF0\x9F\x99\x82").repeated(3000)}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TextBox, ShortTextShowsAsLinesAndTypingChangesWhatIsRead) {
    QPlainTextEdit box;
    SetText(box, QStringLiteral("to lessen\r\nto end"));
    EXPECT_EQ(box.toPlainText(), "to lessen\nto end");
    EXPECT_EQ(Text(box), "to lessen\r\nto end");
    box.moveCursor(QTextCursor::End);
    QTest::keyClicks(&box, QStringLiteral("!"));
    EXPECT_EQ(Text(box), "to lessen\r\nto end!");
}

// An assistive tool reading the box through its text interface gets the text as it was set, whatever rows the box
// shows it in; the caret's place is told in the same offsets.
TEST(TextBox, AssistiveToolsReadTheTextAsSet) {
    platform::installControlAccessibility();
    QPlainTextEdit box;
    box.show();
    const QString line = QString(9000, QLatin1Char('x'));
    for (const QString& text :
         {line, QStringLiteral("1. first sense\r\n2. second sense"), line + QStringLiteral("\r\nend")}) {
        platform::SetText(box, text);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&box);
        ASSERT_NE(accessible, nullptr);
        QAccessibleTextInterface* reading = accessible->textInterface();
        ASSERT_NE(reading, nullptr);
        EXPECT_EQ(reading->characterCount(), text.size());
        EXPECT_EQ(reading->text(0, reading->characterCount()), text);
        reading->setCursorPosition(static_cast<int>(text.size()) - 1);
        EXPECT_EQ(reading->cursorPosition(), text.size() - 1);
    }
}

// Every offset of the text as set maps to the place in the box that shows the same character, and back: across
// CR LF line ends, a lone CR, the row breaks of a long line's pieces, and characters outside the basic plane.
TEST(TextBox, OffsetsOfTheSetTextAndTheShownOneMatchCharacterByCharacter) {
    QString astral;
    while (astral.size() < 3000) {
        astral += QStringLiteral("\U0001F642 ");
    }
    const struct {
        const char* name;
        QString text;
    } cases[] = {
        {"line ends", QStringLiteral("ab\r\ncd\rek\nl\r\n")},
        {"a long line", QString(2500, QLatin1Char('w')) + QStringLiteral("\r\nend")},
        {"a long line of words", QStringLiteral("one two three ").repeated(300) + QStringLiteral("\r\nend")},
        {"astral characters", astral + QStringLiteral("\r\n") + astral},
    };
    QPlainTextEdit box;
    for (const auto& c : cases) {
        SetText(box, c.text);
        const QString shown = box.toPlainText();
        for (int stored = 0; stored < c.text.size(); ++stored) {
            if (c.text[stored] == QLatin1Char('\n') && stored > 0 && c.text[stored - 1] == QLatin1Char('\r')) {
                continue; // the second half of a line end is the first half's
            }
            const int at = platform::shownOffset(box, stored);
            ASSERT_LT(at, shown.size()) << c.name << " at " << stored;
            const QChar expected = c.text[stored] == QLatin1Char('\r') ? QLatin1Char('\n') : c.text[stored];
            ASSERT_EQ(shown[at], expected) << c.name << " at " << stored;
            ASSERT_EQ(platform::storedOffset(box, at), stored) << c.name << " at " << stored;
        }
        EXPECT_EQ(platform::shownOffset(box, static_cast<int>(c.text.size())), shown.size()) << c.name;
    }
}
