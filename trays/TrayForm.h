#pragma once

#include "platform/widgets/Form.h"
#include "skin/Design.h"
#include "skin/FormBuilder.h"

namespace trays {

// What the three trays share: a form built from its design, in its back colour, kept off the taskbar and out of
// window switchers, with no owner.
class TrayForm : public platform::Form {
public:
    void setVisible(bool visible) override;

protected:
    explicit TrayForm(const skin::FormDesign& design);

    skin::Controls m_controls;

private:
    bool m_prepared = false;
};

} // namespace trays
