#pragma once

#include <QListWidget>
#include <QObject>
#include <functional>
#include <memory>

class QLineEdit;

namespace trays {

// The list of offers that drops down under a text box as the user types: a window of its own (it reaches below
// the tray), which assistive tools read as a list. Down and Up move through it, Enter or a click chooses, Esc closes
// it and leaves the text as typed; Enter with nothing chosen goes to the box as usual. The list goes when the user
// goes elsewhere: a press of the pointer outside it and the box, the keyboard moved on within the box's window, the
// box's window hidden, or another program taking the keyboard. The keyboard passing through another of the program's
// windows alone (as window managers do when a message box closes) leaves it.
class OfferList : public QObject {
public:
    // Each row stands for a word, what is chosen, and shows it; a row that offers the word as the base form of
    // an inflected text says so ("goose \u2014 base form of geese").
    struct Row {
        QString word;
        QString baseFormOf;
        QString sense; // for a word offered for a description: the sense it matched
    };

    OfferList(QLineEdit& box, std::function<void(const QString&)> chosen);
    ~OfferList() override;
    OfferList(const OfferList&) = delete;
    OfferList& operator=(const OfferList&) = delete;

    // Shows the rows under the box, the list as wide as its longest row within the screen (beyond that a row's
    // explanation is shortened, never its word); no rows hide the list. A row may be made the current one.
    void show(const std::vector<Row>& rows, int current = -1);
    void hide();
    bool isVisible() const;
    QListWidget& list();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leftFor(const QObject* watched, const QEvent* event) const;
    void choose(const QListWidgetItem* item);
    void moveTo(int row);
    void selectionChanged();

    QLineEdit& m_box;
    std::function<void(const QString&)> m_chosen;
    std::unique_ptr<QListWidget> m_list; // a window of its own, without a parent
    bool m_moving = false;               // the list's selection is being changed by the list itself
};

} // namespace trays
