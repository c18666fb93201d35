#pragma once

#include "tests/support/ReverseCases.h"

#include <memory>
#include <string>
#include <vector>

// The plain full-text baseline the description ranking is measured beside: SQLite's FTS5, bm25 over each word's
// meaning as the word database stores it, the description's words asked for with OR.
struct sqlite3;

namespace bench {

class FullTextBaseline {
public:
    // Builds the full-text table out of the database's Table3 in memory; a database that cannot be read, or an SQLite
    // without FTS5, leaves it unusable (and says why on stderr).
    explicit FullTextBaseline(const std::string& database);
    bool usable() const { return m_usable; }
    // The rank of each case's target among the words found, 1000 when not among the first 1000.
    testsupport::ReverseScore score(const std::vector<testsupport::ReverseCase>& cases) const;

private:
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> m_db;
    bool m_usable = false;
};

} // namespace bench
