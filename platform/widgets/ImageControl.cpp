#include "platform/widgets/ImageControl.h"

#include "platform/widgets/Program.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

void ImageControl::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void ImageControl::paintEvent(QPaintEvent* /*event*/) {
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->globalPosition().toPoint();
    if (onMouseDown) {
        program::guarded([this, button = event->button()] { onMouseDown(button); });
    }
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (onMouseUp) {
        program::guarded([this, button = event->button()] { onMouseUp(button); });
    }
    if (click && onClick) {
        const std::function<void()> handler = onClick; // the handler may unload the window that holds it
        program::guarded(handler);
    }
}

void ImageControl::mouseMoveEvent(QMouseEvent* /*event*/) {
    if (onMouseMove) {
        program::guarded(onMouseMove);
    }
}

} // namespace platform
