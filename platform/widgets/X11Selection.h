#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace platform {

// Which text another program offers: the one selected (X11's primary selection) or the one copied (the clipboard).
enum class Offered { Selection, Clipboard };

// The text another program offers, asked for over X11 on a connection of its own, waiting no longer than `most`
// for a program that never answers. Nothing when there is no such text, no X11, or no answer in time. Long texts
// come in pieces (the INCR protocol) and are taken whole.
std::optional<QString> offeredText(Offered which, std::chrono::milliseconds most);

} // namespace platform
