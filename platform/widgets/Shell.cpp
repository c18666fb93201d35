#include "platform/widgets/Shell.h"

#include <QDesktopServices>
#include <QUrl>
#include <utility>

namespace platform {

namespace {
ShellHandler& handler() {
    static ShellHandler h;
    return h;
}
} // namespace

void ShellExecute(const QString& operation, const QString& file, int showCommand) {
    if (handler()) {
        handler()({operation, file, showCommand});
        return;
    }
    // The desktop decides how its browser or mail program shows itself.
    QDesktopServices::openUrl(QUrl(file));
}

ShellHandler setShellHandler(ShellHandler next) {
    return std::exchange(handler(), std::move(next));
}

} // namespace platform
