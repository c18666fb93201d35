// Looking up a word met elsewhere (a box's word, a selection, the command line): shown at once with no box, forgiving
// the form; what leads nowhere goes to the find box with its offers. And what a reader meets around it: the offers
// that stay through the window manager's focus changes, boxes that show without taking typing, named trays, message
// boxes as wide as their titles.
#include "platform/widgets/MessageDialog.h"
#include "tests/widget/ProgramFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using core::fMain;
using platform::instance;
using testsupport::offersReady;
using testsupport::suggested;
using testsupport::Words;
using trays::fBottomTray;

namespace {
class Dictionary : public testsupport::Program {
protected:
    Dictionary()
        : Program({{"abate", "to lessen"},
                   {"discovery", "a finding"},
                   {"draw", "to pull"},
                   {"Drew", "a surgeon"},
                   {"goose", "a bird"},
                   {"turkey", "a bird; Turkey: a country"},
                   {"zeal", "eagerness"}}) {
        addToDatabase(
            "CREATE TABLE BaseForms (Form TEXT, Base TEXT);"
            "INSERT INTO BaseForms VALUES ('geese', 'goose'), ('discoveries', 'discovery'), ('drew', 'draw');");
    }
};
} // namespace

TEST_F(Dictionary, ALookUpShowsWhereItLandsWithNoBoxAndJoinsTheHistory) {
    fMain& main = start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    const struct {
        const char* text;
        const char* shown;
        const char* offer; // the current offer under the find box, when the look-up took a base form
    } cases[] = {
        {"  Zeal.\n", "zeal", nullptr},
        {"\u201CTurkey's\u201D", "turkey", nullptr},
        {"(geese),", "goose", "goose \u2014 base form of geese"},
        {"Discoveries", "discovery", "discovery \u2014 base form of Discoveries"},
        {"Drew", "Drew", nullptr},
        {"drew", "draw", "draw \u2014 base form of drew"}, // not the name
    };
    for (const auto& c : cases) {
        find.LookUpWord(QString::fromUtf8(c.text));
        EXPECT_EQ(word(), QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(find.OffersShown->isVisible(), c.offer != nullptr) << c.text;
        if (c.offer != nullptr) {
            EXPECT_EQ(main.BottomTrayOut, trays::True) << c.text;
            const QListWidgetItem* current = find.OffersShown->list().currentItem();
            ASSERT_NE(current, nullptr) << c.text;
            EXPECT_EQ(current->text(), QString::fromUtf8(c.offer));
        }
    }
    EXPECT_TRUE(prompts().isEmpty());
    find.HistoryBack();
    EXPECT_EQ(word(), "Drew");
}

// Nothing to land on: the find tray comes down with the text in its box and the offers for it open; the entry shown
// stays.
TEST_F(Dictionary, ALookUpThatLeadsNowhereOpensTheOffersInTheFindBox) {
    fMain& main = start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    find.LookUpWord(QStringLiteral("zeal"));
    find.LookUpWord(QStringLiteral("\u00ABzeel!\u00BB"));
    EXPECT_EQ(word(), "zeal");
    EXPECT_EQ(main.BottomTrayOut, trays::True);
    EXPECT_EQ(find.Text3->text(), "zeel");
    ASSERT_TRUE(find.OffersShown->isVisible());
    EXPECT_EQ(suggested().value(0), "zeal");
    find.LookUpWord(QStringLiteral(" .,;\u2014 "));
    EXPECT_EQ(find.Text3->text(), "zeel"); // punctuation alone is no look-up
    EXPECT_TRUE(prompts().isEmpty());
}

// Before the offers are built a word found as it stands shows at once; a form waits for them.
TEST_F(Dictionary, AFormLookedUpBeforeTheOffersAreBuiltLandsWhenTheyAre) {
    start();
    auto& find = instance<fBottomTray>();
    find.LookUpWord(QStringLiteral("Zeal"));
    EXPECT_EQ(word(), "zeal");
    find.LookUpWord(QStringLiteral("geese"));
    EXPECT_TRUE(QTest::qWaitFor([] { return word() == "goose"; }, 10000));
    EXPECT_TRUE(prompts().isEmpty());
}

// After "Data Not Found" the program gives the find box the keyboard back. On the way the window manager may pass
// the keyboard through another of the program's windows first: the offers stay for the box, and go when the user
// goes elsewhere.
TEST_F(Words, TheOffersAfterAMissStayWhileTheKeyboardComesBack) {
    fMain& main = start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&find] { return find.Text3->hasFocus(); }, 2000));
    // The box takes the keyboard; when it closes, the main window has it.
    m_seams.onBox = [&main](const platform::MessageBoxCall&) {
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&main] { return main.isActiveWindow(); }, 2000));
    };
    find.Text3->setText(QStringLiteral("zeel"));
    find.Command1_Click();
    ASSERT_TRUE(find.OffersShown->isVisible());
    const auto focus = [&find](QEvent::Type type) {
        QFocusEvent event(type, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(find.Text3, &event);
        return find.OffersShown->isVisible();
    };
    EXPECT_TRUE(focus(QEvent::FocusOut)); // passing through the main window
    EXPECT_TRUE(focus(QEvent::FocusIn));
    QTest::mouseClick(find.Text3, Qt::LeftButton);
    EXPECT_TRUE(find.OffersShown->isVisible());
    QTest::mouseClick(main.cmdAbout->parentWidget(), Qt::LeftButton, {}, QPoint(150, 160)); // the user went elsewhere
    EXPECT_FALSE(find.OffersShown->isVisible());
}

// The word and meaning boxes show the record: typing changes nothing, selecting and copying still work; each tray
// is named for what it holds.
TEST_F(Words, TheBoxesShowTheRecordWithoutTakingTypingAndTheTraysAreNamed) {
    start();
    find(QStringLiteral("zeal"));
    auto& box = *instance<trays::fRightTray>().Text2;
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("zzz"));
    QTest::keyClick(&box, Qt::Key_Delete);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(meaning(), "eagerness");
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "eagerness");
    const auto name = [](QWidget& tray) {
        return QAccessible::queryAccessibleInterface(&tray)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(instance<trays::fLeftTray>()), "Word tray");
    EXPECT_EQ(name(instance<trays::fRightTray>()), "Meaning tray");
    EXPECT_EQ(name(instance<fBottomTray>()), "Find tray");
}

// A box with a short text is still as wide as its title needs on a title bar, with the bar's buttons beside it.
TEST(MessageDialog, IsWideEnoughForItsTitle) {
    int width = 0;
    QTimer::singleShot(0, [&width] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        box->accept();
    });
    platform::showMessageDialog({QStringLiteral("OK"), platform::vbOKOnly, QStringLiteral("Lexorant")});
    QFont bold = QApplication::font("QMdiSubWindowTitleBar");
    bold.setBold(true);
    // Three buttons of a title bar and the window's icon, at 24 pixels each.
    EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance(QStringLiteral("Lexorant")) + 4 * 24);
}
