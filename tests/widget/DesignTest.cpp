#include "skin/Design.h"
#include "core/fMain.h"
#include "platform/headless/Conversions.h"
#include "platform/widgets/SingleInstance.h"
#include "skin/FormBuilder.h"
#include "skin/Pictures.h"
#include "tests/widget/WidgetTestSupport.h"
#include "tests/widget/Windows.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>
#include <vector>

using core::fMain;

namespace {
QImage shown(const QWidget& w) {
    return const_cast<QWidget&>(w).grab().toImage();
}
} // namespace

TEST(Designs, WindowSizesAreTheDesignedOnes) {
    fMain main;
    trays::fLeftTray word;
    trays::fRightTray meaning;
    trays::fBottomTray find;
    EXPECT_EQ(main.size(), QSize(313, 210));
    EXPECT_EQ(word.size(), QSize(237, 189));
    EXPECT_EQ(meaning.size(), QSize(263, 203));
    EXPECT_EQ(find.size(), QSize(286, 135));
    EXPECT_EQ(main.windowTitle(), "Lexorant");
    EXPECT_EQ(word.windowTitle(), "Form1");
    EXPECT_FALSE(main.windowIcon().isNull());
}

// What a user reaches: every control that takes the pointer lies within its window's outline (a control outside it
// could never be clicked), and shows the design's first texts.
TEST(Designs, EveryControlAUserReachesLiesWithinTheOutline) {
    testsupport::ProgramSeams seams;
    testsupport::ProgramDirectory program;
    for (const char* outline : {"main.pts", "lh.pts", "rh.pts", "bot.pts"}) { // the outlines the program ships
        std::filesystem::copy_file(std::filesystem::path(LEXORANT_DATA_DIR) / outline, program.path() / outline,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    auto& main = platform::instance<fMain>();
    auto& word = platform::instance<trays::fLeftTray>();
    auto& meaning = platform::instance<trays::fRightTray>();
    auto& find = platform::instance<trays::fBottomTray>();
    const auto reachable = [](const QWidget& window, const QWidget& control) {
        const QRegion outline = window.mask().isEmpty() ? QRegion(window.rect()) : window.mask();
        return outline.contains(control.geometry().center());
    };
    const std::vector<std::pair<const QWidget*, const QWidget*>> controls{
        {&main, main.btnClose},       {&main, main.Image2},
        {&main, main.cmdNext},        {&main, main.CmdPrev},
        {&main, main.cmdAbout},       {&main, main.btnToolsOut[0]},
        {&main, main.btnToolsIn[0]},  {&main, main.btnRightOut[0]},
        {&main, main.btnRightIn[0]},  {&main, main.btnBottomDown[0]},
        {&main, main.btnBottomUp[0]}, {&main, main.Label7},
        {&word, word.Text1},          {&word, word.List1},
        {&meaning, meaning.Text2},    {&find, find.Text3},
        {&find, find.Command1},
    };
    for (const auto& [window, control] : controls) {
        EXPECT_TRUE(reachable(*window, *control)) << control->objectName().toStdString();
    }
    EXPECT_EQ(main.graphics().size(), 13u); // six lines and seven shapes
    EXPECT_EQ(word.Text1->toPlainText(), "Word");
    EXPECT_EQ(meaning.Text2->toPlainText(), "Meaning\n");
    EXPECT_EQ(find.Command1->text(), "&FindFast");
    EXPECT_TRUE(find.Text3->text().isEmpty());
    testsupport::destroyWindows();
}

TEST(Designs, FrontToBackOrderWhereControlsOverlap) {
    fMain main;
    main.show();
    // The close area lies over the "X", the drag strip over the title.
    EXPECT_EQ(main.childAt(main.Label2->geometry().center()), main.btnClose);
    EXPECT_EQ(main.childAt(main.Label1->geometry().center()), main.Image2);
    trays::fLeftTray word;
    word.buildOnDemand();
    const QRect overlap = word.List1->geometry().intersected(word.Text1->geometry());
    ASSERT_FALSE(overlap.isEmpty());
    QWidget* top = word.childAt(overlap.center());
    EXPECT_TRUE(top == word.List1 || word.List1->isAncestorOf(top)) << "the list lies over the word box";

    // "WORDS" is drawn over its gray band: white text pixels show inside the band.
    const QImage image = shown(main);
    int white = 0;
    const QRect words = main.Label3->geometry();
    for (int y = words.top(); y <= words.bottom(); ++y) {
        for (int x = words.left(); x <= words.right(); ++x) {
            white += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 20);
    EXPECT_EQ(image.pixel(10, 100), qRgb(128, 128, 128)); // the left bar
}

TEST(Designs, ArrowsShowTheirNormalPicturesAndHideTheirHolders) {
    fMain main;
    for (const core::ArrowArray* arrow : {&main.btnToolsOut, &main.btnToolsIn, &main.btnRightOut, &main.btnRightIn,
                                          &main.btnBottomDown, &main.btnBottomUp}) {
        EXPECT_FALSE((*arrow)[0]->isHidden());
        EXPECT_TRUE((*arrow)[1]->isHidden());
        EXPECT_TRUE((*arrow)[2]->isHidden());
        EXPECT_EQ((*arrow)[0]->picture().toImage(), (*arrow)[1]->picture().toImage());
        EXPECT_NE((*arrow)[1]->picture().toImage(), (*arrow)[2]->picture().toImage());
    }
    const QImage left = main.btnToolsOut[0]->picture().toImage();
    EXPECT_EQ(left.size(), QSize(11, 20));
    EXPECT_EQ(main.btnBottomUp[0]->picture().size(), QSize(20, 11));
    EXPECT_EQ(left.pixel(1, 10), qRgb(0, 132, 0)); // the arrow
    EXPECT_EQ(qAlpha(left.pixel(0, 0)), 0);        // the background shows through
    EXPECT_EQ(main.btnToolsOut[2]->picture().toImage().pixel(1, 10), qRgb(132, 255, 0));
}

TEST(Designs, PicturePaletteKeepsArrowColourFirstAndMagentaTransparent) {
    const QImage image = skin::arrowImage(skin::ArrowDirection::Up, false);
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.colorCount(), 256);
    EXPECT_EQ(image.color(0), qRgb(0, 132, 0));
    EXPECT_EQ(image.color(1) & 0xFFFFFFu, 0xFF00FFu);
    EXPECT_EQ(qAlpha(image.color(1)), 0);
}

TEST(Designs, HintsNamesAndFocus) {
    fMain main;
    EXPECT_EQ(main.CmdPrev->toolTip(), "Previous");
    EXPECT_EQ(main.cmdNext->toolTip(), "Next");
    EXPECT_FALSE(main.CmdPrev->icon().isNull());
    for (QWidget* acted : std::initializer_list<QWidget*>{
             main.cmdAbout, main.CmdPrev, main.cmdNext, main.btnClose, main.Image2, main.Label7, main.btnToolsOut[0],
             main.btnToolsIn[0], main.btnRightOut[0], main.btnRightIn[0], main.btnBottomDown[0], main.btnBottomUp[0]}) {
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(acted)->text(QAccessible::Name).isEmpty())
            << acted->objectName().toStdString();
    }
    // Labels keep the focus away; the designed tab order runs Next, Previous, About.
    EXPECT_EQ(main.Label3->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(main.cmdNext->nextInFocusChain(), main.CmdPrev);

    trays::fBottomTray find;
    find.buildOnDemand();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(find.Text3);
    ASSERT_NE(box, nullptr);
    find.Text3->setText("lucid");
    EXPECT_EQ(box->text(QAccessible::Value), "lucid"); // assistive tools read what is typed
    EXPECT_EQ(box->text(QAccessible::Name), "Word to find");
}

// Every control that acts on a click can be pressed by assistive tools, does then what a click does, and is named by
// the text it shows, with its purpose as the description.
TEST(Designs, AssistiveToolsPressWhatTheMouseClicksNamedByWhatItShows) {
    fMain main;
    struct Pressable {
        QWidget* widget;
        std::function<void()>* onClick;
        QString name;
        QAccessible::Role role;
    };
    std::vector<Pressable> pressables{{main.btnClose, &main.btnClose->onClick, "X", QAccessible::Button},
                                      {main.Label7, &main.Label7->onClick, main.Label7->text(), QAccessible::Link}};
    for (const auto* arrow : {&main.btnToolsOut, &main.btnToolsIn, &main.btnRightOut, &main.btnRightIn,
                              &main.btnBottomDown, &main.btnBottomUp}) {
        pressables.push_back({(*arrow)[0], &(*arrow)[0]->onClick, (*arrow)[0]->accessibleName(), QAccessible::Button});
    }
    for (const Pressable& p : pressables) {
        const std::string what = p.widget->objectName().toStdString();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(p.widget);
        ASSERT_NE(face, nullptr) << what;
        EXPECT_FALSE(p.name.isEmpty()) << what;
        EXPECT_EQ(face->text(QAccessible::Name), p.name) << what;
        EXPECT_EQ(face->role(), p.role) << what;
        ASSERT_NE(face->actionInterface(), nullptr) << what;
        ASSERT_TRUE(face->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())) << what;
        int clicks = 0;
        const std::function<void()> real = std::exchange(*p.onClick, [&clicks] { ++clicks; });
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        *p.onClick = real;
        EXPECT_EQ(clicks, 1) << what;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main.btnClose)->text(QAccessible::Description), "Close Lexorant");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main.Image2)->role(), QAccessible::Graphic); // nothing to press
    EXPECT_EQ(QAccessible::queryAccessibleInterface(main.Label3)->role(), QAccessible::StaticText);

    // Push buttons are named by their captions too.
    QAccessibleInterface* about = QAccessible::queryAccessibleInterface(main.cmdAbout);
    EXPECT_EQ(about->text(QAccessible::Name), "A");
    EXPECT_EQ(about->text(QAccessible::Description), "About Lexorant");
    trays::fBottomTray find;
    find.buildOnDemand();
    QAccessibleInterface* findFast = QAccessible::queryAccessibleInterface(find.Command1);
    EXPECT_EQ(findFast->text(QAccessible::Name), "FindFast");
    EXPECT_EQ(findFast->text(QAccessible::Description), "Find the word");
    EXPECT_EQ(findFast->role(), QAccessible::Button);
}

