#include "platform/widgets/Graphics.h"

#include "platform/headless/SystemColors.h"

#include <QPainter>
#include <QPen>

namespace platform {

QColor colourOf(std::int32_t value) {
    if (value < 0) {
        const std::int32_t index = value & 0x7FFFFFFF;
        value = index <= 24 ? GetSysColor(index) : 0;
    }
    return {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF};
}

void paintGraphics(QPainter& painter, const std::vector<GraphicItem>& frontToBack) {
    painter.save();
    for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it) {
        const GraphicItem& item = *it;
        QPen pen(item.border, item.borderWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        if (item.kind == GraphicItem::Kind::Line) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(pen);
            painter.drawLine(item.line);
            continue;
        }
        painter.setRenderHint(QPainter::Antialiasing, item.shape != ShapeKind::Rectangle);
        painter.setBrush(item.fill ? QBrush(*item.fill) : QBrush(Qt::NoBrush));
        painter.setPen(pen);
        // The outline lies inside the shape's bounds, as the runtime draws it.
        const qreal inset = item.borderWidth / 2.0;
        const QRectF r = QRectF(item.bounds).adjusted(inset, inset, -inset, -inset);
        switch (item.shape) {
        case ShapeKind::Rectangle:
            painter.drawRect(r);
            break;
        case ShapeKind::Oval:
            painter.drawEllipse(r);
            break;
        case ShapeKind::Circle: {
            const qreal d = std::min(r.width(), r.height());
            painter.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
            break;
        }
        case ShapeKind::RoundedRectangle: {
            const qreal radius = std::min(r.width(), r.height()) / 6;
            painter.drawRoundedRect(r, radius, radius);
            break;
        }
        }
    }
    painter.restore();
}

} // namespace platform
