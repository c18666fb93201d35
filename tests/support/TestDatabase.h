#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

using Row = std::pair<std::optional<std::string>, std::optional<std::string>>;

// A fresh temporary directory, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Writes an SQLite word database with a table Table3 (Name, Meaning) holding the rows in order.
void writeWordDatabase(const std::filesystem::path& file, const std::vector<Row>& rows,
                       const std::string& table = "Table3");

// Turns an existing word database into WAL mode and appends the rows in one more transaction. With leaveInWal the
// appended rows stay in the "-wal" file beside it (as a program that was still open would leave them, without the
// "-shm" file); otherwise they are checkpointed into the database and no "-wal" file remains.
void appendInWalMode(const std::filesystem::path& file, const std::vector<Row>& rows, bool leaveInWal);

// Rows "word0".."wordN-1" with meanings "meaning of wordI".
std::vector<Row> numberedRows(int count);

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

} // namespace testsupport
