#include "platform/widgets/KeyBuffer.h"

#include <QCoreApplication>
#include <QWidget>

namespace platform {

KeyBuffer::KeyBuffer() {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyBuffer::~KeyBuffer() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyBuffer::eventFilter(QObject* watched, QEvent* event) {
    if (!m_holding || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) ||
        !watched->isWidgetType()) {
        return false;
    }
    // Held where it is first delivered to a widget (a key not taken would go on to the widget's parents: held
    // here, it goes nowhere else).
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0 || key->text().isEmpty()) {
        return false;
    }
    m_keys.push_back(std::make_unique<QKeyEvent>(key->type(), key->key(), key->modifiers(), key->text(),
                                                 key->isAutoRepeat(), key->count()));
    return true;
}

void KeyBuffer::deliverTo(QWidget& widget) {
    m_holding = false;
    for (const auto& key : m_keys) {
        QCoreApplication::sendEvent(&widget, key.get());
    }
    m_keys.clear();
}

} // namespace platform
