// The stream between the Access reader and the program, both ends in this process: what the reader writes reads
// back whole, and a stream no sound reader writes is an error before anything it names is allocated.
#include "store/jet/JetStream.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace store::jetstream;

namespace {

class StringSource final : public ByteSource {
public:
    explicit StringSource(std::string bytes) : m_bytes(std::move(bytes)) {}
    bool read(void* into, std::size_t size) override {
        if (size > m_bytes.size() - m_at) {
            return false;
        }
        std::memcpy(into, m_bytes.data() + m_at, size);
        m_at += size;
        return true;
    }

private:
    std::string m_bytes;
    std::size_t m_at = 0;
};

// What a writer sends, whole.
std::string written(const std::function<void(Writer&)>& write) {
    std::string out;
    Writer writer([&out](std::string_view bytes) {
        out += bytes;
        return true;
    });
    write(writer);
    writer.flush();
    return out;
}

const std::vector<std::string> Columns{"Name", "Meaning"};
const std::vector<Values> Records{{"zebra", "a striped animal"}, {std::nullopt, ""}, {"\xC3\x89mile", std::nullopt}};

std::string wholeTable() {
    return written([](Writer& w) {
        w.columns(Columns);
        for (const auto& record : Records) {
            w.record(record);
        }
        w.end();
    });
}

// Reads the stream to its end as the program does.
std::vector<Values> readAll(const std::string& bytes, std::uint64_t fileSize = 1 << 20) {
    StringSource in(bytes);
    Reader reader(in, fileSize);
    EXPECT_EQ(reader.head(), Columns);
    std::vector<Values> records;
    while (auto values = reader.next()) {
        records.push_back(*values);
    }
    return records;
}

std::string count(std::uint32_t n) {
    return {reinterpret_cast<const char*>(&n), sizeof n};
}

} // namespace

TEST(JetStream, ReadsBackWhatTheReaderWrote) {
    EXPECT_EQ(readAll(wholeTable()), Records);

    StringSource none(written([](Writer& w) { w.noTable(); }));
    EXPECT_EQ(Reader(none, 100).head(), std::nullopt);

    // Damage the reader found is an error with its own words, after the records before it.
    StringSource damaged(written([](Writer& w) {
        w.columns(Columns);
        w.record(Records[0]);
        w.damaged("a page of the table lies beyond the end of the file");
    }));
    Reader reader(damaged, 1 << 20);
    reader.head();
    EXPECT_EQ(reader.next(), Records[0]);
    try {
        reader.next();
        ADD_FAILURE() << "damage read as a record";
    } catch (const StreamError& e) {
        EXPECT_STREQ(e.what(), "a page of the table lies beyond the end of the file");
    }
}

// Every stream cut short is an error, wherever the cut falls.
TEST(JetStream, StreamsCutShortAreErrors) {
    const std::string whole = wholeTable();
    for (std::size_t keep = 0; keep < whole.size(); ++keep) {
        EXPECT_THROW(readAll(whole.substr(0, keep)), StreamError) << keep;
    }
}

TEST(JetStream, StreamsNoReaderWritesAreErrors) {
    const std::string head = "T" + count(2) + count(4) + "Name" + count(7) + "Meaning";
    std::string wide = "T" + count(255);
    for (int i = 0; i < 255; ++i) {
        wide += count(1) + "c";
    }
    const std::string wideRecord = "R" + std::string(255, '\0');
    const auto repeated = [](const std::string& piece, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) {
            all += piece;
        }
        return all;
    };
    const std::string record = "R\1" + count(1) + "a";
    const struct {
        const char* what;
        std::string bytes;
        std::uint64_t fileSize;
        const char* error; // what the error says
    } cases[] = {
        {"a record before the columns", record + head + "E", 1 << 20, "the reader sent no table"},
        {"columns twice", head + head + "E", 1 << 20, "the reader sent no record where one belongs"},
        {"a wrong mark where a record belongs", head + "X", 1 << 20, "the reader sent no record where one belongs"},
        {"a wrong mark at the start", "Q", 1 << 20, "the reader sent no table"},
        {"a presence byte that is neither", head + "R\2", 1 << 20,
         "the reader sent a record that is cut short or makes no sense"},
        {"no columns", "T" + count(0) + "E", 1 << 20, "the reader sent 0 columns"},
        {"more columns than Jet allows", "T" + count(256), 1 << 20, "the reader sent 256 columns"},
        {"a text of 4 GB", head + "R\1" + count(0xFFFFFFFF), 1 << 20,
         "the reader sent a value longer than the file can hold"},
        {"a text cut short", head + "R\1" + count(4000), 1000, "the reader stopped before the end of the table"},
        {"a text longer than three characters a byte of the file",
         head + "R\1" + count(8000) + std::string(8000, 'x') + std::string("\0E", 2), 1000,
         "the reader sent a value longer than the file can hold"},
        {"more records than the file has bytes", head + record + record + record + "E", 2,
         "the reader sent more records than the file can hold"},
        {"the damage the reader found", head + record + std::string(1, '\0') + "D" + count(5) + "a row", 1 << 20,
         "a row"},
    };
    for (const auto& c : cases) {
        try {
            readAll(c.bytes, c.fileSize);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const StreamError& error) {
            EXPECT_STREQ(error.what(), c.error) << c.what;
        }
    }
    // Each row of a table takes at least its place on the page and its mask of missing values: 36 bytes for 255
    // columns, so a 112 KB file holds no more than 3,185 of them.
    const auto wideRows = [&](int records) {
        StringSource in(wide + repeated(wideRecord, records) + "E");
        Reader reader(in, 114688);
        EXPECT_EQ(reader.head()->size(), 255U);
        int rows = 0;
        while (reader.next()) {
            ++rows;
        }
        return rows;
    };
    EXPECT_EQ(wideRows(3185), 3185);
    EXPECT_THROW(wideRows(3186), StreamError);
}
