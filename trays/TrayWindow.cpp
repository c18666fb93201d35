#include "trays/TrayWindow.h"

#include "platform/widgets/X11Window.h"

#include <QWidget>

namespace trays {

void prepareTrayWindow(QWidget& tray) {
    tray.setAttribute(Qt::WA_ShowWithoutActivating);
    platform::keepOffTaskbar(tray);
}

} // namespace trays
