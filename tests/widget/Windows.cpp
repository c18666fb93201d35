#include "tests/widget/Windows.h"

#include "core/fMain.h"
#include "platform/widgets/SingleInstance.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

namespace testsupport {

void destroyWindows() {
    platform::destroyInstance<trays::fBottomTray>();
    platform::destroyInstance<trays::fRightTray>();
    platform::destroyInstance<trays::fLeftTray>();
    platform::destroyInstance<core::fMain>();
}

} // namespace testsupport
