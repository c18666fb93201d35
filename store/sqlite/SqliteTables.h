#pragma once

#include "store/StoreBackend.h"
#include "store/sqlite/Sqlite.h"

#include <memory>

namespace store {

// The tables of an SQLite file. A table with row ids is read record by record as the view moves. A table without
// them (declared WITHOUT ROWID) and a view are read once, in their own order, and shared by every view of the same
// file.
std::unique_ptr<StoreBackend> sqliteBackend(std::shared_ptr<SqliteConnection> connection);

} // namespace store
