#include "core/store/JetSource.h"

#include "core/store/JetHeader.h"
#include "core/store/JetReader.h"

#include "platform/headless/RuntimeError.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace core {

using platform::RuntimeError;
namespace err = platform::err;

FileFormat formatOf(const std::string& path) {
    std::array<char, 32> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), head.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got >= 16 && std::memcmp(head.data(), "SQLite format 3\0", 16) == 0) {
        return FileFormat::Sqlite;
    }
    if (got >= 19 && std::memcmp(head.data() + 4, "Standard Jet DB", 15) == 0) {
        return FileFormat::Jet;
    }
    return FileFormat::Unknown;
}

namespace {

// The records of one table, read by a reader process. libmdb trusts what it reads from the file, and a damaged file
// can make it read far outside its buffers or loop for ever; so the program never hands it the file itself. A
// child process reads the table through libmdb and streams the records, and the program reads the stream as views
// need them. A reader that crashes, or loops past its processor time, ends the stream early: a run-time error, not a
// crash.
class JetTable {
public:
    JetTable(std::string path, const std::string& table) : m_path(std::move(path)) {
        start(table);
        readHeader();
    }
    ~JetTable() { stop(); }
    JetTable(const JetTable&) = delete;
    JetTable& operator=(const JetTable&) = delete;

    const std::vector<std::string>& columns() const { return m_columns; }
    // Whether the record exists, reading up to it.
    bool has(std::size_t index) {
        while (m_records.size() <= index && !m_ended) {
            readRecord();
        }
        return index < m_records.size();
    }
    const RecordValues& record(std::size_t index) const { return m_records[index]; }
    std::size_t readSoFar() const { return m_records.size(); }

private:
    // The most processor time a reader may take over a whole table. Not time on the clock: a reader waits, without
    // taking any, for as long as the views leave the records it has written unread.
    static constexpr rlim_t ReaderSeconds = 60;

    void start(const std::string& table) {
        std::array<int, 2> ends{};
        if (pipe(ends.data()) != 0) {
            throw RuntimeError(err::OutOfMemory, "Out of memory");
        }
        m_pid = fork();
        if (m_pid < 0) {
            close(ends[0]);
            close(ends[1]);
            throw RuntimeError(err::OutOfMemory, "Out of memory");
        }
        if (m_pid == 0) {
            close(ends[0]);
            // A fault in libmdb ends the reader at once and nothing else: no handler of the program's (a sanitizer's
            // report, say) runs in it.
            for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
                std::signal(fault, SIG_DFL);
            }
            const rlimit cpu{ReaderSeconds, ReaderSeconds};
            setrlimit(RLIMIT_CPU, &cpu);
            _exit(streamJetTable(m_path, table, ends[1]));
        }
        close(ends[1]);
        m_in = fdopen(ends[0], "rb");
    }

    void stop() {
        if (m_in != nullptr) {
            std::fclose(m_in);
            m_in = nullptr;
        }
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

    bool readExactly(void* into, std::size_t size) {
        return m_in != nullptr && std::fread(into, 1, size, m_in) == size;
    }
    std::uint32_t readCount() {
        std::uint32_t n = 0;
        if (!readExactly(&n, sizeof n)) {
            damaged();
        }
        return n;
    }
    std::string readText() {
        const std::uint32_t size = readCount();
        std::string text(size, '\0');
        if (size > 0 && !readExactly(text.data(), size)) {
            damaged();
        }
        return text;
    }

    // The reader stopped before the end of its stream: it crashed, ran out of time or found no database.
    [[noreturn]] void damaged() {
        stop();
        m_ended = true;
        raiseUnreadableJet(m_path, "it cannot be read to the end");
    }

    void readHeader() {
        char status = 0;
        if (!readExactly(&status, 1)) {
            damaged();
        }
        if (status == 'N') {
            stop();
            throw RuntimeError(err::TableNotFound, "");
        }
        if (status != 'T') {
            damaged();
        }
        const std::uint32_t count = readCount();
        for (std::uint32_t i = 0; i < count; ++i) {
            m_columns.push_back(readText());
        }
    }

    void readRecord() {
        char mark = 0;
        if (!readExactly(&mark, 1)) {
            damaged();
        }
        if (mark == 'E') {
            m_ended = true;
            stop();
            return;
        }
        if (mark != 'R') {
            damaged();
        }
        RecordValues values;
        values.reserve(m_columns.size());
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            char present = 0;
            if (!readExactly(&present, 1)) {
                damaged();
            }
            values.push_back(present != 0 ? std::optional<std::string>(readText()) : std::nullopt);
        }
        m_records.push_back(std::move(values));
    }

    std::string m_path;
    pid_t m_pid = -1;
    std::FILE* m_in = nullptr;
    bool m_ended = false;
    std::vector<std::string> m_columns;
    std::vector<RecordValues> m_records;
};

// A view over a table's records, read through the table's reader; views of one file share what was read.
class JetSource final : public RecordSource {
public:
    explicit JetSource(std::shared_ptr<JetTable> table) : m_table(std::move(table)) {}

    const std::vector<std::string>& columns() const override { return m_table->columns(); }
    std::optional<std::int64_t> first() override { return keyIf(0); }
    std::optional<std::int64_t> last() override {
        while (m_table->has(m_table->readSoFar())) {
        }
        return m_table->readSoFar() == 0 ? std::nullopt : keyIf(static_cast<std::int64_t>(m_table->readSoFar()) - 1);
    }
    std::optional<std::int64_t> next(std::int64_t key) override { return keyIf(key + 1); }
    std::optional<std::int64_t> previous(std::int64_t key) override { return keyIf(key - 1); }
    bool read(std::int64_t key, RecordValues& values) override {
        if (!keyIf(key)) {
            return false;
        }
        values = m_table->record(static_cast<std::size_t>(key));
        return true;
    }
    void scan(int column, const std::function<void(std::int64_t, const std::optional<std::string>&)>& visit) override {
        for (std::size_t key = 0; m_table->has(key); ++key) {
            visit(static_cast<std::int64_t>(key), m_table->record(key)[static_cast<std::size_t>(column)]);
        }
    }

private:
    std::optional<std::int64_t> keyIf(std::int64_t key) {
        if (key < 0 || !m_table->has(static_cast<std::size_t>(key))) {
            return std::nullopt;
        }
        return key;
    }

    std::shared_ptr<JetTable> m_table;
};

// The tables being read, shared by the views of one file for as long as any of them lives, and read again when the
// file has changed in between.
std::shared_ptr<JetTable> sharedTable(const std::string& path, const std::string& table) {
    static std::map<std::string, std::weak_ptr<JetTable>> tables;
    const std::string key = readKey(path, table);
    if (auto shared = tables[key].lock()) {
        return shared;
    }
    auto made = std::make_shared<JetTable>(path, table);
    std::erase_if(tables, [](const auto& entry) { return entry.second.expired(); });
    tables[key] = made;
    return made;
}

} // namespace

void checkJetHeader(const std::string& path) {
    std::string start(JetHeaderSize, '\0');
    std::ifstream in(path, std::ios::binary);
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    const auto header = readJetHeader(start);
    if (!header) {
        raiseUnreadableJet(path, "not Access 97 to 2003");
    }
    if (header->hasPassword) {
        // No password is ever asked for: the program opens its word list as it is.
        throw RuntimeError(err::NotValidPassword, "Not a valid password.");
    }
}

std::unique_ptr<RecordSource> openJetSource(const std::string& path, const std::string& table) {
    return std::make_unique<JetSource>(sharedTable(path, table));
}

} // namespace core
