#pragma once

#include <QString>
#include <functional>

namespace platform {

// Message-box styles the program uses: OK only, with no icon, an exclamation or an information icon.
enum MsgBoxStyle : int { vbOKOnly = 0, vbCritical = 16, vbExclamation = 48, vbInformation = 64 };
inline constexpr int vbOK = 1;

// The program's own title, carried by every box that has none of its own.
inline const QString AppTitle = QStringLiteral("Lexorant");

struct MessageBoxCall {
    QString prompt;
    int style = vbOKOnly;
    QString title;
};

// Shows a modal message box and returns the button pressed. Every box of the program goes through here, so tests
// can answer and record them.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// Replaces the way boxes are shown (an empty handler restores the real dialog); returns the previous handler.
using MessageBoxHandler = std::function<int(const MessageBoxCall&)>;
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace platform
