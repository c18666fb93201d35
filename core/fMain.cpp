#include "core/fMain.h"

#include "about/Contact.h"
#include "about/frmAbout.h"
#include "core/module/WordView.h"
#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/KeyBuffer.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/Shell.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "platform/widgets/X11Window.h"
#include "skin/Pictures.h"
#include "skin/WindowDrag.h"
#include "trays/SlidePace.h"
#include "trays/TrayBoxes.h"
#include "trays/WordActions.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <array>
#include <utility>

namespace core {

namespace {

// The six arrow buttons, each a control array: the slide its click starts, and its partner, which goes back to
// normal when this one lights up under the pointer.
struct ArrowButton {
    const char* name;
    ArrowArray fMain::*arrow;
    ArrowArray fMain::*partner;
    void (trays::Slider::*click)();
};
constexpr std::array<ArrowButton, 6> ArrowButtons{{
    {"btnToolsOut", &fMain::btnToolsOut, &fMain::btnToolsIn, &trays::Slider::SlideLeftTrayOut},
    {"btnToolsIn", &fMain::btnToolsIn, &fMain::btnToolsOut, &trays::Slider::btnToolsIn_Click},
    {"btnRightOut", &fMain::btnRightOut, &fMain::btnRightIn, &trays::Slider::SlideRightTrayOut},
    {"btnRightIn", &fMain::btnRightIn, &fMain::btnRightOut, &trays::Slider::btnRightIn_Click},
    {"btnBottomDown", &fMain::btnBottomDown, &fMain::btnBottomUp, &trays::Slider::SlideBottomTrayDown},
    {"btnBottomUp", &fMain::btnBottomUp, &fMain::btnBottomDown, &trays::Slider::SlideBottomTrayUp},
}};

} // namespace

fMain::fMain()
    : Form(skin::mainDesign().width, skin::mainDesign().height),
      m_controls(skin::buildControls(*this, *this, skin::mainDesign())),
      m_slider(
          *this, [this]() -> platform::TopLevelWindow& { return *this; },
          []() -> platform::TopLevelWindow& { return platform::loadedInstance<trays::fLeftTray>(); },
          []() -> platform::TopLevelWindow& { return platform::loadedInstance<trays::fRightTray>(); },
          []() -> platform::TopLevelWindow& { return platform::loadedInstance<trays::fBottomTray>(); },
          trays::yieldSlideStep) {
    setWindowIcon(skin::applicationIcon());
    using skin::bind;
    m_controls.bind(*this, bind("cmdAbout", &fMain::cmdAbout), bind("CmdPrev", &fMain::CmdPrev),
                    bind("cmdNext", &fMain::cmdNext), bind("Label1", &fMain::Label1), bind("Label2", &fMain::Label2),
                    bind("Label3", &fMain::Label3), bind("Label4", &fMain::Label4), bind("Label5", &fMain::Label5),
                    bind("Label7", &fMain::Label7), bind("Label8", &fMain::Label8), bind("Image2", &fMain::Image2),
                    bind("btnClose", &fMain::btnClose));
    bindArrows();

    CmdPrev->setIcon(skin::previousIcon());
    cmdNext->setIcon(skin::nextIcon());
    CmdPrev->setIconSize(QSize(32, 32));
    cmdNext->setIconSize(QSize(32, 32));
    Label7->setCaption(QUrl(QString::fromUtf8(about::WebAddress)).host());
    Label7->setCursor(Qt::PointingHandCursor);
    wireHandlers();
    wireKeys();
    m_review = std::make_unique<Review>(
        *this, Review::Screen{
                   [this](const QString& word) { return ShowWord(word); },
                   [](const QString& text) { platform::SetText(*platform::instance<trays::fRightTray>().Text2, text); },
                   [this] { ShowRecord(); }});

    // Start position: centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

// Binds the arrow arrays and their handlers: a click on member 0 slides its tray (the index is not used); the
// pointer over it lights it and puts its partner back to normal.
void fMain::bindArrows() {
    for (const ArrowButton& row : ArrowButtons) {
        ArrowArray& arrow = this->*row.arrow;
        for (int index = 0; index < 3; ++index) {
            arrow[static_cast<std::size_t>(index)] = m_controls.get<platform::ImageControl>(row.name, index);
        }
    }
    for (const ArrowButton& row : ArrowButtons) {
        ArrowArray& arrow = this->*row.arrow;
        arrow[0]->onClick = [this, click = row.click] { (m_slider.*click)(); };
        m_hover.bind(arrow, this->*row.partner);
    }
}

void fMain::wireHandlers() {
    using platform::program::onSignal;
    btnClose->onClick = [this] { btnClose_Click(); };
    onSignal(cmdAbout, &QPushButton::clicked, this, [this] { cmdAbout_Click(); });
    Label7->onClick = [this] { Label7_Click(); };
    onSignal(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    onSignal(CmdPrev, &QPushButton::clicked, this, [this] { CmdPrev_Click(); });
    Image2->onMouseMove = [this] { Image2_MouseMove(); };
    Image2->onMouseDown = [this](Qt::MouseButton button) { Image2_MouseDown(button); };
    // These pass pointer movement on to the window's own handler.
    const auto reset = [this] { Form_MouseMove(); };
    btnClose->onMouseMove = reset;
    for (platform::LabelControl* label : {Label3, Label4, Label5, Label7}) {
        label->onMouseMove = reset;
    }
    // The others take the pointer and do nothing with it.
    for (QWidget* quiet : std::initializer_list<QWidget*>{cmdAbout, CmdPrev, cmdNext, Label1, Label2, Label8}) {
        quiet->setAttribute(Qt::WA_NoMousePropagation);
    }
}

// The keyboard does what the pointer does: Right and Page Down step on as the next button does, Left and Page Up
// back as the previous button does, Ctrl+F goes to the find box; Ctrl+P says the word shown.
void fMain::wireKeys() {
    using platform::program::onSignal;
    const auto key = [this](const QKeySequence& sequence, const std::function<void()>& handler) {
        auto* shortcut = new QShortcut(sequence, this);
        onSignal(shortcut, &QShortcut::activated, this, handler);
    };
    for (const QKeySequence& next : {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)}) {
        key(next, [this] { cmdNext_Click(); });
    }
    for (const QKeySequence& previous : {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)}) {
        key(previous, [this] { CmdPrev_Click(); });
    }
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { FindKey(); });
    // Back and forward through the words found, over any of the program's windows, with the keys or the mouse's
    // own back and forward buttons.
    const auto everywhere = [this](const QKeySequence& sequence, void (trays::fBottomTray::*step)()) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::ApplicationShortcut);
        onSignal(shortcut, &QShortcut::activated, this, [step] { (platform::instance<trays::fBottomTray>().*step)(); });
    };
    everywhere(QKeySequence(Qt::ALT | Qt::Key_Left), &trays::fBottomTray::HistoryBack);
    everywhere(QKeySequence(Qt::ALT | Qt::Key_Right), &trays::fBottomTray::HistoryForward);
    qApp->installEventFilter(&m_historyButtons);
    auto* say = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    say->setContext(Qt::ApplicationShortcut);
    onSignal(say, &QShortcut::activated, this, [] { trays::SayShownWord(); });
    auto* keep = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    keep->setContext(Qt::ApplicationShortcut);
    onSignal(keep, &QShortcut::activated, this, [] { trays::KeepShownWord(); });
    trays::KeptWordsChanged = [this] { KeptWordsChanged(); };
    // The window's own context menu: what can be done with the word shown, what the arrows browse, the review.
    setContextMenuPolicy(Qt::CustomContextMenu);
    onSignal(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { ShowMenu(at); });
}

