#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace platform {

// A picture control: shows its picture, if any, with transparency, and reports pointer events to its handlers.
// Without a picture it is an invisible area that still takes the pointer.
class ImageControl : public QWidget {
public:
    explicit ImageControl(QWidget* parent);

    void setPicture(const QPixmap& picture);
    // Where the pointer was, on the screen, when a button was last pressed here.
    QPoint pressedAt() const { return m_pressedAt; }
    const QPixmap& picture() const { return m_picture; }

    std::function<void()> onClick;
    std::function<void(Qt::MouseButton)> onMouseDown;
    std::function<void()> onMouseMove;
    std::function<void(Qt::MouseButton)> onMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    bool m_pressed = false;
    QPoint m_pressedAt;
};

} // namespace platform
