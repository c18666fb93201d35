#pragma once

#include <QColor>
#include <QLine>
#include <QRect>
#include <optional>
#include <vector>

class QPainter;

namespace platform {

enum class ShapeKind { Rectangle, Oval, Circle, RoundedRectangle };

// A shape or line control: drawn by its window on the surface, over the persistent image and under every child
// window. They take no pointer events: movement over them is movement over the window.
struct GraphicItem {
    enum class Kind { Shape, Line } kind = Kind::Shape;
    ShapeKind shape = ShapeKind::Rectangle;
    QRect bounds;  // shapes, in pixels
    QLine line;    // lines, in pixels
    QColor border; // the outline or the line's colour
    int borderWidth = 1;
    std::optional<QColor> fill; // solid fill, if any
};

// Draws the items back to front; the list is kept front to back, as the designs list them.
void paintGraphics(QPainter& painter, const std::vector<GraphicItem>& frontToBack);

// Where a window keeps its shapes and lines.
class GraphicsHost {
public:
    virtual ~GraphicsHost() = default;
    virtual void addGraphic(const GraphicItem& item) = 0;
};

// The colour of a colour value: 0x00BBGGRR, or a system-colour reference resolved to the desktop's colour.
QColor colourOf(std::int32_t value);

} // namespace platform
