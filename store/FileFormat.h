#pragma once

#include <string>

namespace store {

// The first bytes of a file (fewer when it is shorter); nothing when it cannot be read or is no regular file (a
// pipe, a device, a directory), which is never waited on.
std::string fileStart(const std::string& path, std::size_t size);

// The start of a file: what the store recognises it as.
enum class FileFormat { Sqlite, Jet, Unknown };
FileFormat formatOf(const std::string& path);

} // namespace store
