#include "fMain.h"

#include "about/Contact.h"
#include "about/frmAbout.h"
#include "gradient/clsGradient.h"
#include "modSlider.h"
#include "platform/Conversions.h"
#include "platform/Program.h"
#include "platform/Shell.h"
#include "platform/SystemColors.h"
#include "skin/Pictures.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace core {

fMain::fMain()
    : Form(skin::mainDesign().width, skin::mainDesign().height),
      m_controls(skin::buildControls(*this, *this, skin::mainDesign())) {
    setWindowIcon(skin::applicationIcon());
    cmdAbout = m_controls.get<QPushButton>("cmdAbout");
    CmdPrev = m_controls.get<QPushButton>("CmdPrev");
    cmdNext = m_controls.get<QPushButton>("cmdNext");
    Label1 = m_controls.get<platform::LabelControl>("Label1");
    Label2 = m_controls.get<platform::LabelControl>("Label2");
    Label3 = m_controls.get<platform::LabelControl>("Label3");
    Label4 = m_controls.get<platform::LabelControl>("Label4");
    Label5 = m_controls.get<platform::LabelControl>("Label5");
    Label7 = m_controls.get<platform::LabelControl>("Label7");
    Label8 = m_controls.get<platform::LabelControl>("Label8");
    btnToolsOut = arrowArray("btnToolsOut");
    btnToolsIn = arrowArray("btnToolsIn");
    btnRightOut = arrowArray("btnRightOut");
    btnRightIn = arrowArray("btnRightIn");
    btnBottomDown = arrowArray("btnBottomDown");
    btnBottomUp = arrowArray("btnBottomUp");
    Image2 = m_controls.get<platform::ImageControl>("Image2");
    btnClose = m_controls.get<platform::ImageControl>("btnClose");

    CmdPrev->setIcon(skin::previousIcon());
    cmdNext->setIcon(skin::nextIcon());
    CmdPrev->setIconSize(QSize(32, 32));
    cmdNext->setIconSize(QSize(32, 32));
    Label7->setCaption(QUrl(QString::fromUtf8(about::WebAddress)).host());
    Label7->setCursor(Qt::PointingHandCursor);
    wireHandlers();

    // Start position: centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

ArrowArray fMain::arrowArray(const char* name) const {
    return {m_controls.get<platform::ImageControl>(name, 0), m_controls.get<platform::ImageControl>(name, 1),
            m_controls.get<platform::ImageControl>(name, 2)};
}

void fMain::wireHandlers() {
    using platform::program::guarded;
    btnClose->onClick = [this] { guarded([this] { btnClose_Click(); }); };
    connect(cmdAbout, &QPushButton::clicked, this, [this] { guarded([this] { cmdAbout_Click(); }); });
    Label7->onClick = [this] { guarded([this] { Label7_Click(); }); };
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

void fMain::cmdAbout_Click() {
    about::frmAbout::ShowAboutForm(windowTitle(), windowIcon(), this);
}

void fMain::Label7_Click() {
    platform::ShellExecute(QStringLiteral("open"), QString::fromUtf8(about::WebAddress), platform::SW_SHOWMAXIMIZED);
}

void fMain::closeEvent(QCloseEvent* event) {
    // A window manager's close of the main window ends the program like the close area does.
    event->ignore();
    platform::program::guarded([] { modSlider::UnloadAllForms(); });
}

} // namespace core
