#pragma once

#include "keep/MyWords.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace trays {

// The reader's own words in this run: the file in the user's data folder ($XDG_DATA_HOME/lexorant/mywords.sqlite),
// opened once the first picture is up, written by one Lexorant at a time (another opens it read-only and says so
// once). What cannot be kept is said once, naming the file, and the program goes on without saving.
class Keeping {
public:
    static Keeping& shared();
    static QString fileName();

    // Opens the file, once; later calls do nothing.
    void open();
    bool saving() const { return m_words != nullptr && !m_words->readOnly() && m_saving; }

    bool isKept(const QString& word) const;
    // Keeps the word, or lets it go when it is kept already (Ctrl+D). Returns whether it is kept now.
    bool toggle(const QString& word);
    void visit(const QString& word);
    void answer(const QString& word, bool knewIt);

    // In the order kept, the newest last.
    QStringList kept() const;
    QStringList due() const;
    // The words found, the newest first.
    QStringList history(int limit) const;
    // The kept words with their date kept and box, for the export.
    std::vector<keep::KeptWord> keptCards() const;

private:
    Keeping() = default;
    void say(const QString& message);
    template <typename Write> void write(Write&& write);
    std::string database() const;

    std::unique_ptr<keep::MyWords> m_words;
    int m_lock = -1;
    bool m_opened = false;
    bool m_saving = true;
};

} // namespace trays
