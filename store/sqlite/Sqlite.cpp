#include "store/sqlite/Sqlite.h"

#include "platform/headless/RuntimeError.h"
#include "store/sqlite/ReadOnlyVfs.h"

#include <filesystem>
#include <sqlite3.h>
#include <string_view>
#include <utility>

namespace store {

using platform::RuntimeError;
namespace err = platform::err;

namespace {
constexpr int BusyTimeoutMs = 2000;

// The file's name as an SQLite URI that asks for a WAL index to be opened read-only. An absolute path follows an empty
// authority ("file:///dir/db2.mdb", "file:////db2.mdb" in the root); the characters a URI gives a meaning are escaped.
std::string readOnlyUri(const std::string& path) {
    std::string uri = path.starts_with('/') ? "file://" : "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            constexpr std::string_view Hex = "0123456789abcdef";
            uri += '%';
            uri += Hex[(static_cast<unsigned char>(c) >> 4U) & 0xFU];
            uri += Hex[static_cast<unsigned char>(c) & 0xFU];
        } else {
            uri += c;
        }
    }
    return uri + "?readonly_shm=1";
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
} // namespace

SqliteConnection::SqliteConnection(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

SqliteConnection::~SqliteConnection() {
    sqlite3_close_v2(m_db);
}

std::shared_ptr<SqliteConnection> SqliteConnection::openReadOnly(const std::string& path) {
    if (!isRegularFile(path)) {
        throw RuntimeError(err::CouldNotFindFile, "Could not find file '" + path + "'.");
    }
    sqlite3* db = nullptr;
    // Read-only through a file system that cannot write: no journal, WAL index or lock file appears beside it; the
    // WAL index of another program, where there is one, is opened read-only.
    const int rc = sqlite3_open_v2(readOnlyUri(path).c_str(), &db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, readOnlyVfsName());
    // Even a failed open hands back a handle that must be closed.
    std::shared_ptr<SqliteConnection> connection(new SqliteConnection(db, path));
    connection->m_sharedWithAWriter = isRegularFile(path + "-shm");
    if (rc != SQLITE_OK) {
        connection->raiseLastError();
    }
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    // A small page cache: the system keeps the file's pages anyway, and the first find reads every page of the table
    // once, which would otherwise leave 2 MB of them held here for each view.
    sqlite3_exec(db, "PRAGMA cache_size = -256", nullptr, nullptr, nullptr);
    // SQLite reads the file lazily: look at the schema now so that a file that is no database fails here.
    SqliteStatement probe(connection, "SELECT count(*) FROM sqlite_schema");
    probe.step();
    return connection;
}

void SqliteConnection::endReads() {
    for (sqlite3_stmt* statement = sqlite3_next_stmt(m_db, nullptr); statement != nullptr;
         statement = sqlite3_next_stmt(m_db, statement)) {
        if (sqlite3_stmt_busy(statement) != 0) {
            sqlite3_reset(statement);
        }
    }
}

void SqliteConnection::raiseLastError() const {
    const int code = m_db != nullptr ? sqlite3_errcode(m_db) : SQLITE_NOMEM;
    if ((code & 0xFF) != SQLITE_NOMEM && !m_sharedWithAWriter && isRegularFile(m_path + "-shm")) {
        // Another program began writing the file in WAL mode after this one opened it: what was read is stale.
        throw RuntimeError(err::CannotOpenFile, "The database engine cannot read the file '" + m_path +
                                                    "': another program has begun writing it since it was opened. "
                                                    "Start Lexorant again to read it as it is now.");
    }
    switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw RuntimeError(err::UnrecognizedFormat, "Unrecognized database format '" + m_path + "'.");
    case SQLITE_NOMEM:
        throw RuntimeError(err::OutOfMemory, "Out of memory");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw RuntimeError(err::CannotOpenFile, "The database engine cannot open the file '" + m_path +
                                                    "'.  It is already opened exclusively by another user, or you need "
                                                    "permission to view its data.");
    default:
        throw RuntimeError(err::DatabaseError,
                           std::string("Database error in '") + m_path + "': " + sqlite3_errmsg(m_db));
    }
}

SqliteStatement::SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql)
    : m_connection(std::move(connection)) {
    if (sqlite3_prepare_v2(m_connection->handle(), sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        m_connection->raiseLastError();
    }
}

bool SqliteStatement::prepares(const std::shared_ptr<SqliteConnection>& connection, std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    const int rc =
        sqlite3_prepare_v2(connection->handle(), sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    sqlite3_finalize(statement);
    return rc == SQLITE_OK;
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

SqliteStatement& SqliteStatement::reset() {
    sqlite3_reset(m_stmt);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::string_view text) {
    sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    sqlite3_reset(m_stmt);
    m_connection->raiseLastError();
}

std::int64_t SqliteStatement::int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

std::optional<std::string> SqliteStatement::text(int column) const {
    std::optional<std::string> value;
    readText(column, value);
    return value;
}

void SqliteStatement::readText(int column, std::optional<std::string>& into) const {
    if (sqlite3_column_type(m_stmt, column) == SQLITE_NULL) {
        into.reset();
        return;
    }
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column));
    if (into) {
        into->assign(data, size);
    } else {
        into.emplace(data, size);
    }
}

bool SqliteStatement::isText(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_TEXT;
}

std::optional<double> SqliteStatement::number(int column) const {
    const int type = sqlite3_column_type(m_stmt, column);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        return std::nullopt;
    }
    return sqlite3_column_double(m_stmt, column);
}

int SqliteStatement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

std::string SqliteStatement::columnName(int column) const {
    return sqlite3_column_name(m_stmt, column);
}

} // namespace store
