#include "trays/SlidePace.h"

#include "platform/widgets/Program.h"

#include <QEventLoop>
#include <QTimer>

namespace trays {

namespace {
std::chrono::milliseconds g_interval = DefaultSlideStepInterval;
}

void setSlideStepInterval(std::chrono::milliseconds interval) {
    g_interval = interval;
}
void yieldSlideStep() {
    platform::program::DoEvents();
    if (g_interval.count() > 0) {
        // Wait in a loop of our own, so the program stays responsive and nothing spins.
        QEventLoop wait;
        QTimer::singleShot(g_interval, &wait, &QEventLoop::quit);
        wait.exec();
    }
}

} // namespace trays
