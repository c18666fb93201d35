#pragma once

#include "platform/widgets/LabelControl.h"
#include "trays/TrayForm.h"

#include <QPlainTextEdit>

namespace trays {

// The meaning tray: slides out from under the main window's right edge and shows the current word's meaning.
class fRightTray : public TrayForm {
public:
    fRightTray();

    void Form_Load() override;

    QPlainTextEdit* Text2 = nullptr;
    platform::LabelControl* Label1 = nullptr;

protected:
    void bindControls() override;
};

} // namespace trays
