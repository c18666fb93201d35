#include "store/jet/JetStream.h"

#include <algorithm>

namespace store::jetstream {

namespace {
constexpr std::size_t PieceSize = std::size_t{64} * 1024;
} // namespace

void Writer::mark(char c) {
    m_buffer += c;
}

void Writer::count(std::uint32_t n) {
    m_buffer.append(reinterpret_cast<const char*>(&n), sizeof n);
}

void Writer::text(std::string_view s) {
    count(static_cast<std::uint32_t>(std::min<std::size_t>(s.size(), UINT32_MAX)));
    m_buffer.append(s.substr(0, UINT32_MAX));
}

void Writer::sendIfFull() {
    if (m_buffer.size() >= PieceSize) {
        flush();
    }
}

void Writer::noTable() {
    mark('N');
}

void Writer::columns(const std::vector<std::string>& names) {
    mark('T');
    count(static_cast<std::uint32_t>(names.size()));
    for (const auto& name : names) {
        text(name);
    }
}

void Writer::record(const Values& values) {
    mark('R');
    for (const auto& value : values) {
        m_buffer += static_cast<char>(value ? 1 : 0);
        if (value) {
            text(*value);
        }
    }
    sendIfFull();
}

void Writer::end() {
    mark('E');
}

void Writer::damaged(std::string_view what) {
    mark('D');
    text(what);
}

bool Writer::flush() {
    if (!m_failed && !m_buffer.empty()) {
        m_failed = !m_send(m_buffer);
    }
    m_buffer.clear();
    return !m_failed;
}

Reader::Reader(ByteSource& in, std::uint64_t fileSize)
    : m_in(in), m_fileSize(fileSize),
      // A character of the file is at most three bytes of UTF-8; a number's text is longer than its bytes, but a
      // record's values are never many times the record.
      m_bytesLeft(std::min(MostBytes, 8 * fileSize + 65536)), m_recordsLeft(fileSize) {}

char Reader::mark() {
    char c = 0;
    if (!m_in.read(&c, 1)) {
        throw StreamError("the reader stopped before the end of the table");
    }
    if (c == 'D') {
        throw StreamError(text());
    }
    return c;
}

std::uint32_t Reader::count() {
    std::uint32_t n = 0;
    if (!m_in.read(&n, sizeof n)) {
        throw StreamError("the reader stopped before the end of the table");
    }
    return n;
}

std::string Reader::text() {
    const std::uint32_t size = count();
    if (size > m_bytesLeft || size > 3 * m_fileSize + 4096) {
        throw StreamError("the reader sent a value longer than the file can hold");
    }
    m_bytesLeft -= size;
    std::string s(size, '\0');
    if (size > 0 && !m_in.read(s.data(), size)) {
        throw StreamError("the reader stopped before the end of the table");
    }
    return s;
}

std::optional<std::vector<std::string>> Reader::head() {
    const char c = mark();
    if (c == 'N') {
        return std::nullopt;
    }
    if (c != 'T') {
        throw StreamError("the reader sent no table");
    }
    const std::uint32_t n = count();
    if (n == 0 || n > MostColumns) {
        throw StreamError("the reader sent " + std::to_string(n) + " columns");
    }
    std::vector<std::string> names;
    names.reserve(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        names.push_back(text());
    }
    m_columnCount = n;
    // A row takes at least its place in its page's list of rows (2 bytes), its column count (2) and its mask of
    // missing values (a bit a column): no file holds more rows than that allows.
    m_recordsLeft = m_fileSize / (4 + (std::uint64_t{n} + 7) / 8);
    return names;
}

std::optional<Values> Reader::next() {
    const char c = mark();
    if (c == 'E') {
        return std::nullopt;
    }
    if (c != 'R' || m_columnCount == 0) {
        throw StreamError("the reader sent no record where one belongs");
    }
    if (m_recordsLeft == 0) {
        throw StreamError("the reader sent more records than the file can hold");
    }
    --m_recordsLeft;
    Values values;
    values.reserve(m_columnCount);
    for (std::size_t i = 0; i < m_columnCount; ++i) {
        char present = 0;
        if (!m_in.read(&present, 1) || (present != 0 && present != 1)) {
            throw StreamError("the reader sent a record that is cut short or makes no sense");
        }
        values.push_back(present != 0 ? std::optional<std::string>(text()) : std::nullopt);
    }
    return values;
}

} // namespace store::jetstream
