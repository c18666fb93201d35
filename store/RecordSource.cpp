#include "store/RecordSource.h"

#include "platform/headless/RuntimeError.h"
#include "store/Folding.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

namespace store {

bool MemoryTable::has(std::size_t index) {
    while (m_records.size() <= index && readMore()) {
    }
    return index < m_records.size();
}

std::optional<int> columnNamed(const RecordSource& table, std::string_view name) {
    const auto& columns = table.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (sameName(columns[i], name)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

void MemoryTable::add(RecordValues values) {
    m_bytes += sizeof(RecordValues);
    for (const auto& value : values) {
        m_bytes += sizeof value + (value ? value->capacity() : 0);
    }
    if (m_records.size() >= MostRecords || m_bytes > MostBytes) {
        throw platform::RuntimeError(platform::err::ResourceExceeded,
                                     "System resource exceeded. The table holds more than " +
                                         std::to_string(MostRecords) + " records or " +
                                         std::to_string(MostBytes >> 20) + " MB, more than the word store reads.");
    }
    m_records.push_back(std::move(values));
}

std::size_t MemoryTable::size() {
    while (readMore()) {
    }
    return m_records.size();
}

namespace {

class MemorySource final : public RecordSource {
public:
    explicit MemorySource(std::shared_ptr<MemoryTable> table) : m_table(std::move(table)) {}

    const std::vector<std::string>& columns() const override { return m_table->columns(); }
    std::optional<std::int64_t> first() override { return keyIf(0); }
    std::optional<std::int64_t> last() override { return keyIf(static_cast<std::int64_t>(m_table->size()) - 1); }
    std::optional<std::int64_t> next(std::int64_t key) override { return keyIf(key + 1); }
    std::optional<std::int64_t> previous(std::int64_t key) override { return keyIf(key - 1); }
    bool read(std::int64_t key, RecordValues& values) override {
        if (!keyIf(key)) {
            return false;
        }
        values = m_table->record(static_cast<std::size_t>(key));
        return true;
    }
    void scan(const std::vector<int>& columns,
              const std::function<void(std::int64_t, const RecordValues&)>& visit) override {
        RecordValues values(columns.size());
        for (std::size_t key = 0; m_table->has(key); ++key) {
            const RecordValues& record = m_table->record(key);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                values[i] = record[static_cast<std::size_t>(columns[i])];
            }
            visit(static_cast<std::int64_t>(key), values);
        }
    }

private:
    std::optional<std::int64_t> keyIf(std::int64_t key) {
        if (key < 0 || !m_table->has(static_cast<std::size_t>(key))) {
            return std::nullopt;
        }
        return key;
    }

    std::shared_ptr<MemoryTable> m_table;
};

// What identifies a table of a file as it is now.
} // namespace

std::string fileKey(const std::string& path, const std::string& table) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    const auto time = std::filesystem::last_write_time(path, ec).time_since_epoch().count();
    return path + '\n' + table + '\n' + std::to_string(size) + '\n' + std::to_string(time);
}

std::unique_ptr<RecordSource> memorySource(std::shared_ptr<MemoryTable> table) {
    return std::make_unique<MemorySource>(std::move(table));
}

std::shared_ptr<MemoryTable> sharedTable(const std::string& path, const std::string& table,
                                         const std::function<std::shared_ptr<MemoryTable>()>& read) {
    static std::mutex guard; // the offers read their words on a thread of their own
    static std::map<std::string, std::weak_ptr<MemoryTable>> held;
    const std::string key = fileKey(path, table);
    const std::lock_guard lock(guard);
    if (auto shared = held[key].lock()) {
        return shared;
    }
    auto made = read();
    std::erase_if(held, [](const auto& entry) { return entry.second.expired(); });
    if (made) {
        held[key] = made;
    }
    return made;
}

} // namespace store
