#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store {

using RecordValues = std::vector<std::optional<std::string>>;

// Where a view's records come from. Every record has a key, and keys increase in the table's own order, the order
// in which  SELECT * FROM table  returns its records.
class RecordSource {
public:
    virtual ~RecordSource() = default;

    virtual const std::vector<std::string>& columns() const = 0;
    virtual std::optional<std::int64_t> first() = 0;
    virtual std::optional<std::int64_t> last() = 0;
    virtual std::optional<std::int64_t> next(std::int64_t key) = 0;
    virtual std::optional<std::int64_t> previous(std::int64_t key) = 0;
    // The record's values; false when the record has gone from the file since the view moved onto it.
    virtual bool read(std::int64_t key, RecordValues& values) = 0;
    // Some columns of every record, in order: each record's key and the values of those columns, as text.
    virtual void scan(const std::vector<int>& columns,
                      const std::function<void(std::int64_t key, const RecordValues& values)>& visit) = 0;
};

// The place of a column named ignoring letter case, as the engine names columns; nothing when the table has none.
std::optional<int> columnNamed(const RecordSource& table, std::string_view name);

// A table's records held in memory in the table's order: read whole when it is made, or a few at a time as views
// need them (readMore). The views of one file share it.
class MemoryTable {
public:
    explicit MemoryTable(std::vector<std::string> columns) : m_columns(std::move(columns)) {}
    virtual ~MemoryTable() = default;
    MemoryTable(const MemoryTable&) = delete;
    MemoryTable& operator=(const MemoryTable&) = delete;

    const std::vector<std::string>& columns() const { return m_columns; }
    // Whether the record exists, reading up to it.
    bool has(std::size_t index);
    const RecordValues& record(std::size_t index) const { return m_records[index]; }
    // How many records the table holds, reading it to its end.
    std::size_t size();
    // Adds a record; a table past MostRecords or MostBytes (a view that never ends, say) is a run-time error that
    // says so, before it takes the machine's memory.
    void add(RecordValues values);

    static constexpr std::size_t MostRecords = 10'000'000;
    static constexpr std::size_t MostBytes = std::size_t{256} << 20; // as held: the texts and what holds them

protected:
    // Adds at least one more record; false at the end of the table.
    virtual bool readMore() { return false; }

private:
    std::vector<std::string> m_columns;
    std::vector<RecordValues> m_records;
    std::size_t m_bytes = 0;
};

// A view over a table held in memory; the keys are the records' positions.
std::unique_ptr<RecordSource> memorySource(std::shared_ptr<MemoryTable> table);

// What names a table of a file as it is now: its path, the table, and the file's size and time.
std::string fileKey(const std::string& path, const std::string& table);

// The table of a file that another view of the same file already holds, or read now with read() (which may give
// nothing: a table not found). What is held is shared while any view lives, and read again when the file has
// changed (its size or its time) in between.
std::shared_ptr<MemoryTable> sharedTable(const std::string& path, const std::string& table,
                                         const std::function<std::shared_ptr<MemoryTable>()>& read);

} // namespace store
