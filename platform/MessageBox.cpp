#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace platform {

namespace {
MessageBoxHandler& handler() {
    static MessageBoxHandler h;
    return h;
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int showDialog(const MessageBoxCall& call) {
    QMessageBox box(iconFor(call.style), call.title, call.prompt, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return vbOK;
}
} // namespace

int MsgBox(const QString& prompt, int style, const QString& title) {
    const MessageBoxCall call{prompt, style, title.isEmpty() ? AppTitle : title};
    if (handler()) {
        return handler()(call);
    }
    return showDialog(call);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler next) {
    return std::exchange(handler(), std::move(next));
}

} // namespace platform
