#pragma once

#include <cstdint>
#include <stdexcept>
#include <unordered_set>
#include <vector>

// glib first: mdbtools.h includes it inside its own C linkage block.
#include <glib.h>
#include <mdbtools.h>

namespace store {

// What the reader finds wrong with a file, and what it is.
class Damage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Vouches for the memo values of a table's records before they are sent. A memo longer than its record keeps its text
// on pages of long values ("LVAL" pages), one row of one page or a chain of rows, and the record says where and how
// long it is. libmdb reads what it finds there, lost, zeroed or another record's: here every page a memo needs must be
// a page of long values of the file, every row one the page has, the text exactly as long as the record says, and no
// row taken by two records. Whatever does not hold is damage.
class MemoCheck {
public:
    MemoCheck(MdbHandle* mdb, std::uintmax_t fileSize);

    // The memo value of the record libmdb has just read: `size` bytes at `start` of its page (mdb->pg_buf). Throws
    // Damage. libmdb's page of records is left as it was.
    void check(int start, int size);

private:
    struct Row {
        int start;
        int length;
    };
    Row lvalRow(std::uint32_t pageRow);

    MdbHandle* m_mdb;
    std::uint32_t m_pages;
    std::uint32_t m_pageHeld = 0; // the page of long values in m_page; 0 for none
    std::vector<unsigned char> m_page;
    std::unordered_set<std::uint32_t> m_taken; // every row of long values a record has taken
};

} // namespace store
