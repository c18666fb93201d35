#pragma once

#include "platform/headless/RuntimeError.h"
#include "store/Database.h"
#include "tests/support/TestDatabase.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// What the tests of the word store share: a fixture that writes a word database and opens its Table3, and the error
// number a call fails with.
namespace testsupport {

class WordStore : public ::testing::Test {
protected:
    std::unique_ptr<store::Recordset> open(const std::vector<Row>& rows) {
        writeWordDatabase(file(), rows);
        m_db = store::DBEngine::instance().OpenDatabase(file().string());
        return m_db->OpenRecordset("Select * From Table3");
    }
    std::filesystem::path file() const { return m_dir.path() / "db2.mdb"; }
    static std::string word(store::Recordset& rs) { return rs.Fields(0).Text(); }

    TempDir m_dir;
    std::unique_ptr<store::Database> m_db;
};

// The number of the error the call fails with, 0 where it does not; and its description where asked for.
int errorOf(auto&& call, std::string* description = nullptr) {
    try {
        call();
    } catch (const platform::RuntimeError& e) {
        if (description != nullptr) {
            *description = e.description();
        }
        return e.number();
    }
    return 0;
}

} // namespace testsupport
