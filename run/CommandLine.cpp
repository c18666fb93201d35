#include "run/CommandLine.h"

#include <optional>
#include <utility>

namespace run {

namespace {
constexpr int MostWordsFor = 1000;

CommandLine only(CommandLine::Action action) {
    CommandLine line;
    line.action = action;
    return line;
}

CommandLine failed(std::string error) {
    CommandLine line = only(CommandLine::Action::Error);
    line.error = std::move(error);
    return line;
}

// --count N: a whole number from 1 to 1000; nothing otherwise.
std::optional<int> countFrom(const std::string& text) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int count = std::stoi(text);
    return count >= 1 && count <= MostWordsFor ? std::optional<int>(count) : std::nullopt;
}
} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool wordsOnly = false; // after "--" everything is a word, even one that starts with a dash
    bool wordsFor = false;
    bool counted = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!wordsOnly && (argument == WordsForOption || argument == "--count")) {
            if (i + 1 >= arguments.size()) {
                return failed("'" + argument + "' needs a value");
            }
            const std::string& value = arguments[++i];
            if (argument == WordsForOption) {
                wordsFor = true;
                line.description = value;
            } else if (const auto count = countFrom(value)) {
                counted = true;
                line.count = *count;
            } else {
                return failed("'--count' takes a number from 1 to 1000 (with --words-for)");
            }
        } else if (!wordsOnly && argument == "--") {
            wordsOnly = true;
        } else if (!wordsOnly && (argument == HelpOption || argument == HelpShort)) {
            return only(CommandLine::Action::Help);
        } else if (!wordsOnly && (argument == VersionOption || argument == VersionShort)) {
            return only(CommandLine::Action::Version);
        } else if (!wordsOnly && argument == "--selection") {
            line.selection = true;
        } else if (!wordsOnly && argument.size() > 1 && argument[0] == '-') {
            return failed("unknown option '" + argument + "'");
        } else if (!argument.empty()) {
            line.lookUp += (line.lookUp.empty() ? "" : " ") + argument;
        }
    }
    if (line.selection && !line.lookUp.empty()) {
        return failed("give words or --selection, not both");
    }
    if (wordsFor && (line.selection || !line.lookUp.empty())) {
        return failed("give --words-for alone, without words or --selection");
    }
    if (counted && !wordsFor) {
        return failed("'--count' goes with '--words-for'");
    }
    if (wordsFor) {
        line.action = CommandLine::Action::WordsFor;
    }
    return line;
}

std::string commandLineHelp() {
    return "Usage: lexorant [WORD...] | --selection | --words-for TEXT [--count N]\n"
           "A vocabulary reference: browse the words and their meanings, or find one.\n"
           "\n"
           "  WORD...       find the words given, joined by spaces, once the window is up\n"
           "  --selection   find the text selected in any program (else the clipboard's)\n"
           "  --words-for TEXT  print the words that mean TEXT, best first, one a line, without a window\n"
           "  --count N     how many words --words-for prints (1 to 1000; 10 when not given)\n"
           "  -h, --help    show this help and end\n"
           "  -v, --version show the version and end\n"
           "  --            what follows is words, even when it starts with a dash\n"
           "\n"
           "When Lexorant is already running, that one finds the words and comes to the front.\n";
}

} // namespace run
