#include "fMain.h"

#include "gradient/clsGradient.h"
#include "modSlider.h"
#include "platform/Conversions.h"
#include "platform/Program.h"
#include "platform/SystemColors.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace core {

namespace {
constexpr int WidthTwips = 4695;
constexpr int HeightTwips = 3150;
} // namespace

fMain::fMain() : Form(WidthTwips, HeightTwips), btnClose(new platform::ImageControl(this)) {
    setWindowTitle(QStringLiteral("Lexorant"));
    btnClose->setGeometry(platform::twipsToPixelInt(4320), platform::twipsToPixelInt(120),
                          platform::twipsToPixelInt(300), platform::twipsToPixelInt(300));
    btnClose->setAccessibleName(QStringLiteral("Close Lexorant"));
    btnClose->onClick = [this] { platform::program::guarded([this] { btnClose_Click(); }); };

    // Start position: centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void fMain::Form_Load() {
    const QString reported = platform::program::executableDirectory();
    // 1. The application directory, ending in a separator.
    modSlider::AppDir = modSlider::appDirFrom(reported);
    // 2. The outline, before the window is shown.
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("main.pts")), true);
    // 3. No tray is out.
    LeftTrayOut = 0;
    RightTrayOut = 0;
    BottomTrayOut = 0;
    // 4. Show, in front.
    Show();
    ZOrder();
    // 5. Slides of the word and meaning trays start from the main window's left edge.
    LeftTrayStop = platform::toInt16(Left());
    RightTrayStop = LeftTrayStop;
    // 6. and 7.
    ParkTrays();
    ShadeSurface();
    // 8. The main window's own view, on the first word.
    db = DBEngine::instance().OpenDatabase(modSlider::databasePathFrom(reported).toStdString());
    rstInfo = db->OpenRecordset("Select * From Table3", dbOpenDynaset);
    rstInfo->MoveFirst();
}

// Parks the three trays behind the main window, loading each on its first touch. The trays are built with the
// tray windows; until then there is nothing to park.
void fMain::ParkTrays() {}

// Paints the metal shading into the persistent image, where it stays for every later repaint.
void fMain::ShadeSurface() {
    using platform::RGB;
    const float width = Width();
    std::int16_t mid1 = platform::toInt16(platform::intDivide(width, 2));
    std::int16_t mid2 =
        platform::toInt16(static_cast<double>(platform::intDivide(width, 3)) + platform::intDivide(width, 2));
    std::int16_t mid3 = platform::toInt16(width);
    gradient::clsGradient painter;
    painter.MetalCylander(RGB(25, 25, 25), RGB(215, 215, 215), RGB(50, 50, 50), RGB(200, 200, 200), mid1, mid2, mid3,
                          &surface());
}

void fMain::btnClose_Click() {
    modSlider::UnloadAllForms();
}

void fMain::closeEvent(QCloseEvent* event) {
    // A window manager's close of the main window ends the program like the close area does.
    event->ignore();
    platform::program::guarded([] { modSlider::UnloadAllForms(); });
}

} // namespace core
