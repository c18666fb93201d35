#include "platform/headless/Processes.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::processes {

namespace {

// The start time is the 22nd field of the line; the state, the 3rd, is the first after the command name.
constexpr int StartTicksAfterState = 19;

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The process's arguments, each ended by a NUL.
bool argumentsHoldAny(const std::string& arguments, std::span<const std::string_view> wanted) {
    std::string_view rest = arguments;
    while (!rest.empty()) {
        const std::string_view argument = rest.substr(0, rest.find('\0'));
        if (std::find(wanted.begin(), wanted.end(), argument) != wanted.end()) {
            return true;
        }
        rest.remove_prefix(std::min(rest.size(), argument.size() + 1));
    }
    return false;
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

bool startedJustBefore(std::chrono::milliseconds within, std::span<const std::string_view> passingOver) {
    const std::optional<ProcessStart> self = parseStatLine(fileText("/proc/self/stat"));
    if (!self) {
        return false;
    }
    const pid_t ownId = getpid();
    const auto ticksPerSecond = static_cast<unsigned long long>(sysconf(_SC_CLK_TCK));
    const auto withinTicks = static_cast<unsigned long long>(within.count()) * ticksPerSecond / 1000;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t id = 0;
        const auto [end, bad] = std::from_chars(name.data(), name.data() + name.size(), id);
        struct stat owner {};
        if (bad != std::errc() || end != name.data() + name.size() || id == ownId ||
            stat(entry.path().c_str(), &owner) != 0 || owner.st_uid != getuid()) {
            continue;
        }
        const std::optional<ProcessStart> other = parseStatLine(fileText(entry.path() / "stat"));
        // Two starts in the same tick are taken in the order of their process numbers.
        const bool before =
            other && (other->startTicks < self->startTicks || (other->startTicks == self->startTicks && id < ownId));
        if (before && !other->ended && other->command == self->command &&
            self->startTicks - other->startTicks <= withinTicks &&
            !argumentsHoldAny(fileText(entry.path() / "cmdline"), passingOver)) {
            return true;
        }
    }
    return false;
}

} // namespace platform::processes
