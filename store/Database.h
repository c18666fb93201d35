#pragma once

#include "store/Recordset.h"
#include "store/StoreBackend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace store {

class SqliteConnection;

// An open connection to the word database: an SQLite file, or a Microsoft Access (Jet) one, told apart by the
// file's first bytes when it opens. The file is opened read-only: nothing is ever written to it or beside it.
class Database {
public:
    Database(std::unique_ptr<StoreBackend> backend, std::string path)
        : m_backend(std::move(backend)), m_path(std::move(path)) {}

    // Opens a view for a query of the form  Select * From <table>  (the only query the program makes), an updatable
    // dynaset as the engine calls it: every view reads the file as it is.
    std::unique_ptr<Recordset> OpenRecordset(const std::string& sql);
    // The records of any table of the file, named ignoring letter case; nothing when the file has no such table.
    std::optional<std::unique_ptr<RecordSource>> OpenTable(const std::string& table) {
        return m_backend->openTable(table);
    }

    // The file the database reads.
    const std::string& path() const { return m_path; }

private:
    std::unique_ptr<StoreBackend> m_backend;
    std::string m_path;
};

// Opens a database for reading on any thread, of its own: none of its tables is shared with the views of the
// program's windows. Raises the engine's errors as DBEngine::OpenDatabase does.
std::unique_ptr<Database> openDatabase(const std::string& path);

// Starts reading a table of a file before anything opens it, where that saves time (an Access file's reader opens
// the file meanwhile). Silent: what is wrong with the file is said when it is opened.
void prepareTable(const std::string& path, const std::string& table);

// The one database engine of the program, created on its first use, for the views of the windows (on the window's
// thread): the views of one file share what is read of it.
class DBEngine {
public:
    static DBEngine& instance();
    std::unique_ptr<Database> OpenDatabase(const std::string& path);

    // Ends the reads under way on every database this engine opened, as the program comes to rest: a view at rest
    // holds no lock on its file, and another program may write it meanwhile. A view that moves again reads afresh.
    void EndReads();

private:
    DBEngine();
    std::vector<std::weak_ptr<SqliteConnection>> m_connections;
};

} // namespace store
