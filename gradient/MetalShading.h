#pragma once

#include "platform/headless/Surface.h"

#include <array>
#include <cstdint>

namespace gradient {

// The right edges of the shading's three bands, in twips.
struct BandEdges {
    std::int16_t mid1;
    std::int16_t mid2;
    std::int16_t mid3;
};

// The main window's and the find tray's split: W \ 2, W \ 3 + W \ 2 (summed in 32 bits), W.
BandEdges edgesByHalvesAndThirds(float widthTwips);
// The word and meaning trays' split: W \ 6, W - 150, W.
BandEdges edgesBySixthAndMargin(float widthTwips);

// Shades a window's surface with a new painter's metal cylinder: four colours, three band edges.
void shadeMetal(platform::Surface& surface, const std::array<std::int32_t, 4>& colours, BandEdges edges);

} // namespace gradient
