#include "trays/fBottomTray.h"

#include "core/module/WordView.h"
#include "core/module/modSlider.h"
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

fBottomTray::fBottomTray() : TrayForm(skin::findTrayDesign()) {
    m_controls.bind(*this, skin::bind("Text3", &fBottomTray::Text3), skin::bind("Command1", &fBottomTray::Command1));
    // Enter in the find box presses "&FindFast", as Alt+F does.
    connect(Text3, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    // A chosen suggestion goes into the box and is found at once, as "&FindFast" finds it.
    Suggestions = new SuggestionList(*Text3, [this](const QString& word) {
        Text3->setText(word);
        Command1->click();
    });
    connect(Text3, &QLineEdit::textEdited, this,
            [this](const QString& typed) { platform::program::guarded([this, typed] { Text3_Edited(typed); }); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { platform::program::guarded([this] { Command1_Click(); }); });
}

void fBottomTray::Form_Load() {
    // The word tray's word box gets its final, rounder corners here (touching the tray loads it first).
    RoundBoxCorners(*platform::instance<fLeftTray>().Text1, 15);
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("bot.pts")), true);
    gradient::shadeMetal(surface(), gradient::Metal, gradient::edgesByHalvesAndThirds(Width()));
    core::OpenWordView(db, rstInfo);
}

void fBottomTray::Command1_Click() {
    Suggestions->hide(); // the find answers what was typed or chosen; the list has done its work
    rstInfo->MoveFirst();
    // The typed text exactly as it is, apostrophes doubled inside the quoted word.
    QString typed = Text3->text();
    typed.replace(QLatin1Char('\''), QStringLiteral("''"));
    rstInfo->FindFirst("Name = '" + typed.toStdString() + "'");
    if (rstInfo->NoMatch()) {
        platform::MsgBox(QStringLiteral("Data Not Found  Please Check your Dictiorary"), platform::vbExclamation);
    } else {
        platform::MsgBox(QStringLiteral("DATA FOUND"), platform::vbInformation);
    }
    ShowFoundRecord();
}

void fBottomTray::Text3_Edited(const QString& typed) {
    constexpr std::size_t MostSuggestions = 10;
    std::vector<SuggestionList::Row> rows;
    const std::string text = typed.toStdString();
    if (!text.empty()) {
        for (const std::string& base : db->BaseFormsOf(text)) {
            const QString word = QString::fromStdString(base);
            rows.push_back({word + QStringLiteral(" \u2014 base form of ") + typed, word});
        }
        for (const std::string& found : rstInfo->WordsBeginningWith(text, MostSuggestions)) {
            const QString word = QString::fromStdString(found);
            rows.push_back({word, word});
        }
    }
    Suggestions->show(rows);
}

void fBottomTray::ShowFoundRecord() {
    ShowRecordInTrays(*rstInfo);
}

} // namespace trays
