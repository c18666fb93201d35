#pragma once

#include "core/store/Sqlite.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

using RecordValues = std::vector<std::optional<std::string>>;

// Where a view's records come from. Every record has a key, and keys increase in the table's own order, the order
// in which  SELECT * FROM table  returns its records.
class RecordSource {
public:
    virtual ~RecordSource() = default;

    // A table with row ids is read record by record as the view moves. A table without them (declared WITHOUT
    // ROWID) and a view are read once, in their own order, and shared by every view of the same file.
    static std::unique_ptr<RecordSource> open(const std::shared_ptr<SqliteConnection>& connection,
                                              const std::string& table);

    virtual const std::vector<std::string>& columns() const = 0;
    virtual std::optional<std::int64_t> first() = 0;
    virtual std::optional<std::int64_t> last() = 0;
    virtual std::optional<std::int64_t> next(std::int64_t key) = 0;
    virtual std::optional<std::int64_t> previous(std::int64_t key) = 0;
    // The record's values; false when the record has gone from the file since the view moved onto it.
    virtual bool read(std::int64_t key, RecordValues& values) = 0;
    // One column of every record, in order.
    virtual void scan(int column,
                      const std::function<void(std::int64_t key, const std::optional<std::string>& value)>& visit) = 0;
};

// A key for what was read of a table of a file: it changes when the file does (its size or its time), so that
// records read once are shared only while the file stays as it was.
std::string readKey(const std::string& path, const std::string& table);

} // namespace core
