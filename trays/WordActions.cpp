#include "trays/WordActions.h"

#include "platform/speech/Speech.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "trays/Keeping.h"
#include "trays/fLeftTray.h"

#include <QMenu>

namespace trays {

std::function<void()> KeptWordsChanged;

QString AsMenuText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

namespace {
QString& shownWord() {
    static QString word;
    return word;
}
} // namespace

QString ShownWord() {
    return shownWord();
}

void SetShownWord(const QString& word) {
    shownWord() = word;
}

void addWordActions(QMenu& menu) {
    const QString word = ShownWord();
    if (word.isEmpty()) {
        return;
    }
    Keeping::shared().open();
    const bool kept = Keeping::shared().isKept(word);
    const QString shown = AsMenuText(word);
    QAction* keep = menu.addAction(kept ? QStringLiteral("&Remove \u201C%1\u201D from my words").arg(shown)
                                        : QStringLiteral("A&dd \u201C%1\u201D to my words").arg(shown));
    keep->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    keep->setEnabled(Keeping::shared().saving());
    QObject::connect(keep, &QAction::triggered, &menu, [] { platform::program::guarded(KeepShownWord); });
    const QString why = platform::speech::unavailableReason();
    QString text = QStringLiteral("&Say \u201C%1\u201D").arg(shown);
    if (!why.isEmpty()) {
        text += QStringLiteral(" (%1)").arg(why);
    }
    QAction* say = menu.addAction(text);
    say->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    say->setEnabled(why.isEmpty());
    QObject::connect(say, &QAction::triggered, &menu,
                     [word] { platform::program::guarded([&] { platform::speech::say(word); }); });
}

void KeepShownWord() {
    const QString word = ShownWord();
    if (!word.isEmpty()) {
        Keeping::shared().toggle(word);
        if (KeptWordsChanged) {
            KeptWordsChanged();
        }
    }
}

void SayShownWord() {
    platform::speech::say(ShownWord());
}

} // namespace trays
