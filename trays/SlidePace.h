#pragma once

#include <chrono>

namespace trays {

// A pass through the message loop returns at once on today's machines, so a slide that only yielded would be over
// before anyone saw it. Each step yields, then lets the rest of this interval pass while events are processed.
inline constexpr std::chrono::milliseconds DefaultSlideStepInterval{4};

void setSlideStepInterval(std::chrono::milliseconds interval);

// Yields to the message loop after one step of a slide, at the pace above.
void yieldSlideStep();

} // namespace trays
