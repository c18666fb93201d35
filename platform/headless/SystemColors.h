#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

// The desktop's current colour (0x00BBGGRR) for a system-colour index from 0 to 24: from the provider the window
// layer installs, where it knows the role, and otherwise the platform's default colour for that index.
std::int32_t GetSysColor(int index);

// The platform's own default colour for an index (0 for an index outside 0..24).
std::int32_t defaultSysColor(int index);

// Installs where the current desktop colours come from; the provider answers nothing for roles it does not know.
using SysColorProvider = std::function<std::optional<std::int32_t>(int)>;
SysColorProvider setSysColorProvider(SysColorProvider provider);

constexpr std::int32_t RGB(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

} // namespace platform
