#include "platform/widgets/MessageDialog.h"

#include <QMessageBox>

namespace platform {

namespace {
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
} // namespace

int showMessageDialog(const MessageBoxCall& call) {
    QMessageBox box(iconFor(call.style), call.title, call.prompt, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return vbOK;
}

} // namespace platform
