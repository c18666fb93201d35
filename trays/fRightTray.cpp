#include "trays/fRightTray.h"

#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "skin/Design.h"
#include "trays/LookUp.h"
#include "trays/TextSize.h"
#include "trays/TrayWindow.h"
#include "trays/fBottomTray.h"

namespace trays {

fRightTray::fRightTray() : TrayForm(skin::meaningTrayDesign()) {
    setAccessibleName(QStringLiteral("Meaning tray"));
}

void fRightTray::bindControls() {
    m_controls.bind(*this, skin::bind("Text2", &fRightTray::Text2), skin::bind("Label1", &fRightTray::Label1));
    platform::ShowOnly(*Text2); // the meaning shown, not to be typed over
    new LookUp(*Text2, [](const QString& word) { platform::instance<fBottomTray>().LookUpWord(word); });
    TextSize::shared().follow(*Text2);
}

void fRightTray::Form_Load() {
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("rh.pts")), true);
    whenBuilt(
        [this] { gradient::shadeMetal(surface(), gradient::MetalReversed, gradient::edgesBySixthAndMargin(Width())); });
}

} // namespace trays
