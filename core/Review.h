#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QShortcut;
class QWidget;

namespace core {

// Reviewing the kept words that are due, one at a time: the word shows with its meaning hidden until Space or Enter;
// then "1" (I knew it) or "2" (not yet) answers it and the next comes. Escape ends the review early.
class Review : public QObject {
public:
    struct Screen {
        std::function<bool(const QString&)> showWord;    // the word and its meaning in the trays; false when missing
        std::function<void(const QString&)> showMeaning; // the meaning box's text, in place of the meaning
        std::function<void()> showRecord;                // the word and meaning shown again as they are
    };
    Review(QWidget& window, Screen screen);

    bool active() const { return m_active; }
    void start(const QStringList& due);
    void reveal();
    void answer(bool knewIt);
    void end();

private:
    void showCard();

    Screen m_screen;
    QStringList m_due;
    int m_at = 0;
    int m_known = 0;
    bool m_active = false;
    bool m_revealed = false;
    std::vector<QShortcut*> m_keys;
};

} // namespace core
