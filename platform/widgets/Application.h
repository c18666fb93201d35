#pragma once

#include <QApplication>
#include <cstdint>
#include <optional>

namespace platform {

// The desktop's colour for a system-colour index, from the application palette where a role matches.
std::optional<std::int32_t> paletteSysColor(int index);

// Before the application object exists: on a Wayland session run through XWayland, since the trays are top-level
// windows that the program places itself, unless the user has chosen a platform.
void preferXcbOnWayland();

// The application object. An error that leaves an event handler is reported and ends the program.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace platform
