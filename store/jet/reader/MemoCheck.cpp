#include "store/jet/reader/MemoCheck.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace store {

namespace {

constexpr std::uint32_t Inline = 0x80000000U; // the text follows in the record
constexpr std::uint32_t OneRow = 0x40000000U; // the text is one row of a page of long values
constexpr std::uint32_t LengthBits = 0x3FFFFFFFU;
constexpr int RowOffsetBits = 0x1FFF; // a row's place on its page; the bits above are flags
constexpr int DeletedRow = 0x8000;
constexpr std::uint32_t RowBits = 0xFFU; // the row's number; the page's number is above it
constexpr int DataPage = 0x01;

std::uint32_t int32At(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8U |
           static_cast<std::uint32_t>(bytes[2]) << 16U | static_cast<std::uint32_t>(bytes[3]) << 24U;
}

int int16At(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8;
}

} // namespace

MemoCheck::MemoCheck(MdbHandle* mdb, std::uintmax_t fileSize)
    : m_mdb(mdb), m_pages(static_cast<std::uint32_t>(fileSize / static_cast<std::uintmax_t>(mdb->fmt->pg_size))) {}

// One row of a page of long values, checked: the page is of the file and holds long values, the row is one of its
// rows, not deleted, and lies within the page after the list of rows; and no other record has taken it.
MemoCheck::Row MemoCheck::lvalRow(std::uint32_t pageRow) {
    const std::uint32_t page = pageRow >> 8U;
    const auto row = static_cast<int>(pageRow & RowBits);
    if (page == 0 || page >= m_pages) {
        throw Damage("a memo's page lies outside the file");
    }
    if (!m_taken.insert(pageRow).second) {
        throw Damage("two memos take the same text");
    }
    const auto pageSize = static_cast<int>(m_mdb->fmt->pg_size);
    // Memos follow each other on their pages: the page read last is kept.
    if (page != m_pageHeld) {
        if (mdb_read_alt_pg(m_mdb, page) != pageSize) {
            throw Damage("a memo's page cannot be read");
        }
        m_page.assign(m_mdb->alt_pg_buf, m_mdb->alt_pg_buf + pageSize);
        m_pageHeld = page;
    }
    const unsigned char* bytes = m_page.data();
    if (bytes[0] != DataPage || std::memcmp(bytes + 4, "LVAL", 4) != 0) {
        throw Damage("a memo's page is not a page of long values");
    }
    const int rowCountAt = m_mdb->fmt->row_count_offset;
    const int rows = int16At(bytes + rowCountAt);
    const int listEnd = rowCountAt + 2 + 2 * rows;
    if (row >= rows || listEnd > pageSize) {
        throw Damage("a memo's row is not on its page");
    }
    // The list of rows after the count: each row's place, the first row at the page's end.
    const unsigned char* places = bytes + rowCountAt + 2;
    const auto placeOf = [places](int n) { return int16At(places + static_cast<std::ptrdiff_t>(2) * n); };
    const int raw = placeOf(row);
    const int start = raw & RowOffsetBits;
    const int end = row == 0 ? pageSize : placeOf(row - 1) & RowOffsetBits;
    if ((raw & DeletedRow) != 0 || start < listEnd || start > end || end > pageSize) {
        throw Damage("a memo's row does not lie on its page");
    }
    return {start, end - start};
}

void MemoCheck::check(int start, int size) {
    constexpr int Overhead = MDB_MEMO_OVERHEAD;
    if (size < Overhead || start < 0 || start + size > m_mdb->fmt->pg_size) {
        throw Damage("a memo's record is cut short");
    }
    std::array<unsigned char, Overhead> head{};
    std::memcpy(head.data(), m_mdb->pg_buf + start, head.size());
    const std::uint32_t stored = int32At(head.data());
    const std::uint32_t length = stored & LengthBits;
    if ((stored & Inline) != 0) {
        if (length != static_cast<std::uint32_t>(size - Overhead)) {
            throw Damage("a memo in its record is not as long as it says");
        }
        return;
    }
    std::uint32_t pageRow = int32At(head.data() + 4);
    if ((stored & OneRow) != 0) {
        if (static_cast<std::uint32_t>(lvalRow(pageRow).length) != length) {
            throw Damage("a memo is not as long as its record says");
        }
        return;
    }
    // A chain of rows, each beginning with where the next one is (nothing after the last), the text after that.
    std::uint64_t found = 0;
    for (std::uint32_t steps = 0; pageRow != 0; ++steps) {
        const Row row = lvalRow(pageRow);
        if (row.length < 4 || steps > m_pages * (RowBits + 1)) {
            throw Damage("a memo's chain of rows does not add up");
        }
        found += static_cast<std::uint64_t>(row.length - 4);
        pageRow = int32At(m_page.data() + row.start);
    }
    if (found != length) {
        throw Damage("a memo is not as long as its record says");
    }
}

} // namespace store
