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

// Whether libmdb can walk a table it has read: its usage map says which pages hold the records, and libmdb reads the
// map without asking whether it found one.
bool walkable(const MdbTableDef* def) {
    return def != nullptr && def->usage_map != nullptr && def->map_sz > 0;
}

// The stored name of a table, found in the catalog ignoring letter case.
std::optional<std::string> findTable(MdbHandle* mdb, const std::string& table, const std::string& path) {
    // The catalog is itself a table, always on page 2; libmdb walks it unchecked, so it is checked here first.
    MdbCatalogEntry catalog{};
    catalog.mdb = mdb;
    std::strcpy(catalog.object_name, "MSysObjects");
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = 2;
    const std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> def(mdb_read_table(&catalog), &mdb_free_tabledef);
    if (!walkable(def.get()) || mdb_read_catalog(mdb, MDB_TABLE) == nullptr) {
        raiseUnreadableJet(path, "catalog");
    }
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        const auto* entry = static_cast<const MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && g_ascii_strcasecmp(entry->object_name, table.c_str()) == 0) {
            return std::string(entry->object_name);
        }
    }
    return std::nullopt;
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
        const auto name = findTable(handle.mdb, table, path);
        if (!name) {
            put("N", 1);
            return 0;
        }
        const std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> def(
            mdb_read_table_by_name(handle.mdb, const_cast<gchar*>(name->c_str()), MDB_TABLE), &mdb_free_tabledef);
        if (!walkable(def.get()) || mdb_read_columns(def.get()) == nullptr || def->num_cols < 2) {
            return 1;
        }
        put("T", 1);
        const std::uint32_t count = def->num_cols;
        put(&count, sizeof count);
        for (unsigned i = 0; i < def->num_cols; ++i) {
            putText(static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i))->name);
        }
        mdb_rewind_table(def.get());
        // No table holds more records than its file has bytes, whatever its pages say.
        for (auto most = handle.fileSize; most > 0 && mdb_fetch_row(def.get()) != 0; --most) {
            put("R", 1);
            for (unsigned i = 0; i < def->num_cols; ++i) {
                const auto value = columnText(handle, static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i)));
                put(value ? "\1" : "\0", 1);
                if (value) {
                    putText(*value);
                }
            }
        }
        put("E", 1);
        return 0;
    } catch (const RuntimeError&) {
        return 1;
    }
}

} // namespace core
