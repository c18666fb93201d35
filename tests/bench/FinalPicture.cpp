// final_picture PROGRAM [ARG...]: starts the program on the X display and measures it as a user sees it: the time
// from exec to its final picture (the last change of the screen's contents before they rest for half a second), and
// its peak memory then. A change no larger than a text caret (with the few pixels beside it) does not count, so a
// blinking caret is not a picture.
// Prints "<ms from exec to the final picture> <peak kilobytes>". The same measure for any program, ours or a peer.
//
// The screen's changes come from the X server itself (the DAMAGE extension on the root window, which reports every
// drawing on the screen as it happens), rather than from polling its contents, which would take the processor from
// the program measured.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto Rest = std::chrono::milliseconds(500);
constexpr auto MostWait = std::chrono::seconds(20);

// A caret: a few pixels wide (a text box repaints some pixels either side of it), no taller than a line of large
// text.
bool caretSized(const xcb_rectangle_t& area) {
    return area.width <= 12 && area.height <= 48;
}

// The peak memory of every process of the group (a program may be a script that starts the real one).
long peakKb(pid_t group) {
    long total = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos ||
            getpgid(static_cast<pid_t>(std::stol(name))) != group) {
            continue;
        }
        std::ifstream status(entry.path() / "status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0) {
                total += std::atol(line.c_str() + 6);
            }
        }
    }
    return total;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: final_picture PROGRAM [ARG...]\n");
        return 2;
    }
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> x(xcb_connect(nullptr, nullptr),
                                                                           &xcb_disconnect);
    if (xcb_connection_has_error(x.get()) != 0) {
        std::fprintf(stderr, "final_picture: no X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x.get(), &xcb_damage_id);
    if (damage == nullptr || damage->present == 0) {
        std::fprintf(stderr, "final_picture: the X server has no DAMAGE extension\n");
        return 2;
    }
    std::free(xcb_damage_query_version_reply(x.get(), xcb_damage_query_version(x.get(), 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data->root;
    const xcb_damage_damage_t watch = xcb_generate_id(x.get());
    xcb_damage_create(x.get(), watch, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    std::free(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr)); // the server has it

    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // a group of its own, ended whole
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    auto lastChange = started;
    bool changed = false;
    const bool trace = std::getenv("FINAL_PICTURE_TRACE") != nullptr; // each change on standard error
    const int fd = xcb_get_file_descriptor(x.get());
    for (;;) {
        const auto now = Clock::now();
        if ((changed && now - lastChange >= Rest) || now - started >= MostWait) {
            break;
        }
        pollfd wanted{fd, POLLIN, 0};
        poll(&wanted, 1, 5);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.get())) {
            if ((event->response_type & 0x7F) == damage->first_event + XCB_DAMAGE_NOTIFY) {
                const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (trace) {
                    std::fprintf(stderr, "%.2f ms: %dx%d at %d,%d\n",
                                 std::chrono::duration<double, std::milli>(Clock::now() - started).count(),
                                 notify->area.width, notify->area.height, notify->area.x, notify->area.y);
                }
                if (!caretSized(notify->area)) {
                    lastChange = Clock::now();
                    changed = true;
                }
            }
            std::free(event);
        }
    }
    const long peak = peakKb(child);
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!changed) {
        std::fprintf(stderr, "final_picture: %s drew nothing\n", argv[1]);
        return 1;
    }
    std::printf("%.2f %ld\n", std::chrono::duration<double, std::milli>(lastChange - started).count(), peak);
    return 0;
}
