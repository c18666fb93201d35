#pragma once

#include "platform/widgets/Form.h"
#include "skin/Design.h"
#include "skin/FormBuilder.h"

#include <functional>
#include <vector>

namespace trays {

// What the three trays share: a form built from its design, in its back colour, kept off the taskbar and out of
// window switchers, with no owner.
//
// A tray is hidden until it first slides out, so what only its controls and its picture show is not built when it
// loads: its controls are built, and the load routine's work on them done in the load's order, the first time the
// tray is shown or anything reaches for it through its instance (and, for the trays the start-up parked, once the
// main window's first picture is on the screen). What the user can observe of a load, its messages and its effects
// on the word store, still happens in the load.
class TrayForm : public platform::Form {
public:
    void setVisible(bool visible) override;

    // Builds the controls (once), binds them and does the load's work queued for them.
    void buildOnDemand();
    bool built() const { return m_built; }
    // Load work that only the controls or the picture show: done at once on a built tray, else when it is built.
    void whenBuilt(std::function<void()> step);

protected:
    explicit TrayForm(const skin::FormDesign& design);
    // The tray's control handles and handlers, set once its controls exist.
    virtual void bindControls() = 0;

    skin::Controls m_controls;

private:
    const skin::FormDesign& m_design;
    std::vector<std::function<void()>> m_waiting;
    bool m_built = false;
    bool m_prepared = false;
};

} // namespace trays
