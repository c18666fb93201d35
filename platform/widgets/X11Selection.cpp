#include "platform/widgets/X11Selection.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <string>
#include <xcb/xcb.h>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The next event of the kind wanted (the response type), or nothing once the deadline has passed.
Reply<xcb_generic_event_t> waitFor(xcb_connection_t* x, std::uint8_t kind, Clock::time_point deadline) {
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == kind) {
                return {event, &std::free};
            }
            std::free(event);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || xcb_connection_has_error(x) != 0) {
            return {nullptr, &std::free};
        }
        pollfd wanted{xcb_get_file_descriptor(x), POLLIN, 0};
        poll(&wanted, 1, static_cast<int>(left));
    }
}

// The property's value, taken (deleted, which asks an INCR sender for its next piece), with its type.
std::string takeProperty(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property, xcb_atom_t* type) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            x, xcb_get_property(x, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr),
        &std::free);
    if (!reply) {
        *type = XCB_ATOM_NONE;
        return {};
    }
    *type = reply->type;
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

} // namespace

std::optional<QString> offeredText(Offered which, std::chrono::milliseconds most) {
    const auto deadline = Clock::now() + most;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(xcb_connect(nullptr, nullptr),
                                                                         &xcb_disconnect);
    if (xcb_connection_has_error(x.get()) != 0) {
        return std::nullopt;
    }
    const xcb_atom_t selection =
        which == Offered::Selection ? static_cast<xcb_atom_t>(XCB_ATOM_PRIMARY) : atom(x.get(), "CLIPBOARD");
    const xcb_atom_t utf8 = atom(x.get(), "UTF8_STRING");
    const xcb_atom_t property = atom(x.get(), "LEXORANT_OFFERED");
    const xcb_atom_t incr = atom(x.get(), "INCR");
    const Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x.get(), xcb_get_selection_owner(x.get(), selection), nullptr), &std::free);
    if (!owner || owner->owner == XCB_WINDOW_NONE) {
        return std::nullopt; // nothing is offered
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data;
    const xcb_window_t window = xcb_generate_id(x.get());
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    xcb_convert_selection(x.get(), window, selection, utf8, property, XCB_CURRENT_TIME);
    xcb_flush(x.get());
    const auto answer = waitFor(x.get(), XCB_SELECTION_NOTIFY, deadline);
    if (!answer || reinterpret_cast<const xcb_selection_notify_event_t*>(answer.get())->property == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    xcb_atom_t type = XCB_ATOM_NONE;
    std::string text = takeProperty(x.get(), window, property, &type);
    if (type == incr) {
        // In pieces: each piece is a new value of the property, the last one empty.
        text.clear();
        for (;;) {
            const auto changed = waitFor(x.get(), XCB_PROPERTY_NOTIFY, deadline);
            if (!changed) {
                return std::nullopt;
            }
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(changed.get());
            if (notify->atom != property || notify->state != XCB_PROPERTY_NEW_VALUE) {
                continue;
            }
            const std::string piece = takeProperty(x.get(), window, property, &type);
            if (piece.empty()) {
                break;
            }
            text += piece;
        }
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace platform
