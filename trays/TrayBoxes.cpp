#include "trays/TrayBoxes.h"

#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "trays/WordActions.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

namespace trays {

void ShowRecordInTrays(store::Recordset& view) {
    const QString word = QString::fromStdString(view.Fields(0).Text());
    platform::SetText(*platform::instance<fLeftTray>().Text1, word);
    SetShownWord(word);
    platform::SetText(*platform::instance<fRightTray>().Text2, QString::fromStdString(view.Fields(1).Text()));
}

namespace {
template <typename Tray> void buildIfLoaded() {
    if (platform::isLoaded<Tray>()) {
        platform::loadedInstance<Tray>().buildOnDemand();
    }
}
} // namespace

void BuildLoadedTrays() {
    buildIfLoaded<fLeftTray>();
    buildIfLoaded<fRightTray>();
    buildIfLoaded<fBottomTray>();
}

} // namespace trays
