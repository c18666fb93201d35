#pragma once

#include <QPlainTextEdit>
#include <QString>

class QMimeData;

namespace platform {

// A text box's text as the runtime sees it: lines end in CR LF. Setting it shows each line as a line; a very long
// line is shown in pieces, each from a new row, so that the box only ever lays out the pieces it shows.
void SetText(QPlainTextEdit& box, const QString& text);
QString Text(const QPlainTextEdit& box);

// Offsets into a box's text as it was set (lines ending in CR LF) and as the box shows it (lines ending in LF, long
// lines in rows), each to the other. The map is made once for each text the box holds: a query costs a look-up in
// the places where the two differ, however long the text.
int storedOffset(const QPlainTextEdit& box, int shown);
int shownOffset(const QPlainTextEdit& box, int stored);

// Makes a box show its text without taking typing: read-only, the text still selectable with the pointer and the
// keyboard, copied, and read by assistive tools.
void ShowOnly(QPlainTextEdit& box);

// A multi-line text box. What it copies is the text as it was set: the row breaks that split a long line into
// pieces are left out.
class MultiLineTextBox : public QPlainTextEdit {
public:
    explicit MultiLineTextBox(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

} // namespace platform
