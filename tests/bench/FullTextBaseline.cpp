#include "tests/bench/FullTextBaseline.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace bench {

namespace {

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement prepared(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "full-text baseline: %s\n", sqlite3_errmsg(db));
    }
    return {statement, sqlite3_finalize};
}

// The description as an FTS5 query: each word (letters and digits) quoted, joined with OR.
std::string ftsQuery(const std::string& description) {
    std::string query;
    std::string word;
    for (std::size_t i = 0; i <= description.size(); ++i) {
        const char c = i < description.size() ? description[i] : ' ';
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            word += c;
        } else if (!word.empty()) {
            query += (query.empty() ? "\"" : " OR \"") + word + "\"";
            word.clear();
        }
    }
    return query;
}

} // namespace

FullTextBaseline::FullTextBaseline(const std::string& database) : m_db(nullptr, sqlite3_close) {
    sqlite3* raw = nullptr;
    sqlite3_open(":memory:", &raw);
    m_db.reset(raw);
    const std::string build = "PRAGMA trusted_schema=OFF; ATTACH DATABASE 'file:" + database +
                              "?mode=ro' AS words;"
                              "CREATE VIRTUAL TABLE meanings USING fts5(name UNINDEXED, meaning);"
                              "INSERT INTO meanings SELECT Name, Meaning FROM words.Table3;";
    m_usable = raw != nullptr && sqlite3_exec(raw, build.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!m_usable) {
        std::fprintf(stderr, "full-text baseline: %s\n", raw != nullptr ? sqlite3_errmsg(raw) : "no memory");
    }
}

testsupport::ReverseScore FullTextBaseline::score(const std::vector<testsupport::ReverseCase>& cases) const {
    constexpr std::size_t Deepest = 1000;
    testsupport::ReverseScore score;
    if (!m_usable) {
        return score;
    }
    const Statement find =
        prepared(m_db.get(), "SELECT name FROM meanings WHERE meanings MATCH ? ORDER BY bm25(meanings) LIMIT 1000;");
    for (const testsupport::ReverseCase& c : cases) {
        const std::string query = ftsQuery(c.description);
        sqlite3_reset(find.get());
        sqlite3_bind_text(find.get(), 1, query.c_str(), -1, SQLITE_TRANSIENT);
        std::size_t rank = Deepest;
        for (std::size_t row = 0; row < Deepest && sqlite3_step(find.get()) == SQLITE_ROW; ++row) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
            if (name != nullptr && c.target == name) {
                rank = row;
                break;
            }
        }
        score.ranks.push_back(rank);
    }
    return score;
}

} // namespace bench
