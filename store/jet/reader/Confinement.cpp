#include "store/jet/reader/Confinement.h"

#include <cerrno>
#include <initializer_list>
#include <seccomp.h>
#include <sys/mman.h>

namespace store {

namespace {

// A condition on a call's argument (libseccomp's own macros for it are C).
scmp_arg_cmp argument(unsigned int index, scmp_compare op, scmp_datum_t value, scmp_datum_t other = 0) {
    return scmp_arg_cmp{index, op, value, other};
}

} // namespace

bool confineReader(int streamFd, int complaintsFd) {
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (filter == nullptr) {
        return false;
    }
    bool made = true;
    for (const int call :
         {SCMP_SYS(read), SCMP_SYS(pread64), SCMP_SYS(readv), SCMP_SYS(lseek), SCMP_SYS(fstat), SCMP_SYS(newfstatat),
          SCMP_SYS(brk), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(madvise), SCMP_SYS(futex), SCMP_SYS(close),
          SCMP_SYS(exit), SCMP_SYS(exit_group), SCMP_SYS(rt_sigreturn), SCMP_SYS(rt_sigprocmask), SCMP_SYS(getpid),
          SCMP_SYS(gettid), SCMP_SYS(clock_gettime)}) {
        made = made && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    }
    // Memory may be taken, and made readable and writable, never executable.
    for (const int call : {SCMP_SYS(mmap), SCMP_SYS(mprotect)}) {
        made = made &&
               seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1, argument(2, SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)) == 0;
    }
    for (const auto fd : {static_cast<scmp_datum_t>(streamFd), static_cast<scmp_datum_t>(complaintsFd)}) {
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

} // namespace store
