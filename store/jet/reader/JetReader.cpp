// An Access table read through libmdb and written out as a stream, in the reader program.
#include "store/jet/reader/JetReader.h"

#include "store/jet/JetStream.h"
#include "store/jet/reader/MemoCheck.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace store {

namespace {

// libmdb gives up on pages it cannot make sense of, but it trusts the page size and the counts it reads: a file
// must hold whole pages, at least the header page and the catalog's. Its size.
std::uintmax_t checkShape(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    constexpr std::uintmax_t SmallestPage = 2048;
    if (ec || size < 2 * SmallestPage || size % SmallestPage != 0) {
        throw Damage("not whole pages");
    }
    return size;
}

// One open database, closed with its owner.
struct JetHandle {
    MdbHandle* mdb = nullptr;
    std::uintmax_t fileSize = 0; // no count or length in the file is larger, whatever the file says
    explicit JetHandle(const std::string& path) : fileSize(checkShape(path)) {
        mdb = mdb_open(path.c_str(), MDB_NOFLAGS); // read-only: no lock file, nothing written
        if (mdb == nullptr) {
            throw Damage("no Access database");
        }
        if (mdb->fmt->pg_size != 2048 && mdb->fmt->pg_size != 4096) {
            mdb_close(mdb);
            throw Damage("page size");
        }
#if MDBTOOLS_H_HAVE_ICONV_H
        // libmdb reads Jet 4 text as UCS-2, which breaks a character beyond U+FFFF (stored as a pair of
        // surrogates) into two question marks. Read it as the UTF-16 it is.
        iconv_t utf16 = iconv_open("UTF-8", "UTF-16LE");
        const auto failed = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr): iconv's failure
        if (utf16 != failed) {
            std::swap(mdb->iconv_in, utf16);
            if (utf16 != failed) {
                iconv_close(utf16); // libmdb's own, now that its place is taken
            }
        }
#endif
    }
    ~JetHandle() {
        if (mdb != nullptr) {
            mdb_close(mdb);
        }
    }
    JetHandle(const JetHandle&) = delete;
    JetHandle& operator=(const JetHandle&) = delete;
};

// A column of the record libmdb has just read, as UTF-8 text; nothing for an empty value (libmdb cannot tell it from
// none).
std::optional<std::string> columnText(const JetHandle& handle, MdbColumn* col) {
    MdbHandle* mdb = handle.mdb;
    if (col->cur_value_len <= 0) {
        return std::nullopt;
    }
    if (col->col_type == MDB_MEMO) {
        // A memo can be longer than libmdb's usual buffer: make room for its stored length, doubled for UTF-8; but no
        // longer than the file, whatever a damaged length says.
        const auto stored = std::min<std::uintmax_t>(
            static_cast<unsigned long>(mdb_get_int32(mdb->pg_buf, col->cur_value_start)) & 0x3FFFFFFFu,
            handle.fileSize);
        mdb_set_bind_size(mdb, std::max<std::size_t>(MDB_BIND_SIZE, static_cast<std::size_t>(2 * stored + 16)));
    } else {
        mdb_set_bind_size(mdb, MDB_BIND_SIZE);
    }
    char* value = mdb_col_to_string(mdb, mdb->pg_buf, col->cur_value_start, col->col_type, col->cur_value_len);
    if (value == nullptr) {
        return std::nullopt;
    }
    std::string result(value);
    g_free(value);
    return result;
}

