// Finding from the keyboard and from offers: keys on the main window, the list under the find box, base forms.
#include "tests/widget/ProgramFixture.h"
#include "trays/LookUp.h"
#include "trays/fRightTray.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>
#include <sqlite3.h>

using core::fMain;
using platform::instance;
using testsupport::Words;
using trays::fBottomTray;

// The keyboard does what the buttons do: Right and Page Down step on, Left and Page Up back (with the same
// message at the start), and Ctrl+F brings the find tray down once and puts the keyboard in its box.
TEST_F(Words, KeysBrowseAndCtrlFGoesToTheFindBox) {
    fMain& main = start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTest::keyClick(&main, Qt::Key_Right);
    EXPECT_EQ(word(), "Émile");
    QTest::keyClick(&main, Qt::Key_PageDown);
    EXPECT_EQ(word(), "o'clock");
    QTest::keyClick(&main, Qt::Key_Left);
    EXPECT_EQ(word(), "Émile");
    QTest::keyClick(&main, Qt::Key_PageUp);
    EXPECT_EQ(word(), "abate");
    QTest::keyClick(&main, Qt::Key_Left); // before the first word: the message, then the load routine again
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, "Front End of file.");

    int slides = 0;
    onYield = [&slides] { ++slides; };
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(main.BottomTrayOut, trays::True);
    const auto inFindBox = [] { return instance<fBottomTray>().Text3->hasFocus(); };
    EXPECT_TRUE(QTest::qWaitFor(inFindBox, 2000));
    const float out = instance<fBottomTray>().Top();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&main] { return main.isActiveWindow(); }, 2000));
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier); // out already: only the keyboard moves
    EXPECT_EQ(instance<fBottomTray>().Top(), out);
    EXPECT_TRUE(QTest::qWaitFor(inFindBox, 2000));
}

using testsupport::offersReady;
using testsupport::suggested;

// Typing in the find box lists the words that begin with it, ignoring letter case, in the store's order; choosing one
// finds it as the button does.
TEST_F(Words, OffersListWordsBeginningWithTheTextAndChoosingOneFindsIt) {
    start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    find.Text3_Edited(QStringLiteral("ÉM"));
    EXPECT_EQ(suggested(), QStringList{"Émile"});
    EXPECT_TRUE(find.OffersShown->isVisible());
    find.Text3_Edited(QStringLiteral("o'"));
    EXPECT_EQ(suggested(), QStringList{"o'clock"});
    find.Text3_Edited(QStringLiteral("nothing begins so"));
    EXPECT_TRUE(suggested().isEmpty());
    find.Text3_Edited(QString());
    EXPECT_TRUE(suggested().isEmpty());

    find.Text3_Edited(QStringLiteral("ze"));
    QTest::keyClick(find.Text3, Qt::Key_Down);
    QTest::keyClick(find.Text3, Qt::Key_Return);
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, "DATA FOUND");
    EXPECT_EQ(word(), "zeal");
    EXPECT_EQ(find.Text3->text(), "zeal");
}

// An inflected form that the dictionary knows leads to its base words first, marked; choosing one finds the base word.
TEST_F(Words, BaseFormsComeFirstMarkedAndChoosingOneFindsTheBaseWord) {
    addToDatabase("CREATE TABLE BaseForms (Form TEXT COLLATE NOCASE, Base TEXT);"
                  "INSERT INTO BaseForms VALUES ('zeals', 'zeal'), ('abated', 'abate'), ('ab', 'abate');");
    start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    find.Text3_Edited(QStringLiteral("Zeals"));
    EXPECT_EQ(suggested(), QStringList{QString::fromUtf8("zeal \u2014 base form of Zeals")});
    find.Text3_Edited(QStringLiteral("ab"));
    EXPECT_EQ(suggested(), QStringList{QString::fromUtf8("abate \u2014 base form of ab")}); // offered once
    QTest::keyClick(find.Text3, Qt::Key_Down);                                              // the base form, first
    QTest::keyClick(find.Text3, Qt::Key_Return);
    EXPECT_EQ(word(), "abate");
    // Esc closes the list and leaves the text as typed; Enter without a choice finds the typed text.
    find.Text3->setText(QStringLiteral("ab"));
    find.Text3_Edited(QStringLiteral("ab"));
    QTest::keyClick(find.Text3, Qt::Key_Escape);
    EXPECT_FALSE(find.OffersShown->isVisible());
    EXPECT_EQ(find.Text3->text(), "ab");
    m_seams.boxes.clear();
    QTest::keyClick(find.Text3, Qt::Key_Return);
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, "Data Not Found  Please Check your Dictiorary");
}

