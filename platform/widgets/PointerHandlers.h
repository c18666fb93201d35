#pragma once

#include <QPoint>
#include <Qt>
#include <functional>

class QMouseEvent;
class QWidget;

namespace platform {

// The pointer handlers of a picture or label control, each optional, and their dispatch: a press, a release (and,
// when it ends a press of the left button over the control, a click), a move. Every handler runs guarded, as the
// runtime's event handlers do.
class PointerHandlers {
public:
    std::function<void()> onClick;
    std::function<void(Qt::MouseButton)> onMouseDown;
    std::function<void(Qt::MouseButton)> onMouseUp;
    std::function<void()> onMouseMove;

    // Where the pointer was, on the screen, when a button was last pressed on the control.
    QPoint pressedAt() const { return m_pressedAt; }

protected:
    void pressed(const QMouseEvent& event);
    void released(const QWidget& control, const QMouseEvent& event);
    void moved() const;

private:
    Qt::MouseButton m_pressed = Qt::NoButton;
    QPoint m_pressedAt;
};

} // namespace platform
