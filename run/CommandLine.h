#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace run {

inline constexpr std::string_view WordsForOption = "--words-for";
inline constexpr std::string_view HelpOption = "--help";
inline constexpr std::string_view HelpShort = "-h";
inline constexpr std::string_view VersionOption = "--version";
inline constexpr std::string_view VersionShort = "-v";

// The options of a start that only prints and ends, never opening a window.
inline constexpr std::array<std::string_view, 5> PrintingOnly{WordsForOption, HelpOption, HelpShort, VersionOption,
                                                              VersionShort};

// What the command line asks for. Qt's own options (-display, -platform, ...) are taken out before.
struct CommandLine {
    enum class Action { Run, Help, Version, Error, WordsFor };
    Action action = Action::Run;
    std::string lookUp;      // words given, joined by single spaces: found once the program is up
    bool selection = false;  // --selection: the text selected in any program is found
    std::string error;       // for Error: what was wrong, for standard error
    std::string description; // for WordsFor: the words for this meaning are printed, without a window
    int count = 10;          // --count: how many of them, 1 to 1000
};

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string commandLineHelp();

} // namespace run
