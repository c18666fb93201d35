#pragma once

#include "core/store/Recordset.h"
#include "core/store/Sqlite.h"

#include <memory>
#include <string>
#include <vector>

namespace core {

inline constexpr int dbOpenDynaset = 2;

// An open connection to the word database: an SQLite file, or a Microsoft Access (Jet) one, told apart by the
// file's first bytes. The file is opened read-only: nothing is ever written to it or beside it.
class Database {
public:
    explicit Database(std::shared_ptr<SqliteConnection> connection) : m_connection(std::move(connection)) {}
    // An Access database, read through a handle of each view's own.
    static std::unique_ptr<Database> jet(std::string path);

    // Opens a view for a query of the form  Select * From <table>  (the only query the program makes).
    std::unique_ptr<Recordset> OpenRecordset(const std::string& sql, int type = dbOpenDynaset);

    // The SQLite file the database reads; empty for an Access one.
    std::string sqlitePath() const { return m_connection ? m_connection->path() : std::string(); }

private:
    Database() = default;
    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_jetPath;
};

// The one database engine of the program, created on its first use.
class DBEngine {
public:
    static DBEngine& instance();
    std::unique_ptr<Database> OpenDatabase(const std::string& path);

private:
    DBEngine();
};

} // namespace core
