#pragma once

#include "keep/Leitner.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

// What the reader keeps: the words kept from each word database, their review cards, and the words found. One SQLite
// file in the user's data folder, in WAL mode with full synchronisation, so that what was written before a crash or a
// power cut is there after it. Plain C++, no display.
namespace keep {

// The schema's version in the file (SQLite's user_version); a file of a later version is left alone.
inline constexpr int SchemaVersion = 2;
// The words found that are kept, the newest.
inline constexpr int HistoryLength = 1000;

// Why the file cannot be used, with a message that names it.
class Failure : public std::runtime_error {
public:
    enum class Kind {
        Damaged,     // not SQLite, or damaged: moved aside and started afresh
        Newer,       // written by a later Lexorant: left alone
        NotAFile,    // a folder or a device where the file should be
        CannotWrite, // no permission, a read-only home, a full disk
    };
    Failure(Kind kind, const std::string& message) : std::runtime_error(message), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

struct KeptWord {
    std::string word;
    std::int64_t keptAt = 0; // seconds since the epoch
    Card card;
};

class MyWords {
public:
    // Opens the file, creating it and its folder when they are not there, and brings an older schema up to date.
    // Read-only: never written, nor created. Throws Failure.
    MyWords(std::filesystem::path file, bool readOnly);
    ~MyWords();
    MyWords(const MyWords&) = delete;
    MyWords& operator=(const MyWords&) = delete;

    bool readOnly() const { return m_readOnly; }
    const std::filesystem::path& file() const { return m_file; }

    // Each write is one transaction, on disk when it returns. Throws Failure (CannotWrite) when it is not.
    void keepWord(const std::string& database, const std::string& word, std::int64_t now);
    void forget(const std::string& database, const std::string& word);
    void answer(const std::string& database, const std::string& word, bool knewIt, std::int64_t now);
    void visit(const std::string& database, const std::string& word, std::int64_t now);

    bool isKept(const std::string& database, const std::string& word) const;
    // In the order kept, the newest last.
    std::vector<KeptWord> kept(const std::string& database) const;
    // The kept words due at now, in the order kept.
    std::vector<KeptWord> due(const std::string& database, std::int64_t now) const;
    // The words found, the newest first, at most limit.
    std::vector<std::string> history(const std::string& database, int limit) const;

    // The steps that bring a file of each earlier version to the next (index 0: an empty file to version 1).
    static const std::vector<const char*>& migrations();

private:
    void open();
    bool readable() const;
    int schemaVersion() const;
    void exec(const char* sql) const;
    using Value = std::variant<std::string, std::int64_t>;
    void write(const std::string& sql, const std::vector<Value>& values);
    std::vector<KeptWord> keptWhere(const std::string& database, std::optional<std::int64_t> dueBy) const;
    [[noreturn]] void fail(Failure::Kind kind, const std::string& what) const;

    std::filesystem::path m_file;
    bool m_readOnly;
    sqlite3* m_db = nullptr;
};

// A damaged file moved aside, beside it, with the date in its name ("mywords.sqlite.damaged-2026-12-08"; a number
// added when that name is taken), never overwritten. Returns where it went.
std::filesystem::path moveAside(const std::filesystem::path& file, const std::string& date);

} // namespace keep
