#include "core/Review.h"

#include "platform/headless/MessageBox.h"
#include "platform/widgets/Program.h"
#include "trays/Keeping.h"

#include <QShortcut>
#include <QWidget>

namespace core {

Review::Review(QWidget& window, Screen screen) : QObject(&window), m_screen(std::move(screen)) {
    using platform::program::onSignal;
    const auto key = [&window, this](int code, const std::function<void()>& handler) {
        auto* shortcut = new QShortcut(QKeySequence(code), &window);
        shortcut->setEnabled(false);
        onSignal(shortcut, &QShortcut::activated, this, handler);
        m_keys.push_back(shortcut);
    };
    for (const int show : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        key(show, [this] { reveal(); });
    }
    key(Qt::Key_1, [this] { answer(true); });
    key(Qt::Key_2, [this] { answer(false); });
    key(Qt::Key_Escape, [this] { end(); });
}

void Review::start(const QStringList& due) {
    if (due.isEmpty()) {
        return;
    }
    m_due = due;
    m_at = 0;
    m_known = 0;
    m_active = true;
    for (QShortcut* key : m_keys) {
        key->setEnabled(true);
    }
    showCard();
}

void Review::showCard() {
    // A word let go or missing from this database meanwhile is passed over.
    while (m_at < m_due.size() && !m_screen.showWord(m_due[m_at])) {
        ++m_at;
    }
    if (m_at >= m_due.size()) {
        const int reviewed = m_at;
        end();
        platform::MsgBox(QStringLiteral("Review done: %1 of %2 words known.").arg(m_known).arg(reviewed),
                         platform::vbInformation, QStringLiteral("Lexorant"));
        return;
    }
    m_revealed = false;
    m_screen.showMeaning(QStringLiteral("Space or Enter shows the meaning; then 1 if you knew it, 2 if not yet."));
}

void Review::reveal() {
    if (!m_active || m_revealed) {
        return;
    }
    m_revealed = true;
    m_screen.showRecord();
}

void Review::answer(bool knewIt) {
    if (!m_active || !m_revealed) {
        return; // the meaning first
    }
    trays::Keeping::shared().answer(m_due[m_at], knewIt);
    m_known += knewIt ? 1 : 0;
    ++m_at;
    showCard();
}

void Review::end() {
    m_active = false;
    for (QShortcut* key : m_keys) {
        key->setEnabled(false);
    }
    m_screen.showRecord();
}

} // namespace core
