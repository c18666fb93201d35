#pragma once

class QWidget;

namespace trays {

// Gives a text or list box rounded corners: a rounded-rectangle region of the box's size in pixels with the given
// corner ellipse.
void RoundBoxCorners(QWidget& box, int corner);

} // namespace trays
