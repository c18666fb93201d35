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

    // The base words of an inflected form ("geese": "goose"), from the file's table BaseForms (Form, Base) where it
    // has one; none otherwise (a word list of the user's own has only Table3).
    std::vector<std::string> BaseFormsOf(const std::string& form);

private:
    Database() = default;
    std::shared_ptr<SqliteConnection> m_connection;
    std::string m_jetPath;
    std::unique_ptr<SqliteStatement> m_baseForms;
    bool m_baseFormsLooked = false;
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
