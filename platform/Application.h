#pragma once

#include <QApplication>

namespace platform {

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
