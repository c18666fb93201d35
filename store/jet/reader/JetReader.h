#pragma once

#include <functional>
#include <string>

namespace store {

// The side of an Access file's reading that trusts libmdb: it runs in the reader program, a process of its own, so
// that whatever a damaged file makes libmdb do ends there.

struct ReaderSetup {
    // Called once the file is open and before anything of it is read: the reader confines itself. False: it could
    // not, and reads nothing.
    std::function<bool()> confine;
    // The descriptor libmdb's standard error goes to, or -1: anything libmdb writes there is a complaint about the
    // file, and so damage.
    int complaints = -1;
};

// Writes the named table of the file (named ignoring letter case) to fd as the stream JetStream.h describes, and
// returns the process's exit status (0: the stream was written to its end, or to the damage it reports).
int streamJetTable(const std::string& path, const std::string& table, int fd, const ReaderSetup& setup = {});

} // namespace store
