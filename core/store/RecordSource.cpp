#include "core/store/RecordSource.h"

#include <filesystem>
#include <map>
#include <utility>

namespace core {

namespace {

std::string sqlName(const std::string& identifier) {
    std::string out = "\"";
    for (char c : identifier) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

// A table with row ids: the keys are the row ids, and every move is one indexed look-up.
class RowidSource final : public RecordSource {
public:
    RowidSource(const std::shared_ptr<SqliteConnection>& connection, const std::string& table)
        : m_first(connection, "SELECT rowid FROM " + sqlName(table) + " ORDER BY rowid LIMIT 1"),
          m_last(connection, "SELECT rowid FROM " + sqlName(table) + " ORDER BY rowid DESC LIMIT 1"),
          m_next(connection, "SELECT rowid FROM " + sqlName(table) + " WHERE rowid > ?1 ORDER BY rowid LIMIT 1"),
          m_previous(connection,
                     "SELECT rowid FROM " + sqlName(table) + " WHERE rowid < ?1 ORDER BY rowid DESC LIMIT 1"),
          m_row(connection, "SELECT * FROM " + sqlName(table) + " WHERE rowid = ?1"), m_connection(connection),
          m_table(table) {
        for (int i = 0; i < m_row.columnCount(); ++i) {
            m_columns.push_back(m_row.columnName(i));
        }
    }

    const std::vector<std::string>& columns() const override { return m_columns; }
    std::optional<std::int64_t> first() override { return keyOf(m_first.reset()); }
    std::optional<std::int64_t> last() override { return keyOf(m_last.reset()); }
    std::optional<std::int64_t> next(std::int64_t key) override { return keyOf(m_next.reset().bind(1, key)); }
    std::optional<std::int64_t> previous(std::int64_t key) override { return keyOf(m_previous.reset().bind(1, key)); }
    bool read(std::int64_t key, RecordValues& values) override {
        if (!m_row.reset().bind(1, key).step()) {
            return false;
        }
        values.clear();
        for (int i = 0; i < m_row.columnCount(); ++i) {
            values.push_back(m_row.text(i));
        }
        return true;
    }
    void scan(int column, const std::function<void(std::int64_t, const std::optional<std::string>&)>& visit) override {
        SqliteStatement all(m_connection, "SELECT rowid, " + sqlName(m_columns[static_cast<std::size_t>(column)]) +
                                              " FROM " + sqlName(m_table) + " ORDER BY rowid");
        while (all.step()) {
            visit(all.int64(0), all.text(1));
        }
    }

private:
    static std::optional<std::int64_t> keyOf(SqliteStatement& statement) {
        if (!statement.step()) {
            return std::nullopt;
        }
        return statement.int64(0);
    }

    SqliteStatement m_first;
    SqliteStatement m_last;
    SqliteStatement m_next;
    SqliteStatement m_previous;
    SqliteStatement m_row;
    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_table;
    std::vector<std::string> m_columns;
};

// Every record of a table without row ids, read once in the table's own order. The keys are the positions.
struct ReadRecords {
    std::vector<std::string> columns;
    std::vector<RecordValues> records;
};

class ReadOnceSource final : public RecordSource {
public:
    explicit ReadOnceSource(std::shared_ptr<const ReadRecords> records) : m_records(std::move(records)) {}

    const std::vector<std::string>& columns() const override { return m_records->columns; }
    std::optional<std::int64_t> first() override { return keyAt(0); }
    std::optional<std::int64_t> last() override { return keyAt(size() - 1); }
    std::optional<std::int64_t> next(std::int64_t key) override { return keyAt(key + 1); }
    std::optional<std::int64_t> previous(std::int64_t key) override { return keyAt(key - 1); }
    bool read(std::int64_t key, RecordValues& values) override {
        if (!keyAt(key)) {
            return false;
        }
        values = m_records->records[static_cast<std::size_t>(key)];
        return true;
    }
    void scan(int column, const std::function<void(std::int64_t, const std::optional<std::string>&)>& visit) override {
        for (std::int64_t key = 0; key < size(); ++key) {
            visit(key, m_records->records[static_cast<std::size_t>(key)][static_cast<std::size_t>(column)]);
        }
    }

private:
    std::int64_t size() const { return static_cast<std::int64_t>(m_records->records.size()); }
    std::optional<std::int64_t> keyAt(std::int64_t key) const {
        if (key < 0 || key >= size()) {
            return std::nullopt;
        }
        return key;
    }

    std::shared_ptr<const ReadRecords> m_records;
};

// The records read once are shared by the views of one file for as long as any of them lives, and read again when
// the file has changed in between.
std::shared_ptr<const ReadRecords> readOnce(const std::shared_ptr<SqliteConnection>& connection,
                                            const std::string& table) {
    static std::map<std::string, std::weak_ptr<const ReadRecords>> cache;
    const std::string key = readKey(connection->path(), table);
    if (auto shared = cache[key].lock()) {
        return shared;
    }
    auto records = std::make_shared<ReadRecords>();
    SqliteStatement all(connection, "SELECT * FROM " + sqlName(table));
    for (int i = 0; i < all.columnCount(); ++i) {
        records->columns.push_back(all.columnName(i));
    }
    while (all.step()) {
        RecordValues values;
        values.reserve(records->columns.size());
        for (int i = 0; i < all.columnCount(); ++i) {
            values.push_back(all.text(i));
        }
        records->records.push_back(std::move(values));
    }
    std::erase_if(cache, [](const auto& entry) { return entry.second.expired(); });
    cache[key] = records;
    return records;
}

// A view answers "rowid" with nothing, and a table declared WITHOUT ROWID does not know the word.
bool hasRowids(const std::shared_ptr<SqliteConnection>& connection, const std::string& table) {
    SqliteStatement type(connection, "SELECT type FROM sqlite_schema WHERE name = ?1");
    if (type.bind(1, table).step() && type.text(0) == "view") {
        return false;
    }
    return SqliteStatement::prepares(connection, "SELECT rowid FROM " + sqlName(table) + " LIMIT 0");
}

} // namespace

std::string readKey(const std::string& path, const std::string& table) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    const auto time = std::filesystem::last_write_time(path, ec).time_since_epoch().count();
    return path + '\n' + table + '\n' + std::to_string(size) + '\n' + std::to_string(time);
}

std::unique_ptr<RecordSource> RecordSource::open(const std::shared_ptr<SqliteConnection>& connection,
                                                 const std::string& table) {
    if (hasRowids(connection, table)) {
        return std::make_unique<RowidSource>(connection, table);
    }
    return std::make_unique<ReadOnceSource>(readOnce(connection, table));
}

} // namespace core
