#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace store {

// What the first page of an Access (Jet) file says of the whole file, read before libmdb is given it.
struct JetHeader {
    int version = 0;          // 0: Jet 3 (Access 97); 1: Jet 4 (Access 2000 to 2003)
    bool encoded = false;     // pages scrambled with the database's key, which libmdb undoes as it reads
    bool hasPassword = false; // Access asks for the database password before it opens the file
};

// How many bytes of the file readJetHeader needs.
inline constexpr std::size_t JetHeaderSize = 0x18 + 128;

// The header of a Jet 3 or Jet 4 file from its first bytes; nothing when they are too few or the version is another
// (a later Access file, or damage).
std::optional<JetHeader> readJetHeader(std::string_view start);

} // namespace store
