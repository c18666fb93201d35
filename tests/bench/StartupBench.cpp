// One measurement per process, from the program's launch and from main() to the first paint of the window, with
// the peak memory then:
//   startup_bench lexorant PROGRAM_DIR   the program's start-up over the word database in PROGRAM_DIR
//   startup_bench bare                   a bare shaped frameless window of the main window's size
//   startup_bench text                   the bare window with one line of text in the designs' dialog font: what
//                                        any text costs a window that has none
//   startup_bench design                 a plain window with the main window's controls and nothing else: no
//                                        outline, shading, trays or word store
//   startup_bench slide PROGRAM_DIR      the program started, then how long the word tray takes to slide out
//   startup_bench offers PROGRAM_DIR     the program started, Ctrl+F and a letter at once: the wait for the offers
//   startup_bench browse PROGRAM_DIR     the program started, then its first step to the next word
//   startup_bench find PROGRAM_DIR       the program started, then its first find of "run" (the box answered)
//   startup_bench say PROGRAM_DIR        the program started, then Ctrl+P's speech said into a file: the wait for
//                                        its first sound
//   startup_bench boxes PROGRAM_DIR      the program started, then 1,500 finds of "run", each with its real message
//                                        box (answered at once): prints the resident kilobytes after 500 and 1,500
// Prints "<ms from launch> <ms from main> <peak kilobytes>" (the timed actions print their own time twice). The process
// runs itself again as a child, so that the time from launch takes in loading the libraries; scripts/bench runs the
// modes in turn and compares them.
#include "core/fMain.h"
#include "core/module/WordView.h"
#include "platform/headless/MessageBox.h"
#include "platform/speech/Speech.h"
#include "platform/widgets/Application.h"
#include "platform/widgets/FontWarmUp.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "skin/Design.h"
#include "skin/FormBuilder.h"
#include "trays/WordActions.h"
#include "trays/fBottomTray.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* LaunchedAt = "STARTUP_BENCH_LAUNCHED_AT_NS";

QElapsedTimer g_clock;
long long g_launchedAt = 0; // CLOCK_MONOTONIC, nanoseconds

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

[[noreturn]] void report(double fromLaunch, double fromMain) {
    std::printf("%.2f %.2f %ld\n", fromLaunch, fromMain, peakKilobytes());
    std::fflush(stdout);
    ::_exit(0);
}

[[noreturn]] void reportFirstPaint() {
    const double fromLaunch = static_cast<double>(monotonicNanoseconds() - g_launchedAt) / 1e6;
    report(fromLaunch, static_cast<double>(g_clock.nsecsElapsed()) / 1e6);
}

// Runs this program again with the same arguments and the launch time in its environment; the child reports.
int launchChild(char** argv) {
    const std::string launched = std::to_string(monotonicNanoseconds());
    const pid_t child = fork();
    if (child == 0) {
        setenv(LaunchedAt, launched.c_str(), 1);
        execv("/proc/self/exe", argv);
        std::perror("startup_bench: exec");
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0) {
        std::perror("startup_bench");
        return 1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// Reports at the first paint of the watched window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QWidget* window) : m_window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == m_window) {
            // Let the paint happen, then report.
            QTimer::singleShot(0, [] { reportFirstPaint(); });
        }
        return false;
    }

private:
    const QWidget* m_window;
};

class BareWindow : public QWidget {
public:
    BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        setFixedSize(313, 210);
        setMask(QRegion(0, 0, 313, 210, QRegion::Ellipse));
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::gray); }
};

// Shows the window; the program reports and ends at its first paint.
int showUntilFirstPaint(QWidget& window) {
    FirstPaint spy(&window);
    QCoreApplication::instance()->installEventFilter(&spy);
    window.show();
    return platform::Application::exec();
}

// The reference windows: a bare shaped one, the same with one line of text, and one with the main window's controls.
int runReference(const char* kind) {
    if (std::strcmp(kind, "design") == 0) {
        platform::Form window(skin::mainDesign().width, skin::mainDesign().height);
        const skin::Controls controls = skin::buildControls(window, window, skin::mainDesign());
        return showUntilFirstPaint(window);
    }
    BareWindow window;
    if (std::strcmp(kind, "text") == 0) {
        auto* label = new QLabel(QStringLiteral("Lexorant"), &window);
        label->setFont(skin::fontOf({skin::Face::SansSerif, 9.75f}));
        label->move(40, 40);
    }
    return showUntilFirstPaint(window);
}

// The fastest a user can ask for offers: Ctrl+F as soon as the window is up, a letter the moment the find box is
// there. Times the wait from that letter to the offers on screen (they are built while the tray slides down).
void timeFirstOffers(core::fMain& main) {
    main.FindKey();
    auto& find = platform::instance<trays::fBottomTray>();
    auto* clock = new QElapsedTimer;
    clock->start();
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_R, Qt::NoModifier, QStringLiteral("r"));
    QApplication::sendEvent(find.Text3, &letter);
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&find, clock] {
        if (find.OffersShown->isVisible() || clock->elapsed() > 5000) {
            const double waited = static_cast<double>(clock->nsecsElapsed()) / 1e6;
            report(waited, waited);
        }
    });
    poll->start(1);
}

