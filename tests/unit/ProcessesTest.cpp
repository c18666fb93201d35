// Other starts of the program, as the process table shows them: a start with a look-up hands it to a Lexorant started
// moments before, so who started first must be read right, whatever the command name holds.
#include "platform/headless/Processes.h"

#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

using platform::processes::parseStatLine;

namespace {

// 22 fields: the start time is the last here.
std::string statLine(const std::string& command, char state, const std::string& ticks) {
    return "4242 (" + command + ") " + state + " 1 4242 4242 0 -1 4194560 3 0 0 0 5 1 0 0 20 0 1 0 " + ticks;
}

struct StatCase {
    const char* name;
    std::string line;
    bool parsed;
    std::string command;
    bool ended;
    unsigned long long ticks;
};

class StatLines : public ::testing::TestWithParam<StatCase> {};

} // namespace

TEST_P(StatLines, GiveTheCommandWhetherItEndedAndItsStart) {
    const StatCase& c = GetParam();
    const auto start = parseStatLine(c.line);
    ASSERT_EQ(start.has_value(), c.parsed);
    if (start) {
        EXPECT_EQ(start->command, c.command);
        EXPECT_EQ(start->ended, c.ended);
        EXPECT_EQ(start->startTicks, c.ticks);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Processes, StatLines,
    ::testing::Values(
        StatCase{"Running", statLine("lexorant", 'S', "123456") + " 99 0", true, "lexorant", false, 123456},
        StatCase{"BlanksAndBracketsInTheName", statLine("a) b (c", 'R', "77") + " 1", true, "a) b (c", false, 77},
        StatCase{"AZombie", statLine("lexorant", 'Z', "5"), true, "lexorant", true, 5},
        StatCase{"CutShort", "4242 (lexorant) S 1 4242", false, "", false, 0},
        StatCase{"NoName", "4242 lexorant S 1", false, "", false, 0},
        StatCase{"NotANumber", statLine("lexorant", 'S', "12x"), false, "", false, 0},
        StatCase{"Empty", "", false, "", false, 0}),
    [](const auto& param) { return param.param.name; });

// A child of this test is a start of the same program that began after it: it finds this one, unless this one's
// arguments are passed over or it is in another session.
TEST(Processes, AChildFindsItsParentStartedJustBeforeItInTheSameSessionUnlessPassedOver) {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string arguments{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string program = arguments.substr(0, arguments.find('\0'));
    // The session is told by a variable that both have (the program takes the session bus's address; PATH here).
    const auto childFinds = [](std::span<const std::string_view> passingOver, const char* session = nullptr) {
        const pid_t child = fork();
        if (child == 0) {
            if (session != nullptr) {
                setenv("PATH", session, 1); // NOLINT(concurrency-mt-unsafe): the child alone
            }
            _exit(platform::processes::startedJustBefore(std::chrono::hours(1), passingOver, "PATH") ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) == 1;
    };
    EXPECT_TRUE(childFinds({}));
    const std::array<std::string_view, 1> itself{program};
    EXPECT_FALSE(childFinds(itself));
    EXPECT_FALSE(childFinds({}, "another session")) << "a start in another session";
}
