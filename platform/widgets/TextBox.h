#pragma once

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace platform {

// A text box's text as the runtime sees it: lines end in CR LF. Setting it shows each line as a line.
void SetText(QPlainTextEdit& box, const QString& text);
QString Text(const QPlainTextEdit& box);

} // namespace platform
