#include "about/frmAbout.h"
#include "core/fMain.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "tests/widget/ProgramFixture.h"
#include "tests/widget/WidgetTestSupport.h"
#include "tests/widget/Windows.h"
#include "trays/SlidePace.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sqlite3.h>

using core::fMain;
using platform::instance;
using testsupport::Program;
using testsupport::Row;
using testsupport::Words;
using trays::fBottomTray;
using trays::fLeftTray;
using trays::fRightTray;

namespace {

class OneWord : public Program {
protected:
    OneWord() : Program({{"only", "the one meaning"}}) {}
};
class TwoWords : public Program {
protected:
    TwoWords() : Program({{"first", "1"}, {"second", "2"}}) {}
};
// A word and a meaning far longer than any box or list row: 300,000 characters each, without a blank.
class HugeWord : public Program {
protected:
    HugeWord() : Program({{std::string(300000, 'w'), std::string(300000, 'm')}, {"next", "n"}}) {}
};

} // namespace

TEST_F(HugeWord, ShowsWholeAndTheListRowIsShortened) {
    fMain& main = start();
    auto& tray = instance<fLeftTray>();
    QAbstractItemModel* model = tray.List1->model();
    model->fetchMore({});
    EXPECT_EQ(model->index(0, 0).data().toString().size(), 257); // shortened, with an ellipsis
    tray.List1->setCurrentIndex(model->index(0, 0));
    tray.List1_Click();
    EXPECT_EQ(word(), QString(300000, QLatin1Char('w'))); // the whole word goes into the box
    main.btnRightOut[0]->onClick();
    main.rstInfo->MoveNext();
    main.CmdPrev_Click();
    EXPECT_EQ(meaning(), QString(300000, QLatin1Char('m')));
}

