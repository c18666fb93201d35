#pragma once

#include "Database.h"
#include "platform/Form.h"
#include "platform/ImageControl.h"

#include <cstdint>
#include <memory>

namespace core {

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

    platform::ImageControl* btnClose;

    void Form_Load() override;
    void btnClose_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ParkTrays();
    void ShadeSurface();
};

} // namespace core
