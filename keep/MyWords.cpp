#include "keep/MyWords.h"

#include <sqlite3.h>
#include <system_error>
#include <utility>
#include <variant>

namespace keep {

namespace {

using Value = std::variant<std::string, std::int64_t>;

// A prepared statement that finalises itself.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) { m_code = sqlite3_prepare_v2(db, sql.c_str(), -1, &m_s, nullptr); }
    ~Statement() { sqlite3_finalize(m_s); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return m_code == SQLITE_OK; }
    void bind(const std::vector<Value>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int at = static_cast<int>(i + 1);
            if (const auto* text = std::get_if<std::string>(&values[i])) {
                sqlite3_bind_text(m_s, at, text->c_str(), static_cast<int>(text->size()), SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_int64(m_s, at, std::get<std::int64_t>(values[i]));
            }
        }
    }
    int step() { return m_code = sqlite3_step(m_s); }
    int code() const { return m_code; }
    std::string text(int column) const {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(m_s, column));
        return t != nullptr ? std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(m_s, column)))
                            : std::string();
    }
    std::int64_t number(int column) const { return sqlite3_column_int64(m_s, column); }

private:
    sqlite3_stmt* m_s = nullptr;
    int m_code = SQLITE_OK;
};

bool damaged(int code) {
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

} // namespace

const std::vector<const char*>& MyWords::migrations() {
    static const std::vector<const char*> steps{
        // 1: the words kept, and the words found.
        "CREATE TABLE kept (database TEXT NOT NULL, word TEXT NOT NULL, kept_at INTEGER NOT NULL,"
        " PRIMARY KEY (database, word));"
        "CREATE TABLE history (id INTEGER PRIMARY KEY, database TEXT NOT NULL, word TEXT NOT NULL,"
        " at INTEGER NOT NULL);",
        // 2: review cards for the words kept, every word in the first box, due at once.
        "ALTER TABLE kept ADD COLUMN box INTEGER NOT NULL DEFAULT 1;"
        "ALTER TABLE kept ADD COLUMN due INTEGER NOT NULL DEFAULT 0;",
    };
    return steps;
}

MyWords::MyWords(std::filesystem::path file, bool readOnly) : m_file(std::move(file)), m_readOnly(readOnly) {
    try {
        open();
    } catch (...) {
        sqlite3_close_v2(m_db); // no destructor runs for an object never made
        m_db = nullptr;
        throw;
    }
}

void MyWords::open() {
    const std::filesystem::path& file = m_file;
    const bool readOnly = m_readOnly;
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    const bool exists = std::filesystem::exists(status);
    if (exists && !std::filesystem::is_regular_file(status)) {
        fail(Failure::Kind::NotAFile, "is not a file");
    }
    if (readOnly && !exists) {
        return; // nothing kept yet, and nothing to be written
    }
    if (!readOnly) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (const int code = sqlite3_open_v2(file.c_str(), &m_db, flags | SQLITE_OPEN_NOFOLLOW, nullptr);
        code != SQLITE_OK) {
        fail(damaged(code) ? Failure::Kind::Damaged : Failure::Kind::CannotWrite, "cannot be opened");
    }
    sqlite3_busy_timeout(m_db, 2000);
    if (!readable()) {
        fail(damaged(sqlite3_errcode(m_db)) || sqlite3_errcode(m_db) == SQLITE_OK ? Failure::Kind::Damaged
                                                                                  : Failure::Kind::CannotWrite,
             "cannot be read");
    }
    const int version = schemaVersion();
    if (version > SchemaVersion) {
        fail(Failure::Kind::Newer, "was written by a later Lexorant (its version " + std::to_string(version) + ")");
    }
    if (readOnly) {
        return;
    }
    if (sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        fail(Failure::Kind::CannotWrite, "cannot be written");
    }
    if (version < SchemaVersion) {
        std::string sql = "BEGIN IMMEDIATE;";
        for (auto step = static_cast<std::size_t>(version); step < migrations().size(); ++step) {
            sql += migrations()[step];
        }
        sql += "PRAGMA user_version = " + std::to_string(SchemaVersion) + "; COMMIT;";
        exec(sql.c_str());
    }
}

// SQLite's quick check of the whole file: false when it is no SQLite file, or damaged.
bool MyWords::readable() const {
    Statement check(m_db, "PRAGMA quick_check");
    return check.prepared() && check.step() == SQLITE_ROW && check.text(0) == "ok";
}

int MyWords::schemaVersion() const {
    Statement version(m_db, "PRAGMA user_version");
    version.step();
    return static_cast<int>(version.number(0));
}

MyWords::~MyWords() {
    sqlite3_close_v2(m_db);
}

void MyWords::fail(Failure::Kind kind, const std::string& what) const {
    std::string message = "The file of your words, " + m_file.string() + ", " + what;
    if (m_db != nullptr && sqlite3_errcode(m_db) != SQLITE_OK) {
        message += std::string(": ") + sqlite3_errmsg(m_db);
    }
    throw Failure(kind, message + ".");
}

