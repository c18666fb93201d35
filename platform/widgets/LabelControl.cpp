#include "platform/widgets/LabelControl.h"

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
    pressed(*event);
}

void LabelControl::mouseReleaseEvent(QMouseEvent* event) {
    released(*this, *event);
}

void LabelControl::mouseMoveEvent(QMouseEvent* /*event*/) {
    moved();
}

} // namespace platform