void fMain::FindKey() {
    // What is typed while the tray slides down goes into the box once it is there.
    platform::KeyBuffer typedAhead;
    if (BottomTrayOut == trays::False) {
        m_slider.SlideBottomTrayDown();
    }
    auto& find = platform::instance<trays::fBottomTray>();
    find.activateWindow();
    find.Text3->setFocus(Qt::ShortcutFocusReason);
    find.Text3->selectAll();
    typedAhead.deliverTo(*find.Text3);
}

void fMain::LookUpRequested(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return; // nothing asked
    }
    // A burst of requests brings the window forward once: a program that asks again and again cannot keep taking
    // the keyboard from the user.
    constexpr qint64 BurstMs = 250;
    const bool forward = !m_lastForward.isValid() || m_lastForward.elapsed() > BurstMs;
    m_lastForward.start();
    if (forward) {
        BringForward();
    }
    if (QApplication::activeModalWidget() == nullptr) {
        platform::instance<trays::fBottomTray>().LookUpWord(text);
    }
}

// The main window to the front with the keyboard, and the trays that are out with it, under it as ever.
void fMain::BringForward() {
    ForEachTrayOut([](trays::TrayForm& tray) { tray.raise(); });
    platform::bringToFront(*this);
}

// Each tray that is out (a tray sliding out is not out yet, one sliding in still is): the find tray, the meaning
// tray, the word tray.
void fMain::ForEachTrayOut(const std::function<void(trays::TrayForm&)>& act) {
    using platform::instance;
    if (BottomTrayOut != trays::False) {
        act(instance<trays::fBottomTray>());
    }
    if (RightTrayOut != trays::False) {
        act(instance<trays::fRightTray>());
    }
    if (LeftTrayOut != trays::False) {
        act(instance<trays::fLeftTray>());
    }
}

