#include "trays/fBottomTray.h"

#include "core/module/WordView.h"
#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "offers/LookUpText.h"
#include "offers/OfferData.h"
#include "offers/PlainText.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/MessageBox.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "skin/Design.h"
#include "store/Criterion.h"
#include "trays/Keeping.h"
#include "trays/RoundedBox.h"
#include "trays/TrayBoxes.h"
#include "trays/TrayWindow.h"
#include "trays/fLeftTray.h"
#include "trays/fRightTray.h"

#include <QApplication>
#include <limits>
#include <utility>

namespace trays {

fBottomTray::fBottomTray() : TrayForm(skin::findTrayDesign()) {
    setAccessibleName(QStringLiteral("Find tray"));
}

void fBottomTray::bindControls() {
    m_controls.bind(*this, skin::bind("Text3", &fBottomTray::Text3), skin::bind("Command1", &fBottomTray::Command1));
    // A word of the database may be longer than a text box's usual limit: chosen from the offers, it is found whole.
    Text3->setMaxLength(std::numeric_limits<int>::max());
    // Enter in the find box presses "&FindFast", as Alt+F does.
    connect(Text3, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    // A chosen offer goes into the box and is found at once, as "&FindFast" finds it.
    OffersShown = new OfferList(*Text3, [this](const QString& word) {
        Text3->setText(word);
        Command1->click();
    });
    Descriptions = new DescriptionSupply(this, [this] {
        // The descriptions for a text of several words typed while they were built, where the user is still typing.
        if (isActiveWindow() && Text3->hasFocus() && QApplication::activeModalWidget() == nullptr &&
            Text3->text().trimmed().contains(QLatin1Char(' '))) {
            ShowOffers(Text3->text());
        }
    });
    Offers = new OfferSupply(this, [this] {
        // The meanings are read for descriptions once the offers are there, so that these never wait for them.
        if (db) {
            Descriptions->start([path = db->path()] { return offers::readDescriptions(path, "Table3"); });
        }
        if (!m_lookUpWaiting.isEmpty()) {
            LookUpWord(std::exchange(m_lookUpWaiting, QString()));
        } else if (isVisible() && !Text3->text().isEmpty()) {
            ShowOffers(Text3->text()); // offers for what was typed while they were being built
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
    OffersShown->hide(); // the find answers what was typed or chosen; the list has done its work
    m_lookUpWaiting.clear();
    rstInfo->MoveFirst();
    // The typed text exactly as it is.
    rstInfo->FindFirst(store::criterionFor("Name", Text3->text().toStdString()));
    const bool found = !rstInfo->NoMatch();
    if (!found) {
        platform::MsgBox(QStringLiteral("Data Not Found  Please Check your Dictiorary"), platform::vbExclamation);
    } else {
        platform::MsgBox(QStringLiteral("DATA FOUND"), platform::vbInformation);
        Visit(rstInfo->Fields(0).Text());
    }
    ShowFoundRecord();
    // The keyboard back in the box, the text selected for the next word; after a miss, the offers for it again.
    FocusFindBox();
    if (!found) {
        ShowOffers(Text3->text());
    }
}

void fBottomTray::FocusFindBox() {
    activateWindow();
    Text3->setFocus(Qt::OtherFocusReason);
    Text3->selectAll();
}

// The text in the find box with the keyboard, selected, and its offers under it (one of them current).
void fBottomTray::ShowInFindBox(const QString& text, const QString& current) {
    Text3->setText(text);
    FocusFindBox();
    ShowOffers(text, current);
}

void fBottomTray::LookUpWord(const QString& text) {
    const offers::LookUpText looked = offers::lookUpText(text.toStdString());
    if (looked.word.empty()) {
        return; // blanks or punctuation only
    }
    m_lookUpWaiting.clear();
    // Found as it stands; a name found for a word in lower case ("Drew" for "drew") waits for what the word is a form
    // of, if anything ("draw").
    bool nameOnly = false;
    for (const std::string& tried : looked.tries) {
        if (FindExactly(tried)) {
            if (!offers::capitalisedFor(tried, rstInfo->Fields(0).Text())) {
                ShowLookedUp(looked.word, {});
                return;
            }
            nameOnly = true;
        }
    }
    const offers::OfferIndex* index = Offers->index();
    if (index == nullptr && !Offers->finished()) {
        m_lookUpWaiting = text;
        PrepareOffers();
        return;
    }
    for (const std::string& tried : looked.tries) {
        if (const auto landed = index != nullptr ? index->resolve(tried) : std::nullopt;
            landed && FindExactly(landed->word)) {
            ShowLookedUp(looked.word, landed->baseFormOf.empty() ? std::string() : landed->word);
            return;
        }
    }
    if (nameOnly) {
        for (const std::string& tried : looked.tries) {
            if (FindExactly(tried)) {
                ShowLookedUp(looked.word, {});
                return;
            }
        }
    }
    // No entry: the text in the find box, its offers (spelling offers among them) to choose from. A page selected by
    // mistake is not laid out whole in a box of one line.
    constexpr qsizetype MostShown = 32767;
    if (BringDown) {
        BringDown();
    }
    ShowInFindBox(QString::fromStdString(looked.word).left(MostShown), QString());
}

bool fBottomTray::FindExactly(const std::string& word) {
    rstInfo->MoveFirst();
    rstInfo->FindFirst(store::criterionFor("Name", word));
    return !rstInfo->NoMatch();
}

// The entry the view stands on, looked up as `text`; when that is a form of it, the offers say so, the entry current.
void fBottomTray::ShowLookedUp(const std::string& text, const std::string& baseFormOf) {
    ShowFoundRecord();
    Visit(rstInfo->Fields(0).Text());
    if (baseFormOf.empty()) {
        Text3->setText(QString::fromStdString(text));
        OffersShown->hide();
        return;
    }
    if (BringDown) {
        BringDown();
    }
    ShowInFindBox(QString::fromStdString(text), QString::fromStdString(baseFormOf));
}

// A word found joins the history, and the words kept for the next run.
void fBottomTray::Visit(const std::string& word) {
    m_history.visit(word);
    Keeping::shared().visit(QString::fromStdString(word));
}

void fBottomTray::RestoreHistory() {
    const QStringList newestFirst = Keeping::shared().history(keep::HistoryLength);
    std::vector<std::string> oldestFirst;
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) {
        oldestFirst.push_back(it->toStdString());
    }
    m_history.restore(oldestFirst);
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
    if (FindExactly(*word)) {
        Text3->setText(QString::fromStdString(*word));
        ShowFoundRecord();
    }
}

void fBottomTray::Text3_Edited(const QString& typed) {
    m_lookUpWaiting.clear();
    ShowOffers(typed);
}

void fBottomTray::ShowOffers(const QString& typed, const QString& current) {
    const offers::OfferIndex* index = Offers->index();
    if (index == nullptr) {
        PrepareOffers(); // the offers come when they are built
        return;
    }
    std::vector<OfferList::Row> rows;
    int currentRow = -1;
    const std::vector<offers::Offer> found = index->offersFor(typed.toStdString());
    for (const offers::Offer& offer : found) {
        rows.push_back({QString::fromStdString(offer.word), QString::fromStdString(offer.baseFormOf), {}});
        if (currentRow < 0 && !current.isEmpty() && rows.back().word == current) {
            currentRow = static_cast<int>(rows.size()) - 1;
        }
    }
    if (const offers::DescriptionIndex* meanings = Descriptions->index();
        meanings != nullptr && currentRow < 0 && offers::readsAsDescription(typed.toStdString(), found)) {
        // A description: what the offers make of its letters gives way to the words it describes.
        rows.resize(std::min(rows.size(), offers::OffersBesideDescriptions));
        for (offers::Described& d : meanings->wordsFor(typed.toStdString(), offers::MostOffered - rows.size())) {
            rows.push_back({QString::fromStdString(d.word), {}, QString::fromStdString(d.sense)});
        }
    }
    OffersShown->show(rows, currentRow);
}

void fBottomTray::PrepareOffers() {
    if (Offers->started() || !db || !rstInfo) {
        return;
    }
    Offers->start([path = db->path()] { return offers::OfferIndex(offers::readOfferData(path, "Table3")); });
}

void fBottomTray::showEvent(QShowEvent* event) {
    TrayForm::showEvent(event);
    platform::program::guarded([this] { PrepareOffers(); });
}

void fBottomTray::ShowFoundRecord() {
    ShowRecordInTrays(*rstInfo);
}

} // namespace trays
