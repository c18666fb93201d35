#pragma once

#include <QListWidget>
#include <QObject>
#include <functional>

class QLineEdit;

namespace trays {

// The list of suggestions that drops down under a text box as the user types: a window of its own (it reaches below
// the tray), which assistive tools read as a list. Down and Up move through it, Enter or a click chooses, Esc closes
// it and leaves the text as typed; Enter with nothing chosen goes to the box as usual.
class SuggestionList : public QObject {
public:
    // Each row shows a text and stands for a word: what is chosen.
    struct Row {
        QString shown;
        QString word;
    };

    SuggestionList(QLineEdit& box, std::function<void(const QString&)> chosen);
    ~SuggestionList() override;
    SuggestionList(const SuggestionList&) = delete;
    SuggestionList& operator=(const SuggestionList&) = delete;

    // Shows the rows under the box; no rows hide the list.
    void show(const std::vector<Row>& rows);
    void hide();
    bool isVisible() const;
    QListWidget& list();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(const QListWidgetItem* item);

    QLineEdit& m_box;
    std::function<void(const QString&)> m_chosen;
    QListWidget* m_list = nullptr;
};

} // namespace trays
