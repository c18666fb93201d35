#pragma once

#include "store/Database.h"
#include "trays/TrayForm.h"
#include "trays/WordListModel.h"

#include <QListView>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <memory>

namespace trays {

// The word tray: slides out from under the main window's left edge; shows the current word and a word list.
class fLeftTray : public TrayForm {
public:
    fLeftTray();

    void Form_Load() override;
    void List1_Click();
    // The list shows these words instead of every word of the view (a set the arrows browse); empty: every word.
    void ShowWordSet(const QStringList& words);

    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::Recordset> rstInfo;

    QListView* List1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;

protected:
    void bindControls() override;

private:
    WordListModel* m_words = nullptr;
    QStringListModel* m_set = nullptr;
};

} // namespace trays
