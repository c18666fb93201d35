#include "platform/headless/MessageBox.h"

#include <cstdio>
#include <utility>

namespace platform {

namespace {
MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}

} // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const MessageBoxCall call{prompt, style, title.isEmpty() ? AppTitle : title};
    if (handler()) {
        return handler()(call);
    }
    // No window layer to show it: say it on the terminal and take it as answered.
    std::fprintf(stderr, "%s: %s\n", qPrintable(call.title), qPrintable(call.prompt));
    return vbOK;
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler next) {
    return std::exchange(handler(), std::move(next));
}

} // namespace platform
