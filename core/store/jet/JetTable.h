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
// Starts the reader of a table before any view asks for it, so that it has opened the file by the time the first
// view does; that view takes it over if the file is still the same. Silent: whatever is wrong with the file or the
// reader is said when a view opens the file, as it would be without the early start.
void startJetReaderEarly(const std::string& path, const std::string& table);

std::optional<std::vector<std::string>> readJetWords(const std::string& path, const std::string& table);

} // namespace core
