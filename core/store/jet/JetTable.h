#pragma once

#include "core/store/Database.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

// The tables of a Microsoft Access (Jet 3 or Jet 4) database. The header is checked when it opens: error 3343 for a
// version it cannot read (a later Access file, or damage), 3031 for a database with a password. Each table is read
// by a reader process of its own, in stored order; the views of one file share what it has read, and each keeps its
// own place. A file that cannot be read to the end is error 3343 when a view reaches the damage. The file is only
// ever read.
std::unique_ptr<StoreBackend> jetBackend(const std::string& path);

// The first column of a table, NULL left out, read by a reader process of its own and shared with no view, so that
// it may be read on any thread. Nothing when the file has no such table; error 3343 when it cannot be read.
std::optional<std::vector<std::string>> readJetWords(const std::string& path, const std::string& table);

} // namespace core
