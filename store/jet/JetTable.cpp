#include "store/jet/JetTable.h"

#include "store/FileFormat.h"
#include "store/jet/JetHeader.h"
#include "store/jet/JetStream.h"
#include "store/jet/ReaderProcess.h"

#include "platform/headless/RuntimeError.h"

#include <filesystem>
#include <mutex>
#include <utility>

namespace store {

using platform::RuntimeError;
namespace err = platform::err;

namespace {

[[noreturn]] void raiseUnreadable(const std::string& path, const std::string& what) {
    throw RuntimeError(err::UnrecognizedFormat, "Unrecognized database format '" + path + "' (" + what + ").");
}

void checkJetHeader(const std::string& path) {
    const auto header = readJetHeader(fileStart(path, JetHeaderSize));
    if (!header) {
        raiseUnreadable(path, "not Access 97 to 2003");
    }
    if (header->hasPassword) {
        // No password is ever asked for: the program opens its word list as it is.
        throw RuntimeError(err::NotValidPassword, "Not a valid password.");
    }
}

// A reader started early, for the first view of its table to take over.
struct EarlyReader {
    std::string key;
    std::unique_ptr<ReaderProcess> process;
};
std::mutex earlyGuard;
EarlyReader& earlyReader() {
    static EarlyReader early;
    return early;
}

// The first table opened takes the early reader if it is the one started early, of the file as it is now; an early
// reader that is not taken then is ended. Every other table gets a new reader.
std::unique_ptr<ReaderProcess> readerFor(const std::string& path, const std::string& table) {
    EarlyReader early;
    {
        const std::lock_guard lock(earlyGuard);
        early = std::exchange(earlyReader(), {});
    }
    if (early.process && early.key == fileKey(path, table)) {
        return std::move(early.process);
    }
    return std::make_unique<ReaderProcess>(path, table);
}

// A table as its reader process streams it, read as far as the views have needed. libmdb trusts what it reads from
// the file, and a damaged file can make it read far outside its buffers or loop for ever; so the program never
// hands it the file itself, and whatever the reader does, the program sees a stream that ends well or an error.
class JetTable final : public MemoryTable {
public:
    // Reads the table's columns: nothing (no table) when the file has no such table.
    static std::shared_ptr<JetTable> open(const std::string& path, const std::string& table, JetSharing sharing) {
        auto process =
            sharing == JetSharing::WithViews ? readerFor(path, table) : std::make_unique<ReaderProcess>(path, table);
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        auto stream = std::make_unique<jetstream::Reader>(*process, ec ? 0 : size);
        std::optional<std::vector<std::string>> columns;
        try {
            columns = stream->head();
        } catch (const jetstream::StreamError& error) {
            raiseUnreadable(path, error.what());
        }
        if (!columns) {
            return nullptr;
        }
        return std::make_shared<JetTable>(path, std::move(*columns), std::move(process), std::move(stream));
    }

    JetTable(std::string path, std::vector<std::string> columns, std::unique_ptr<ReaderProcess> process,
             std::unique_ptr<jetstream::Reader> stream)
        : MemoryTable(std::move(columns)), m_path(std::move(path)), m_process(std::move(process)),
          m_stream(std::move(stream)) {}

protected:
    bool readMore() override {
        if (!m_stream) {
            return false;
        }
        try {
            if (auto values = m_stream->next()) {
                add(std::move(*values));
                return true;
            }
            m_stream.reset();
            m_process->stop();
            return false;
        } catch (const jetstream::StreamError& error) {
            m_stream.reset();
            m_process->stop();
            raiseUnreadable(m_path, error.what());
        }
    }

private:
    std::string m_path;
    std::unique_ptr<ReaderProcess> m_process;
    std::unique_ptr<jetstream::Reader> m_stream; // reads from m_process; gone at the end of the table
};

class JetBackend final : public StoreBackend {
public:
    JetBackend(std::string path, JetSharing sharing) : m_path(std::move(path)), m_sharing(sharing) {}

    std::optional<std::unique_ptr<RecordSource>> openTable(const std::string& table) override {
        auto held =
            m_sharing == JetSharing::WithViews
                ? sharedTable(m_path, table, [this, &table] { return JetTable::open(m_path, table, m_sharing); })
                : JetTable::open(m_path, table, m_sharing);
        if (!held) {
            return std::nullopt;
        }
        return memorySource(std::move(held));
    }

private:
    std::string m_path;
    JetSharing m_sharing;
};

} // namespace

void startJetReaderEarly(const std::string& path, const std::string& table) {
    try {
        checkJetHeader(path);
        auto process = std::make_unique<ReaderProcess>(path, table);
        const std::lock_guard lock(earlyGuard);
        earlyReader() = {fileKey(path, table), std::move(process)};
    } catch (const RuntimeError&) {
        // Said when a view opens the file.
    }
}

std::unique_ptr<StoreBackend> jetBackend(const std::string& path, JetSharing sharing) {
    checkJetHeader(path);
    return std::make_unique<JetBackend>(path, sharing);
}

} // namespace store
