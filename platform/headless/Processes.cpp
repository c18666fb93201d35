#include "platform/headless/Processes.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::processes {

namespace {

// The start time is the 22nd field of the line; the state, the 3rd, is the first after the command name.
constexpr int StartTicksAfterState = 19;

// A file of the process table, read whole up to `most` bytes (a status line is a few hundred).
std::string fileText(const std::string& path, std::size_t most = 4096) {
    std::string text(most, '\0');
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return {};
    }
    std::size_t size = 0;
    while (size < most) {
        const ssize_t got = read(file, text.data() + size, most - size);
        if (got <= 0) {
            size = got < 0 ? 0 : size;
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    close(file);
    text.resize(size);
    return text;
}

bool ownedByThisUser(const std::string& processFolder) {
    struct stat owner {};
    return stat(processFolder.c_str(), &owner) == 0 && owner.st_uid == getuid();
}

// The first of a list of strings, each ended by a NUL (a process's arguments or its environment), that `wanted`
// takes; empty when none does.
template <typename Wanted> std::string_view firstEntry(std::string_view list, const Wanted& wanted) {
    while (!list.empty()) {
        const std::string_view entry = list.substr(0, list.find('\0'));
        if (wanted(entry)) {
            return entry;
        }
        list.remove_prefix(std::min(list.size(), entry.size() + 1));
    }
    return {};
}

bool argumentsHoldAny(std::string_view arguments, std::span<const std::string_view> wanted) {
    return !firstEntry(arguments, [wanted](std::string_view argument) {
                return std::find(wanted.begin(), wanted.end(), argument) != wanted.end();
            }).empty();
}

// The value of a variable in a process's environment ("NAME=value"), empty when it has none.
std::string_view valueIn(std::string_view environment, std::string_view name) {
    const std::string_view entry = firstEntry(environment, [name](std::string_view candidate) {
        return candidate.size() > name.size() && candidate.starts_with(name) && candidate[name.size()] == '=';
    });
    return entry.empty() ? entry : entry.substr(name.size() + 1);
}

} // namespace

std::optional<ProcessStart> parseStatLine(std::string_view line) {
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return std::nullopt;
    }
    ProcessStart start;
    start.command = std::string(line.substr(open + 1, close - open - 1));
    std::string_view rest = line.substr(close + 1);
    const auto nextField = [&rest]() -> std::string_view {
        const std::size_t from = rest.find_first_not_of(' ');
        if (from == std::string_view::npos) {
            rest = {};
            return {};
        }
        rest.remove_prefix(from);
        const std::string_view field = rest.substr(0, rest.find(' '));
        rest.remove_prefix(field.size());
        return field;
    };
    const std::string_view state = nextField();
    if (state.size() != 1) {
        return std::nullopt;
    }
    start.ended = state == "Z" || state == "X";
    std::string_view ticks;
    for (int field = 0; field < StartTicksAfterState; ++field) {
        ticks = nextField();
    }
    const auto [end, error] = std::from_chars(ticks.data(), ticks.data() + ticks.size(), start.startTicks);
    if (ticks.empty() || error != std::errc() || end != ticks.data() + ticks.size()) {
        return std::nullopt;
    }
    return start;
}

bool startedJustBefore(std::chrono::milliseconds within, std::span<const std::string_view> passingOver,
                       const char* sharing) {
    const std::optional<ProcessStart> self = parseStatLine(fileText("/proc/self/stat"));
    if (!self) {
        return false;
    }
    const char* const shared = std::getenv(sharing); // NOLINT(concurrency-mt-unsafe): nothing sets the environment
    const std::string_view ownValue = shared == nullptr ? std::string_view() : std::string_view(shared);
    const pid_t ownId = getpid();
    const auto ticksPerSecond = static_cast<unsigned long long>(sysconf(_SC_CLK_TCK));
    const auto withinTicks = static_cast<unsigned long long>(within.count()) * ticksPerSecond / 1000;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t id = 0;
        const auto [end, bad] = std::from_chars(name.data(), name.data() + name.size(), id);
        if (bad != std::errc() || end != name.data() + name.size() || id == ownId) {
            continue;
        }
        const std::optional<ProcessStart> other = parseStatLine(fileText(entry.path().string() + "/stat"));
        // Two starts in the same tick are taken in the order of their process numbers.
        const bool before =
            other && (other->startTicks < self->startTicks || (other->startTicks == self->startTicks && id < ownId));
        if (before && !other->ended && other->command == self->command &&
            self->startTicks - other->startTicks <= withinTicks && ownedByThisUser(entry.path().string()) &&
            !argumentsHoldAny(fileText(entry.path().string() + "/cmdline", 1 << 16), passingOver) &&
            valueIn(fileText(entry.path().string() + "/environ", 1 << 18), sharing) == ownValue) {
            return true;
        }
    }
    return false;
}

} // namespace platform::processes
