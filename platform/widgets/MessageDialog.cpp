#include "platform/widgets/MessageDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// Room a window manager's title bar takes beside the title: its icon and buttons, and the margins.
constexpr int TitleBarExtras = 160;

// A box as wide as its title needs on the title bar, however short its text: a box too narrow for its title has it
// cut ("Le…nt"). The message box sizes itself to its text alone, so a strut of that width goes under its contents.
void makeRoomForTitle(QMessageBox& box) {
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true); // title bars commonly draw the title bold, which is wider
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarExtras;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
}
} // namespace

int showMessageDialog(const MessageBoxCall& call) {
    QMessageBox box(iconFor(call.style), call.title, call.prompt, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    makeRoomForTitle(box);
    box.exec();
    return vbOK;
}

} // namespace platform