TEST_F(Program, StartUpLoadsTheTraysInOrderHiddenAndParked) {
    for (const char* name : {"lh.pts", "rh.pts", "bot.pts"}) {
        std::filesystem::remove(m_program.path() / name);
    }
    fMain& main = start();
    EXPECT_EQ(prompts(), QStringList({m_program.dir() + "/lh.pts not found!", m_program.dir() + "/rh.pts not found!",
                                      m_program.dir() + "/bot.pts not found!"}));
    for (platform::Form* tray : std::initializer_list<platform::Form*>{&instance<fLeftTray>(), &instance<fRightTray>(),
                                                                       &instance<fBottomTray>()}) {
        EXPECT_FALSE(tray->isVisible());
        EXPECT_FALSE(tray->testAttribute(Qt::WA_WState_Created)); // no desktop window until first shown
        EXPECT_TRUE(tray->mask().isEmpty());                      // a missing outline leaves the full rectangle
    }
    EXPECT_EQ(instance<fLeftTray>().Left(), main.Left());
    EXPECT_EQ(instance<fLeftTray>().Top(), main.Top() + 105); // 100 twips, on a whole pixel
    EXPECT_EQ(instance<fRightTray>().Left(), main.Left());
    EXPECT_EQ(instance<fBottomTray>().Left(), main.Left() + 150);
    EXPECT_EQ(instance<fBottomTray>().Top(), main.Top());
    EXPECT_EQ(word(), "Word"); // the design's texts until the first browse or find
    EXPECT_EQ(meaning(), "Meaning\r\n");

    // Shown, a tray takes no focus from the main window.
    instance<fLeftTray>().Show();
    EXPECT_TRUE(instance<fLeftTray>().testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(instance<fLeftTray>().testAttribute(Qt::WA_WState_Created));
}

// The trays' controls are built when first needed, not at start-up; however a tray is first reached, every tray
// then shows what its whole load left: the word box with the find tray's corners, the list over every word, the
// shading.
TEST_F(Program, TraysBuiltOnDemandShowWhatTheirLoadsLeft) {
    const auto built = [] {
        return std::vector<bool>{platform::loadedInstance<fLeftTray>().built(),
                                 platform::loadedInstance<fRightTray>().built(),
                                 platform::loadedInstance<fBottomTray>().built()};
    };
    const struct {
        const char* firstReach;
        std::function<void(fMain&)> reach;
        std::vector<bool> builtThen;
    } cases[] = {
        {"the word tray slides out", [](fMain& main) { main.btnToolsOut[0]->onClick(); }, {true, false, false}},
        {"the find tray slides down", [](fMain& main) { main.btnBottomDown[0]->onClick(); }, {false, false, true}},
        {"a box is written", [](fMain& main) { main.cmdNext_Click(); }, {true, true, false}},
        {"the first picture is shown (and a moment passes)",
         [](fMain& main) {
             main.grab();
             EXPECT_TRUE(QTest::qWaitFor([] { return platform::loadedInstance<fBottomTray>().built(); }, 5000));
         },
         {true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstReach);
        testsupport::destroyWindows();
        fMain& main = start();
        EXPECT_EQ(built(), std::vector<bool>(3, false));
        c.reach(main);
        EXPECT_EQ(built(), c.builtThen);

        const QWidget& box = *instance<fLeftTray>().Text1;
        QRegion expected;
        for (const auto& r : platform::createRoundRectRgn(0, 0, box.width(), box.height(), 15, 15).rects) {
            expected += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        EXPECT_EQ(box.mask(), expected); // the find tray's 15 x 15 corners replaced the word tray's 5 x 5
        const QListView& list = *instance<fLeftTray>().List1;
        EXPECT_FALSE(list.mask().contains(QPoint(1, 1)));
        EXPECT_TRUE(list.mask().contains(QPoint(10, list.height() / 2)));
        QAbstractItemModel* words = list.model();
        ASSERT_NE(words, nullptr);
        while (words->canFetchMore({})) {
            words->fetchMore({});
        }
        EXPECT_EQ(words->rowCount(), 5);

        EXPECT_EQ(instance<fLeftTray>().surface().pixel(0, 5), 0xFF191919u);     // RGB(25, 25, 25)
        EXPECT_EQ(instance<fRightTray>().surface().pixel(0, 5), 0xFFC8C8C8u);    // reversed: RGB(200, 200, 200)
        EXPECT_EQ(instance<fBottomTray>().surface().pixel(143, 5), 0xFFD7D7D7u); // mid1 = 2145 twips: RGB(215, ...)
    }
}

TEST_F(Program, BrowsingTableOverManyWords) {
    fMain& main = start();
    main.cmdNext_Click();
    EXPECT_EQ(word(), "word1");
    EXPECT_EQ(meaning(), "meaning of word1");
    for (int i = 2; i <= 4; ++i) {
        main.cmdNext_Click();
        EXPECT_EQ(word(), QStringLiteral("word%1").arg(i));
    }
    main.cmdNext_Click(); // past the last word
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, "End of file reached.");
    EXPECT_EQ(m_seams.boxes[0].title, "  Error!");
    EXPECT_EQ(m_seams.boxes[0].style, platform::vbOKOnly);
    EXPECT_EQ(word(), "word4"); // unchanged
    main.cmdNext_Click();
    EXPECT_EQ(word(), "word1"); // the second word: the re-run stood on the first
    main.CmdPrev_Click();
    EXPECT_EQ(word(), "word0");
    main.CmdPrev_Click();
    ASSERT_EQ(m_seams.boxes.size(), 2u);
    EXPECT_EQ(m_seams.boxes[1].prompt, "Front End of file.");
    EXPECT_EQ(m_seams.boxes[1].title, "  Error!");
    EXPECT_EQ(word(), "word0");
}

TEST_F(OneWord, BrowsingNeverShowsTheOnlyWord) {
    fMain& main = start();
    main.cmdNext_Click();
    main.CmdPrev_Click();
    EXPECT_EQ(prompts(), QStringList({"End of file reached.", "Front End of file."}));
    EXPECT_EQ(word(), "Word");
    EXPECT_EQ(meaning(), "Meaning\r\n");
}

TEST_F(TwoWords, PreviousRightAfterStartUpAndTheWrap) {
    fMain& main = start();
    main.CmdPrev_Click();
    EXPECT_EQ(prompts(), QStringList({"Front End of file."}));
    EXPECT_EQ(word(), "Word");
    main.cmdNext_Click();
    EXPECT_EQ(word(), "second");
    main.cmdNext_Click();
    EXPECT_EQ(word(), "second");
    main.CmdPrev_Click(); // from the first word again, after the re-run
    EXPECT_EQ(prompts().size(), 3);
}

TEST_F(Program, RerunAtTheEndParksAnOutTrayWithoutHidingIt) {
    fMain& main = start();
    main.btnRightOut[0]->onClick();
    ASSERT_EQ(main.RightTrayOut, trays::True);
    for (int i = 0; i < 5; ++i) {
        main.cmdNext_Click();
    }
    EXPECT_EQ(main.RightTrayOut, trays::False);
    EXPECT_TRUE(instance<fRightTray>().isVisible());
    EXPECT_EQ(instance<fRightTray>().Left(), main.Left());
    main.btnRightIn[0]->onClick(); // does nothing until it is slid out again
    EXPECT_TRUE(instance<fRightTray>().isVisible());
}

TEST_F(Words, FindsIgnoringLetterCaseAndShowsAfterTheBox) {
    start();
    QString shownDuringBox;
    m_seams.onBox = [&](const platform::MessageBoxCall&) { shownDuringBox = word(); };
    find("ÉMILE");
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].prompt, "DATA FOUND");
    EXPECT_EQ(m_seams.boxes[0].style, platform::vbInformation);
    EXPECT_EQ(m_seams.boxes[0].title, "Lexorant");
    EXPECT_EQ(shownDuringBox, "Word"); // the trays change only after the box
    EXPECT_EQ(word(), "Émile");
    EXPECT_EQ(meaning(), "a name");
    EXPECT_EQ(instance<fBottomTray>().Text3->text(), "ÉMILE"); // left as typed

    find("o'clock");
    EXPECT_EQ(word(), "o'clock");
    find("abate");
    EXPECT_EQ(instance<fRightTray>().Text2->toPlainText(), "to lessen\nto end"); // shown as lines
}

