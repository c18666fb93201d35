#pragma once

#include <string>

namespace core {

// The side of an Access file's reading that trusts libmdb: it runs in a reader process of its own (see
// JetSource.cpp), so that whatever a damaged file makes libmdb do ends there.

// Writes the named table of the file to fd and returns the process's exit status (0: the whole stream was written).
// The stream: 'N' when the file has no such table (named ignoring letter case); otherwise 'T', the number of columns
// and their names, then 'R' and per column a presence byte and the text for each record in stored order, then 'E'.
// Numbers and text lengths are 32-bit in the machine's order; text is UTF-8. It stops short, with status 1, where
// the file cannot be read.
int streamJetTable(const std::string& path, const std::string& table, int fd);

// Error 3343 for the file, with what was wrong with it.
[[noreturn]] void raiseUnreadableJet(const std::string& path, const char* what);

} // namespace core
