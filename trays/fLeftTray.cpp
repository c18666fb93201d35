#include "trays/fLeftTray.h"

#include "core/module/WordView.h"
#include "core/module/modSlider.h"
#include "gradient/MetalShading.h"
#include "platform/headless/Conversions.h"
#include "platform/headless/SystemColors.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "skin/Design.h"
#include "trays/LookUp.h"
#include "trays/RoundedBox.h"
#include "trays/TextSize.h"
#include "trays/TrayWindow.h"
#include "trays/WordActions.h"
#include "trays/fBottomTray.h"

namespace trays {

fLeftTray::fLeftTray() : TrayForm(skin::wordTrayDesign()) {
    setAccessibleName(QStringLiteral("Word tray"));
}

void fLeftTray::bindControls() {
    m_controls.bind(*this, skin::bind("List1", &fLeftTray::List1), skin::bind("Text1", &fLeftTray::Text1));
    platform::program::onSignal(List1, &QListView::clicked, this, [this] { List1_Click(); });
    platform::ShowOnly(*Text1); // the word shown, not to be typed over
    new LookUp(*Text1, [](const QString& word) { platform::instance<fBottomTray>().LookUpWord(word); });
    TextSize::shared().follow(*Text1);
}

void fLeftTray::Form_Load() {
    whenBuilt([this] {
        RoundBoxCorners(*Text1, 5);
        RoundBoxCorners(*List1, 20);
    });
    SetWindowRgn(modSlider::LoadRegionFile(modSlider::AppDir + QStringLiteral("lh.pts")), true);
    whenBuilt([this] { gradient::shadeMetal(surface(), gradient::Metal, gradient::edgesBySixthAndMargin(Width())); });
    core::OpenWordView(db, rstInfo);
    // The list shows every word of this view, read as the list is scrolled.
    whenBuilt([this] {
        m_words = new WordListModel(*rstInfo, List1);
        List1->setModel(m_words);
    });
}

void fLeftTray::ShowWordSet(const QStringList& words) {
    if (words.isEmpty()) {
        List1->setModel(m_words);
        return;
    }
    if (m_set == nullptr) {
        m_set = new QStringListModel(List1);
    }
    m_set->setStringList(words);
    List1->setModel(m_set);
}

void fLeftTray::List1_Click() {
    const QModelIndex selected = List1->currentIndex();
    if (selected.isValid()) {
        platform::SetText(*Text1, selected.data(Qt::EditRole).toString()); // the whole word
        SetShownWord(selected.data(Qt::EditRole).toString());
    }
}

} // namespace trays
