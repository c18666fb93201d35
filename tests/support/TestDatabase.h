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

// Rows "word0".."wordN-1" with meanings "meaning of wordI".
std::vector<Row> numberedRows(int count);

std::string readBytes(const std::filesystem::path& file);

} // namespace testsupport
