#pragma once

// For the fuzz targets that open a file by its path: each input written over one scratch file of the process's own.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzzsupport {

// The scratch file's path, with the input as its whole content. Any failure aborts: it is the harness's, not the
// code's under test.
inline const std::string& writeScratchFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = [] {
        char name[] = "/tmp/lexorant-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        return std::string(name);
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size) {
        std::abort();
    }
    std::fclose(file);
    return path;
}

} // namespace fuzzsupport
