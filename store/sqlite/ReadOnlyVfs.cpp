#include "store/sqlite/ReadOnlyVfs.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace store {

namespace {

constexpr const char* VfsName = "lexorant-readonly";

sqlite3_vfs* g_base = nullptr;

// The WAL index of one database file, shared by every connection of this program to that file. All of them only
// read, so the index needs no locks between them.
struct HeapShm {
    std::vector<void*> regions;
    int users = 0;
    ~HeapShm() {
        for (void* region : regions) {
            std::free(region);
        }
    }
};

std::mutex g_shmMutex;
std::map<std::string, HeapShm>& shms() {
    static std::map<std::string, HeapShm> map;
    return map;
}

// Our file: the base file system's file follows it in the same allocation.
struct File {
    sqlite3_file base; // must come first
    sqlite3_file* real;
    std::string* path;
    bool shmOpen;
    bool neverWritten; // a file beside the database, which is only ever read
    bool absent;       // a WAL file that does not exist: read as an empty one, never created
    bool sharedIndex;  // a database whose WAL index another program keeps: read under its locks, never written
    int openFlags;     // as the file was opened
};

bool sharedIndex(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->sharedIndex;
}

bool isRegular(const std::string& path) {
    struct stat about {};
    return ::stat(path.c_str(), &about) == 0 && S_ISREG(about.st_mode);
}

// Whether the file is a WAL that does not exist. One that another program has made since is opened now and read as
// it is.
bool absent(sqlite3_file* file) {
    auto* f = reinterpret_cast<File*>(file);
    if (f->absent && f->path != nullptr) {
        int outFlags = 0;
        if (isRegular(*f->path) &&
            g_base->xOpen(g_base, f->path->c_str(), f->real, f->openFlags, &outFlags) == SQLITE_OK) {
            f->absent = false;
        }
    }
    return f->absent;
}

sqlite3_file* real(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->real;
}

int fileClose(sqlite3_file* file) {
    auto* f = reinterpret_cast<File*>(file);
    const int rc = !f->absent && f->real->pMethods != nullptr ? f->real->pMethods->xClose(f->real) : SQLITE_OK;
    delete f->path;
    f->path = nullptr;
    return rc;
}
int fileRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    if (absent(file)) {
        std::memset(buffer, 0, static_cast<std::size_t>(amount));
        return SQLITE_IOERR_SHORT_READ;
    }
    return real(file)->pMethods->xRead(real(file), buffer, amount, offset);
}
bool neverWritten(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->neverWritten;
}
int fileWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    return neverWritten(file) ? SQLITE_READONLY : real(file)->pMethods->xWrite(real(file), data, amount, offset);
}
int fileTruncate(sqlite3_file* file, sqlite3_int64 size) {
    return neverWritten(file) ? SQLITE_READONLY : real(file)->pMethods->xTruncate(real(file), size);
}
int fileSync(sqlite3_file* file, int flags) {
    return neverWritten(file) ? SQLITE_OK : real(file)->pMethods->xSync(real(file), flags);
}
int fileSize(sqlite3_file* file, sqlite3_int64* size) {
    if (absent(file)) {
        *size = 0;
        return SQLITE_OK;
    }
    return real(file)->pMethods->xFileSize(real(file), size);
}
int fileLock(sqlite3_file* file, int level) {
    if (absent(file)) {
        return SQLITE_OK;
    }
    return real(file)->pMethods->xLock(real(file), level);
}
int fileUnlock(sqlite3_file* file, int level) {
    if (absent(file)) {
        return SQLITE_OK;
    }
    return real(file)->pMethods->xUnlock(real(file), level);
}
int fileCheckReservedLock(sqlite3_file* file, int* out) {
    if (absent(file)) {
        *out = 0;
        return SQLITE_OK;
    }
    return real(file)->pMethods->xCheckReservedLock(real(file), out);
}
int fileControl(sqlite3_file* file, int op, void* arg) {
    if (absent(file)) {
        return SQLITE_NOTFOUND;
    }
    return real(file)->pMethods->xFileControl(real(file), op, arg);
}
int fileSectorSize(sqlite3_file* file) {
    if (absent(file)) {
        return 4096;
    }
    return real(file)->pMethods->xSectorSize(real(file));
}
int fileDeviceCharacteristics(sqlite3_file* file) {
    if (absent(file)) {
        return 0;
    }
    return real(file)->pMethods->xDeviceCharacteristics(real(file));
}

