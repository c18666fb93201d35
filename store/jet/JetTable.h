#pragma once

#include "store/StoreBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace store {

// The tables of a Microsoft Access (Jet 3 or Jet 4) database. The header is checked when it opens: error 3343 for a
// version it cannot read (a later Access file, or damage), 3031 for a database with a password. Each table is read
// by a reader process of its own, in stored order; the views of one file share what it has read, and each keeps its
// own place. A file that cannot be read to the end is error 3343 when a view reaches the damage. The file is only
// ever read. Tables shared with the views are read on the window's thread; a backend's own tables may be read on any
// thread (each of them is its own, and never takes the reader started early).
enum class JetSharing { WithViews, Own };
std::unique_ptr<StoreBackend> jetBackend(const std::string& path, JetSharing sharing);

// Starts the reader of a table before any view asks for it, so that it has opened the file by the time the first
// view does; that view takes it over if the file is still the same. Silent: whatever is wrong with the file or the
// reader is said when a view opens the file, as it would be without the early start.
void startJetReaderEarly(const std::string& path, const std::string& table);

} // namespace store
