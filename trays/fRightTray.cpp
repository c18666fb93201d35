#include "fRightTray.h"

#include "TrayWindow.h"
#include "gradient/clsGradient.h"
#include "modSlider.h"
#include "platform/Conversions.h"
#include "platform/SystemColors.h"
#include "skin/Design.h"

namespace trays {

fRightTray::fRightTray()
    : Form(skin::meaningTrayDesign().width, skin::meaningTrayDesign().height, TrayWindowFlags),
      m_controls(skin::buildControls(*this, *this, skin::meaningTrayDesign())) {
    SetBackColor(platform::colourOf(skin::meaningTrayDesign().backColour));
    prepareTrayWindow(*this);
    Text2 = m_controls.get<QPlainTextEdit>("Text2");
    Label1 = m_controls.get<platform::LabelControl>("Label1");
}

void fRightTray::Form_Load() {
    using platform::RGB;
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("rh.pts")), true);
    // The main window's colours in reverse order.
    const float width = Width();
    std::int16_t mid1 = platform::toInt16(platform::intDivide(width, 6));
    std::int16_t mid2 = platform::toInt16(static_cast<double>(width) - 150);
    std::int16_t mid3 = platform::toInt16(width);
    gradient::clsGradient().MetalCylander(RGB(200, 200, 200), RGB(50, 50, 50), RGB(215, 215, 215), RGB(25, 25, 25),
                                          mid1, mid2, mid3, &surface());
}

} // namespace trays
