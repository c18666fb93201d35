// The command line: words to find, the selection, help, version, and clear errors.
#include "run/CommandLine.h"

#include <gtest/gtest.h>

using run::CommandLine;
using Action = CommandLine::Action;

TEST(CommandLine, WordsSelectionHelpVersionAndErrors) {
    const struct {
        std::vector<std::string> arguments;
        Action action;
        std::string lookUp;
        bool selection;
    } cases[] = {
        {{}, Action::Run, "", false},
        {{"ice", "cream"}, Action::Run, "ice cream", false},
        {{"o'clock"}, Action::Run, "o'clock", false},
        {{"--selection"}, Action::Run, "", true},
        {{"--", "-ism", "--help"}, Action::Run, "-ism --help", false},
        {{"zeal", "--help"}, Action::Help, "", false},
        {{"-v"}, Action::Version, "", false},
        {{"--bogus"}, Action::Error, "", false},
        {{"-x", "--help"}, Action::Error, "", false},
        {{"--selection", "zeal"}, Action::Error, "", false},
    };
    for (const auto& c : cases) {
        const CommandLine line = run::parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << c.arguments.size();
        EXPECT_EQ(line.lookUp, c.lookUp);
        EXPECT_EQ(line.selection, c.selection);
        EXPECT_EQ(line.error.empty(), c.action != Action::Error);
    }
}
