#include "core/fMain.h"

#include "about/Contact.h"
#include "about/frmAbout.h"
#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/Shell.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "skin/Pictures.h"
#include "skin/WindowDrag.h"
#include "trays/SlidePace.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace core {

fMain::fMain()
    : Form(skin::mainDesign().width, skin::mainDesign().height),
      m_controls(skin::buildControls(*this, *this, skin::mainDesign())),
      m_slider(
          *this, [this]() -> platform::TopLevelWindow& { return *this; },
          []() -> platform::TopLevelWindow& { return platform::instance<trays::fLeftTray>(); },
          []() -> platform::TopLevelWindow& { return platform::instance<trays::fRightTray>(); },
          []() -> platform::TopLevelWindow& { return platform::instance<trays::fBottomTray>(); },
          trays::yieldSlideStep) {
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
    connect(cmdNext, &QPushButton::clicked, this, [this] { guarded([this] { cmdNext_Click(); }); });
    connect(CmdPrev, &QPushButton::clicked, this, [this] { guarded([this] { CmdPrev_Click(); }); });
    btnToolsOut[0]->onClick = [this] { guarded([this] { btnToolsOut_Click(0); }); };
    btnToolsIn[0]->onClick = [this] { guarded([this] { btnToolsIn_Click(0); }); };
    btnRightOut[0]->onClick = [this] { guarded([this] { btnRightOut_Click(0); }); };
    btnRightIn[0]->onClick = [this] { guarded([this] { btnRightIn_Click(0); }); };
    btnBottomDown[0]->onClick = [this] { guarded([this] { btnBottomDown_Click(0); }); };
    btnBottomUp[0]->onClick = [this] { guarded([this] { btnBottomUp_Click(0); }); };

    btnToolsOut[0]->onMouseMove = [this] { guarded([this] { btnToolsOut_MouseMove(0); }); };
    btnToolsIn[0]->onMouseMove = [this] { guarded([this] { btnToolsIn_MouseMove(0); }); };
    btnRightOut[0]->onMouseMove = [this] { guarded([this] { btnRightOut_MouseMove(0); }); };
    btnRightIn[0]->onMouseMove = [this] { guarded([this] { btnRightIn_MouseMove(0); }); };
    btnBottomDown[0]->onMouseMove = [this] { guarded([this] { btnBottomDown_MouseMove(0); }); };
    btnBottomUp[0]->onMouseMove = [this] { guarded([this] { btnBottomUp_MouseMove(0); }); };
    Image2->onMouseMove = [this] { guarded([this] { Image2_MouseMove(); }); };
    Image2->onMouseDown = [this](Qt::MouseButton button) { guarded([this, button] { Image2_MouseDown(button); }); };
    // These pass pointer movement on to the window's own handler.
    const auto reset = [this] { guarded([this] { Form_MouseMove(); }); };
    btnClose->onMouseMove = reset;
    for (platform::LabelControl* label : {Label3, Label4, Label5, Label7}) {
        label->onMouseMove = reset;
    }
    // The others take the pointer and do nothing with it.
    for (QWidget* quiet : std::initializer_list<QWidget*>{cmdAbout, CmdPrev, cmdNext, Label1, Label2, Label8}) {
        quiet->setAttribute(Qt::WA_NoMousePropagation);
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
    LeftTrayStop = trays::nearest(Left());
    RightTrayStop = LeftTrayStop;
    // 6. and 7.
    ParkTrays();
    ShadeSurface();
    // 8. The main window's own view, on the first word.
    db = DBEngine::instance().OpenDatabase(modSlider::databasePathFrom(reported).toStdString());
    rstInfo = db->OpenRecordset("Select * From Table3", dbOpenDynaset);
    rstInfo->MoveFirst();
}

// Parks the three trays behind the main window. The first touch of each tray loads it, so the word, meaning and
// find trays' load routines run here, in that order.
void fMain::ParkTrays() {
    using platform::instance;
    using platform::single;
    const float left = Left();
    instance<trays::fLeftTray>().SetLeft(left);
    instance<trays::fLeftTray>().SetTop(single(static_cast<double>(Top()) + 100));
    const float rightLeft = Left();
    instance<trays::fRightTray>().SetLeft(rightLeft);
    instance<trays::fRightTray>().SetTop(single(static_cast<double>(Top()) + 100));
    const float findLeft = single(static_cast<double>(Left()) + 150);
    instance<trays::fBottomTray>().SetLeft(findLeft);
    instance<trays::fBottomTray>().SetTop(Top());
}

// Paints the metal shading into the persistent image, where it stays for every later repaint.
void fMain::ShadeSurface() {
    using platform::RGB;
    gradient::shadeMetal(surface(), {RGB(25, 25, 25), RGB(215, 215, 215), RGB(50, 50, 50), RGB(200, 200, 200)},
                         gradient::edgesByHalvesAndThirds(Width()));
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

void fMain::cmdNext_Click() {
    Step(&Recordset::MoveNext, &Recordset::Eof, QStringLiteral("End of file reached."));
}

void fMain::CmdPrev_Click() {
    Step(&Recordset::MovePrevious, &Recordset::Bof, QStringLiteral("Front End of file."));
}

// One step of browsing: past either end, the message and then the whole load routine again (the boxes keep what
// they show); otherwise the new word and meaning into the trays' boxes.
void fMain::Step(void (Recordset::*move)(), bool (Recordset::*pastTheEnd)() const, const QString& message) {
    ((*rstInfo).*move)();
    if (((*rstInfo).*pastTheEnd)()) {
        platform::MsgBox(message, platform::vbOKOnly, QStringLiteral("  Error!"));
        Form_Load();
    } else {
        ShowRecord();
    }
}

void fMain::ShowRecord() {
    platform::SetText(*platform::instance<trays::fLeftTray>().Text1, QString::fromStdString(rstInfo->Fields(0).Text()));
    platform::SetText(*platform::instance<trays::fRightTray>().Text2,
                      QString::fromStdString(rstInfo->Fields(1).Text()));
}

void fMain::btnToolsOut_Click(int /*index*/) {
    m_slider.SlideLeftTrayOut();
}
void fMain::btnToolsIn_Click(int /*index*/) {
    m_slider.btnToolsIn_Click();
}
void fMain::btnRightOut_Click(int /*index*/) {
    m_slider.SlideRightTrayOut();
}
void fMain::btnRightIn_Click(int /*index*/) {
    m_slider.btnRightIn_Click();
}
void fMain::btnBottomDown_Click(int /*index*/) {
    m_slider.SlideBottomTrayDown();
}
void fMain::btnBottomUp_Click(int /*index*/) {
    m_slider.SlideBottomTrayUp();
}

void fMain::Highlight(const ArrowArray& outOrDown, const ArrowArray& inOrUp, const ArrowArray& underPointer) {
    for (const ArrowArray* arrow : {&outOrDown, &inOrUp}) {
        (*arrow)[0]->setPicture((*arrow)[arrow == &underPointer ? 2 : 1]->picture());
    }
}

void fMain::btnToolsOut_MouseMove(int /*index*/) {
    Highlight(btnToolsOut, btnToolsIn, btnToolsOut);
}
void fMain::btnToolsIn_MouseMove(int /*index*/) {
    Highlight(btnToolsOut, btnToolsIn, btnToolsIn);
}
void fMain::btnRightOut_MouseMove(int /*index*/) {
    Highlight(btnRightOut, btnRightIn, btnRightOut);
}
void fMain::btnRightIn_MouseMove(int /*index*/) {
    Highlight(btnRightOut, btnRightIn, btnRightIn);
}
void fMain::btnBottomDown_MouseMove(int /*index*/) {
    Highlight(btnBottomDown, btnBottomUp, btnBottomDown);
}
void fMain::btnBottomUp_MouseMove(int /*index*/) {
    Highlight(btnBottomDown, btnBottomUp, btnBottomUp);
}

void fMain::Form_MouseMove() {
    for (const ArrowArray* arrow :
         {&btnToolsOut, &btnToolsIn, &btnRightOut, &btnRightIn, &btnBottomDown, &btnBottomUp}) {
        (*arrow)[0]->setPicture((*arrow)[1]->picture());
    }
}

void fMain::Image2_MouseMove() {
    m_slider.FollowMainWindow();
    Form_MouseMove();
}

void fMain::Image2_MouseDown(Qt::MouseButton /*button*/) {
    skin::WindowDrag::run(*this, Image2->pressedAt());
}

// Every repaint shows again the trays that are out (a tray sliding out is not out yet, one sliding in still is);
// the shading lives in the persistent image and is not painted again.
void fMain::Form_Paint() {
    using platform::instance;
    if (BottomTrayOut != trays::False) {
        instance<trays::fBottomTray>().Show();
    }
    if (RightTrayOut != trays::False) {
        instance<trays::fRightTray>().Show();
    }
    if (LeftTrayOut != trays::False) {
        instance<trays::fLeftTray>().Show();
    }
}

void fMain::closeEvent(QCloseEvent* event) {
    // A window manager's close of the main window ends the program like the close area does.
    event->ignore();
    platform::program::guarded([] { modSlider::UnloadAllForms(); });
}

} // namespace core
