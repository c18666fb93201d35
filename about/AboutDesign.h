#pragma once

#include "skin/Design.h"

namespace about {

// The about box's design: its controls, front to back, in twips.
const skin::FormDesign& aboutDesign();

} // namespace about
