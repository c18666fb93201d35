#pragma once

#include "core/store/RecordSource.h"
#include "core/store/Recordset.h"

#include <memory>
#include <optional>
#include <string>

namespace core {

inline constexpr int dbOpenDynaset = 2;

// A kind of database file: how its tables are found and read.
class StoreBackend {
public:
    virtual ~StoreBackend() = default;
    // The records of a table named ignoring letter case; nothing when the file has no such table.
    virtual std::optional<std::unique_ptr<RecordSource>> openTable(const std::string& table) = 0;
    // The SQLite file read; empty for any other kind.
    virtual std::string sqlitePath() const { return {}; }
};

// An open connection to the word database: an SQLite file, or a Microsoft Access (Jet) one, told apart by the
// file's first bytes when it opens. The file is opened read-only: nothing is ever written to it or beside it.
class Database {
public:
    explicit Database(std::unique_ptr<StoreBackend> backend) : m_backend(std::move(backend)) {}

    // Opens a view for a query of the form  Select * From <table>  (the only query the program makes).
    std::unique_ptr<Recordset> OpenRecordset(const std::string& sql, int type = dbOpenDynaset);

    // The SQLite file the database reads; empty for an Access one.
    std::string sqlitePath() const { return m_backend->sqlitePath(); }

private:
    std::unique_ptr<StoreBackend> m_backend;
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
