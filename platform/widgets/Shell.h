#pragma once

#include <QString>
#include <functional>

namespace platform {

inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMAXIMIZED = 3;

// What the program hands the desktop to open: the operation word, the address and how to show it.
struct ShellCall {
    QString operation;
    QString file;
    int showCommand = SW_SHOWNORMAL;
};

// Opens a web or mail address with the user's default program; the result is not reported. Every open goes through
// here so that tests can record it.
void ShellExecute(const QString& operation, const QString& file, int showCommand);

using ShellHandler = std::function<void(const ShellCall&)>;
ShellHandler setShellHandler(ShellHandler handler);

} // namespace platform
