#include "store/Recordset.h"

#include "platform/headless/RuntimeError.h"
#include "store/Criterion.h"
#include "store/Folding.h"

#include <algorithm>
#include <deque>
#include <functional>

namespace store {

using platform::RuntimeError;
namespace err = platform::err;

// The first find in a column reads that column's values once and keeps a hash of each folded value with its key,
// sorted, so that every later find is a binary search plus one record read to confirm the match. The entries grow in
// blocks rather than by doubling one array: a dictionary's column is a few hundred thousand of them, and a doubled
// array would hold up to twice that, and three times while it moves.
struct Recordset::FoldIndex {
    std::deque<std::pair<std::size_t, std::int64_t>> entries; // (hash of folded value, record key)
};

Recordset::Recordset(std::unique_ptr<RecordSource> source) : m_source(std::move(source)) {
    m_foldIndexes.resize(m_source->columns().size());
    // A fresh view stands on its first record, or is at both ends at once when the table is empty.
    if (const auto key = m_source->first()) {
        standOn(*key);
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
    const auto key = m_source->first();
    if (!key) {
        m_position = Position::Empty;
        raiseNoCurrentRecord();
    }
    standOn(*key);
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
        if (const auto key = m_source->next(m_key)) {
            standOn(*key);
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
        if (const auto key = m_source->last()) {
            standOn(*key);
            return;
        }
        raiseNoCurrentRecord();
    case Position::On:
        if (const auto key = m_source->previous(m_key)) {
            standOn(*key);
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
        if (!m_source->read(m_key, m_values)) {
            raiseNoCurrentRecord(); // the record has gone from the file since the view moved onto it
        }
        m_rowLoaded = true;
    }
    return Field(m_values[static_cast<std::size_t>(index)]);
}

int Recordset::columnIndex(const std::string& name) const {
    if (const auto column = columnNamed(*m_source, name)) {
        return *column;
    }
    throw RuntimeError(err::UnknownField,
                       "The database engine does not recognize '" + name + "' as a valid field name or expression.");
}

const Recordset::FoldIndex& Recordset::foldIndex(int column) {
    auto& slot = m_foldIndexes[static_cast<std::size_t>(column)];
    if (!slot) {
        auto index = std::make_unique<FoldIndex>();
        const std::hash<std::string> hash;
        m_source->scan({column}, [&](std::int64_t key, const RecordValues& values) {
            if (values.front()) {
                index->entries.emplace_back(hash(foldCase(*values.front())), key);
            }
        });
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
    RecordValues candidate;
    for (; it != entries.end() && it->first == hash; ++it) {
        if (m_source->read(it->second, candidate)) {
            const auto& value = candidate[static_cast<std::size_t>(column)];
            if (value && foldCase(*value) == wanted) {
                standOn(it->second);
                m_noMatch = false;
                return;
            }
        }
    }
    m_noMatch = true;
}

} // namespace store
