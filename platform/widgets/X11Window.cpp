#include "platform/widgets/X11Window.h"

#include <QGuiApplication>
#include <QRegion>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace platform {

namespace {
// The window-state atoms, interned once per program: the three requests go out together, one round trip.
struct StateAtoms {
    xcb_atom_t state = XCB_ATOM_NONE;
    xcb_atom_t skipTaskbar = XCB_ATOM_NONE;
    xcb_atom_t skipPager = XCB_ATOM_NONE;
};

const StateAtoms& stateAtoms(xcb_connection_t* connection) {
    static const StateAtoms atoms = [connection] {
        constexpr std::array names{"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
        std::array<xcb_intern_atom_cookie_t, names.size()> cookies{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
        }
        std::array<xcb_atom_t, names.size()> found{};
        for (std::size_t i = 0; i < names.size(); ++i) {
            xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
            found[i] = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
            std::free(reply);
        }
        return StateAtoms{found[0], found[1], found[2]};
    }();
    return atoms;
}
} // namespace

void keepOffTaskbar(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Set before the window is first mapped: the window manager reads the state then, and Qt keeps the atoms it
    // finds there when it adds its own.
    const StateAtoms& atoms = stateAtoms(connection);
    const std::vector<xcb_atom_t> states{atoms.skipTaskbar, atoms.skipPager};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atoms.state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

void bringToFront(QWidget& window) {
    window.raise();
    window.activateWindow();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    constexpr const char* name = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, std::strlen(name), name), nullptr);
    if (atom == nullptr || atom->atom == XCB_ATOM_NONE) {
        std::free(atom);
        return; // no window manager has ever named it: Qt's activation above is all there is
    }
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(window.winId());
    request.type = atom->atom;
    request.data.data32[0] = 2; // from a pager or taskbar: the user asked for this window
    request.data.data32[1] = XCB_CURRENT_TIME;
    std::free(atom);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

bool shapeInParts(QWidget& window, const QRegion& outline) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr || !window.testAttribute(Qt::WA_WState_Created) ||
        window.windowHandle() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    // The outline is in device-independent pixels; the X window is in device pixels.
    const qreal scale = window.windowHandle()->devicePixelRatio();
    std::vector<xcb_rectangle_t> rects;
    rects.reserve(static_cast<std::size_t>(outline.rectCount()));
    for (const QRect& r : outline) {
        const auto left = static_cast<int>(std::floor(r.left() * scale));
        const auto top = static_cast<int>(std::floor(r.top() * scale));
        const auto right = static_cast<int>(std::ceil((r.right() + 1) * scale));
        const auto bottom = static_cast<int>(std::ceil((r.bottom() + 1) * scale));
        rects.push_back({static_cast<std::int16_t>(left), static_cast<std::int16_t>(top),
                         static_cast<std::uint16_t>(right - left), static_cast<std::uint16_t>(bottom - top)});
    }
    for (std::size_t at = 0; at < rects.size() || at == 0; at += MaxShapeRectanglesPerRequest) {
        const std::size_t count = std::min(rects.size() - at, std::size_t{MaxShapeRectanglesPerRequest});
        xcb_shape_rectangles(connection, at == 0 ? XCB_SHAPE_SO_SET : XCB_SHAPE_SO_UNION, XCB_SHAPE_SK_BOUNDING,
                             XCB_CLIP_ORDERING_UNSORTED, id, 0, 0, static_cast<std::uint32_t>(count),
                             count > 0 ? rects.data() + at : nullptr);
        if (rects.empty()) {
            break;
        }
    }
    xcb_flush(connection);
    return true;
}

} // namespace platform
