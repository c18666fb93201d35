#include "platform/widgets/LabelControl.h"

#include "platform/widgets/Program.h"

#include <QMouseEvent>

namespace platform {

LabelControl::LabelControl(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
}

void LabelControl::setAutoSize(bool on) {
    m_autoSize = on;
    if (on) {
        adjustSize();
    }
}

void LabelControl::setCaption(const QString& text) {
    setText(text);
    if (m_autoSize) {
        adjustSize();
    }
}

void LabelControl::setForeColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor LabelControl::foreColour() const {
    return palette().color(QPalette::WindowText);
}

void LabelControl::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button();
    if (onMouseDown) {
        program::guarded([this, button = event->button()] { onMouseDown(button); });
    }
}

void LabelControl::mouseReleaseEvent(QMouseEvent* event) {
    // The release always reaches the label that was pressed; the click only counts over the label.
    const bool click = event->button() == m_pressed && rect().contains(event->position().toPoint());
    m_pressed = Qt::NoButton;
    if (onMouseUp) {
        program::guarded([this, button = event->button()] { onMouseUp(button); });
    }
    if (click && event->button() == Qt::LeftButton && onClick) {
        const std::function<void()> handler = onClick; // the handler may unload the window that holds it
        program::guarded(handler);
    }
}

void LabelControl::mouseMoveEvent(QMouseEvent* /*event*/) {
    if (onMouseMove) {
        program::guarded(onMouseMove);
    }
}

} // namespace platform
