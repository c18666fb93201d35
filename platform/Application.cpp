#include "Application.h"

#include "Program.h"

#include <cstdlib>
#include <new>

namespace platform {

void preferXcbOnWayland() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (wayland != nullptr && *wayland != '\0' && (chosen == nullptr || *chosen == '\0')) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Lexorant"));
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& error) {
        program::reportUnhandled(error);
    } catch (const std::bad_alloc&) {
        program::reportUnhandled(RuntimeError(err::OutOfMemory, "Out of memory"));
    }
}

} // namespace platform
