#include "trays/WordActions.h"

#include "platform/speech/Speech.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "trays/fLeftTray.h"

#include <QMenu>

namespace trays {

QString ShownWord() {
    if (!platform::isLoaded<fLeftTray>()) {
        return {};
    }
    const fLeftTray& tray = platform::loadedInstance<fLeftTray>();
    return tray.Text1 != nullptr ? platform::Text(*tray.Text1).trimmed() : QString();
}

void addWordActions(QMenu& menu) {
    const QString word = ShownWord();
    if (word.isEmpty()) {
        return;
    }
    const QString why = platform::speech::unavailableReason();
    QString text = QStringLiteral("Say \u201C%1\u201D").arg(word);
    if (!why.isEmpty()) {
        text += QStringLiteral(" (%1)").arg(why);
    }
    QAction* say = menu.addAction(text);
    say->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    say->setEnabled(why.isEmpty());
    QObject::connect(say, &QAction::triggered, &menu,
                     [word] { platform::program::guarded([&] { platform::speech::say(word); }); });
}

void SayShownWord() {
    platform::speech::say(ShownWord());
}

} // namespace trays
