// One measurement per process, from main() to the first paint of the window, with the peak memory then:
//   startup_bench lexorant PROGRAM_DIR   the program's start-up over the word database in PROGRAM_DIR
//   startup_bench bare                   a bare shaped frameless window of the main window's size
//   startup_bench slide PROGRAM_DIR      the program started, then how long the word tray takes to slide out
// Prints "<milliseconds> <peak kilobytes>". scripts/bench runs the modes in turn and compares them.
#include "fMain.h"
#include "platform/Application.h"
#include "platform/FontWarmUp.h"
#include "platform/Program.h"
#include "platform/SingleInstance.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QElapsedTimer g_clock;

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

[[noreturn]] void report(double milliseconds) {
    std::printf("%.2f %ld\n", milliseconds, peakKilobytes());
    std::fflush(stdout);
    ::_exit(0);
}

// Reports at the first paint of the watched window.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QWidget* window) : m_window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == m_window) {
            // Let the paint happen, then report.
            QTimer::singleShot(0, [] { report(static_cast<double>(g_clock.nsecsElapsed()) / 1e6); });
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

} // namespace

int main(int argc, char** argv) {
    g_clock.start();
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench lexorant|slide PROGRAM_DIR | bare\n");
        return 2;
    }
    const bool bare = std::strcmp(argv[1], "bare") == 0;
    const bool slide = std::strcmp(argv[1], "slide") == 0;
    platform::preferXcbOnWayland();
    std::optional<platform::FontWarmUp> fonts;
    if (!bare) {
        fonts.emplace();
    }
    platform::Application app(argc, argv);
    if (fonts) {
        fonts->join();
    }
    const double afterApplication = static_cast<double>(g_clock.nsecsElapsed()) / 1e6;
    if (bare) {
        BareWindow window;
        FirstPaint spy(&window);
        app.installEventFilter(&spy);
        window.show();
        return platform::Application::exec();
    }
    platform::program::setExecutableDirectory(QString::fromLocal8Bit(argv[2]));
    // The whole start-up sequence, as the program's own main runs it; the window first paints once the loop runs.
    core::fMain* main = nullptr;
    platform::program::guarded([&] { main = &platform::instance<core::fMain>(); });
    if (std::getenv("STARTUP_PHASES") != nullptr) {
        std::fprintf(stderr, "application %.2f ms, start-up sequence done %.2f ms\n", afterApplication,
                     static_cast<double>(g_clock.nsecsElapsed()) / 1e6);
    }
    FirstPaint spy(main);
    if (!slide) {
        app.installEventFilter(&spy);
    } else {
        QTimer::singleShot(200, [main] {
            QElapsedTimer slideClock;
            slideClock.start();
            main->btnToolsOut_Click(0);
            report(static_cast<double>(slideClock.nsecsElapsed()) / 1e6);
        });
    }
    return platform::Application::exec();
}
