#include "core/store/sqlite/SqliteTables.h"

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

// Every record of a table without row ids, read in the table's own order.
std::shared_ptr<MemoryTable> readWhole(const std::shared_ptr<SqliteConnection>& connection, const std::string& table) {
    SqliteStatement all(connection, "SELECT * FROM " + sqlName(table));
    std::vector<std::string> columns;
    columns.reserve(static_cast<std::size_t>(all.columnCount()));
    for (int i = 0; i < all.columnCount(); ++i) {
        columns.push_back(all.columnName(i));
    }
    auto records = std::make_shared<MemoryTable>(std::move(columns));
    while (all.step()) {
        RecordValues values;
        values.reserve(static_cast<std::size_t>(all.columnCount()));
        for (int i = 0; i < all.columnCount(); ++i) {
            values.push_back(all.text(i));
        }
        records->add(std::move(values));
    }
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

class SqliteBackend final : public StoreBackend {
public:
    explicit SqliteBackend(std::shared_ptr<SqliteConnection> connection) : m_connection(std::move(connection)) {}

    std::optional<std::unique_ptr<RecordSource>> openTable(const std::string& table) override {
        SqliteStatement lookup(m_connection, "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND "
                                             "name = ?1 COLLATE NOCASE");
        if (!lookup.bind(1, table).step()) {
            return std::nullopt;
        }
        const std::string name = *lookup.text(0);
        if (hasRowids(m_connection, name)) {
            return std::make_unique<RowidSource>(m_connection, name);
        }
        return memorySource(
            sharedTable(m_connection->path(), name, [this, &name] { return readWhole(m_connection, name); }));
    }

private:
    std::shared_ptr<SqliteConnection> m_connection;
};

} // namespace

std::unique_ptr<StoreBackend> sqliteBackend(std::shared_ptr<SqliteConnection> connection) {
    return std::make_unique<SqliteBackend>(std::move(connection));
}

} // namespace core
