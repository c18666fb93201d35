#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace skin {

// Moves a frameless window with the pointer, as a title bar would, without the window manager: a modal move that
// runs inside the press handler and returns when the button is released. While it runs, no other handler gets any
// input; Esc puts the window back where it was.
class WindowDrag : public QObject {
public:
    // Runs the move for `window`, from a press at the pointer's global position `pressedAt`.
    static void run(QWidget& window, QPoint pressedAt);

    WindowDrag(QWidget& window, QPoint pressedAt);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool finished() const { return m_finished; }

private:
    QWidget& m_window;
    QPoint m_pressedAt;
    QPoint m_startPosition;
    bool m_finished = false;
};

} // namespace skin
