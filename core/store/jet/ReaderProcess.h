#pragma once

#include "core/store/jet/JetStream.h"

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace core {

// The reader program (lexorant-jet-reader, beside the program) reading one table of a file, and the program's end
// of its stream. A wait for bytes has a limit while the program wants them: a reader that hangs or loops is taken
// for one that cannot read the file. While the program wants nothing, the reader waits on a full pipe for as long
// as it must. The reader is killed and reaped with its owner, and dies with the program in any case.
class ReaderProcess final : public jetstream::ByteSource {
public:
    // Raises a run-time error that says so when the reader cannot be started.
    ReaderProcess(const std::string& path, const std::string& table);
    ~ReaderProcess() override;
    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    // Throws jetstream::StreamError when no byte comes for WaitLimit.
    bool read(void* into, std::size_t size) override;
    // Ends the reader (the stream is no longer wanted) and reaps it.
    void stop();

    pid_t pid() const { return m_pid; }

    static constexpr std::chrono::milliseconds WaitLimit{10000};

private:
    bool fill();

    pid_t m_pid = -1;
    int m_in = -1;
    std::vector<char> m_buffer;
    std::size_t m_at = 0;
    std::size_t m_end = 0;
};

// Where the reader program is: beside the running program.
std::string readerProgram();

} // namespace core
