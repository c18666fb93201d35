#include "skin/Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace skin {

namespace {
QRgb rgbOf(std::int32_t colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The diamond icon at one size, its arrow pointing left or right.
QPixmap diamond(int size, bool pointsRight) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPolygonF outline{{s / 2, 1}, {s - 1, s / 2}, {s / 2, s - 1}, {1, s / 2}};
    p.setPen(QPen(Qt::black, size >= 32 ? 2 : 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(outline);
    // The arrow: a head and a shaft along the middle.
    const qreal u = s / 32;
    QPolygonF arrow{{9 * u, 16 * u},  {16 * u, 9 * u},  {16 * u, 13 * u}, {23 * u, 13 * u},
                    {23 * u, 19 * u}, {16 * u, 19 * u}, {16 * u, 23 * u}};
    if (pointsRight) {
        for (QPointF& point : arrow) {
            point.setX(s - point.x());
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    return pixmap;
}

// The application icon at one size: an open book in grays and black, with a blue and a red bookmark.
QImage bookImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(192, 192, 192));
    p.drawRoundedRect(QRectF(2, 7, 28, 21), 2, 2); // the cover
    p.setBrush(QColor(240, 240, 240));
    // The left page, and the same page mirrored about the spine at x = 16.
    QPainterPath page;
    page.moveTo(16, 9);
    page.cubicTo(12, 6, 7, 6, 4, 8);
    page.lineTo(4, 26);
    page.cubicTo(7, 24, 12, 24, 16, 27);
    page.closeSubpath();
    p.drawPath(page);
    p.drawPath(QTransform(-1, 0, 0, 1, 32, 0).map(page));
    p.setPen(QPen(QColor(128, 128, 128), 1));
    for (int y = 12; y <= 21; y += 3) { // lines of text
        p.drawLine(QPointF(6.5, y), QPointF(13.5, y + 0.5));
        p.drawLine(QPointF(18.5, y + 0.5), QPointF(25.5, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 192));
    p.drawPolygon(QPolygonF{{20, 2}, {24, 2}, {24, 12}, {22, 10}, {20, 12}});
    p.setBrush(QColor(208, 0, 0));
    p.drawPolygon(QPolygonF{{9, 3}, {12, 3}, {12, 11}, {10.5, 9.5}, {9, 11}});
    p.end();
    return image;
}

QPixmap book(int size) {
    return QPixmap::fromImage(bookImage(size));
}

QIcon iconOf(QPixmap (*draw)(int)) {
    QIcon icon;
    icon.addPixmap(draw(16));
    icon.addPixmap(draw(32));
    return icon;
}
} // namespace

QImage arrowImage(ArrowDirection direction, bool highlighted) {
    const ArrowPixels pixels = arrowPixels(direction);
    QImage image(pixels.width, pixels.height, QImage::Format_Indexed8);
    QList<QRgb> palette(256, qRgb(0, 0, 0));
    palette[0] = rgbOf(highlighted ? ArrowLit : ArrowNormal);
    palette[1] = rgbOf(ArrowTransparent) & 0x00FFFFFFu; // magenta, with no opacity
    image.setColorTable(palette);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            image.setPixel(x, y, pixels.at(x, y));
        }
    }
    return image;
}

QPixmap picturePixmap(Picture picture) {
    switch (picture) {
    case Picture::None:
        return {};
    case Picture::ArrowUp:
    case Picture::ArrowUpLit:
        return QPixmap::fromImage(arrowImage(ArrowDirection::Up, picture == Picture::ArrowUpLit));
    case Picture::ArrowDown:
    case Picture::ArrowDownLit:
        return QPixmap::fromImage(arrowImage(ArrowDirection::Down, picture == Picture::ArrowDownLit));
    case Picture::ArrowLeft:
    case Picture::ArrowLeftLit:
        return QPixmap::fromImage(arrowImage(ArrowDirection::Left, picture == Picture::ArrowLeftLit));
    case Picture::ArrowRight:
    case Picture::ArrowRightLit:
        return QPixmap::fromImage(arrowImage(ArrowDirection::Right, picture == Picture::ArrowRightLit));
    }
    return {};
}

QIcon previousIcon() {
    return iconOf([](int size) { return diamond(size, false); });
}
QIcon nextIcon() {
    return iconOf([](int size) { return diamond(size, true); });
}
QIcon applicationIcon() {
    return iconOf(book);
}
QImage applicationIconImage(int size) {
    return bookImage(size);
}

} // namespace skin
