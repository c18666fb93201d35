#pragma once

#include <Qt>

class QWidget;

namespace trays {

// The trays are ordinary top-level windows that the program places itself. They have no owner: a window manager
// keeps an owned (transient) window above its owner, and a tray must slide out from under the main window.
inline constexpr Qt::WindowFlags TrayWindowFlags = Qt::Window;

// What every tray needs of the desktop before it is first shown: no taskbar entry, no place in window switchers, no
// focus taken when shown.
void prepareTrayWindow(QWidget& tray);

} // namespace trays
