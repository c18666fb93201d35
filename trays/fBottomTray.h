#pragma once

#include "core/store/Database.h"
#include "trays/SuggestionList.h"
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

    // The suggestions under the find box as the user types: base words of an inflected form first, then up to ten
    // words that begin with the typed text. Choosing one puts it in the box and finds it.
    SuggestionList* Suggestions = nullptr;
    void Text3_Edited(const QString& typed);

private:
    void ShowFoundRecord();
};

} // namespace trays
