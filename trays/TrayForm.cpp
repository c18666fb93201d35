#include "TrayForm.h"

#include "TrayWindow.h"

namespace trays {

TrayForm::TrayForm(const skin::FormDesign& design)
    : Form(design.width, design.height, TrayWindowFlags), m_controls(skin::buildControls(*this, *this, design)) {
    SetBackColor(platform::colourOf(design.backColour));
    prepareTrayWindow(*this);
}

} // namespace trays
