// The main window's own words: its context menu, the sets of words the arrows browse, the review of the words kept
// and their export.
#include "core/fMain.h"

#include "core/module/modSlider.h"
#include "keep/Export.h"
#include "offers/OfferData.h"
#include "platform/headless/MessageBox.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/SingleInstance.h"
#include "platform/widgets/TextBox.h"
#include "store/Criterion.h"
#include "trays/Keeping.h"
#include "trays/TrayBoxes.h"
#include "trays/WordActions.h"
#include "trays/fBottomTray.h"
#include "trays/fLeftTray.h"

#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <array>

namespace core {

namespace {

constexpr int NewestFound = 15; // the words found that the menu offers to go back to

std::vector<std::string> standard(const QStringList& words) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(words.size()));
    for (const QString& w : words) {
        out.push_back(w.toStdString());
    }
    return out;
}

} // namespace

void fMain::OpenKeptWords() {
    trays::Keeping::shared().open();
    platform::instance<trays::fBottomTray>().RestoreHistory();
}

void fMain::ShowMenu(const QPoint& at) {
    trays::Keeping& keeping = trays::Keeping::shared();
    keeping.open();
    QMenu menu(this);
    trays::addWordActions(menu);
    menu.addSeparator();
    AddBrowsingItems(menu);
    menu.addSeparator();
    const qsizetype due = keeping.due().size();
    QAction* review = menu.addAction(QStringLiteral("Re&view my words (%1 due)").arg(due));
    review->setEnabled(due > 0);
    connect(review, &QAction::triggered, this, [this] { platform::program::guarded([this] { StartReview(); }); });
    QMenu* back = menu.addMenu(QStringLiteral("Words &found"));
    QStringList listed;
    for (const QString& word : keeping.history(keep::HistoryLength)) {
        if (listed.size() < NewestFound && !listed.contains(word)) {
            listed << word;
            connect(back->addAction(trays::AsMenuText(word)), &QAction::triggered, this, [word] {
                platform::program::guarded([&] { platform::instance<trays::fBottomTray>().LookUpWord(word); });
            });
        }
    }
    back->setEnabled(!listed.isEmpty());
    QAction* exportWords = menu.addAction(QStringLiteral("&Export my words\u2026"));
    exportWords->setEnabled(!keeping.kept().isEmpty());
    connect(exportWords, &QAction::triggered, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Export my words"),
                                                          QDir::home().filePath(QStringLiteral("my-words.tsv")),
                                                          QStringLiteral("Tab-separated values (*.tsv *.txt)"));
        if (!file.isEmpty()) {
            platform::program::guarded([&] { ExportMyWords(file); });
        }
    });
    menu.exec(mapToGlobal(at));
}

void fMain::AddBrowsingItems(QMenu& menu) {
    auto* group = new QActionGroup(&menu);
    const std::array<std::pair<WordSetKind, QString>, 3> kinds{
        {{WordSetKind::All, QStringLiteral("&All words")},
         {WordSetKind::Mine, QStringLiteral("&My words")},
         {WordSetKind::MostUsed, QStringLiteral("Most &used words first")}}};
    for (const auto& [kind, name] : kinds) {
        QAction* item = menu.addAction(name);
        item->setCheckable(true);
        item->setChecked(kind == m_setKind);
        item->setActionGroup(group);
        if (kind == WordSetKind::Mine) {
            item->setEnabled(!trays::Keeping::shared().kept().isEmpty());
        }
        connect(item, &QAction::triggered, this,
                [this, kind = kind] { platform::program::guarded([&] { ChooseWordSet(kind); }); });
    }
}

void fMain::ChooseWordSet(WordSetKind kind) {
    std::vector<std::string> words;
    if (kind == WordSetKind::Mine) {
        words = standard(trays::Keeping::shared().kept());
    } else if (kind == WordSetKind::MostUsed) {
        if (m_mostUsed.empty()) {
            m_mostUsed = offers::wordsMostUsedFirst((modSlider::AppDir + QStringLiteral("db2.mdb")).toStdString());
        }
        words = m_mostUsed;
    }
    if (kind != WordSetKind::All && words.empty()) {
        platform::MsgBox(kind == WordSetKind::Mine ? QStringLiteral("You have kept no words yet.")
                                                   : QStringLiteral("This word database has no word-use counts."),
                         platform::vbInformation, QStringLiteral("Lexorant"));
        return;
    }
    m_setKind = kind;
    m_set.assign(std::move(words));
    QStringList shown;
    for (const std::string& w : m_set.words()) {
        shown << QString::fromStdString(w);
    }
    platform::instance<trays::fLeftTray>().ShowWordSet(shown);
    if (const auto first = m_set.first()) {
        ShowWord(QString::fromStdString(*first));
    }
}

bool fMain::ShowWord(const QString& word) {
    rstInfo->MoveFirst();
    rstInfo->FindFirst(store::criterionFor("Name", word.toStdString()));
    if (rstInfo->NoMatch()) {
        return false;
    }
    ShowRecord();
    return true;
}

// One step through a set: past either end the same message as for every word, then its first word. A word the
// database does not have (kept from another, say) is passed over.
void fMain::StepInSet(bool forward, const QString& message) {
    for (std::size_t tries = 0; tries <= m_set.words().size(); ++tries) {
        auto word = forward ? m_set.next() : m_set.previous();
        if (!word) {
            platform::MsgBox(message, platform::vbOKOnly, QStringLiteral("  Error!"));
            word = m_set.first();
        }
        if (word && ShowWord(QString::fromStdString(*word))) {
            return;
        }
    }
}

void fMain::KeptWordsChanged() {
    if (m_setKind != WordSetKind::Mine) {
        return;
    }
    const std::string current = rstInfo->Fields(0).Text();
    m_set.assign(standard(trays::Keeping::shared().kept()));
    m_set.moveTo(current);
    QStringList shown;
    for (const std::string& w : m_set.words()) {
        shown << QString::fromStdString(w);
    }
    platform::instance<trays::fLeftTray>().ShowWordSet(shown);
}

void fMain::StartReview() {
    m_review->start(trays::Keeping::shared().due());
}

void fMain::ExportMyWords(const QString& file) {
    const std::string current = rstInfo->Fields(0).Text();
    std::vector<keep::ExportRow> rows;
    for (const keep::KeptWord& kept : trays::Keeping::shared().keptCards()) {
        rstInfo->MoveFirst();
        rstInfo->FindFirst(store::criterionFor("Name", kept.word));
        std::string meaning = rstInfo->NoMatch() ? std::string() : rstInfo->Fields(1).Text();
        std::erase(meaning, '\r'); // lines end in a line feed, as Anki and spreadsheets read them
        const QString date = QDateTime::fromSecsSinceEpoch(kept.keptAt).date().toString(Qt::ISODate);
        rows.push_back({kept.word, meaning, date.toStdString(), kept.card.box});
    }
    ShowWord(QString::fromStdString(current)); // back on the word shown
    QSaveFile out(file);
    const std::string text = keep::exportText(rows);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !out.commit()) {
        platform::MsgBox(QStringLiteral("Your words could not be written to %1: %2").arg(file, out.errorString()),
                         platform::vbExclamation, QStringLiteral("Lexorant"));
    }
}

} // namespace core
