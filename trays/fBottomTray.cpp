#include "trays/fBottomTray.h"

#include "core/module/WordView.h"
#include "core/module/modSlider.h"
#include "core/offers/OfferData.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "skin/Design.h"
#include "trays/RoundedBox.h"
#include "trays/TrayBoxes.h"
#include "trays/TrayWindow.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

namespace trays {

fBottomTray::fBottomTray() : TrayForm(skin::findTrayDesign()) {}

void fBottomTray::bindControls() {
    m_controls.bind(*this, skin::bind("Text3", &fBottomTray::Text3), skin::bind("Command1", &fBottomTray::Command1));
    // Enter in the find box presses "&FindFast", as Alt+F does.
    connect(Text3, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    // A chosen suggestion goes into the box and is found at once, as "&FindFast" finds it.
    Suggestions = new SuggestionList(*Text3, [this](const QString& word) {
        Text3->setText(word);
        Command1->click();
    });
    Offers = new OfferSupply(this, [this] {
        // Offers for what was typed while they were being built.
        if (isVisible() && !Text3->text().isEmpty()) {
            ShowOffers(Text3->text());
        }
    });
    using platform::program::onSignal;
    onSignal(Text3, &QLineEdit::textEdited, this, [this](const QString& typed) { Text3_Edited(typed); });
    onSignal(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void fBottomTray::Form_Load() {
    // The word tray's word box gets its final, rounder corners here (touching the tray loads it first), after the
    // word tray's own, whenever that tray's controls are built.
    auto& wordTray = platform::loadedInstance<fLeftTray>();
    wordTray.whenBuilt([&wordTray] { RoundBoxCorners(*wordTray.Text1, 15); });
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("bot.pts")), true);
    whenBuilt([this] { gradient::shadeMetal(surface(), gradient::Metal, gradient::edgesByHalvesAndThirds(Width())); });
    core::OpenWordView(db, rstInfo);
}

void fBottomTray::Command1_Click() {
    Suggestions->hide(); // the find answers what was typed or chosen; the list has done its work
    rstInfo->MoveFirst();
    // The typed text exactly as it is, apostrophes doubled inside the quoted word.
    QString typed = Text3->text();
    typed.replace(QLatin1Char('\''), QStringLiteral("''"));
    rstInfo->FindFirst("Name = '" + typed.toStdString() + "'");
    const bool found = !rstInfo->NoMatch();
    if (!found) {
        platform::MsgBox(QStringLiteral("Data Not Found  Please Check your Dictiorary"), platform::vbExclamation);
    } else {
        platform::MsgBox(QStringLiteral("DATA FOUND"), platform::vbInformation);
        m_history.visit(rstInfo->Fields(0).Text());
    }
    ShowFoundRecord();
    // The keyboard back in the box, the text selected for the next word; after a miss, the offers for it again.
    activateWindow();
    Text3->setFocus(Qt::OtherFocusReason);
    Text3->selectAll();
    if (!found) {
        ShowOffers(Text3->text());
    }
}

void fBottomTray::LookUpWord(const QString& word) {
    Text3->setText(word);
    Command1->click();
}

void fBottomTray::HistoryBack() {
    ShowFromHistory(m_history.back());
}

void fBottomTray::HistoryForward() {
    ShowFromHistory(m_history.forward());
}

void fBottomTray::ShowFromHistory(const std::optional<std::string>& word) {
    if (!word || !rstInfo) {
        return;
    }
    std::string literal = *word;
    for (std::size_t at = literal.find('\''); at != std::string::npos; at = literal.find('\'', at + 2)) {
        literal.insert(at, 1, '\'');
    }
    rstInfo->MoveFirst();
    rstInfo->FindFirst("Name = '" + literal + "'");
    if (!rstInfo->NoMatch()) {
        Text3->setText(QString::fromStdString(*word));
        ShowFoundRecord();
    }
}

void fBottomTray::Text3_Edited(const QString& typed) {
    ShowOffers(typed);
}

void fBottomTray::ShowOffers(const QString& typed) {
    const offers::OfferIndex* index = Offers->index();
    if (index == nullptr) {
        PrepareOffers(); // the offers come when they are built
        return;
    }
    std::vector<SuggestionList::Row> rows;
    for (const offers::Offer& offer : index->offersFor(typed.toStdString())) {
        rows.push_back({QString::fromStdString(offer.word), QString::fromStdString(offer.baseFormOf)});
    }
    Suggestions->show(rows);
}

void fBottomTray::PrepareOffers() {
    if (Offers->started() || !db || !rstInfo) {
        return;
    }
    Offers->start([path = db->path()] { return offers::readOfferData(path, "Table3"); });
}

void fBottomTray::showEvent(QShowEvent* event) {
    TrayForm::showEvent(event);
    platform::program::guarded([this] { PrepareOffers(); });
}

void fBottomTray::ShowFoundRecord() {
    ShowRecordInTrays(*rstInfo);
}

} // namespace trays
