#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform::processes {

// What a process's status line (/proc/PID/stat) says of it: its command name, whether it has ended (a zombie not yet
// waited for) and when it started, in clock ticks since the system booted.
struct ProcessStart {
    std::string command;
    bool ended = false;
    unsigned long long startTicks = 0;
};

// Reads a status line; nothing when it is not one. The command name stands in brackets and may itself hold blanks
// and brackets, so the fields are counted from the last closing bracket.
std::optional<ProcessStart> parseStatLine(std::string_view line);

// Whether another start of this program (a process of this user with this one's command name) began before this one,
// at most `within` before it, and still runs, with the same value of the environment variable `sharing` (the same
// desktop session, say); one whose arguments hold any of `passingOver` does not count (a start that only prints and
// ends).
bool startedJustBefore(std::chrono::milliseconds within, std::span<const std::string_view> passingOver,
                       const char* sharing);

} // namespace platform::processes
