#include "store/FileFormat.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

std::string fileStart(const std::string& path, std::size_t size) {
    // Opened without waiting (a pipe named like the file would wait for a writer for ever), and read only when it
    // is a file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string start;
    struct stat about {};
    if (fstat(fd, &about) == 0 && S_ISREG(about.st_mode)) {
        start.resize(size);
        std::size_t got = 0;
        for (ssize_t n = 1; got < size && n > 0; got += n > 0 ? static_cast<std::size_t>(n) : 0) {
            n = ::read(fd, start.data() + got, size - got);
        }
        start.resize(got);
    }
    ::close(fd);
    return start;
}

FileFormat formatOf(const std::string& path) {
    const std::string head = fileStart(path, 32);
    if (head.size() >= 16 && std::memcmp(head.data(), "SQLite format 3\0", 16) == 0) {
        return FileFormat::Sqlite;
    }
    if (head.size() >= 19 && std::memcmp(head.data() + 4, "Standard Jet DB", 15) == 0) {
        return FileFormat::Jet;
    }
    return FileFormat::Unknown;
}

} // namespace store
