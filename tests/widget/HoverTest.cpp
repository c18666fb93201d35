#include "core/fMain.h"
#include "platform/headless/Conversions.h"
#include "platform/widgets/SingleInstance.h"
#include "tests/widget/WidgetTestSupport.h"
#include "tests/widget/Windows.h"
#include "trays/SlidePace.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using core::ArrowArray;
using core::fMain;
using platform::instance;

namespace {

class Hover : public ::testing::Test {
protected:
    Hover() {
        trays::setSlideStepInterval(std::chrono::milliseconds(0));
        m_oldYield = platform::program::setYieldHandler([this] {
            if (onYield) {
                auto action = std::move(onYield);
                action();
            }
        });
        main = &instance<fMain>();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main));
    }
    ~Hover() override {
        testsupport::destroyWindows();
        platform::program::setYieldHandler(m_oldYield);
        trays::setSlideStepInterval(trays::DefaultSlideStepInterval);
    }
    static bool lit(const ArrowArray& arrow) { return arrow[0]->picture().toImage() == arrow[2]->picture().toImage(); }
    static bool normal(const ArrowArray& arrow) {
        return arrow[0]->picture().toImage() == arrow[1]->picture().toImage();
    }
    bool allNormal() const {
        return normal(main->btnToolsOut) && normal(main->btnToolsIn) && normal(main->btnRightOut) &&
               normal(main->btnRightIn) && normal(main->btnBottomDown) && normal(main->btnBottomUp);
    }
    void pointerOver(QWidget* control) { QTest::mouseMove(main, control->geometry().center()); }

    testsupport::ProgramSeams m_seams;
    testsupport::ProgramDirectory m_program;
    fMain* main = nullptr;
    std::function<void()> onYield;

private:
    platform::program::YieldHandler m_oldYield;
};

} // namespace

TEST_F(Hover, ArrowLightsUpAndTheSurfaceResetsIt) {
    EXPECT_TRUE(allNormal());
    pointerOver(main->btnToolsOut[0]);
    EXPECT_TRUE(lit(main->btnToolsOut));
    EXPECT_TRUE(normal(main->btnToolsIn));
    QTest::mouseMove(main, QPoint(150, 190)); // the window's own surface
    EXPECT_TRUE(allNormal());
}

TEST_F(Hover, HighlightPassesStraightToThePartner) {
    main->btnRightOut[0]->onMouseMove();
    main->btnRightIn[0]->onMouseMove();
    EXPECT_TRUE(lit(main->btnRightIn));
    EXPECT_TRUE(normal(main->btnRightOut));
    main->btnBottomDown[0]->onMouseMove();
    EXPECT_TRUE(lit(main->btnBottomDown));
    EXPECT_TRUE(lit(main->btnRightIn)); // the other pairs are not touched
}

TEST_F(Hover, ControlsWithoutAHandlerLeaveTheHighlight) {
    // (Label1 and Label2 lie wholly under the drag strip and the close area.)
    for (QWidget* quiet : std::initializer_list<QWidget*>{main->cmdNext, main->CmdPrev, main->cmdAbout, main->Label8}) {
        main->btnToolsIn[0]->onMouseMove();
        pointerOver(quiet);
        EXPECT_TRUE(lit(main->btnToolsIn)) << quiet->objectName().toStdString();
    }
}

TEST_F(Hover, ForwardingControlsAndTheDragStripReset) {
    for (QWidget* forwarding : std::initializer_list<QWidget*>{main->btnClose, main->Label3, main->Label4, main->Label5,
                                                               main->Label7, main->Image2}) {
        main->btnBottomUp[0]->onMouseMove();
        pointerOver(forwarding);
        EXPECT_TRUE(allNormal()) << forwarding->objectName().toStdString();
    }
}

TEST_F(Hover, OutTraysFollowTheMainWindowOnTheDragStrip) {
    main->btnToolsOut[0]->onClick();
    main->btnRightOut[0]->onClick();
    main->btnBottomDown[0]->onClick();
    main->move(main->pos() + QPoint(-40, 30));
    EXPECT_NE(instance<trays::fRightTray>().Left(), main->Left() + main->Width() - 180); // not until the strip
    main->Image2_MouseMove();
    // Written in twips without rounding; the windows then stand on the nearest pixel.
    auto onPixel = [](double twips) { return static_cast<float>(platform::twipsToPixelInt(twips) * 15); };
    EXPECT_EQ(instance<trays::fLeftTray>().Left(), onPixel(static_cast<double>(main->Left()) - main->LeftTrayStop));
    // Its right edge 100 twips inside the main window's left edge, to the pixel.
    EXPECT_NEAR(instance<trays::fLeftTray>().Left() + instance<trays::fLeftTray>().Width(), main->Left() + 100, 15);
    EXPECT_EQ(instance<trays::fRightTray>().Left(), main->Left() + main->Width() - 180);
    EXPECT_EQ(instance<trays::fRightTray>().Top(), main->Top() + 105);
    EXPECT_EQ(instance<trays::fBottomTray>().Left(), main->Left() + 150);
    EXPECT_EQ(instance<trays::fBottomTray>().Top(), main->Top() + main->Height() - 105);
}

TEST_F(Hover, FollowDuringASlideInPutsTheTrayBackOut) {
    main->btnBottomDown[0]->onClick();
    const float out = instance<trays::fBottomTray>().Top();
    float during = 0;
    onYield = [&] {
        main->Image2_MouseMove();
        during = instance<trays::fBottomTray>().Top();
    };
    main->btnBottomUp[0]->onClick();
    EXPECT_EQ(during, main->Top() + main->Height() - 105); // back on its out place (rounded to the pixel)
    EXPECT_LE(during, out);
    EXPECT_EQ(main->BottomTrayOut, trays::False);
    EXPECT_FALSE(instance<trays::fBottomTray>().isVisible());
}

TEST_F(Hover, DragMovesWithThePointerAndNothingElseRunsMeanwhile) {
    main->btnRightOut[0]->onClick();
    const QPoint start = main->pos();
    const float trayBefore = instance<trays::fRightTray>().Left();
    int handlersDuringDrag = 0;
    main->Image2->onMouseMove = [&] { ++handlersDuringDrag; };
    QTimer::singleShot(0, [&] {
        const QPoint from = main->Image2->pressedAt();
        for (const QPoint by : {QPoint(10, 5), QPoint(40, 25)}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(from + by), Qt::NoButton, Qt::RightButton,
                             Qt::NoModifier);
            QApplication::sendEvent(main->Image2, &move);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(from + QPoint(40, 25)), Qt::RightButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(main->Image2, &release);
    });
    main->Image2_MouseDown(Qt::RightButton); // any button drags; returns when it is released
    EXPECT_EQ(main->pos(), start + QPoint(40, 25));
    EXPECT_EQ(handlersDuringDrag, 0);
    EXPECT_EQ(instance<trays::fRightTray>().Left(), trayBefore); // trays wait for the next movement over the strip
}
