#pragma once

#include "platform/widgets/PointerHandlers.h"

#include <QLabel>

namespace platform {

// A label: draws only its text when transparent, and takes the pointer (movement over a label without a handler
// changes nothing). Its handlers are optional.
class LabelControl : public QLabel, public PointerHandlers {
public:
    explicit LabelControl(QWidget* parent);

    // Grows or shrinks to fit the text, keeping its top-left corner (the runtime's AutoSize).
    void setAutoSize(bool on);
    void setCaption(const QString& text);
    void setForeColour(const QColor& colour);
    QColor foreColour() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool m_autoSize = false;
};

} // namespace platform
