#include "store/jet/ReaderProcess.h"

#include "platform/headless/RuntimeError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ; // NOLINT(readability-redundant-declaration): unistd.h declares it only for _GNU_SOURCE

namespace store {

namespace {

constexpr int StreamFd = 3; // where the reader writes its stream
constexpr std::size_t BufferSize = std::size_t{64} * 1024;

// Everything posix_spawn is told, released with it.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    explicit SpawnSetup(int streamEnd) {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, streamEnd, StreamFd); // a copy without close-on-exec
        posix_spawn_file_actions_addclosefrom_np(&actions, StreamFd + 1);
        // Signals as a fresh program has them, whatever the program has blocked or caught.
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

[[noreturn]] void raiseNotStarted(const std::string& program, int error) {
    throw platform::RuntimeError(platform::err::FileNotFound,
                                 "The Access reader '" + program +
                                     "' could not be started: " + std::generic_category().message(error) + ".");
}

} // namespace

std::string readerProgram() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (self.parent_path() / "lexorant-jet-reader").string();
}

ReaderProcess::ReaderProcess(const std::string& path, const std::string& table, const Limits& limits,
                             const std::string& program)
    : m_buffer(BufferSize), m_eachWait(limits.eachWait), m_waitsLeft(limits.allWaits) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    constexpr std::uintmax_t TenMegabytes = std::uintmax_t{10} << 20;
    m_waitsLeft += std::chrono::seconds(ec ? 0 : static_cast<std::int64_t>(size / TenMegabytes));
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC) != 0) {
        raiseNotStarted(program, errno);
    }
    const SpawnSetup setup(ends[1]);
    const std::string parent = std::to_string(getpid());
    std::array<char*, 5> argv{const_cast<char*>(program.c_str()), const_cast<char*>(path.c_str()),
                              const_cast<char*>(table.c_str()), const_cast<char*>(parent.c_str()), nullptr};
    const int failed = posix_spawn(&m_pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    close(ends[1]);
    if (failed != 0) {
        close(ends[0]);
        m_pid = -1;
        raiseNotStarted(program, failed);
    }
    m_in = ends[0];
}

ReaderProcess::~ReaderProcess() {
    stop();
}

void ReaderProcess::stop() {
    if (m_in >= 0) {
        close(m_in);
        m_in = -1;
    }
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
}

bool ReaderProcess::fill() {
    if (m_in < 0) {
        return false;
    }
    pollfd wanted{m_in, POLLIN, 0};
    int ready = 0;
    const auto waiting = std::min(m_eachWait, m_waitsLeft);
    const auto started = std::chrono::steady_clock::now();
    do {
        ready = poll(&wanted, 1, static_cast<int>(waiting.count()));
    } while (ready < 0 && errno == EINTR);
    m_waitsLeft -= std::min(
        m_waitsLeft, std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started));
    if (ready == 0) {
        stop();
        throw jetstream::StreamError(waiting < m_eachWait ? "the reader took longer than a file of its size takes"
                                                          : "the reader stopped answering");
    }
    ssize_t got = 0;
    do {
        got = ::read(m_in, m_buffer.data(), m_buffer.size());
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        return false;
    }
    m_at = 0;
    m_end = static_cast<std::size_t>(got);
    return true;
}

bool ReaderProcess::read(void* into, std::size_t size) {
    auto* out = static_cast<char*>(into);
    while (size > 0) {
        if (m_at == m_end && !fill()) {
            return false;
        }
        const std::size_t piece = std::min(size, m_end - m_at);
        std::memcpy(out, m_buffer.data() + m_at, piece);
        m_at += piece;
        out += piece;
        size -= piece;
    }
    return true;
}

} // namespace store
