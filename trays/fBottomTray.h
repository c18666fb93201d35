#pragma once

#include "run/History.h"
#include "store/Database.h"
#include "trays/OfferList.h"
#include "trays/OfferSupply.h"
#include "trays/TrayForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <functional>
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

    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::Recordset> rstInfo;

    QLineEdit* Text3 = nullptr;
    QPushButton* Command1 = nullptr;

    // The offers under the find box as the user types: the words the text stands for (spaces, hyphens, accents
    // forgiven), base words of an inflected form or phrase, the words nearest a misspelling, then words that begin
    // with the text; ten at most. Choosing one puts it in the box and finds it.
    OfferList* OffersShown = nullptr;
    OfferSupply* Offers = nullptr;
    DescriptionSupply* Descriptions = nullptr;
    void Text3_Edited(const QString& typed);
    // Starts building the offers (once), so that they are ready by the time the user types.
    void PrepareOffers();

    // A text met in running text or asked for from outside (a word of a box, a selection, the command line), looked
    // up: without what surrounds it there, found as it stands, else forgiving what the offers forgive (an inflected
    // form leads to its base word). What it lands on is shown at once, with no box, and joins the history; a base
    // form taken is said in the offers under the find box. What leads to no entry goes into the find box with its
    // offers open. Until the offers are built, only what is found as it stands is shown at once; the rest waits
    // for them.
    void LookUpWord(const QString& text);
    // Brings the find tray down when it is in (the main window's slide), for a look-up that shows its offers.
    std::function<void()> BringDown;

    // Back and forward through the words found, each shown in the trays as a find shows it, without a box.
    void HistoryBack();
    void HistoryForward();
    // The words found in the last runs, where they were kept, before this run's.
    void RestoreHistory();

protected:
    void bindControls() override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowFoundRecord();
    void ShowOffers(const QString& typed, const QString& current = QString());
    bool FindExactly(const std::string& word);
    void ShowLookedUp(const std::string& text, const std::string& baseFormOf);
    void FocusFindBox();
    void ShowInFindBox(const QString& text, const QString& current);
    void ShowFromHistory(const std::optional<std::string>& word);
    void Visit(const std::string& word);

    run::History m_history;
    QString m_lookUpWaiting; // a look-up that waits for the offers to be built
};

} // namespace trays
