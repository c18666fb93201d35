#include "trays/RoundedBox.h"

#include "platform/headless/Conversions.h"
#include "platform/widgets/Form.h"

namespace trays {

void RoundBoxCorners(QWidget& box, int corner) {
    // The box's size is measured in twips and converted back to whole pixels, as the design's units are.
    const std::int16_t w = platform::toInt16(platform::twipsToPixels(platform::pixelsToTwips(box.width())));
    const std::int16_t h = platform::toInt16(platform::twipsToPixels(platform::pixelsToTwips(box.height())));
    platform::SetWindowRgn(box, platform::createRoundRectRgn(0, 0, w, h, corner, corner));
}

} // namespace trays
