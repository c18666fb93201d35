#include "platform/headless/SystemColors.h"

#include <array>
#include <utility>

namespace platform {

namespace {
// The classic desktop scheme, by index: scroll bar, desktop, active caption, inactive caption, menu, window, window
// frame, menu text, window text, caption text, active border, inactive border, application workspace, highlight,
// highlighted text, button face, button shadow, gray text, button text, inactive caption text, button highlight,
// 3D dark shadow, 3D light, tooltip text, tooltip background.
constexpr std::array<std::int32_t, 25> Defaults{
    RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225)};

SysColorProvider& provider() {
    static SysColorProvider p;
    return p;
}
} // namespace

std::int32_t defaultSysColor(int index) {
    return index >= 0 && index < static_cast<int>(Defaults.size()) ? Defaults[static_cast<std::size_t>(index)] : 0;
}

std::int32_t GetSysColor(int index) {
    if (provider()) {
        if (const auto colour = provider()(index)) {
            return *colour;
        }
    }
    return defaultSysColor(index);
}

SysColorProvider setSysColorProvider(SysColorProvider next) {
    return std::exchange(provider(), std::move(next));
}

} // namespace platform
