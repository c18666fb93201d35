#include "core/HistoryButtons.h"

#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "trays/fBottomTray.h"

#include <QMouseEvent>

namespace core {

bool HistoryButtons::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button != Qt::BackButton && button != Qt::ForwardButton) {
        return false;
    }
    platform::program::guarded([button] {
        auto& find = platform::instance<trays::fBottomTray>();
        button == Qt::BackButton ? find.HistoryBack() : find.HistoryForward();
    });
    return true;
}

} // namespace core
