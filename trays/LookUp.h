#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QPlainTextEdit;

namespace trays {

// A word seen in a box, looked up: the box's context menu offers "Look up “word”" for the selected text, or for the
// word under the pointer when nothing is selected, and what can be done with the word shown; Ctrl+click on a word
// looks it up at once.
class LookUp : public QObject {
public:
    LookUp(QPlainTextEdit& box, std::function<void(const QString&)> lookUp);

    // The word the look-up would take at a point of the box's viewport: the selection if there is one, else the
    // word there (letters and digits, with the apostrophes and hyphens inside it); empty when there is none.
    QString wordAt(const QPoint& point) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& point);

    QPlainTextEdit& m_box;
    std::function<void(const QString&)> m_lookUp;
};

} // namespace trays
