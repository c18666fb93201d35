#pragma once

#include "store/RecordSource.h"

#include <memory>
#include <optional>
#include <string>

namespace store {

// A kind of database file: how its tables are found and read. A new kind of file is a backend and nothing else.
class StoreBackend {
public:
    virtual ~StoreBackend() = default;
    // The records of a table named ignoring letter case; nothing when the file has no such table.
    virtual std::optional<std::unique_ptr<RecordSource>> openTable(const std::string& table) = 0;
};

} // namespace store
