// The word store beside other programs that hold or write the same file: it never writes, opens from read-only
// places, reads a database left in WAL mode as it stands, and reads one that another program goes on writing
// consistently.
#include "store/Database.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WordStoreFixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace store;
using testsupport::errorOf;
using testsupport::WordStore;

TEST_F(WordStore, NeverWritesAndOpensFromReadOnlyPlacesAndBesideOtherPrograms) {
    testsupport::writeWordDatabase(file(), testsupport::numberedRows(50));
    const std::string before = testsupport::readBytes(file());

    // Another program holds the file open in a transaction of its own.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &other), SQLITE_OK);
    sqlite3_exec(other, "BEGIN; SELECT count(*) FROM Table3;", nullptr, nullptr, nullptr);

    std::filesystem::permissions(m_dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
    {
        auto db = DBEngine::instance().OpenDatabase(file().string());
        auto rs = db->OpenRecordset("Select * From Table3");
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            (void)rs->Fields(1).Text();
        }
        rs->FindFirst("Name = 'WORD42'");
        EXPECT_EQ(word(*rs), "word42");
        rs->FindFirst("Name = 'nothing'");
    }
    sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    std::filesystem::permissions(m_dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(testsupport::readBytes(file()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1); // no journal left behind
}

// A database that another SQLite program left in WAL mode is read as it stands, committed content in its "-wal"
// file included, and nothing appears beside it.
class WalDatabase : public WordStore, public ::testing::WithParamInterface<bool> {};

TEST_P(WalDatabase, ReadsAsItStandsAndWritesNothingBesideIt) {
    const bool leaveInWal = GetParam();
    testsupport::writeWordDatabase(file(), {{"alpha", "1"}, {"beta", "2"}});
    testsupport::appendInWalMode(file(), {{"gamma", "3"}}, leaveInWal);
    std::vector<std::string> before;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
        before.push_back(entry.path().filename().string() + ":" + testsupport::readBytes(entry.path()));
    }
    ASSERT_EQ(before.size(), leaveInWal ? 2u : 1u);
    {
        auto db = DBEngine::instance().OpenDatabase(file().string());
        auto first = db->OpenRecordset("Select * From Table3");
        auto second = DBEngine::instance().OpenDatabase(file().string())->OpenRecordset("Select * From Table3");
        first->MoveNext();
        first->MoveNext();
        EXPECT_EQ(word(*first), "gamma");
        second->FindFirst("Name = 'GAMMA'");
        EXPECT_EQ(second->Fields(1).Text(), "3");
        EXPECT_EQ(word(*first), "gamma");
    }
    std::vector<std::string> after;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
        after.push_back(entry.path().filename().string() + ":" + testsupport::readBytes(entry.path()));
    }
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(WordStore, WalDatabase, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "UncheckpointedWal" : "Checkpointed"; });

// Another program that writes the file: runs each batch of SQL it is given in a process of its own, the database
// open all the while in WAL mode, and answers once it is done.
class Writer {
public:
    explicit Writer(const std::filesystem::path& file) {
        int toWriter[2];
        int fromWriter[2];
        EXPECT_EQ(pipe(toWriter), 0);
        EXPECT_EQ(pipe(fromWriter), 0);
        m_pid = fork();
        if (m_pid == 0) {
            close(toWriter[1]);
            close(fromWriter[0]);
            sqlite3* db = nullptr;
            sqlite3_open(file.c_str(), &db);
            sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; SELECT 1 FROM Table3;", nullptr,
                         nullptr, nullptr);
            FILE* in = fdopen(toWriter[0], "r");
            char sql[4096];
            while (std::fgets(sql, sizeof sql, in) != nullptr) {
                const char answer = sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK ? 'y' : 'n';
                if (write(fromWriter[1], &answer, 1) != 1) {
                    break;
                }
            }
            sqlite3_close(db);
            _exit(0);
        }
        close(toWriter[0]);
        close(fromWriter[1]);
        m_to = toWriter[1];
        m_from = fromWriter[0];
        EXPECT_TRUE(run("SELECT 1;")); // the WAL and its index are there
    }
    ~Writer() {
        close(m_to);
        close(m_from);
        waitpid(m_pid, nullptr, 0);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool run(const std::string& sql) {
        const std::string line = sql + "\n";
        char answer = 0;
        return write(m_to, line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
               read(m_from, &answer, 1) == 1 && answer == 'y';
    }

private:
    pid_t m_pid = -1;
    int m_to = -1;
    int m_from = -1;
};

// A database another program has open in WAL mode and goes on writing: each read sees one committed state of it,
// whatever the writer folds back or starts over in its WAL meanwhile, and the writer's WAL does not grow behind a view
// at rest. A writer that begins its WAL only after the view opened is said to be the cause of what cannot be read,
// never damage.
TEST_F(WordStore, ADatabaseAnotherProgramIsWritingReadsConsistently) {
    testsupport::writeWordDatabase(file(), testsupport::numberedRows(500));
    {
        Writer writer(file());
        auto db = DBEngine::instance().OpenDatabase(file().string());
        auto rs = db->OpenRecordset("Select * From Table3");
        for (int round = 0; round < 30; ++round) {
            ASSERT_TRUE(writer.run("BEGIN; INSERT INTO Table3 SELECT 'new' || " + std::to_string(round) +
                                   " || '_' || Name, hex(randomblob(300)) FROM Table3 LIMIT 40; DELETE FROM Table3 "
                                   "WHERE rowid IN (SELECT rowid FROM Table3 ORDER BY random() LIMIT 20); COMMIT;"));
            if (round % 3 == 2) {
                ASSERT_TRUE(writer.run("PRAGMA wal_checkpoint(TRUNCATE);"))
                    << "the writer could not fold its WAL back: a view at rest holds it";
            }
            int seen = 0;
            std::string why;
            ASSERT_EQ(errorOf(
                          [&] {
                              for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
                                  ++seen;
                              }
                          },
                          &why),
                      0)
                << "round " << round << ": " << why;
            EXPECT_EQ(seen, 500 + 20 * (round + 1)) << "round " << round;
        }
    }
    testsupport::writeWordDatabase(file(), testsupport::numberedRows(500));
    auto db = DBEngine::instance().OpenDatabase(file().string());
    auto rs = db->OpenRecordset("Select * From Table3");
    rs->MoveFirst();
    DBEngine::instance().EndReads(); // the program at rest: the view holds no lock for the writer to wait on
    Writer late(file());
    ASSERT_TRUE(late.run("UPDATE Table3 SET Meaning = hex(randomblob(500)); PRAGMA wal_checkpoint(TRUNCATE); DELETE "
                         "FROM Table3 WHERE rowid % 3 = 0; UPDATE Table3 SET Name = 'x' || Name;"));
    const int error = errorOf([&] {
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            (void)rs->Fields(1).Text();
        }
    });
    EXPECT_TRUE(error == 0 || error == platform::err::CannotOpenFile) << error;
}
