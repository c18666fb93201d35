#include "core/store/FileFormat.h"

#include <array>
#include <cstring>
#include <fstream>

namespace core {

FileFormat formatOf(const std::string& path) {
    std::array<char, 32> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), head.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got >= 16 && std::memcmp(head.data(), "SQLite format 3\0", 16) == 0) {
        return FileFormat::Sqlite;
    }
    if (got >= 19 && std::memcmp(head.data() + 4, "Standard Jet DB", 15) == 0) {
        return FileFormat::Jet;
    }
    return FileFormat::Unknown;
}

} // namespace core
