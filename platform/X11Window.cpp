#include "X11Window.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <vector>
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
        const char* names[] = {"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"};
        xcb_intern_atom_cookie_t cookies[3];
        for (int i = 0; i < 3; ++i) {
            cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
        }
        xcb_atom_t found[3]{};
        for (int i = 0; i < 3; ++i) {
            xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
            found[i] = reply != nullptr ? reply->atom : XCB_ATOM_NONE;
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

} // namespace platform
