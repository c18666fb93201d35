#pragma once

class QRegion;
class QWidget;

namespace platform {

// Keeps a top-level window off the taskbar and out of window switchers, without tying it to any other window (a
// transient window would be kept above its owner by the window manager). Only on X11; elsewhere nothing happens.
void keepOffTaskbar(QWidget& window);

// Brings a top-level window to the front with the keyboard, as the user asked from another program (a key bound to a
// command). On X11 the window manager is asked as a pager or taskbar asks it, which its focus-stealing prevention
// lets through; without a window manager, or elsewhere, as Qt activates a window.
void bringToFront(QWidget& window);

// The most rectangles one outline request may carry: an X request without the big-requests extension holds at most
// 65535 four-byte words, and the shape extension does not take big requests.
inline constexpr int MaxShapeRectanglesPerRequest = 16384;

// Sets a top-level window's outline on X11 in as many requests as it takes: the first part replaces the outline,
// the rest is added to it. False when the window has no X11 window (yet), or there is no X11.
bool shapeInParts(QWidget& window, const QRegion& outline);

} // namespace platform
