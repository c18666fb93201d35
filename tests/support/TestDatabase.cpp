#include "tests/support/TestDatabase.h"

#include <fstream>
#include <random>
#include <sqlite3.h>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("lexorant-test-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may have made the directory read-only.
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

void writeWordDatabase(const std::filesystem::path& file, const std::vector<Row>& rows, const std::string& table) {
    std::filesystem::remove(file);
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        throw std::runtime_error("cannot create test database");
    }
    const std::string create = "BEGIN; CREATE TABLE \"" + table + "\" (Name TEXT, Meaning TEXT);";
    sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    const std::string sql = "INSERT INTO \"" + table + "\" VALUES (?1, ?2)";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
    for (const Row& row : rows) {
        for (int i = 0; i < 2; ++i) {
            const auto& value = i == 0 ? row.first : row.second;
            if (value) {
                sqlite3_bind_text(insert, i + 1, value->c_str(), -1, SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_null(insert, i + 1);
            }
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void appendInWalMode(const std::filesystem::path& file, const std::vector<Row>& rows, bool leaveInWal) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        throw std::runtime_error("cannot open test database");
    }
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; BEGIN;", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Table3 VALUES (?1, ?2)", -1, &insert, nullptr);
    for (const Row& row : rows) {
        sqlite3_bind_text(insert, 1, row.first ? row.first->c_str() : nullptr, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, row.second ? row.second->c_str() : nullptr, -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    if (leaveInWal) {
        sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
    sqlite3_close(db);
    std::filesystem::remove(file.string() + "-shm");
}

std::vector<Row> numberedRows(int count) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.emplace_back("word" + std::to_string(i), "meaning of word" + std::to_string(i));
    }
    return rows;
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace testsupport