void MyWords::exec(const char* sql) const {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(m_db);
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        fail(damaged(code) ? Failure::Kind::Damaged : Failure::Kind::CannotWrite, "cannot be written");
    }
}

void MyWords::write(const std::string& sql, const std::vector<Value>& values) {
    if (m_readOnly || m_db == nullptr) {
        fail(Failure::Kind::CannotWrite, "is open read-only");
    }
    Statement statement(m_db, sql);
    if (!statement.prepared()) {
        fail(Failure::Kind::CannotWrite, "cannot be written");
    }
    statement.bind(values);
    if (statement.step() != SQLITE_DONE) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); // where a transaction is open
        fail(damaged(statement.code()) ? Failure::Kind::Damaged : Failure::Kind::CannotWrite, "cannot be written");
    }
}

void MyWords::keepWord(const std::string& database, const std::string& word, std::int64_t now) {
    write("INSERT OR IGNORE INTO kept (database, word, kept_at, box, due) VALUES (?, ?, ?, 1, ?)",
          {database, word, now, now});
}

void MyWords::forget(const std::string& database, const std::string& word) {
    write("DELETE FROM kept WHERE database = ? AND word = ?", {database, word});
}

void MyWords::answer(const std::string& database, const std::string& word, bool knewIt, std::int64_t now) {
    Statement current(m_db, "SELECT box FROM kept WHERE database = ? AND word = ?");
    current.bind({database, word});
    if (current.step() != SQLITE_ROW) {
        return; // let go meanwhile
    }
    const Card card = answered(static_cast<int>(current.number(0)), knewIt, now);
    write("UPDATE kept SET box = ?, due = ? WHERE database = ? AND word = ?",
          {std::int64_t{card.box}, card.due, database, word});
}

void MyWords::visit(const std::string& database, const std::string& word, std::int64_t now) {
    // One transaction: the word and the trimming to the newest.
    exec("BEGIN IMMEDIATE");
    write("INSERT INTO history (database, word, at) VALUES (?, ?, ?)", {database, word, now});
    write("DELETE FROM history WHERE id <= (SELECT id FROM history ORDER BY id DESC LIMIT 1 OFFSET ?)",
          {std::int64_t{HistoryLength}});
    exec("COMMIT");
}

bool MyWords::isKept(const std::string& database, const std::string& word) const {
    if (m_db == nullptr) {
        return false;
    }
    Statement statement(m_db, "SELECT 1 FROM kept WHERE database = ? AND word = ?");
    statement.bind({database, word});
    return statement.step() == SQLITE_ROW;
}

std::vector<KeptWord> MyWords::keptWhere(const std::string& database, std::optional<std::int64_t> dueBy) const {
    std::vector<KeptWord> words;
    if (m_db == nullptr) {
        return words;
    }
    Statement statement(m_db, std::string("SELECT word, kept_at, box, due FROM kept WHERE database = ?") +
                                  (dueBy ? " AND due <= ?" : "") + " ORDER BY kept_at, rowid");
    std::vector<Value> values{database};
    if (dueBy) {
        values.emplace_back(*dueBy);
    }
    statement.bind(values);
    while (statement.step() == SQLITE_ROW) {
        words.push_back(
            {statement.text(0), statement.number(1), {static_cast<int>(statement.number(2)), statement.number(3)}});
    }
    return words;
}

std::vector<KeptWord> MyWords::kept(const std::string& database) const {
    return keptWhere(database, std::nullopt);
}

std::vector<KeptWord> MyWords::due(const std::string& database, std::int64_t now) const {
    return keptWhere(database, now);
}

std::vector<std::string> MyWords::history(const std::string& database, int limit) const {
    std::vector<std::string> words;
    if (m_db == nullptr) {
        return words;
    }
    Statement statement(m_db, "SELECT word FROM history WHERE database = ? ORDER BY id DESC LIMIT ?");
    statement.bind({database, std::int64_t{limit}});
    while (statement.step() == SQLITE_ROW) {
        words.push_back(statement.text(0));
    }
    return words;
}

std::filesystem::path moveAside(const std::filesystem::path& file, const std::string& date) {
    std::filesystem::path aside = file.string() + ".damaged-" + date;
    for (int n = 2; std::filesystem::exists(aside); ++n) {
        aside = file.string() + ".damaged-" + date + "-" + std::to_string(n);
    }
    std::filesystem::rename(file, aside);
    std::error_code ignored;
    for (const char* companion : {"-wal", "-shm"}) {
        const std::filesystem::path with = file.string() + companion;
        if (std::filesystem::exists(with, ignored)) {
            std::filesystem::rename(with, aside.string() + companion, ignored);
        }
    }
    return aside;
}

} // namespace keep
