#pragma once

class QWidget;

namespace platform {

// Keeps a top-level window off the taskbar and out of window switchers, without tying it to any other window (a
// transient window would be kept above its owner by the window manager). Only on X11; elsewhere nothing happens.
void keepOffTaskbar(QWidget& window);

} // namespace platform
