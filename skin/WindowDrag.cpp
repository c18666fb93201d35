#include "skin/WindowDrag.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace skin {

WindowDrag::WindowDrag(QWidget& window, QPoint pressedAt)
    : m_window(window), m_pressedAt(pressedAt), m_startPosition(window.pos()) {}

bool WindowDrag::eventFilter(QObject* /*watched*/, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        m_window.move(m_startPosition + (now - m_pressedAt));
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_finished = true;
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_window.move(m_startPosition);
            m_finished = true;
        }
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverMove:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
        return true; // no other handler runs while the window moves
    default:
        return false;
    }
}

void WindowDrag::run(QWidget& window, QPoint pressedAt) {
    WindowDrag drag(window, pressedAt);
    qApp->installEventFilter(&drag);
    window.grabMouse();
    QEventLoop loop;
    while (!drag.finished()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    window.releaseMouse();
    qApp->removeEventFilter(&drag);
}

} // namespace skin
