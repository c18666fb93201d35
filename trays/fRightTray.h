#pragma once

#include "platform/Form.h"
#include "platform/LabelControl.h"
#include "skin/FormBuilder.h"

#include <QPlainTextEdit>

namespace trays {

// The meaning tray: slides out from under the main window's right edge and shows the current word's meaning.
class fRightTray : public platform::Form {
public:
    fRightTray();

    void Form_Load() override;

    QPlainTextEdit* Text2;
    platform::LabelControl* Label1;

private:
    skin::Controls m_controls;
};

} // namespace trays
