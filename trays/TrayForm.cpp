#include "trays/TrayForm.h"

#include "trays/TrayWindow.h"

#include <utility>

namespace trays {

TrayForm::TrayForm(const skin::FormDesign& design)
    : Form(design.width, design.height, TrayWindowFlags), m_design(design) {
    skin::dressWindow(*this, design);
    SetBackColor(platform::colourOf(design.backColour));
}

void TrayForm::buildOnDemand() {
    if (m_built) {
        return;
    }
    m_built = true;
    m_controls = skin::buildControls(*this, *this, m_design);
    bindControls();
    for (const std::function<void()>& step : std::exchange(m_waiting, {})) {
        step();
    }
}

void TrayForm::whenBuilt(std::function<void()> step) {
    if (m_built) {
        step();
    } else {
        m_waiting.push_back(std::move(step));
    }
}

// The desktop window behind a tray is made when the tray is first shown, not at load: a tray that is never slid
// out costs the display nothing, and start-up does not wait on the display for three hidden windows.
void TrayForm::setVisible(bool visible) {
    if (visible) {
        buildOnDemand();
    }
    if (visible && !m_prepared) {
        m_prepared = true;
        prepareTrayWindow(*this);
    }
    Form::setVisible(visible);
}

} // namespace trays
