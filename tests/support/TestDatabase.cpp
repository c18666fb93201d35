#include "tests/support/TestDatabase.h"

#include "tools/wordtable/WordTableWriter.h"

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

namespace {
std::vector<wordtable::Row> tableRows(const std::vector<Row>& rows) {
    std::vector<wordtable::Row> out;
    out.reserve(rows.size());
    for (const Row& row : rows) {
        out.push_back({wordtable::textOrNull(row.first), wordtable::textOrNull(row.second)});
    }
    return out;
}
} // namespace

void writeWordDatabase(const std::filesystem::path& file, const std::vector<Row>& rows, const std::string& table) {
    std::filesystem::remove(file);
    wordtable::WordTableWriter db(file);
    db.exec("BEGIN; CREATE TABLE " + wordtable::quotedName(table) + " (Name TEXT, Meaning TEXT);");
    db.insert(table, tableRows(rows));
    db.exec("COMMIT;");
}

void appendInWalMode(const std::filesystem::path& file, const std::vector<Row>& rows, bool leaveInWal) {
    {
        wordtable::WordTableWriter db(file);
        db.exec("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; BEGIN;");
        db.insert("Table3", tableRows(rows));
        db.exec("COMMIT;");
        if (leaveInWal && sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot leave the test database in WAL mode");
        }
    }
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
