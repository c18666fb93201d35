#pragma once

#include <Qt>

namespace trays {

// The trays are top-level windows the program places itself, kept off the taskbar and window switchers.
inline constexpr Qt::WindowFlags TrayWindowFlags = Qt::Tool;

} // namespace trays
