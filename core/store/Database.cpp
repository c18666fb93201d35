#include "core/store/Database.h"

#include "core/store/JetSource.h"
#include "platform/headless/RuntimeError.h"

#include <cctype>
#include <sqlite3.h>

namespace core {

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
    auto is = [](const std::string& w, const char* keyword) {
        std::string lower;
        for (char c : w) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return lower == keyword;
    };
    if (words.size() != 4 || !is(words[0], "select") || words[1] != "*" || !is(words[2], "from")) {
        throw RuntimeError(3131, "Syntax error in FROM clause of '" + sql + "'.");
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

std::unique_ptr<Database> Database::jet(std::string path) {
    std::unique_ptr<Database> db(new Database());
    db->m_jetPath = std::move(path);
    return db;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& sql, int /*type*/) {
    const std::string table = tableOfQuery(sql);
    if (!m_connection) {
        try {
            return std::make_unique<Recordset>(openJetSource(m_jetPath, table));
        } catch (const RuntimeError& error) {
            if (error.number() == platform::err::TableNotFound) {
                raiseTableNotFound(table);
            }
            throw;
        }
    }
    SqliteStatement lookup(m_connection, "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND "
                                         "name = ?1 COLLATE NOCASE");
    if (!lookup.bind(1, table).step()) {
        raiseTableNotFound(table);
    }
    return std::make_unique<Recordset>(RecordSource::open(m_connection, *lookup.text(0)));
}

DBEngine::DBEngine() {
    sqlite3_initialize();
}

DBEngine& DBEngine::instance() {
    static DBEngine engine;
    return engine;
}

std::unique_ptr<Database> DBEngine::OpenDatabase(const std::string& path) {
    if (formatOf(path) == FileFormat::Jet) {
        checkJetHeader(path);
        return Database::jet(path); // read when a view opens, by a reader process of its own
    }
    // Anything else goes to SQLite, which tells a file that is no database from one it can read.
    return std::make_unique<Database>(SqliteConnection::openReadOnly(path));
}

} // namespace core
