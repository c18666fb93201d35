#include "platform/widgets/Application.h"

#include "platform/headless/SystemColors.h"
#include "platform/widgets/Accessibility.h"
#include "platform/widgets/MessageDialog.h"
#include "platform/widgets/Program.h"

#include <QPalette>
#include <cstdlib>
#include <new>

namespace platform {

std::optional<std::int32_t> paletteSysColor(int index) {
    QPalette::ColorRole role{};
    switch (index) {
    case 4:  // menu
    case 15: // button face
    case 22: // 3D light
        role = index == 22 ? QPalette::Midlight : QPalette::Button;
        break;
    case 5: // window background
        role = QPalette::Base;
        break;
    case 7: // menu text
    case 8: // window text
        role = QPalette::Text;
        break;
    case 13:
        role = QPalette::Highlight;
        break;
    case 14:
        role = QPalette::HighlightedText;
        break;
    case 16: // button shadow
        role = QPalette::Mid;
        break;
    case 17: // gray text
        role = QPalette::PlaceholderText;
        break;
    case 18:
        role = QPalette::ButtonText;
        break;
    case 20: // button highlight
        role = QPalette::Light;
        break;
    case 21: // 3D dark shadow
        role = QPalette::Shadow;
        break;
    case 23:
        role = QPalette::ToolTipText;
        break;
    case 24:
        role = QPalette::ToolTipBase;
        break;
    default:
        return std::nullopt;
    }
    const QColor c = QApplication::palette().color(QPalette::Active, role);
    return RGB(c.red(), c.green(), c.blue());
}

// Called first thing in main, while the program has one thread: the environment is read and written in peace.
void preferXcbOnWayland() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY"); // NOLINT(concurrency-mt-unsafe): one thread yet
    const char* chosen = std::getenv("QT_QPA_PLATFORM");  // NOLINT(concurrency-mt-unsafe): one thread yet
    if (wayland != nullptr && *wayland != '\0' && (chosen == nullptr || *chosen == '\0')) {
        setenv("QT_QPA_PLATFORM", "xcb", 1); // NOLINT(concurrency-mt-unsafe): one thread yet
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Lexorant"));
    setDesktopFileName(QStringLiteral("example.lexorant.Lexorant"));
    setQuitOnLastWindowClosed(false);
    setSysColorProvider(paletteSysColor);
    setMessageBoxHandler(showMessageDialog);
    installControlAccessibility();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    program::reportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace platform
