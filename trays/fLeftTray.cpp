#include "fLeftTray.h"

#include "TrayWindow.h"
#include "skin/Design.h"

namespace trays {

fLeftTray::fLeftTray()
    : Form(skin::wordTrayDesign().width, skin::wordTrayDesign().height, TrayWindowFlags),
      m_controls(skin::buildControls(*this, *this, skin::wordTrayDesign())) {
    SetBackColor(platform::colourOf(skin::wordTrayDesign().backColour));
    List1 = m_controls.get<QListView>("List1");
    Text1 = m_controls.get<QPlainTextEdit>("Text1");
    Timer1 = m_controls.get<QTimer>("Timer1");
}

} // namespace trays
