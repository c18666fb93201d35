#pragma once

#include "platform/widgets/PointerHandlers.h"

#include <QPixmap>
#include <QWidget>

namespace platform {

// A picture control: shows its picture, if any, with transparency, and reports pointer events to its handlers.
// Without a picture it is an invisible area that still takes the pointer.
class ImageControl : public QWidget, public PointerHandlers {
public:
    explicit ImageControl(QWidget* parent);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace platform
