// An Access table read through libmdb and written out as a stream, in the reader process that JetSource starts.
#include "core/store/JetReader.h"

#include "platform/headless/RuntimeError.h"

// glib first: mdbtools.h includes it inside its own C linkage block.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>
#include <utility>

namespace core {

using platform::RuntimeError;
namespace err = platform::err;

void raiseUnreadableJet(const std::string& path, const char* what) {
    throw RuntimeError(err::UnrecognizedFormat, "Unrecognized database format '" + path + "' (" + what + ").");
}

namespace {

// libmdb gives up on pages it cannot make sense of, but it trusts the page size and the counts it reads: a file
// must hold whole pages, at least the header page and the catalog's. Its size.
std::uintmax_t checkShape(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    constexpr std::uintmax_t SmallestPage = 2048;
    if (ec || size < 2 * SmallestPage || size % SmallestPage != 0) {
        raiseUnreadableJet(path, "not whole pages");
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
            raiseUnreadableJet(path, "no Access database");
        }
        if (mdb->fmt->pg_size != 2048 && mdb->fmt->pg_size != 4096) {
            mdb_close(mdb);
            raiseUnreadableJet(path, "page size");
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

// Where a table is stored.
struct TablePlace {
    std::string name; // as stored
    unsigned long page = 0;
};

// A table named ignoring letter case, found in the catalog. The catalog is itself a table, MSysObjects, starting on
// page 2. It is read here rather than by libmdb's own catalog reader, which also reads each object's properties,
// and those it trusts to the byte.
std::optional<TablePlace> findTable(const JetHandle& handle, const std::string& table, const std::string& path) {
    JetTableDef catalog(handle.mdb, "MSysObjects", 2);
    const auto id = catalog.readable() ? catalog.columnNamed("Id") : std::nullopt;
    const auto name = catalog.readable() ? catalog.columnNamed("Name") : std::nullopt;
    const auto type = catalog.readable() ? catalog.columnNamed("Type") : std::nullopt;
    if (!id || !name || !type) {
        raiseUnreadableJet(path, "catalog");
    }
    std::optional<TablePlace> found;
    catalog.forEachRecord(handle.fileSize, [&] {
        const auto objectType = columnText(handle, catalog.column(*type));
        const auto objectName = columnText(handle, catalog.column(*name));
        if (objectType && std::atoi(objectType->c_str()) == MDB_TABLE && objectName &&
            g_ascii_strcasecmp(objectName->c_str(), table.c_str()) == 0) {
            const auto objectId = columnText(handle, catalog.column(*id));
            found = TablePlace{*objectName, objectId ? std::strtoul(objectId->c_str(), nullptr, 10) & 0x00FFFFFFu : 0};
        }
        return !found;
    });
    return found;
}

} // namespace

int streamJetTable(const std::string& path, const std::string& table, int fd) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(fdopen(fd, "wb"), &std::fclose);
    if (!out) {
        close(fd);
        return 1;
    }
    const auto put = [&out](const void* data, std::size_t size) { std::fwrite(data, 1, size, out.get()); };
    const auto putText = [&put](const std::string& text) {
        const auto size = static_cast<std::uint32_t>(text.size());
        put(&size, sizeof size);
        put(text.data(), text.size());
    };
    try {
        const JetHandle handle(path);
        const auto place = findTable(handle, table, path);
        if (!place) {
            put("N", 1);
            return 0;
        }
        JetTableDef words(handle.mdb, place->name, place->page);
        if (!words.readable() || words.columnCount() < 2) {
            return 1;
        }
        put("T", 1);
        const std::uint32_t count = words.columnCount();
        put(&count, sizeof count);
        for (unsigned i = 0; i < count; ++i) {
            putText(words.column(i)->name);
        }
        words.forEachRecord(handle.fileSize, [&] {
            put("R", 1);
            for (unsigned i = 0; i < count; ++i) {
                const auto value = columnText(handle, words.column(i));
                put(value ? "\1" : "\0", 1);
                if (value) {
                    putText(*value);
                }
            }
            return true;
        });
        put("E", 1);
        return 0;
    } catch (const RuntimeError&) {
        return 1;
    }
}

} // namespace core
