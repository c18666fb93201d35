#pragma once

#include "store/Database.h"

#include <memory>

namespace core {

// Opens a window's own view of the word store, as every window that has one does: the database beside the
// executable (the raw directory followed by "/db2.mdb"), a dynaset over "Select * From Table3", on its first record.
void OpenWordView(std::unique_ptr<store::Database>& db, std::unique_ptr<store::Recordset>& rstInfo);

// Starts reading the word table before the first window opens its view, where the store can (see prepareTable).
void PrepareWordViews();

} // namespace core
