#include "fRightTray.h"

#include "TrayWindow.h"
#include "skin/Design.h"

namespace trays {

fRightTray::fRightTray()
    : Form(skin::meaningTrayDesign().width, skin::meaningTrayDesign().height, TrayWindowFlags),
      m_controls(skin::buildControls(*this, *this, skin::meaningTrayDesign())) {
    SetBackColor(platform::colourOf(skin::meaningTrayDesign().backColour));
    Text2 = m_controls.get<QPlainTextEdit>("Text2");
    Label1 = m_controls.get<platform::LabelControl>("Label1");
}

} // namespace trays
