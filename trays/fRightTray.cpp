#include "trays/fRightTray.h"

#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/SystemColors.h"
#include "skin/Design.h"
#include "trays/TrayWindow.h"

namespace trays {

fRightTray::fRightTray() : TrayForm(skin::meaningTrayDesign()) {
    Text2 = m_controls.get<QPlainTextEdit>("Text2");
    Label1 = m_controls.get<platform::LabelControl>("Label1");
}

void fRightTray::Form_Load() {
    using platform::RGB;
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("rh.pts")), true);
    // The main window's colours in reverse order.
    gradient::shadeMetal(surface(), {RGB(200, 200, 200), RGB(50, 50, 50), RGB(215, 215, 215), RGB(25, 25, 25)},
                         gradient::edgesBySixthAndMargin(Width()));
}

} // namespace trays
