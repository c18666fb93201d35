#pragma once

#include "Sqlite.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

// One column of the current record.
class Field {
public:
    explicit Field(std::optional<std::string> value) : m_value(std::move(value)) {}
    // The stored value; empty when the record holds no value there.
    const std::optional<std::string>& Value() const { return m_value; }
    // The value converted to text; a record with no value shows as empty text.
    std::string Text() const { return m_value.value_or(std::string()); }

private:
    std::optional<std::string> m_value;
};

// A record view over one table, in the table's stored order, with its own current record. Moves read only the
// record keys; a record's values are read when asked for.
class Recordset {
public:
    Recordset(std::shared_ptr<SqliteConnection> connection, std::string table);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    // True past the last record, and before the first one (EOF and BOF are the runtime's names; EOF is a C macro).
    bool Eof() const { return m_position == Position::AfterLast || m_position == Position::Empty; }
    bool Bof() const { return m_position == Position::BeforeFirst || m_position == Position::Empty; }

    // Makes the first record that meets  Column = 'literal'  current; on no match the current record stays.
    void FindFirst(const std::string& criterion);
    bool NoMatch() const { return m_noMatch; }

    Field Fields(std::int16_t index);
    int FieldCount() const { return static_cast<int>(m_columns.size()); }
    const std::string& table() const { return m_table; }

private:
    enum class Position { Empty, BeforeFirst, On, AfterLast };
    struct FoldIndex;

    int columnIndex(const std::string& name) const;
    const FoldIndex& foldIndex(int column);
    void standOn(std::int64_t key);
    [[noreturn]] void raiseNoCurrentRecord() const;

    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_table;
    std::vector<std::string> m_columns;
    SqliteStatement m_first;
    SqliteStatement m_last;
    SqliteStatement m_next;
    SqliteStatement m_previous;
    SqliteStatement m_row;
    Position m_position = Position::BeforeFirst;
    std::int64_t m_key = 0;
    bool m_rowLoaded = false;
    std::vector<std::optional<std::string>> m_values;
    bool m_noMatch = false;
    std::vector<std::unique_ptr<FoldIndex>> m_foldIndexes;
};

} // namespace core
