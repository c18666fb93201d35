#pragma once

#include "store/jet/JetStream.h"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace store {

// Where the reader program is: beside the running program.
std::string readerProgram();

// The reader program (lexorant-jet-reader, beside the program) reading one table of a file, and the program's end
// of its stream. A wait for bytes has a limit while the program wants them: a reader that hangs or loops is taken
// for one that cannot read the file; so is one that trickles its bytes, once the program has waited for them, in
// all, longer than a file of its size takes to read. While the program wants nothing, the reader waits on a full
// pipe for as long as it must. The reader is killed and reaped with its owner, and dies with the program in any
// case.
class ReaderProcess final : public jetstream::ByteSource {
public:
    struct Limits {
        std::chrono::milliseconds eachWait{10000};
        // In all, for the whole table: this much, and a second more for every 10 MB of the file.
        std::chrono::milliseconds allWaits{10000};
    };

    // Raises a run-time error that says so when the reader cannot be started. `program` is the reader program.
    ReaderProcess(const std::string& path, const std::string& table, const Limits& limits,
                  const std::string& program = readerProgram());
    ReaderProcess(const std::string& path, const std::string& table) : ReaderProcess(path, table, Limits{}) {}
    ~ReaderProcess() override;
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    // Throws jetstream::StreamError when no byte comes for a wait's limit, or the waits together pass theirs.
    bool read(void* into, std::size_t size) override;
    // Ends the reader (the stream is no longer wanted) and reaps it.
    void stop();

    pid_t pid() const { return m_pid; }

private:
    bool fill();

    pid_t m_pid = -1;
    int m_in = -1;
    std::vector<char> m_buffer;
    std::size_t m_at = 0;
    std::size_t m_end = 0;
    std::chrono::milliseconds m_eachWait;
    std::chrono::milliseconds m_waitsLeft;
};

} // namespace store