// A table of the file as libmdb reads it, with its columns, from the page its definition starts on. libmdb keeps a
// pointer to the catalog entry it reads a table from, so the entry lives here too.
class JetTableDef {
public:
    JetTableDef(MdbHandle* mdb, const std::string& name, unsigned long page) {
        m_entry.mdb = mdb;
        g_strlcpy(m_entry.object_name, name.c_str(), sizeof m_entry.object_name);
        m_entry.object_type = MDB_TABLE;
        m_entry.table_pg = page;
        m_def = mdb_read_table(&m_entry);
        // The usage map says which pages hold the records; libmdb walks it without asking whether it found one.
        if (m_def != nullptr &&
            (m_def->usage_map == nullptr || m_def->map_sz == 0 || mdb_read_columns(m_def) == nullptr)) {
            mdb_free_tabledef(m_def);
            m_def = nullptr;
        }
    }
    ~JetTableDef() {
        if (m_def != nullptr) {
            mdb_free_tabledef(m_def);
        }
    }
    JetTableDef(const JetTableDef&) = delete;
    JetTableDef& operator=(const JetTableDef&) = delete;

    // Whether libmdb can walk the table's records.
    bool readable() const { return m_def != nullptr; }
    MdbTableDef* def() const { return m_def; }
    unsigned columnCount() const { return m_def->num_cols; }
    MdbColumn* column(unsigned i) const { return static_cast<MdbColumn*>(g_ptr_array_index(m_def->columns, i)); }
    std::optional<unsigned> columnNamed(const char* name) const {
        for (unsigned i = 0; i < columnCount(); ++i) {
            if (std::strcmp(column(i)->name, name) == 0) {
                return i;
            }
        }
        return std::nullopt;
    }
    // Reads the records in stored order, no more of them than the file has bytes, whatever its pages say.
    void forEachRecord(std::uintmax_t fileSize, const std::function<bool()>& visit) {
        mdb_rewind_table(m_def);
        for (auto most = fileSize; most > 0 && mdb_fetch_row(m_def) != 0; --most) {
            if (!visit()) {
                return;
            }
        }
    }

private:
    MdbCatalogEntry m_entry{};
    MdbTableDef* m_def = nullptr;
};

// The pages a table's usage map says hold its records must be pages of the file: libmdb reads a page past the end
// of a file cut short as the end of the table, and the table would look whole and be shorter. (A page that is not
// one of the table's, libmdb reports as it comes to it, and so do the records the table counts.)
void checkDataPages(const JetHandle& handle, const JetTableDef& table) {
    MdbHandle* mdb = handle.mdb;
    const std::uintmax_t pages = handle.fileSize / static_cast<std::uintmax_t>(mdb->fmt->pg_size);
    MdbTableDef* def = table.def();
    const auto mapSize = static_cast<unsigned int>(def->map_sz);
    std::uintmax_t visited = 0;
    for (gint32 page = mdb_map_find_next(mdb, def->usage_map, mapSize, 0); page > 0;
         page = mdb_map_find_next(mdb, def->usage_map, mapSize, static_cast<guint32>(page))) {
        if (static_cast<std::uintmax_t>(page) >= pages || ++visited > pages) {
            throw Damage("a page of the table lies beyond the end of the file");
        }
    }
}

// Where a table is stored.
struct TablePlace {
    std::string name; // as stored
    unsigned long page = 0;
};

// A table named ignoring letter case, found in the catalog. The catalog is itself a table, MSysObjects, starting on
// page 2. It is read here rather than by libmdb's own catalog reader, which also reads each object's properties,
// and those it trusts to the byte.
std::optional<TablePlace> findTable(const JetHandle& handle, const std::string& table) {
    JetTableDef catalog(handle.mdb, "MSysObjects", 2);
    const auto id = catalog.readable() ? catalog.columnNamed("Id") : std::nullopt;
    const auto name = catalog.readable() ? catalog.columnNamed("Name") : std::nullopt;
    const auto type = catalog.readable() ? catalog.columnNamed("Type") : std::nullopt;
    if (!id || !name || !type) {
        throw Damage("the catalog cannot be read");
    }
    checkDataPages(handle, catalog);
    std::optional<TablePlace> found;
    std::size_t read = 0;
    catalog.forEachRecord(handle.fileSize, [&] {
        ++read;
        const auto objectType = columnText(handle, catalog.column(*type));
        const auto objectName = columnText(handle, catalog.column(*name));
        if (objectType && std::atoi(objectType->c_str()) == MDB_TABLE && objectName &&
            g_ascii_strcasecmp(objectName->c_str(), table.c_str()) == 0) {
            const auto objectId = columnText(handle, catalog.column(*id));
            found = TablePlace{*objectName, objectId ? std::strtoul(objectId->c_str(), nullptr, 10) & 0x00FFFFFFu : 0};
        }
        return !found;
    });
    // Not found: so long as every entry the catalog counts was read.
    if (!found && read != catalog.def()->num_rows) {
        throw Damage("the catalog holds " + std::to_string(read) + " of its " +
                     std::to_string(catalog.def()->num_rows) + " entries");
    }
    return found;
}

