#include "TextBox.h"

#include <QPlainTextEdit>

namespace platform {

void SetText(QPlainTextEdit& box, const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setPlainText(lines);
}

QString Text(const QPlainTextEdit& box) {
    QString text = box.toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

} // namespace platform