int shmMap(sqlite3_file* file, int region, int size, int extend, void volatile** out) {
    if (sharedIndex(file)) {
        return real(file)->pMethods->xShmMap(real(file), region, size, extend, out);
    }
    auto* f = reinterpret_cast<File*>(file);
    const std::lock_guard lock(g_shmMutex);
    HeapShm& shm = shms()[*f->path];
    if (!f->shmOpen) {
        f->shmOpen = true;
        ++shm.users;
    }
    // The index is built from the WAL file by the first reader, so every region it asks for is made, zeroed.
    while (static_cast<int>(shm.regions.size()) <= region) {
        void* memory = std::calloc(1, static_cast<std::size_t>(size));
        if (memory == nullptr) {
            return SQLITE_NOMEM;
        }
        shm.regions.push_back(memory);
    }
    *out = shm.regions[static_cast<std::size_t>(region)];
    return SQLITE_OK;
}
int shmLock(sqlite3_file* file, int offset, int count, int flags) {
    if (sharedIndex(file)) {
        return real(file)->pMethods->xShmLock(real(file), offset, count, flags);
    }
    return SQLITE_OK; // every connection to the index is ours, on one thread, and only reads the database
}
void shmBarrier(sqlite3_file* file) {
    if (sharedIndex(file)) {
        real(file)->pMethods->xShmBarrier(real(file));
        return;
    }
    std::atomic_thread_fence(std::memory_order_seq_cst);
}
int shmUnmap(sqlite3_file* file, int deleteFlag) {
    if (sharedIndex(file)) {
        return real(file)->pMethods->xShmUnmap(real(file), 0); // never deleted: it is the other program's
    }
    (void)deleteFlag;
    auto* f = reinterpret_cast<File*>(file);
    if (!f->shmOpen) {
        return SQLITE_OK;
    }
    f->shmOpen = false;
    const std::lock_guard lock(g_shmMutex);
    auto it = shms().find(*f->path);
    if (it != shms().end() && --it->second.users == 0) {
        shms().erase(it);
    }
    return SQLITE_OK;
}

const sqlite3_io_methods g_methods = {
    2, // no memory-mapped reads: every read goes through xRead
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    shmMap,
    shmLock,
    shmBarrier,
    shmUnmap,
    nullptr,
    nullptr,
};

// A WAL that does not exist: read as an empty one, which only this program sees (until another program makes it).
int openAbsentWal(File* f, sqlite3_filename name, int flags, int* outFlags) {
    f->absent = true;
    f->openFlags = flags;
    f->path = new std::string(name);
    f->base.pMethods = &g_methods;
    if (outFlags != nullptr) {
        *outFlags = flags;
    }
    return SQLITE_OK;
}

