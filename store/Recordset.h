#pragma once

#include "store/RecordSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

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

// A record view over one table, in the table's own order, with its own current record. Moves read only the
// record keys; a record's values are read when asked for.
class Recordset {
public:
    explicit Recordset(std::unique_ptr<RecordSource> source);
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
    int FieldCount() const { return static_cast<int>(m_source->columns().size()); }

private:
    enum class Position { Empty, BeforeFirst, On, AfterLast };
    struct FoldIndex;

    int columnIndex(const std::string& name) const;
    const FoldIndex& foldIndex(int column);
    void standOn(std::int64_t key);
    [[noreturn]] void raiseNoCurrentRecord() const;

    std::unique_ptr<RecordSource> m_source;
    Position m_position = Position::BeforeFirst;
    std::int64_t m_key = 0;
    bool m_rowLoaded = false;
    RecordValues m_values;
    bool m_noMatch = false;
    std::vector<std::unique_ptr<FoldIndex>> m_foldIndexes;
};

} // namespace store
