#include "trays/TrayForm.h"

#include "trays/TrayWindow.h"

namespace trays {

TrayForm::TrayForm(const skin::FormDesign& design)
    : Form(design.width, design.height, TrayWindowFlags), m_controls(skin::buildControls(*this, *this, design)) {
    SetBackColor(platform::colourOf(design.backColour));
}

// The desktop window behind a tray is made when the tray is first shown, not at load: a tray that is never slid
// out costs the display nothing, and start-up does not wait on the display for three hidden windows.
void TrayForm::setVisible(bool visible) {
    if (visible && !m_prepared) {
        m_prepared = true;
        prepareTrayWindow(*this);
    }
    Form::setVisible(visible);
}

} // namespace trays
