// The plain logic of a run: what the command line asks for, and the history of the words found. Each case is named,
// so that a failure says which.
#include "run/CommandLine.h"
#include "run/History.h"

#include <gtest/gtest.h>

using run::CommandLine;
using Action = CommandLine::Action;

namespace {

struct LineCase {
    const char* name;
    std::vector<std::string> arguments;
    Action action;
    std::string lookUp;
    bool selection;
};

class CommandLines : public ::testing::TestWithParam<LineCase> {};

} // namespace

TEST_P(CommandLines, AskForWordsTheSelectionHelpVersionOrSayWhatIsWrong) {
    const LineCase& c = GetParam();
    const CommandLine line = run::parseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.lookUp, c.lookUp);
    EXPECT_EQ(line.selection, c.selection);
    EXPECT_EQ(line.error.empty(), c.action != Action::Error) << line.error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, CommandLines,
    ::testing::Values(
        LineCase{"Nothing", {}, Action::Run, "", false},
        LineCase{"WordsJoined", {"ice", "cream"}, Action::Run, "ice cream", false},
        LineCase{"AnApostrophe", {"o'clock"}, Action::Run, "o'clock", false},
        LineCase{"AnEmptyArgumentIsNoWord", {"", "zeal", ""}, Action::Run, "zeal", false},
        LineCase{"TheSelection", {"--selection"}, Action::Run, "", true},
        LineCase{"WordsAfterTheEndOfOptions", {"--", "-ism", "--help"}, Action::Run, "-ism --help", false},
        LineCase{"TheEndOfOptionsAfterWords", {"zeal", "--", "--help"}, Action::Run, "zeal --help", false},
        LineCase{"HelpAfterAWord", {"zeal", "--help"}, Action::Help, "", false},
        LineCase{"ShortVersion", {"-v"}, Action::Version, "", false},
        LineCase{"AnUnknownOption", {"--bogus"}, Action::Error, "", false},
        LineCase{"AnUnknownOptionBeforeHelp", {"-x", "--help"}, Action::Error, "", false},
        LineCase{"WordsAndTheSelection", {"--selection", "zeal"}, Action::Error, "", false},
        LineCase{"WordsForAMeaning", {"--words-for", "fear of heights", "--count", "3"}, Action::WordsFor, "", false},
        LineCase{"WordsForADashedMeaning", {"--words-for", "--help"}, Action::WordsFor, "", false},
        LineCase{"WordsForWithNoMeaning", {"--words-for"}, Action::Error, "", false},
        LineCase{"ACountOfNone", {"--words-for", "x", "--count", "0"}, Action::Error, "", false},
        LineCase{"ACountOverAThousand", {"--words-for", "x", "--count", "1001"}, Action::Error, "", false},
        LineCase{"ACountAlone", {"--count", "5"}, Action::Error, "", false},
        LineCase{"WordsForBesideWords", {"zeal", "--words-for", "x"}, Action::Error, "", false}),
    [](const auto& param) { return std::string(param.param.name); });

// A look-up waits for an earlier start only where that start opens a window: each option listed as only printing
// must ask for something that prints and ends.
TEST(CommandLine, EveryOptionListedAsOnlyPrintingPrints) {
    for (const std::string_view option : run::PrintingOnly) {
        const Action action = run::parseCommandLine({std::string(option), "fear"}).action;
        EXPECT_TRUE(action == Action::Help || action == Action::Version || action == Action::WordsFor) << option;
    }
}

namespace {

// A step through the history: a word found, or back or forward (what it gives: the word, or "" for nothing).
struct Step {
    char kind; // 'v'isit, 'b'ack, 'f'orward, 'r'estore
    std::string word;
};

struct HistoryCase {
    const char* name;
    std::vector<Step> steps;
};

class Histories : public ::testing::TestWithParam<HistoryCase> {};

} // namespace

TEST_P(Histories, StepAsABrowserDoes) {
    run::History history;
    int n = 0;
    for (const Step& step : GetParam().steps) {
        ++n;
        if (step.kind == 'v') {
            history.visit(step.word);
            continue;
        }
        if (step.kind == 'r') { // the words of an earlier run, the oldest first, comma-separated
            std::vector<std::string> earlier;
            for (std::size_t at = 0; at < step.word.size(); at += 2) {
                earlier.push_back(step.word.substr(at, 1));
            }
            history.restore(earlier);
            continue;
        }
        const auto got = step.kind == 'b' ? history.back() : history.forward();
        EXPECT_EQ(got.value_or(""), step.word) << "step " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    History, Histories,
    ::testing::Values(
        HistoryCase{"NothingYet", {{'b', ""}, {'f', ""}}},
        HistoryCase{
            "BackAndForward",
            {{'v', "a"}, {'v', "b"}, {'v', "c"}, {'b', "b"}, {'b', "a"}, {'b', ""}, {'f', "b"}, {'f', "c"}, {'f', ""}}},
        HistoryCase{"TheSameWordTwiceIsOneStep", {{'v', "a"}, {'v', "a"}, {'b', ""}}},
        // Found again where the reader stands, the words ahead stay; found anew, they go.
        HistoryCase{"TheWordStoodOnFoundAgainKeepsTheWordsAhead",
                    {{'v', "a"}, {'v', "b"}, {'b', "a"}, {'v', "a"}, {'f', "b"}}},
        HistoryCase{"ANewWordAfterSteppingBackDropsTheWordsAhead",
                    {{'v', "a"}, {'v', "b"}, {'v', "c"}, {'b', "b"}, {'v', "d"}, {'f', ""}, {'b', "b"}, {'b', "a"}}},
        // The last run's words come before this run's, which stay the newest.
        HistoryCase{"BackIntoTheLastRun",
                    {{'v', "c"}, {'r', "a,b"}, {'b', "b"}, {'b', "a"}, {'b', ""}, {'f', "b"}, {'f', "c"}, {'f', ""}}},
        HistoryCase{"TheLastRunsNewestFoundAgainIsOneStep", {{'v', "b"}, {'r', "a,b"}, {'b', "a"}, {'b', ""}}}),
    [](const auto& param) { return std::string(param.param.name); });
