#pragma once

#include <QPlainTextEdit>
#include <QString>

class QMimeData;

namespace platform {

// A text box's text as the runtime sees it: lines end in CR LF. Setting it shows each line as a line; a very long
// line is shown in pieces, each from a new row, so that the box only ever lays out the pieces it shows.
void SetText(QPlainTextEdit& box, const QString& text);
QString Text(const QPlainTextEdit& box);

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