// After a find the keyboard is back in the box with the text selected; after "Data Not Found" the offers for the
// text are back under it, to be taken with Down and Enter. The find itself answers the typed text exactly.
TEST_F(Words, AfterAFindTheBoxHasTheKeyboardAndAMissShowsTheOffersAgain) {
    fMain& main = start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&find] { return find.Text3->hasFocus(); }, 2000));
    find.Text3->setText(QStringLiteral("zeel"));
    find.Command1_Click();
    EXPECT_EQ(prompts(), QStringList{"Data Not Found  Please Check your Dictiorary"});
    EXPECT_EQ(word(), "abate"); // the first word, as ever
    EXPECT_TRUE(QTest::qWaitFor([&find] { return find.Text3->hasFocus(); }, 2000));
    EXPECT_EQ(find.Text3->selectedText(), "zeel");
    ASSERT_TRUE(find.OffersShown->isVisible());
    EXPECT_EQ(suggested().value(0), "zeal");
    QTest::keyClick(find.Text3, Qt::Key_Down);
    QTest::keyClick(find.Text3, Qt::Key_Return);
    EXPECT_EQ(prompts().last(), "DATA FOUND");
    EXPECT_EQ(word(), "zeal");
    EXPECT_EQ(find.Text3->selectedText(), "zeal");
    EXPECT_FALSE(find.OffersShown->isVisible());
}

// Every offer is readable whole: the list grows to its longest row (no horizontal scroll bar), and an offer taken
// by an assistive tool (which selects it) is chosen as a click chooses it.
TEST_F(Words, LongOffersAreReadWholeAndSelectingOneChoosesIt) {
    addToDatabase("CREATE TABLE BaseForms (Form TEXT, Base TEXT);"
                  "INSERT INTO BaseForms VALUES ('zealsandzealsandzealsandmorezeals', 'zeal');");
    start();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    find.Text3_Edited(QStringLiteral("zealsandzealsandzealsandmorezeals"));
    QListWidget& list = find.OffersShown->list();
    ASSERT_EQ(list.count(), 1);
    const QString row = list.item(0)->text();
    EXPECT_EQ(row, QString::fromUtf8("zeal \u2014 base form of zealsandzealsandzealsandmorezeals"));
    EXPECT_GE(list.viewport()->width(), list.fontMetrics().horizontalAdvance(row));
    EXPECT_EQ(list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    list.item(0)->setSelected(true);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompts().isEmpty(); }, 2000));
    EXPECT_EQ(prompts(), QStringList{"DATA FOUND"});
    EXPECT_EQ(word(), "zeal");
}

// Keys typed at once after Ctrl+F, while the tray is still sliding down, all reach the find box.
TEST_F(Words, KeysTypedWhileTheFindTraySlidesReachTheBox) {
    fMain& main = start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    onYield = [&main] { QTest::keyClicks(&main, QStringLiteral("abcdef")); };
    QTest::keyClick(&main, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(instance<fBottomTray>().Text3->text(), "abcdef");
}

// Down and Up move through the list and stop at its ends; Enter chooses the row reached.
TEST(OfferKeys, DownAndUpMoveThroughTheListAndStopAtItsEnds) {
    QLineEdit box;
    box.show();
    QString chosen;
    trays::OfferList list(box, [&chosen](const QString& word) { chosen = word; });
    const struct {
        std::vector<Qt::Key> keys;
        const char* chosen;
    } cases[] = {
        {{Qt::Key_Down}, "first"},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}, "first"},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}, "third"},
        {{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up}, "first"},
    };
    for (const auto& c : cases) {
        list.show(
            {{QStringLiteral("first"), {}, {}}, {QStringLiteral("second"), {}, {}}, {QStringLiteral("third"), {}, {}}});
        for (const Qt::Key key : c.keys) {
            QTest::keyClick(&box, key);
        }
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(chosen, QString::fromUtf8(c.chosen)) << c.keys.size() << " keys";
    }
}

