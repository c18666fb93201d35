#include "gradient/MetalShading.h"

#include "gradient/clsGradient.h"
#include "platform/headless/Conversions.h"

namespace gradient {

BandEdges edgesByHalvesAndThirds(float widthTwips) {
    const std::int32_t half = platform::intDivide(widthTwips, 2);
    const std::int32_t third = platform::intDivide(widthTwips, 3);
    return {platform::toInt16(half), platform::toInt16(static_cast<double>(third) + half),
            platform::toInt16(widthTwips)};
}

BandEdges edgesBySixthAndMargin(float widthTwips) {
    return {platform::toInt16(platform::intDivide(widthTwips, 6)),
            platform::toInt16(static_cast<double>(widthTwips) - 150), platform::toInt16(widthTwips)};
}

void shadeMetal(platform::Surface& surface, const MetalColours& colours, BandEdges edges) {
    clsGradient painter;
    painter.MetalCylander(colours[0], colours[1], colours[2], colours[3], edges.mid1, edges.mid2, edges.mid3, &surface);
}

} // namespace gradient