void fMain::Form_Load() {
    const QString reported = platform::program::executableDirectory();
    // The application directory, ending in a separator, before any window looks for its region file.
    modSlider::AppDir = modSlider::appDirFrom(reported);
    // The outline, before the window is shown.
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("main.pts")), true);
    LeftTrayOut = trays::False;
    RightTrayOut = trays::False;
    BottomTrayOut = trays::False;
    Show();
    ZOrder();
    // Slides of the word and meaning trays start from the main window's left edge.
    LeftTrayStop = trays::nearest(Left());
    RightTrayStop = LeftTrayStop;
    // Parking the trays loads them, each tray's load routine running here.
    m_slider.ParkTrays();
    platform::loadedInstance<trays::fBottomTray>().BringDown = [this] {
        if (BottomTrayOut == trays::False) {
            m_slider.SlideBottomTrayDown();
        }
    };
    ShadeSurface();
    // The main window's own view, on the first word, as every window opens its own.
    OpenWordView(db, rstInfo);
    m_buildTraysAfterPicture = true;
}

// Paints the metal shading into the persistent image, where it stays for every later repaint.
void fMain::ShadeSurface() {
    gradient::shadeMetal(surface(), gradient::Metal, gradient::edgesByHalvesAndThirds(Width()));
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
    Step(&store::Recordset::MoveNext, &store::Recordset::Eof, QStringLiteral("End of file reached."));
}

void fMain::CmdPrev_Click() {
    Step(&store::Recordset::MovePrevious, &store::Recordset::Bof, QStringLiteral("Front End of file."));
}

// One step of browsing: past either end, the message and then the whole load routine again (the boxes keep what
// they show); otherwise the new word and meaning into the trays' boxes.
void fMain::Step(void (store::Recordset::*moveTo)(), bool (store::Recordset::*pastTheEnd)() const,
                 const QString& message) {
    if (m_setKind != WordSetKind::All) {
        StepInSet(moveTo == &store::Recordset::MoveNext, message);
        return;
    }
    ((*rstInfo).*moveTo)();
    if (((*rstInfo).*pastTheEnd)()) {
        platform::MsgBox(message, platform::vbOKOnly, QStringLiteral("  Error!"));
        Form_Load();
    } else {
        ShowRecord();
    }
}

void fMain::ShowRecord() {
    trays::ShowRecordInTrays(*rstInfo);
}

void fMain::Form_MouseMove() {
    m_hover.reset();
}

void fMain::Image2_MouseMove() {
    m_slider.FollowMainWindow();
    Form_MouseMove();
}

void fMain::Image2_MouseDown(Qt::MouseButton /*button*/) {
    skin::WindowDrag::run(*this, Image2->pressedAt());
}

// Every repaint shows again the trays that are out; the shading lives in the persistent image and is not painted
// again.
void fMain::Form_Paint() {
    ForEachTrayOut([](trays::TrayForm& tray) { tray.Show(); });
}

void fMain::paintEvent(QPaintEvent* event) {
    Form::paintEvent(event);
    // The parked trays' controls are built once the first picture is up and the window has settled (taken the focus
    // and drawn it), so that neither the picture nor the first slide-out waits for them.
    if (std::exchange(m_buildTraysAfterPicture, false)) {
        QTimer::singleShot(TrayBuildDelay, this, [this] {
            platform::program::guarded(trays::BuildLoadedTrays);
            platform::program::guarded([this] { OpenKeptWords(); });
        });
    }
}

void fMain::closeEvent(QCloseEvent* event) {
    // A window manager's close of the main window ends the program like the close area does.
    event->ignore();
    platform::program::guarded([] { modSlider::UnloadAllForms(); });
}

} // namespace core
