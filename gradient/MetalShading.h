#pragma once

#include "platform/headless/Surface.h"
#include "platform/headless/SystemColors.h"

#include <array>
#include <cstdint>

namespace gradient {

// The right edges of the shading's three bands, in twips.
struct BandEdges {
    std::int16_t mid1;
    std::int16_t mid2;
    std::int16_t mid3;
};

using MetalColours = std::array<std::int32_t, 4>;

// The colours of every window's metal: dark, light, dark again and light again, left to right.
inline constexpr MetalColours Metal{platform::RGB(25, 25, 25), platform::RGB(215, 215, 215), platform::RGB(50, 50, 50),
                                    platform::RGB(200, 200, 200)};
// The same colours right to left, as the meaning tray is shaded.
inline constexpr MetalColours MetalReversed{Metal[3], Metal[2], Metal[1], Metal[0]};

// The main window's and the find tray's split: W \ 2, W \ 3 + W \ 2 (summed in 32 bits), W.
BandEdges edgesByHalvesAndThirds(float widthTwips);
// The word and meaning trays' split: W \ 6, W - 150, W.
BandEdges edgesBySixthAndMargin(float widthTwips);

// Shades a window's surface with a new painter's metal cylinder: four colours, three band edges.
void shadeMetal(platform::Surface& surface, const MetalColours& colours, BandEdges edges);

} // namespace gradient
