#pragma once

#include "core/store/RecordSource.h"

#include <memory>
#include <string>

namespace core {

// The start of a file: what the store recognises it as.
enum class FileFormat { Sqlite, Jet, Unknown };
FileFormat formatOf(const std::string& path);

// Checks the header of a file formatOf found to be Jet before any view reads it: error 3343 for a version it cannot
// read (a later Access file, or damage), 3031 for a database with a password.
void checkJetHeader(const std::string& path);

// A view's records from a table (named ignoring letter case) of a Microsoft Access (Jet 3 or Jet 4) database. A
// reader process reads the table through libmdb, in stored order, and the views of one file share what it has read;
// each view keeps its own place. Raises error 3078 (with no text: the caller names the table) when the file has no
// such table, and 3343 when the file cannot be read to the end. The file is only ever read.
std::unique_ptr<RecordSource> openJetSource(const std::string& path, const std::string& table);

} // namespace core
