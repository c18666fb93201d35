#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// An open SQLite connection, closed when the last owner lets go of it.
class SqliteConnection {
public:
    // Opens the file read-only; throws the engine's runtime errors naming the file.
    static std::shared_ptr<SqliteConnection> openReadOnly(const std::string& path);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* handle() const { return m_db; }
    const std::string& path() const { return m_path; }
    // Whether another program had the database open in WAL mode when it was opened (its WAL index beside it), and
    // so may be writing it: a read then ends as soon as it is done, for that program's WAL not to grow behind it.
    bool sharedWithAWriter() const { return m_sharedWithAWriter; }

    // Ends every read under way on the connection (its statements that stand on a row are reset), so that it holds
    // no lock on the file: for when the program comes to rest.
    void endReads();

    // Raises the runtime error that stands for the connection's last SQLite failure.
    [[noreturn]] void raiseLastError() const;

private:
    SqliteConnection(sqlite3* db, std::string path);
    sqlite3* m_db;
    std::string m_path;
    bool m_sharedWithAWriter = false;
};

// A prepared statement, reset before every use and finalized with its owner.
class SqliteStatement {
public:
    SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql);
    // Whether the statement can be prepared at all (a column it names exists, for example), without raising.
    static bool prepares(const std::shared_ptr<SqliteConnection>& connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& reset();
    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, std::string_view text);
    // Steps once: true while a row is available.
    bool step();

    std::int64_t int64(int column) const;
    std::optional<std::string> text(int column) const;
    // The same into a value already held, whose room is used again (for rows read one after the other).
    void readText(int column, std::optional<std::string>& into) const;
    // Whether the value is stored as text (not NULL, a number or a BLOB).
    bool isText(int column) const;
    // The value as a number; nothing when it is stored as anything else.
    std::optional<double> number(int column) const;
    int columnCount() const;
    std::string columnName(int column) const;

private:
    std::shared_ptr<SqliteConnection> m_connection;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace store
