#include "store/Database.h"

#include "platform/headless/RuntimeError.h"
#include "store/FileFormat.h"
#include "store/Folding.h"
#include "store/jet/JetTable.h"
#include "store/sqlite/Sqlite.h"
#include "store/sqlite/SqliteTables.h"

#include <cctype>
#include <sqlite3.h>

namespace store {

using platform::RuntimeError;

namespace {
// Splits "Select * From <table>" into the table name, ignoring letter case of the keywords and spare blanks.
std::string tableOfQuery(const std::string& sql) {
    std::vector<std::string> words;
    std::string word;
    for (char c : sql) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            if (!word.empty()) {
                words.push_back(std::move(word));
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    if (words.size() != 4 || !sameName(words[0], "select") || words[1] != "*" || !sameName(words[2], "from")) {
        throw RuntimeError(platform::err::SyntaxInFrom, "Syntax error in FROM clause of '" + sql + "'.");
    }
    std::string table = words[3];
    if (table.size() > 2 && table.front() == '[' && table.back() == ']') {
        table = table.substr(1, table.size() - 2);
    }
    return table;
}

[[noreturn]] void raiseTableNotFound(const std::string& table) {
    throw RuntimeError(platform::err::TableNotFound, "The database engine cannot find the input table or query '" +
                                                         table +
                                                         "'.  Make sure it exists and that its name is spelled "
                                                         "correctly.");
}
} // namespace

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& sql) {
    const std::string table = tableOfQuery(sql);
    auto source = m_backend->openTable(table);
    if (!source) {
        raiseTableNotFound(table);
    }
    return std::make_unique<Recordset>(std::move(*source));
}

DBEngine::DBEngine() {
    sqlite3_initialize();
}

DBEngine& DBEngine::instance() {
    static DBEngine engine;
    return engine;
}

void prepareTable(const std::string& path, const std::string& table) {
    if (formatOf(path) == FileFormat::Jet) {
        startJetReaderEarly(path, table);
    }
}

std::unique_ptr<Database> openDatabase(const std::string& path) {
    if (formatOf(path) == FileFormat::Jet) {
        return std::make_unique<Database>(jetBackend(path, JetSharing::Own), path);
    }
    return std::make_unique<Database>(sqliteBackend(SqliteConnection::openReadOnly(path)), path);
}

std::unique_ptr<Database> DBEngine::OpenDatabase(const std::string& path) {
    if (formatOf(path) == FileFormat::Jet) {
        // Each table read by a reader process of its own, and shared by the views.
        return std::make_unique<Database>(jetBackend(path, JetSharing::WithViews), path);
    }
    // Anything else goes to SQLite, which tells a file that is no database from one it can read.
    auto connection = SqliteConnection::openReadOnly(path);
    std::erase_if(m_connections, [](const auto& held) { return held.expired(); });
    m_connections.push_back(connection);
    return std::make_unique<Database>(sqliteBackend(std::move(connection)), path);
}

void DBEngine::EndReads() {
    for (const auto& held : m_connections) {
        if (const auto connection = held.lock()) {
            connection->endReads();
        }
    }
}

} // namespace store