// Back and forward step through the words found, as a browser does, showing each without a box; a new find after
// stepping back drops the words ahead; a miss is not a word found. The mouse's own buttons do the same.
TEST_F(Words, BackAndForwardStepThroughTheWordsFound) {
    start();
    auto& find = instance<fBottomTray>();
    for (const char* text : {"abate", "ZEAL", "nothing such", "o'clock"}) {
        Program::find(QString::fromUtf8(text));
    }
    const auto boxes = m_seams.boxes.size();
    const struct {
        void (fBottomTray::*step)();
        const char* shown;
    } steps[] = {{&fBottomTray::HistoryBack, "zeal"},       {&fBottomTray::HistoryBack, "abate"},
                 {&fBottomTray::HistoryBack, "abate"},      {&fBottomTray::HistoryForward, "zeal"},
                 {&fBottomTray::HistoryForward, "o'clock"}, {&fBottomTray::HistoryForward, "o'clock"},
                 {&fBottomTray::HistoryBack, "zeal"}};
    for (const auto& s : steps) {
        (find.*s.step)();
        EXPECT_EQ(word(), QString::fromUtf8(s.shown));
    }
    EXPECT_EQ(m_seams.boxes.size(), boxes);

    Program::find(QString::fromUtf8("\xC3\x89mile")); // after "zeal": "o'clock" ahead is dropped
    find.HistoryForward();
    EXPECT_EQ(word(), QString::fromUtf8("\xC3\x89mile"));
    QMouseEvent back(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::BackButton, Qt::BackButton,
                     Qt::NoModifier);
    QApplication::sendEvent(find.Text3, &back);
    EXPECT_EQ(word(), "zeal");
}

// A word seen in the meaning box is looked up with Ctrl+click, or from the context menu: the word under the
// pointer with the apostrophes and hyphens inside it, or the selected text.
TEST_F(Words, AWordInTheMeaningBoxIsLookedUp) {
    start();
    auto& meaning = *instance<trays::fRightTray>().Text2;
    meaning.setPlainText(QStringLiteral("ask 'o'clock' or well- known zeal, then"));
    const trays::LookUp* lookUp = nullptr;
    for (QObject* child : meaning.children()) {
        lookUp = lookUp != nullptr ? lookUp : dynamic_cast<const trays::LookUp*>(child);
    }
    ASSERT_NE(lookUp, nullptr);
    const auto pointAt = [&meaning](int position) {
        QTextCursor cursor(meaning.document());
        cursor.setPosition(position);
        return meaning.cursorRect(cursor).center() + QPoint(2, 0);
    };
    const QString text = meaning.toPlainText();
    const struct {
        const char* at;
        const char* word;
    } cases[] = {{"o'clock", "o'clock"}, {"well-", "well"}, {"zeal", "zeal"}, {"then", "then"}};
    for (const auto& c : cases) {
        EXPECT_EQ(lookUp->wordAt(pointAt(static_cast<int>(text.indexOf(QString::fromUtf8(c.at))))), c.word) << c.at;
    }
    QTextCursor selection(meaning.document());
    selection.setPosition(static_cast<int>(text.indexOf("known")));
    selection.setPosition(static_cast<int>(text.indexOf("known")) + 5, QTextCursor::KeepAnchor);
    meaning.setTextCursor(selection);
    EXPECT_EQ(lookUp->wordAt(pointAt(0)), "known");
    meaning.setTextCursor(QTextCursor(meaning.document()));
    const QPointF zeal = pointAt(static_cast<int>(text.indexOf("zeal")));
    QMouseEvent click(QEvent::MouseButtonRelease, zeal, meaning.viewport()->mapToGlobal(zeal), Qt::LeftButton,
                      Qt::NoButton, Qt::ControlModifier);
    QApplication::sendEvent(meaning.viewport(), &click);
    EXPECT_TRUE(prompts().isEmpty());
    EXPECT_EQ(word(), "zeal");
}

// A word a hundred thousand characters long (a damaged or hostile database may hold one) is offered by its first
// characters, and choosing it still finds the whole word.
TEST(HugeOffer, ShowsItsBeginningAndFindsTheWholeWord) {
    QString huge = QStringLiteral("e");
    huge += QString(100000, QChar(0x0301));
    testsupport::ProgramSeams seams;
    testsupport::ProgramDirectory program({{"abate", "to lessen"}, {huge.toStdString(), "a hostile word"}});
    platform::instance<fMain>();
    auto& find = instance<fBottomTray>();
    ASSERT_TRUE(offersReady());
    find.Text3_Edited(QStringLiteral("e"));
    QListWidget& list = find.OffersShown->list();
    ASSERT_EQ(list.count(), 1);
    EXPECT_LT(list.item(0)->text().size(), 300);
    list.item(0)->setSelected(true);
    EXPECT_TRUE(QTest::qWaitFor([&seams] { return !seams.boxes.empty(); }, 2000));
    EXPECT_EQ(seams.boxes.front().prompt, "DATA FOUND");
    EXPECT_EQ(platform::Text(*platform::instance<trays::fLeftTray>().Text1), huge);
    testsupport::destroyWindows();
}
