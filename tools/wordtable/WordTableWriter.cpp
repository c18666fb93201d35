#include "tools/wordtable/WordTableWriter.h"

#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace wordtable {

Value textOrNull(const std::optional<std::string>& text) {
    return text ? Value(*text) : Value();
}

std::string quotedName(const std::string& name) {
    std::string out = "\"";
    for (const char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

WordTableWriter::WordTableWriter(const std::filesystem::path& file) : m_file(file) {
    if (sqlite3_open(file.c_str(), &m_db) != SQLITE_OK) {
        fail("open");
    }
}

WordTableWriter::~WordTableWriter() {
    sqlite3_close(m_db);
}

void WordTableWriter::fail(const std::string& what) const {
    throw std::runtime_error(m_file.string() + ": " + what + ": " +
                             (m_db != nullptr ? sqlite3_errmsg(m_db) : "no memory"));
}

void WordTableWriter::exec(const std::string& sql) {
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(sql);
    }
}

void WordTableWriter::insert(const std::string& table, const std::vector<Row>& rows) {
    if (rows.empty()) {
        return;
    }
    std::string sql = "INSERT INTO " + quotedName(table) + " VALUES (";
    for (std::size_t i = 0; i < rows.front().size(); ++i) {
        sql += (i > 0 ? ", ?" : "?") + std::to_string(i + 1);
    }
    sql += ")";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        fail(sql);
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, &sqlite3_finalize);
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int at = static_cast<int>(i + 1);
            const Value& value = row[i];
            const int bound =
                std::holds_alternative<std::string>(value)
                    ? sqlite3_bind_text(raw, at, std::get<std::string>(value).c_str(), -1, SQLITE_TRANSIENT)
                : std::holds_alternative<std::int64_t>(value)
                    ? sqlite3_bind_int64(raw, at, std::get<std::int64_t>(value))
                    : sqlite3_bind_null(raw, at);
            if (bound != SQLITE_OK) {
                fail("bind a value of " + table);
            }
        }
        if (sqlite3_step(raw) != SQLITE_DONE || sqlite3_reset(raw) != SQLITE_OK) {
            fail("insert into " + table);
        }
    }
}

} // namespace wordtable
