#pragma once

#include "Database.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"
#include "platform/LabelControl.h"
#include "skin/FormBuilder.h"

#include <QPushButton>
#include <array>
#include <cstdint>
#include <memory>

namespace core {

// An arrow button: three picture controls of one name; member 0 is shown, 1 holds the normal picture and 2 the
// highlighted one.
using ArrowArray = std::array<platform::ImageControl*, 3>;

// The main window: the start-up window, whose load routine is the program's whole start-up sequence.
class fMain : public platform::Form {
public:
    fMain();

    // The main window's own view of the word store.
    std::unique_ptr<Database> db;
    std::unique_ptr<Recordset> rstInfo;

    // Tray state: the three "out" flags (True = -1) and the stops the slides start from and stop at.
    std::int16_t LeftTrayOut = 0;
    std::int16_t RightTrayOut = 0;
    std::int16_t BottomTrayOut = 0;
    std::int16_t LeftTrayStop = 0;
    std::int16_t RightTrayStop = 0;
    std::int16_t BottomTrayStop = 0;

    QPushButton* cmdAbout;
    QPushButton* CmdPrev;
    QPushButton* cmdNext;
    platform::LabelControl* Label1;
    platform::LabelControl* Label2;
    platform::LabelControl* Label3;
    platform::LabelControl* Label4;
    platform::LabelControl* Label5;
    platform::LabelControl* Label7;
    platform::LabelControl* Label8;
    ArrowArray btnToolsOut{};
    ArrowArray btnToolsIn{};
    ArrowArray btnRightOut{};
    ArrowArray btnRightIn{};
    ArrowArray btnBottomDown{};
    ArrowArray btnBottomUp{};
    platform::ImageControl* Image2;
    platform::ImageControl* btnClose;

    void Form_Load() override;
    void btnClose_Click();
    void cmdAbout_Click();
    void Label7_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ArrowArray arrowArray(const char* name) const;
    void wireHandlers();
    void ParkTrays();
    void ShadeSurface();

    skin::Controls m_controls;
};

} // namespace core
