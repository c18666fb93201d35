#pragma once

#include <QObject>

namespace core {

// The mouse's back and forward buttons over any of the program's windows step through the words found.
class HistoryButtons : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace core
