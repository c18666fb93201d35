#pragma once

// Where the trays stand against the main window, in twips, and how far a slide moves a tray at each step.
namespace trays::geometry {

// Parked, the word and meaning trays hang this far below the main window's top edge (and stay so when out).
inline constexpr double SideTrayDrop = 100;
// Out, the word tray's right edge lies this far inside the main window's left edge.
inline constexpr double WordTrayOverlap = 100;
// Out, the meaning tray's left edge lies this far inside the main window's right edge.
inline constexpr double MeaningTrayOverlap = 180;
// The find tray's left edge lies this far right of the main window's, parked or out.
inline constexpr double FindTrayInset = 150;
// Out, the find tray's top edge lies this far above the main window's bottom edge.
inline constexpr double FindTrayOverlap = 100;

inline constexpr float SideTrayStep = 30; // the word and meaning trays, both ways
inline constexpr float FindTrayStepDown = 15;
inline constexpr float FindTrayStepUp = 30;

} // namespace trays::geometry
