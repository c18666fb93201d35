#pragma once

#include <QKeyEvent>
#include <QObject>
#include <memory>
#include <vector>

class QWidget;

namespace platform {

// Holds the keys typed while the box that should get them is not ready yet (its window still sliding into place),
// and hands them to it in order once it is: nothing typed ahead is lost. Keys with Ctrl or Alt are shortcuts and
// pass as ever.
class KeyBuffer : public QObject {
public:
    KeyBuffer();
    ~KeyBuffer() override;
    KeyBuffer(const KeyBuffer&) = delete;
    KeyBuffer& operator=(const KeyBuffer&) = delete;

    // Gives the held keys to the widget and stops holding.
    void deliverTo(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::unique_ptr<QKeyEvent>> m_keys;
    bool m_holding = true;
};

} // namespace platform
