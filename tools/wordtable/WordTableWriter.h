#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

struct sqlite3;

// Writes word tables into an SQLite file: the dictionary build and the tests' databases. Every SQLite call is
// checked; a failure throws std::runtime_error with what was being done and SQLite's own message.
namespace wordtable {

// A value of a row: NULL, text or a whole number.
using Value = std::variant<std::monostate, std::string, std::int64_t>;
using Row = std::vector<Value>;

// The value for an optional text: NULL when there is none.
Value textOrNull(const std::optional<std::string>& text);

class WordTableWriter {
public:
    // Opens the file, creating it when it is not there.
    explicit WordTableWriter(const std::filesystem::path& file);
    ~WordTableWriter();
    WordTableWriter(const WordTableWriter&) = delete;
    WordTableWriter& operator=(const WordTableWriter&) = delete;

    // Runs SQL that returns nothing (CREATE, BEGIN, COMMIT, PRAGMA ...).
    void exec(const std::string& sql);
    // Adds the rows to the table, each value to the column of its place.
    void insert(const std::string& table, const std::vector<Row>& rows);

    sqlite3* handle() const { return m_db; }

private:
    [[noreturn]] void fail(const std::string& what) const;
    std::filesystem::path m_file;
    sqlite3* m_db = nullptr;
};

// "Name": a table or column name quoted for SQL.
std::string quotedName(const std::string& name);

} // namespace wordtable
