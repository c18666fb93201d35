#include "platform/widgets/ImageControl.h"

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
    pressed(*event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    released(*this, *event);
}

void ImageControl::mouseMoveEvent(QMouseEvent* /*event*/) {
    moved();
}

} // namespace platform
