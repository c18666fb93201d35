// lexorant-jet-reader FILE TABLE PARENT: reads one table of an Access file and writes it, as a stream, to
// descriptor 3. The program starts it for each table it opens and reads the stream as its views need records.
//
// It reads untrusted files through libmdb, so it starts with nothing of the program's (a program of its own, started
// by exec) and keeps as little as it can: descriptors 0 to 2 lead nowhere, nothing but the stream is open, it dies
// with the program, its memory and processor time are limited, and once the file is open a seccomp filter leaves it
// only reading memory it has, writing the stream, and ending.
#include "core/store/jet/reader/JetReader.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <seccomp.h>
#include <string>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int StreamFd = 3;
constexpr int ComplaintsFd = 2;

// What a damaged file may make libmdb take: far more than any real word list needs, far less than the machine has.
constexpr rlim_t MostMemory = rlim_t{1} << 30;
constexpr rlim_t MostSeconds = 60;

void limit(int resource, rlim_t most) {
    const rlimit value{most, most};
    setrlimit(resource, &value);
}

// A condition on a call's argument (libseccomp's own macros for it are C).
scmp_arg_cmp argument(unsigned int index, scmp_compare op, scmp_datum_t value, scmp_datum_t other = 0) {
    return scmp_arg_cmp{index, op, value, other};
}

// Only what reading an open file into memory and writing the stream need. Opening anything is refused (a library
// that looks for a file of its own carries on without it); any other call ends the reader.
bool confine() {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (filter == nullptr) {
        return false;
    }
    bool made = true;
    for (const int call :
         {SCMP_SYS(read),           SCMP_SYS(pread64),    SCMP_SYS(readv),      SCMP_SYS(lseek),
          SCMP_SYS(fstat),          SCMP_SYS(newfstatat), SCMP_SYS(brk),        SCMP_SYS(mmap),
          SCMP_SYS(munmap),         SCMP_SYS(mremap),     SCMP_SYS(madvise),    SCMP_SYS(futex),
          SCMP_SYS(close),          SCMP_SYS(exit),       SCMP_SYS(exit_group), SCMP_SYS(rt_sigreturn),
          SCMP_SYS(rt_sigprocmask), SCMP_SYS(getpid),     SCMP_SYS(gettid),     SCMP_SYS(clock_gettime)}) {
        made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    }
    // Memory may be made readable and writable, never executable.
    made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(mprotect), 1,
                                    argument(2, SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)) == 0;
    for (const scmp_datum_t fd : {scmp_datum_t{StreamFd}, scmp_datum_t{ComplaintsFd}}) {
        made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(write), 1, argument(0, SCMP_CMP_EQ, fd)) == 0;
        made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(writev), 1, argument(0, SCMP_CMP_EQ, fd)) == 0;
    }
    for (const int call : {SCMP_SYS(open), SCMP_SYS(openat)}) {
        made = made && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 0) == 0;
    }
    made = made && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return made;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    // Dies with the program, even if the program ended before this line.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (std::to_string(getppid()) != argv[3]) {
        return 1;
    }
    close_range(StreamFd + 1, ~0U, 0);
    // libmdb writes its complaints to standard error: they go to a file in memory, where the reader reads them as
    // damage, and never to the user's terminal.
    const int complaints = memfd_create("libmdb-complaints", MFD_CLOEXEC);
    if (complaints < 0 || dup2(complaints, ComplaintsFd) != ComplaintsFd) {
        return 1;
    }
    close(complaints);
    limit(RLIMIT_AS, MostMemory);
    limit(RLIMIT_CPU, MostSeconds);
    limit(RLIMIT_CORE, 0);
    const int status = core::streamJetTable(argv[1], argv[2], StreamFd, {confine, ComplaintsFd});
    _exit(status); // nothing of libmdb's to tidy up: the process ends
}
