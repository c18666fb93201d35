// The Access reader's confinement, tried in a child process under the filter itself: opening a file is refused,
// executable memory ends the process, writing goes only to the two descriptors the reader keeps.
#include "store/jet/reader/Confinement.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What became of a child that confined itself and then made one call; the call's own check is the child's exit
// status (0: it did what the filter allows and returned as expected).
struct Ending {
    bool killed;
    int status; // the signal that ended it, or its exit status
};

Ending confinedChild(const std::function<int()>& call) {
    const pid_t child = fork();
    if (child == 0) {
        // Raw calls only from here on, the end too (a sanitizer's _exit makes calls of its own): the filter is the
        // sole judge of what happens.
        syscall(SYS_exit_group, store::confineReader(STDOUT_FILENO, STDERR_FILENO) ? call() : 99);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? Ending{true, WTERMSIG(status)} : Ending{false, WEXITSTATUS(status)};
}

} // namespace

TEST(ReaderConfinement, OpeningIsRefusedAndAnythingElseEndsTheReader) {
    const Ending opened = confinedChild([] {
        const long fd = syscall(SYS_openat, AT_FDCWD, "/etc/hostname", O_RDONLY);
        return fd == -1 && errno == EACCES ? 0 : 1;
    });
    EXPECT_FALSE(opened.killed);
    EXPECT_EQ(opened.status, 0) << "open was not refused with EACCES";

    const struct {
        const char* name;
        std::function<int()> call;
    } forbidden[] = {
        {"executable memory by mmap",
         [] {
             syscall(SYS_mmap, nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
             return 0;
         }},
        {"memory made executable by mprotect",
         [] {
             static char page[8192];
             const auto at = (reinterpret_cast<std::uintptr_t>(page) + 4095) & ~std::uintptr_t{4095};
             syscall(SYS_mprotect, at, 4096, PROT_READ | PROT_EXEC);
             return 0;
         }},
        {"writing to another descriptor", [] { return static_cast<int>(syscall(SYS_write, 5, "x", 1)) * 0; }},
        {"a socket", [] { return static_cast<int>(syscall(SYS_socket, AF_UNIX, SOCK_STREAM, 0)) * 0; }},
    };
    for (const auto& f : forbidden) {
        const Ending ended = confinedChild(f.call);
        EXPECT_TRUE(ended.killed && ended.status == SIGSYS) << f.name << " did not end the reader";
    }
    // What it needs still works: memory to read into.
    const Ending mapped = confinedChild([] {
        const long memory =
            syscall(SYS_mmap, nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return memory == -1 ? 1 : 0;
    });
    EXPECT_FALSE(mapped.killed);
    EXPECT_EQ(mapped.status, 0);
}