// Ctrl+P's speech, said into a WAV file by espeak-ng as it would be to the sound device: the wait for the first
// sound (the file past its header).
void timeFirstSound() {
    const QString wav =
        QDir::temp().filePath(QStringLiteral("startup_bench-%1.wav").arg(QCoreApplication::applicationPid()));
    platform::speech::setOutputFile(wav);
    auto* clock = new QElapsedTimer;
    clock->start();
    trays::SayShownWord();
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [wav, clock] {
        constexpr qint64 WavHeader = 44;
        if (QFileInfo(wav).size() > WavHeader || clock->elapsed() > 5000) {
            const double waited = static_cast<double>(clock->nsecsElapsed()) / 1e6;
            QFile::remove(wav);
            report(waited, waited);
        }
    });
    poll->start(1);
}

// A figure of /proc/self/status in kilobytes.
long statusKb(const char* key) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = 0;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, key, std::strlen(key)) == 0) {
            kb = std::atol(line + std::strlen(key));
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kb;
}

// Finds of "run", each with its real message box, answered as soon as it is up: whether memory levels off.
[[noreturn]] void countBoxes() {
    auto& find = platform::instance<trays::fBottomTray>();
    long afterFew = 0;
    for (int i = 1; i <= 1500; ++i) {
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        find.Text3->setText(QStringLiteral("run"));
        find.Command1_Click();
        if (i == 500) {
            afterFew = statusKb("VmRSS:");
        }
    }
    std::printf("%ld %ld\n", afterFew, statusKb("VmRSS:"));
    std::fflush(stdout);
    ::_exit(0);
}

// Times one action of a user's, done once the program is up.
[[noreturn]] void timeAction(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    const double took = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    report(took, took);
}

// The whole start-up sequence, as the program's own main runs it; the window first paints once the loop runs. With
// "slide", the word tray's slide-out is timed instead; with "offers", the first offers; with "browse" and "find",
// the first step and the first find.
enum class Timed { FirstPaint, Slide, FirstOffers, FirstBrowse, FirstFind, Boxes, FirstSound };
int runLexorant(QApplication& app, const char* programDir, Timed timed, double afterApplication) {
    platform::program::setExecutableDirectory(QString::fromLocal8Bit(programDir));
    core::fMain* main = nullptr;
    core::PrepareWordViews();
    platform::program::guarded([&] { main = &platform::instance<core::fMain>(); });
    if (std::getenv("STARTUP_PHASES") != nullptr) {
        std::fprintf(stderr, "application %.2f ms, start-up sequence done %.2f ms\n", afterApplication,
                     static_cast<double>(g_clock.nsecsElapsed()) / 1e6);
    }
    FirstPaint spy(main);
    if (timed == Timed::FirstPaint) {
        app.installEventFilter(&spy);
    } else if (timed == Timed::FirstOffers) {
        QTimer::singleShot(200, [main] { timeFirstOffers(*main); });
    } else if (timed == Timed::Boxes) {
        QTimer::singleShot(200, [] { countBoxes(); });
    } else if (timed == Timed::FirstSound) {
        QTimer::singleShot(200, [] { timeFirstSound(); });
    } else {
        QTimer::singleShot(200, [main, timed] {
            switch (timed) {
            case Timed::Slide:
                timeAction([main] { main->btnToolsOut[0]->onClick(); });
            case Timed::FirstBrowse:
                timeAction([main] { main->cmdNext_Click(); });
            default:
                platform::setMessageBoxHandler([](const platform::MessageBoxCall&) { return platform::vbOK; });
                timeAction([] {
                    auto& find = platform::instance<trays::fBottomTray>();
                    find.Text3->setText(QStringLiteral("run"));
                    find.Command1_Click();
                });
            }
        });
    }
    return platform::Application::exec();
}

} // namespace

int main(int argc, char** argv) {
    g_clock.start();
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: startup_bench lexorant|slide|offers|browse|find|boxes|say PROGRAM_DIR | bare | text | design\n");
        return 2;
    }
    const char* launched = std::getenv(LaunchedAt);
    if (launched == nullptr) {
        return launchChild(argv);
    }
    g_launchedAt = std::atoll(launched);
    const bool reference =
        std::strcmp(argv[1], "bare") == 0 || std::strcmp(argv[1], "text") == 0 || std::strcmp(argv[1], "design") == 0;
    platform::preferXcbOnWayland();
    // Fonts are warmed wherever text is shown, as the program does.
    std::optional<platform::FontWarmUp> fonts;
    if (std::strcmp(argv[1], "bare") != 0) {
        fonts.emplace();
    }
    platform::Application app(argc, argv);
    if (fonts) {
        fonts->join();
    }
    const double afterApplication = static_cast<double>(g_clock.nsecsElapsed()) / 1e6;
    if (reference) {
        return runReference(argv[1]);
    }
    const Timed timed = std::strcmp(argv[1], "slide") == 0    ? Timed::Slide
                        : std::strcmp(argv[1], "offers") == 0 ? Timed::FirstOffers
                        : std::strcmp(argv[1], "browse") == 0 ? Timed::FirstBrowse
                        : std::strcmp(argv[1], "find") == 0   ? Timed::FirstFind
                        : std::strcmp(argv[1], "boxes") == 0  ? Timed::Boxes
                        : std::strcmp(argv[1], "say") == 0    ? Timed::FirstSound
                                                              : Timed::FirstPaint;
    return runLexorant(app, argv[2], timed, afterApplication);
}
