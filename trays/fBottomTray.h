#pragma once

#include "core/module/History.h"
#include "core/store/Database.h"
#include "trays/OfferSupply.h"
#include "trays/SuggestionList.h"
#include "trays/TrayForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>
#include <string>

namespace trays {

// The find tray: slides down from under the main window's bottom edge; looks a typed word up in the word store.
class fBottomTray : public TrayForm {
public:
    fBottomTray();

    void Form_Load() override;
    void Command1_Click();

    std::unique_ptr<core::Database> db;
    std::unique_ptr<core::Recordset> rstInfo;

    QLineEdit* Text3 = nullptr;
    QPushButton* Command1 = nullptr;

    // The offers under the find box as the user types: the words the text stands for (spaces, hyphens, accents
    // forgiven), base words of an inflected form or phrase, the words nearest a misspelling, then words that begin
    // with the text; ten at most. Choosing one puts it in the box and finds it.
    SuggestionList* Suggestions = nullptr;
    OfferSupply* Offers = nullptr;
    void Text3_Edited(const QString& typed);
    // Starts building the offers (once), so that they are ready by the time the user types.
    void PrepareOffers();

    // A word seen in the word or meaning box, put in the find box and found as "&FindFast" finds it.
    void LookUpWord(const QString& word);

    // Back and forward through the words found, each shown in the trays as a find shows it, without a box.
    void HistoryBack();
    void HistoryForward();

protected:
    void bindControls() override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowFoundRecord();
    void ShowOffers(const QString& typed);
    void ShowFromHistory(const std::optional<std::string>& word);

    core::History m_history;
};

} // namespace trays
