#include "fBottomTray.h"

#include "TrayWindow.h"
#include "skin/Design.h"

namespace trays {

fBottomTray::fBottomTray()
    : Form(skin::findTrayDesign().width, skin::findTrayDesign().height, TrayWindowFlags),
      m_controls(skin::buildControls(*this, *this, skin::findTrayDesign())) {
    SetBackColor(platform::colourOf(skin::findTrayDesign().backColour));
    Text3 = m_controls.get<QLineEdit>("Text3");
    Command1 = m_controls.get<QPushButton>("Command1");
    // Enter in the find box presses "&FindFast", as Alt+F does.
    connect(Text3, &QLineEdit::returnPressed, Command1, &QPushButton::click);
}

} // namespace trays
