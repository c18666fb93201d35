#include "Recordset.h"

#include "Criterion.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <functional>

namespace core {

using platform::RuntimeError;
namespace err = platform::err;

namespace {
std::string quoted(const std::string& identifier) {
    std::string out = "\"";
    for (char c : identifier) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}
} // namespace

// The first find in a column reads that column's values once and keeps a hash of each folded value with its key,
// sorted, so that every later find is a binary search plus one record read to confirm the match.
struct Recordset::FoldIndex {
    std::vector<std::pair<std::size_t, std::int64_t>> entries; // (hash of folded value, record key)
};

Recordset::Recordset(std::shared_ptr<SqliteConnection> connection, std::string table)
    : m_connection(std::move(connection)), m_table(std::move(table)),
      m_first(m_connection, "SELECT rowid FROM " + quoted(m_table) + " ORDER BY rowid LIMIT 1"),
      m_last(m_connection, "SELECT rowid FROM " + quoted(m_table) + " ORDER BY rowid DESC LIMIT 1"),
      m_next(m_connection, "SELECT rowid FROM " + quoted(m_table) + " WHERE rowid > ?1 ORDER BY rowid LIMIT 1"),
      m_previous(m_connection,
                 "SELECT rowid FROM " + quoted(m_table) + " WHERE rowid < ?1 ORDER BY rowid DESC LIMIT 1"),
      m_row(m_connection, "SELECT * FROM " + quoted(m_table) + " WHERE rowid = ?1") {
    for (int i = 0; i < m_row.columnCount(); ++i) {
        m_columns.push_back(m_row.columnName(i));
    }
    m_foldIndexes.resize(m_columns.size());
    // A fresh view stands on its first record, or is at both ends at once when the table is empty.
    if (m_first.reset().step()) {
        standOn(m_first.int64(0));
    } else {
        m_position = Position::Empty;
    }
}

Recordset::~Recordset() = default;

void Recordset::standOn(std::int64_t key) {
    m_position = Position::On;
    m_key = key;
    m_rowLoaded = false;
}

void Recordset::raiseNoCurrentRecord() const {
    throw RuntimeError(err::NoCurrentRecord, "No current record.");
}

void Recordset::MoveFirst() {
    if (!m_first.reset().step()) {
        m_position = Position::Empty;
        raiseNoCurrentRecord();
    }
    standOn(m_first.int64(0));
}

void Recordset::MoveNext() {
    switch (m_position) {
    case Position::Empty:
    case Position::AfterLast:
        raiseNoCurrentRecord();
    case Position::BeforeFirst:
        MoveFirst();
        return;
    case Position::On:
        if (m_next.reset().bind(1, m_key).step()) {
            standOn(m_next.int64(0));
        } else {
            m_position = Position::AfterLast;
        }
        return;
    }
}

void Recordset::MovePrevious() {
    switch (m_position) {
    case Position::Empty:
    case Position::BeforeFirst:
        raiseNoCurrentRecord();
    case Position::AfterLast:
        if (!m_last.reset().step()) {
            raiseNoCurrentRecord();
        }
        standOn(m_last.int64(0));
        return;
    case Position::On:
        if (m_previous.reset().bind(1, m_key).step()) {
            standOn(m_previous.int64(0));
        } else {
            m_position = Position::BeforeFirst;
        }
        return;
    }
}

Field Recordset::Fields(std::int16_t index) {
    if (index < 0 || index >= FieldCount()) {
        throw RuntimeError(err::ItemNotInCollection, "Item not found in this collection.");
    }
    if (m_position != Position::On) {
        raiseNoCurrentRecord();
    }
    if (!m_rowLoaded) {
        if (!m_row.reset().bind(1, m_key).step()) {
            raiseNoCurrentRecord(); // the record has gone from the file since the view moved onto it
        }
        m_values.clear();
        for (int i = 0; i < FieldCount(); ++i) {
            m_values.push_back(m_row.text(i));
        }
        m_rowLoaded = true;
    }
    return Field(m_values[static_cast<std::size_t>(index)]);
}

int Recordset::columnIndex(const std::string& name) const {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (sameNameIgnoringCase(m_columns[i], name)) {
            return static_cast<int>(i);
        }
    }
    throw RuntimeError(err::UnknownField,
                       "The database engine does not recognize '" + name + "' as a valid field name or expression.");
}

const Recordset::FoldIndex& Recordset::foldIndex(int column) {
    auto& slot = m_foldIndexes[static_cast<std::size_t>(column)];
    if (!slot) {
        auto index = std::make_unique<FoldIndex>();
        SqliteStatement scan(m_connection, "SELECT rowid, " + quoted(m_columns[static_cast<std::size_t>(column)]) +
                                               " FROM " + quoted(m_table) + " ORDER BY rowid");
        const std::hash<std::string> hash;
        while (scan.step()) {
            if (auto value = scan.text(1)) {
                index->entries.emplace_back(hash(foldCase(*value)), scan.int64(0));
            }
        }
        std::sort(index->entries.begin(), index->entries.end());
        slot = std::move(index);
    }
    return *slot;
}

void Recordset::FindFirst(const std::string& criterion) {
    const Criterion parsed = parseCriterion(criterion);
    const int column = columnIndex(parsed.column);
    const std::string wanted = foldCase(parsed.literal);
    const auto& entries = foldIndex(column).entries;
    const std::size_t hash = std::hash<std::string>()(wanted);
    // Entries with equal hashes are in key order, so the first one that really matches is the first in the view.
    auto it = std::lower_bound(entries.begin(), entries.end(), std::make_pair(hash, std::int64_t{INT64_MIN}));
    for (; it != entries.end() && it->first == hash; ++it) {
        if (m_row.reset().bind(1, it->second).step()) {
            const auto value = m_row.text(column);
            if (value && foldCase(*value) == wanted) {
                standOn(it->second);
                m_noMatch = false;
                return;
            }
        }
    }
    m_noMatch = true;
}

} // namespace core