// Whether libmdb has complained about the file on its standard error.
bool complained(int complaints) {
    struct stat written {};
    return complaints >= 0 && fstat(complaints, &written) == 0 && written.st_size > 0;
}

// Streams the table's records, each sent only once the reader has vouched for it: its memos checked, and libmdb
// found nothing wrong while it read it and the records before it (asked of libmdb for a batch of records at a time).
void streamRecords(const JetHandle& handle, JetTableDef& words, jetstream::Writer& out, int complaints) {
    std::vector<std::string> names;
    for (unsigned i = 0; i < words.columnCount(); ++i) {
        names.emplace_back(words.column(i)->name);
    }
    out.columns(names);
    MemoCheck memos(handle.mdb, handle.fileSize);
    constexpr std::size_t Batch = 256;
    std::vector<jetstream::Values> vouched;
    const auto send = [&] {
        if (complained(complaints)) {
            throw Damage("libmdb cannot read a page of the table");
        }
        for (const jetstream::Values& values : vouched) {
            out.record(values);
        }
        vouched.clear();
    };
    std::size_t count = 0;
    words.forEachRecord(handle.fileSize, [&] {
        jetstream::Values values(names.size());
        for (unsigned i = 0; i < names.size(); ++i) {
            MdbColumn* column = words.column(i);
            if (column->col_type == MDB_MEMO && column->cur_value_len > 0) {
                memos.check(column->cur_value_start, column->cur_value_len);
            }
            values[i] = columnText(handle, column);
        }
        vouched.push_back(std::move(values));
        if (++count % Batch == 0) {
            send();
        }
        return true;
    });
    // The table's definition counts its records: a page lost to damage shows as fewer.
    if (count != words.def()->num_rows) {
        throw Damage("the table holds " + std::to_string(count) + " of its " + std::to_string(words.def()->num_rows) +
                     " records");
    }
    send();
    out.end();
}

} // namespace

int streamJetTable(const std::string& path, const std::string& table, int fd, const ReaderSetup& setup) {
    jetstream::Writer out([fd](std::string_view bytes) {
        while (!bytes.empty()) {
            const auto wrote = write(fd, bytes.data(), bytes.size());
            if (wrote <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(wrote));
        }
        return true;
    });
    int status = 0;
    try {
        const JetHandle handle(path);
        if (setup.confine && !setup.confine()) {
            throw Damage("the reader cannot confine itself");
        }
        const auto place = findTable(handle, table);
        if (complained(setup.complaints)) {
            throw Damage("libmdb cannot read the catalog");
        }
        if (!place) {
            out.noTable();
        } else {
            JetTableDef words(handle.mdb, place->name, place->page);
            if (!words.readable() || words.columnCount() < 1) {
                throw Damage("the table's definition");
            }
            checkDataPages(handle, words);
            streamRecords(handle, words, out, setup.complaints);
        }
    } catch (const Damage& damage) {
        out.damaged(damage.what());
    } catch (const std::bad_alloc&) {
        out.damaged("the file asks for more memory than the reader may take");
        status = 1;
    }
    if (!out.flush()) {
        status = 1;
    }
    close(fd);
    return status;
}

} // namespace store