int vfsOpen(sqlite3_vfs* /*vfs*/, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* f = reinterpret_cast<File*>(file);
    f->base.pMethods = nullptr;
    f->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + sizeof(File));
    f->path = nullptr;
    f->shmOpen = false;
    f->sharedIndex = false;
    f->absent = false;
    // The database and its WAL are read as they are and never created; the engine's own temporary files (which
    // have no name beside the database) are left as the base file system makes them.
    constexpr int besideTheDatabase = SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_WAL | SQLITE_OPEN_MAIN_JOURNAL;
    f->neverWritten = (flags & besideTheDatabase) != 0;
    if (f->neverWritten) {
        flags =
            (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_DELETEONCLOSE)) | SQLITE_OPEN_READONLY;
    }
    f->openFlags = flags;
    int exists = 0;
    if ((flags & SQLITE_OPEN_WAL) != 0 && g_base->xAccess(g_base, name, SQLITE_ACCESS_EXISTS, &exists) == SQLITE_OK &&
        exists == 0) {
        return openAbsentWal(f, name, flags, outFlags);
    }
    // A pipe or device under the database's name (or its WAL's) would keep the open waiting for ever.
    if (f->neverWritten && name != nullptr && !isRegular(name)) {
        return SQLITE_CANTOPEN;
    }
    const int rc = g_base->xOpen(g_base, name, f->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        return rc;
    }
    f->path = new std::string(name != nullptr ? name : "");
    // A "-shm" file beside a database is the WAL index of a program that has it open (or had, and left it): the
    // WAL is read under that index's locks, through its file opened read-only, so that a program writing the
    // database meanwhile cannot fold its WAL back under a read. Without one, the index lives in this program.
    f->sharedIndex = (flags & SQLITE_OPEN_MAIN_DB) != 0 && name != nullptr && isRegular(*f->path + "-shm");
    f->base.pMethods = &g_methods;
    return SQLITE_OK;
}

int vfsDelete(sqlite3_vfs*, const char*, int) {
    return SQLITE_IOERR_DELETE; // nothing beside the database is ever removed
}
int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return g_base->xAccess(g_base, name, flags, out);
}
int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return g_base->xFullPathname(g_base, name, size, out);
}
void* vfsDlOpen(sqlite3_vfs*, const char* name) {
    return g_base->xDlOpen(g_base, name);
}
void vfsDlError(sqlite3_vfs*, int size, char* out) {
    g_base->xDlError(g_base, size, out);
}
void (*vfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
    return g_base->xDlSym(g_base, handle, symbol);
}
void vfsDlClose(sqlite3_vfs*, void* handle) {
    g_base->xDlClose(g_base, handle);
}
int vfsRandomness(sqlite3_vfs*, int size, char* out) {
    return g_base->xRandomness(g_base, size, out);
}
int vfsSleep(sqlite3_vfs*, int microseconds) {
    return g_base->xSleep(g_base, microseconds);
}
int vfsCurrentTime(sqlite3_vfs*, double* out) {
    return g_base->xCurrentTime(g_base, out);
}
int vfsGetLastError(sqlite3_vfs*, int size, char* out) {
    return g_base->xGetLastError != nullptr ? g_base->xGetLastError(g_base, size, out) : 0;
}
int vfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    return g_base->xCurrentTimeInt64(g_base, out);
}

sqlite3_vfs makeVfs() {
    g_base = sqlite3_vfs_find(nullptr);
    sqlite3_vfs vfs{};
    vfs.iVersion = 2;
    vfs.szOsFile = static_cast<int>(sizeof(File)) + g_base->szOsFile;
    vfs.mxPathname = g_base->mxPathname;
    vfs.zName = VfsName;
    vfs.xOpen = vfsOpen;
    vfs.xDelete = vfsDelete;
    vfs.xAccess = vfsAccess;
    vfs.xFullPathname = vfsFullPathname;
    vfs.xDlOpen = vfsDlOpen;
    vfs.xDlError = vfsDlError;
    vfs.xDlSym = vfsDlSym;
    vfs.xDlClose = vfsDlClose;
    vfs.xRandomness = vfsRandomness;
    vfs.xSleep = vfsSleep;
    vfs.xCurrentTime = vfsCurrentTime;
    vfs.xGetLastError = vfsGetLastError;
    vfs.xCurrentTimeInt64 = vfsCurrentTimeInt64;
    return vfs;
}

} // namespace

const char* readOnlyVfsName() {
    static sqlite3_vfs vfs = [] {
        sqlite3_initialize();
        return makeVfs();
    }();
    static const int registered = sqlite3_vfs_register(&vfs, 0);
    (void)registered;
    return VfsName;
}

} // namespace store
