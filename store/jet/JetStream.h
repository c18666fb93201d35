#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The stream in which an Access reader process hands one table of a file to the program. Both ends are here.
//
//   'N'                           the file has no such table; the stream ends
//   'T' count, count x text       the table's columns
//   'R' per column: 0 | 1 text    a record: no value, or its value
//   'E'                           the end of the table
//   'D' text                      the file is damaged here, and what is wrong; the stream ends
//
// A mark is one byte; a count or a length is 32 bits in the machine's order (both ends run on one machine); a text
// is its length and its UTF-8 bytes.
namespace store::jetstream {

using Values = std::vector<std::optional<std::string>>;

// The reader's end. Buffers what it is given and sends it in pieces.
class Writer {
public:
    // send takes all of the bytes, or says false (the program has gone).
    explicit Writer(std::function<bool(std::string_view)> send) : m_send(std::move(send)) {}

    void noTable();
    void columns(const std::vector<std::string>& names);
    void record(const Values& values);
    void end();
    void damaged(std::string_view what);
    // Sends what is buffered; false when it could not.
    bool flush();

private:
    void mark(char c);
    void count(std::uint32_t n);
    void text(std::string_view s);
    void sendIfFull();

    std::function<bool(std::string_view)> m_send;
    std::string m_buffer;
    bool m_failed = false;
};

// Where the program's end takes its bytes from: all that is asked for, or false at the end of the bytes.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual bool read(void* into, std::size_t size) = 0;
};

// A stream that cannot be the table of a sound file: the reader said so, stopped short or wrote what no reader
// writes. Its text says which.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's end. Nothing is allocated for a count or a length before it is checked against what a file of
// the given size can hold, and against the most the program ever holds.
class Reader {
public:
    Reader(ByteSource& in, std::uint64_t fileSize);

    // The table's columns; nothing when the file has no such table.
    std::optional<std::vector<std::string>> head();
    // The next record; nothing at the end of the table.
    std::optional<Values> next();

    // Jet allows 255 columns to a table.
    static constexpr std::uint32_t MostColumns = 255;
    // No text and no table is ever larger than this, whatever the file.
    static constexpr std::uint64_t MostBytes = std::uint64_t{1} << 30;

private:
    char mark();
    std::uint32_t count();
    std::string text();

    ByteSource& m_in;
    std::uint64_t m_fileSize;
    std::uint64_t m_bytesLeft; // what all the texts may still take
    std::uint64_t m_recordsLeft;
    std::size_t m_columnCount = 0;
};

} // namespace store::jetstream
