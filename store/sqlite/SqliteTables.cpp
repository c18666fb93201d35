#include "store/sqlite/SqliteTables.h"

#include "store/Folding.h"

#include <algorithm>
#include <utility>

namespace store {

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

// A table with row ids: the keys are the row ids, and every move is one indexed look-up. The row id is named by
// whichever of its names no column of the table has taken.
class RowidSource final : public RecordSource {
public:
    RowidSource(const std::shared_ptr<SqliteConnection>& connection, const std::string& table, const std::string& id)
        : m_first(connection, "SELECT " + id + " FROM " + sqlName(table) + " ORDER BY " + id + " LIMIT 1"),
          m_last(connection, "SELECT " + id + " FROM " + sqlName(table) + " ORDER BY " + id + " DESC LIMIT 1"),
          m_next(connection,
                 "SELECT " + id + " FROM " + sqlName(table) + " WHERE " + id + " > ?1 ORDER BY " + id + " LIMIT 1"),
          m_previous(connection, "SELECT " + id + " FROM " + sqlName(table) + " WHERE " + id + " < ?1 ORDER BY " + id +
                                     " DESC LIMIT 1"),
          m_row(connection, "SELECT * FROM " + sqlName(table) + " WHERE " + id + " = ?1"), m_connection(connection),
          m_table(table), m_id(id) {
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
        endRead(m_row);
        return true;
    }
    void scan(const std::vector<int>& columns,
              const std::function<void(std::int64_t, const RecordValues&)>& visit) override {
        std::string names;
        for (const int column : columns) {
            names += ", " + sqlName(m_columns[static_cast<std::size_t>(column)]);
        }
        SqliteStatement all(m_connection, "SELECT " + m_id + names + " FROM " + sqlName(m_table) + " ORDER BY " + m_id);
        RecordValues values(columns.size());
        while (all.step()) {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                all.readText(static_cast<int>(i) + 1, values[i]);
            }
            visit(all.int64(0), values);
        }
    }

private:
    std::optional<std::int64_t> keyOf(SqliteStatement& statement) const {
        if (!statement.step()) {
            return std::nullopt;
        }
        const std::int64_t key = statement.int64(0);
        endRead(statement);
        return key;
    }
    // A read ends at once where another program may be writing the file: a view at rest holds up none of its
    // writes. (Elsewhere it ends when the statement is next used, which keeps a step through the words quick.)
    void endRead(SqliteStatement& statement) const {
        if (m_connection->sharedWithAWriter()) {
            statement.reset();
        }
    }

    SqliteStatement m_first;
    SqliteStatement m_last;
    SqliteStatement m_next;
    SqliteStatement m_previous;
    SqliteStatement m_row;
    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_table;
    std::string m_id;
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

// The name by which the table's row ids can be asked for: one of SQLite's three names for them that no column of the
// table has taken (a column named "rowid" would answer in their place). Nothing for a view, which has no row ids, a
// table declared WITHOUT ROWID, and a table whose columns have taken all three names.
std::optional<std::string> rowidName(const std::shared_ptr<SqliteConnection>& connection, const std::string& table) {
    SqliteStatement type(connection, "SELECT type FROM sqlite_schema WHERE name = ?1");
    if (type.bind(1, table).step() && type.text(0) == "view") {
        return std::nullopt;
    }
    SqliteStatement columns(connection, "SELECT name FROM pragma_table_info(?1)");
    columns.bind(1, table);
    std::vector<std::string> taken;
    while (columns.step()) {
        taken.push_back(foldCase(columns.text(0).value_or("")));
    }
    for (const char* name : {"rowid", "_rowid_", "oid"}) {
        if (std::find(taken.begin(), taken.end(), name) == taken.end()) {
            if (!SqliteStatement::prepares(connection,
                                           std::string("SELECT ") + name + " FROM " + sqlName(table) + " LIMIT 0")) {
                return std::nullopt; // WITHOUT ROWID
            }
            return std::string(name);
        }
    }
    return std::nullopt;
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
        if (const auto id = rowidName(m_connection, name)) {
            return std::make_unique<RowidSource>(m_connection, name, *id);
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

} // namespace store
