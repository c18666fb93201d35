// lexorant-jet-reader FILE TABLE PARENT: reads one table of an Access file and writes it, as a stream, to
// descriptor 3. The program starts it for each table it opens and reads the stream as its views need records.
//
// It reads untrusted files through libmdb, so it starts with nothing of the program's (a program of its own, started
// by exec) and keeps as little as it can: descriptors 0 to 2 lead nowhere, nothing but the stream is open, it dies
// with the program, its memory and processor time are limited, and once the file is open a seccomp filter leaves it
// only reading memory it has, writing the stream, and ending.
#include "store/jet/reader/Confinement.h"
#include "store/jet/reader/JetReader.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
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
    const int status = store::streamJetTable(
        argv[1], argv[2], StreamFd, {[] { return store::confineReader(StreamFd, ComplaintsFd); }, ComplaintsFd});
    _exit(status); // nothing of libmdb's to tidy up: the process ends
}
