#include "platform/widgets/Form.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/LabelControl.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "tests/widget/WidgetTestSupport.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(Form, PositionsAreTwipsOnWholePixels) {
    Form form(4695, 3150);
    EXPECT_EQ(form.Width(), 4695.0f);
    EXPECT_EQ(form.Height(), 3150.0f);
    EXPECT_EQ(form.width(), 313);
    form.SetLeft(6000);
    form.SetTop(4005);
    EXPECT_EQ(form.Left(), 6000.0f);
    EXPECT_EQ(form.Top(), 4005.0f);
    form.SetLeft(6007.4f); // the window sits on whole pixels: what is read back is where it is
    EXPECT_EQ(form.Left(), 6000.0f);
    form.SetLeft(-30);
    EXPECT_EQ(form.Left(), -30.0f);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(Form, PersistentImageIsShownOnEveryRepaint) {
    Form form(150, 75); // 10 x 5 pixels
    form.SetBackColor(Qt::white);
    Surface& surface = form.surface();
    surface.SetAutoRedraw(true);
    surface.SetScaleMode(vbPixels);
    EXPECT_EQ(surface.ScaleHeight(), 5.0f);
    DeviceContext& dc = surface.hDC();
    const PenHandle pen = dc.createPen(0, 1, 0x0000FF); // red
    const PenHandle old = dc.selectObject(pen);
    dc.moveToEx(2, 0);
    dc.lineTo(2, 5);
    dc.deleteObject(dc.selectObject(old));
    surface.SetAutoRedraw(false);
    surface.SetScaleMode(vbTwips);
    EXPECT_EQ(surface.ScaleHeight(), 75.0f);

    for (int i = 0; i < 2; ++i) { // a repaint shows the same picture without drawing it again
        const QImage shown = form.grab().toImage();
        EXPECT_EQ(shown.pixel(2, 0), qRgb(255, 0, 0));
        EXPECT_EQ(shown.pixel(2, 4), qRgb(255, 0, 0));
        EXPECT_EQ(shown.pixel(3, 2), qRgb(255, 255, 255));
    }
}

TEST(Form, ScaleConversionsAndRegions) {
    Form form(300, 300);
    EXPECT_EQ(form.surface().ScaleX(3000, vbTwips, vbPixels), 200.0f);
    EXPECT_EQ(form.surface().ScaleX(7, vbPixels, vbTwips), 105.0f);
    EXPECT_EQ(form.surface().ScaleX(7, vbPixels, vbPixels), 7.0f);
    EXPECT_EQ(form.surface().kind(), SurfaceKind::Form);

    form.SetWindowRgn(Region{{{0, 0, 5, 5}}});
    EXPECT_EQ(form.mask(), QRegion(0, 0, 5, 5));
    form.SetWindowRgn(Region{}); // an empty region leaves nothing of the window
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    form.SetWindowRgn(std::nullopt); // no region: the full rectangle
    EXPECT_TRUE(form.mask().isEmpty());
}

namespace {
struct Second;
int g_firstLoads = 0;
int g_secondLoads = 0;
struct First : Form {
    First() : Form(150, 150) {}
    void Form_Load() override {
        ++g_firstLoads;
        instance<Second>(); // a load that touches another window, whose load touches this one again
    }
};
struct Second : Form {
    Second() : Form(150, 150) {}
    void Form_Load() override {
        ++g_secondLoads;
        instance<First>().SetLeft(300);
    }
};
} // namespace

TEST(SingleInstance, CreatedAndLoadedOnceOnFirstTouchEvenWhenLoadsNest) {
    EXPECT_FALSE(isLoaded<First>());
    auto& first = instance<First>();
    EXPECT_EQ(&first, &instance<First>());
    EXPECT_EQ(g_firstLoads, 1);
    EXPECT_EQ(g_secondLoads, 1);
    EXPECT_EQ(first.Left(), 300.0f);
    EXPECT_EQ(program::forms().size(), 2u);
    destroyInstance<Second>();
    destroyInstance<First>();
    EXPECT_TRUE(program::forms().empty());
}

TEST(MessageBoxes, GoThroughOneSeamWithTheProgramTitleByDefault) {
    testsupport::ProgramSeams seams;
    EXPECT_EQ(MsgBox("hello"), vbOK);
    MsgBox("found", vbInformation, "  Error!");
    ASSERT_EQ(seams.boxes.size(), 2u);
    EXPECT_EQ(seams.boxes[0].title, "Lexorant");
    EXPECT_EQ(seams.boxes[0].style, vbOKOnly);
    EXPECT_EQ(seams.boxes[1].title, "  Error!");
    EXPECT_EQ(seams.boxes[1].style, vbInformation);
}

// An error that leaves an event handler is reported and ends the program.
TEST(UnhandledErrors, AreReportedThenEndTheProgramWithFailure) {
    testsupport::ProgramSeams seams;
    try {
        program::guarded([] { throw RuntimeError(3024, "Could not find file '/x/db2.mdb'."); });
        FAIL() << "the program went on";
    } catch (const testsupport::ProgramEnded& ended) {
        EXPECT_NE(ended.status, 0);
    }
    ASSERT_EQ(seams.boxes.size(), 1u);
    EXPECT_EQ(seams.boxes[0].prompt, "Run-time error '3024':\n\nCould not find file '/x/db2.mdb'.");
    EXPECT_EQ(seams.boxes[0].title, "Lexorant");
}

// Handlers run under that error handling whoever wrote them: the controls run their own, and the signal helper
// those it connects.
TEST(UnhandledErrors, EveryControlsHandlerRunsGuarded) {
    QWidget window;
    LabelControl label(&window);
    ImageControl image(&window);
    QPushButton button(&window);
    label.resize(20, 20);
    image.resize(20, 20);
    std::vector<bool> guarded;
    const auto note = [&guarded] { guarded.push_back(program::insideGuard()); };
    label.onClick = note;
    image.onMouseDown = [&note](Qt::MouseButton) { note(); };
    program::onSignal(&button, &QPushButton::clicked, &window, note);
    QTest::mouseClick(&label, Qt::LeftButton);
    QTest::mousePress(&image, Qt::LeftButton);
    button.click();
    EXPECT_EQ(guarded, std::vector<bool>(3, true));
    EXPECT_FALSE(program::insideGuard());
}

TEST(Wayland, RunsThroughXWaylandUnlessTheUserChoseAPlatform) {
    const QByteArray savedPlatform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray savedWayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    qputenv("WAYLAND_DISPLAY", "wayland-0");
    preferXcbOnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "xcb");
    qputenv("QT_QPA_PLATFORM", "wayland");
    preferXcbOnWayland();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "wayland");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    preferXcbOnWayland();
    EXPECT_TRUE(qgetenv("QT_QPA_PLATFORM").isEmpty());
    qputenv("QT_QPA_PLATFORM", savedPlatform);
    qputenv("WAYLAND_DISPLAY", savedWayland);
    if (savedWayland.isEmpty()) {
        qunsetenv("WAYLAND_DISPLAY");
    }
}
