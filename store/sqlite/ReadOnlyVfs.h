#pragma once

namespace store {

// The name of an SQLite file system that can only read: every file is opened read-only and never created, nothing
// is deleted, and the index a database in WAL mode needs is kept in the program's memory instead of in a "-shm"
// file beside the database. A WAL database is read as it stands, committed content in its "-wal" file included,
// and no file appears beside it. Where a "-shm" file is there already (another program has the database open in
// WAL mode, and may be writing it), the WAL is read under that file's locks, the file opened read-only (the
// database must be opened with the URI parameter readonly_shm=1). Registered on first use.
const char* readOnlyVfsName();

} // namespace store
