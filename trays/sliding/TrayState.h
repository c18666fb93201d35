#pragma once

#include <cstdint>

namespace trays {

// The tray state the main window keeps: whether each tray is out (True = -1, False = 0), and the stops its slides
// start from and stop at, in twips. The stops are 32-bit so that a main window far right on a wide desktop
// (beyond 32767 twips) still slides its trays.
struct TrayState {
    std::int16_t LeftTrayOut = 0;
    std::int16_t RightTrayOut = 0;
    std::int16_t BottomTrayOut = 0;
    std::int32_t LeftTrayStop = 0;
    std::int32_t RightTrayStop = 0;
    std::int32_t BottomTrayStop = 0;
};

inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

} // namespace trays