TEST_F(Words, MissesShowTheFirstWord) {
    fMain& main = start();
    main.cmdNext_Click();
    main.cmdNext_Click();
    for (const QString& typed : {QStringLiteral("absent"), QString(), QStringLiteral(" abate"),
                                 QStringLiteral("o'clock'"), QStringLiteral("x' OR '1'='1")}) {
        m_seams.boxes.clear();
        find(typed);
        ASSERT_EQ(m_seams.boxes.size(), 1u) << typed.toStdString();
        EXPECT_EQ(m_seams.boxes[0].prompt, "Data Not Found  Please Check your Dictiorary");
        EXPECT_EQ(m_seams.boxes[0].style, platform::vbExclamation);
        EXPECT_EQ(word(), "abate");
        EXPECT_EQ(meaning(), "to lessen\r\nto end");
    }
    main.cmdNext_Click(); // the main window goes on from its own word, not the found one
    EXPECT_EQ(word(), "zeal");
    main.cmdNext_Click(); // a word with no value shows as empty text
    EXPECT_EQ(word(), "");
    EXPECT_EQ(meaning(), "");
}

TEST_F(Words, WordListShowsEveryWordAndAClickCopiesIt) {
    start();
    auto& tray = instance<fLeftTray>();
    QAbstractItemModel* model = tray.List1->model();
    ASSERT_NE(model, nullptr);
    while (model->canFetchMore({})) {
        model->fetchMore({});
    }
    ASSERT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->index(0, 0).data().toString(), "abate");
    EXPECT_EQ(model->index(3, 0).data().toString(), "zeal");
    tray.List1->setCurrentIndex(model->index(3, 0));
    tray.List1_Click();
    EXPECT_EQ(word(), "zeal");
    EXPECT_EQ(meaning(), "Meaning\r\n"); // the meaning box is not touched
}

TEST_F(Program, RepaintShowsOutTraysFindFirstWordLast) {
    fMain& main = start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.btnToolsOut[0]->onClick();
    main.btnBottomDown[0]->onClick();
    std::vector<QWidget*> shown;
    struct ShowSpy : QObject {
        std::vector<QWidget*>* shown;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show) {
                shown->push_back(static_cast<QWidget*>(o));
            }
            return false;
        }
    } spy;
    spy.shown = &shown;
    for (QWidget* tray : std::initializer_list<QWidget*>{&instance<fLeftTray>(), &instance<fBottomTray>()}) {
        tray->hide();
        tray->installEventFilter(&spy);
    }
    main.repaint();
    EXPECT_EQ(shown, (std::vector<QWidget*>{&instance<fBottomTray>(), &instance<fLeftTray>()}));
    EXPECT_FALSE(instance<fRightTray>().isVisible()); // not out: not shown
}

TEST_F(Program, NextAtTheLastWordDuringASlide) {
    fMain& main = start();
    for (int i = 0; i < 4; ++i) {
        main.cmdNext_Click();
    }
    onYield = [&] { main.cmdNext_Click(); }; // the load routine re-runs inside the slide
    main.btnToolsOut[0]->onClick();
    EXPECT_EQ(prompts(), QStringList({"End of file reached."}));
    EXPECT_EQ(main.LeftTrayOut, trays::True);
    EXPECT_EQ(main.rstInfo->Fields(0).Text(), "word0");
}

TEST_F(Program, CloseAreaDuringASlideEndsAtOnce) {
    fMain& main = start();
    int stepsAfterEnd = 0;
    onYield = [&] {
        onYield = [&] { ++stepsAfterEnd; };
        main.btnClose->onClick();
    };
    try {
        main.btnRightOut[0]->onClick();
        FAIL() << "the slide went on";
    } catch (const testsupport::ProgramEnded& ended) {
        EXPECT_EQ(ended.status, 0);
    }
    EXPECT_EQ(stepsAfterEnd, 0);
    EXPECT_TRUE(platform::program::forms().empty());
}

TEST_F(Program, AboutBoxDuringASlideHoldsTheSlideUntilClosed) {
    fMain& main = start();
    bool closed = false;
    onYield = [&] {
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(main.BottomTrayOut, trays::False); // the slide waits while the box is up
            QApplication::activeModalWidget()->close();
            closed = true;
        });
        main.cmdAbout_Click();
    };
    main.btnBottomDown[0]->onClick();
    EXPECT_TRUE(closed);
    EXPECT_EQ(main.BottomTrayOut, trays::True);
    EXPECT_EQ(instance<fBottomTray>().Top(), main.Top() + main.Height() - 90); // 7060-style rest: 15 beyond
}
