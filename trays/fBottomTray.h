#pragma once

#include "core/store/Database.h"
#include "trays/TrayForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace trays {

// The find tray: slides down from under the main window's bottom edge; looks a typed word up in the word store.
class fBottomTray : public TrayForm {
public:
    fBottomTray();

    void Form_Load() override;
    void Command1_Click();

    std::unique_ptr<core::Database> db;
    std::unique_ptr<core::Recordset> rstInfo;

    QLineEdit* Text3;
    QPushButton* Command1;

private:
    void ShowFoundRecord();
};

} // namespace trays
