#include "trays/TrayBoxes.h"

#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

namespace trays {

void ShowRecordInTrays(core::Recordset& view) {
    platform::SetText(*platform::instance<fLeftTray>().Text1, QString::fromStdString(view.Fields(0).Text()));
    platform::SetText(*platform::instance<fRightTray>().Text2, QString::fromStdString(view.Fields(1).Text()));
}

} // namespace trays
