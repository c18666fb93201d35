#pragma once

#include <string>

namespace core {

// The start of a file: what the store recognises it as.
enum class FileFormat { Sqlite, Jet, Unknown };
FileFormat formatOf(const std::string& path);

} // namespace core