// A window that names a control its design does not have, or asks for the wrong type, is not made at all: the
// error names the control.
TEST(Designs, AMisspeltOrMistypedControlNameStopsTheWindowWithItsName) {
    QWidget window;
    struct Host : platform::GraphicsHost {
        void addGraphic(const platform::GraphicItem& /*item*/) override {}
    } graphics;
    const skin::Controls controls = skin::buildControls(window, graphics, skin::findTrayDesign());
    EXPECT_NE(controls.get<QLineEdit>("Text3"), nullptr);
    for (const auto& ask : std::vector<std::function<void()>>{[&] { controls.get<QLineEdit>("Text33"); },
                                                              [&] { controls.get<QPushButton>("Text3"); }}) {
        try {
            ask();
            ADD_FAILURE() << "no error";
        } catch (const std::logic_error& error) {
            EXPECT_NE(std::string(error.what()).find("Text3"), std::string::npos) << error.what();
        }
    }
}

TEST(Designs, FindFastHasAltFAsItsAccessKey) {
    trays::fBottomTray find;
    find.buildOnDemand();
    EXPECT_EQ(QKeySequence::mnemonic(find.Command1->text()), QKeySequence(Qt::ALT | Qt::Key_F));
}

TEST(Designs, TextsFitTheirBoxesInTheSubstituteFonts) {
    fMain main;
    for (platform::LabelControl* label : {main.Label1, main.Label3, main.Label4}) {
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
    trays::fBottomTray find;
    find.buildOnDemand();
    EXPECT_LE(find.Command1->fontMetrics().horizontalAdvance("FindFast"), find.Command1->width());
    EXPECT_EQ(main.Label3->font().family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(main.Label3->font()).family(), "Liberation Sans");
}
