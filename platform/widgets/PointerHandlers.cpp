#include "platform/widgets/PointerHandlers.h"

#include "platform/widgets/Program.h"

#include <QMouseEvent>
#include <QWidget>

namespace platform {

void PointerHandlers::pressed(const QMouseEvent& event) {
    m_pressed = event.button();
    m_pressedAt = event.globalPosition().toPoint();
    if (onMouseDown) {
        program::guarded([this, button = event.button()] { onMouseDown(button); });
    }
}

void PointerHandlers::released(const QWidget& control, const QMouseEvent& event) {
    // The release always reaches the control that was pressed; the click only counts over it.
    const bool click = event.button() == Qt::LeftButton && m_pressed == Qt::LeftButton &&
                       control.rect().contains(event.position().toPoint());
    m_pressed = Qt::NoButton;
    if (onMouseUp) {
        program::guarded([this, button = event.button()] { onMouseUp(button); });
    }
    if (click && onClick) {
        const std::function<void()> handler = onClick; // the handler may unload the window that holds it
        program::guarded(handler);
    }
}

void PointerHandlers::moved() const {
    if (onMouseMove) {
        program::guarded(onMouseMove);
    }
}

} // namespace platform
