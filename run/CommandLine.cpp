#include "run/CommandLine.h"

namespace run {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool wordsOnly = false; // after "--" everything is a word, even one that starts with a dash
    for (const std::string& argument : arguments) {
        if (!wordsOnly && argument == "--") {
            wordsOnly = true;
        } else if (!wordsOnly && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Action::Help, {}, false, {}};
        } else if (!wordsOnly && (argument == "--version" || argument == "-v")) {
            return {CommandLine::Action::Version, {}, false, {}};
        } else if (!wordsOnly && argument == "--selection") {
            line.selection = true;
        } else if (!wordsOnly && argument.size() > 1 && argument[0] == '-') {
            return {CommandLine::Action::Error, {}, false, "unknown option '" + argument + "'"};
        } else if (!argument.empty()) {
            line.lookUp += (line.lookUp.empty() ? "" : " ") + argument;
        }
    }
    if (line.selection && !line.lookUp.empty()) {
        return {CommandLine::Action::Error, {}, false, "give words or --selection, not both"};
    }
    return line;
}

std::string commandLineHelp() {
    return "Usage: lexorant [WORD...] | --selection\n"
           "A vocabulary reference: browse the words and their meanings, or find one.\n"
           "\n"
           "  WORD...       find the words given, joined by spaces, once the window is up\n"
           "  --selection   find the text selected in any program (else the clipboard's)\n"
           "  -h, --help    show this help and end\n"
           "  -v, --version show the version and end\n"
           "  --            what follows is words, even when it starts with a dash\n"
           "\n"
           "When Lexorant is already running, that one finds the words and comes to the front.\n";
}

} // namespace run
