// The word store behaves the same whatever the file's format: each case runs on an SQLite file and on a Microsoft
// Access (Jet 4) file holding the same records (the Access files are made by another program; see
// tests/data/jet/README.md).
#include "platform/headless/RuntimeError.h"
#include "store/Database.h"
#include "store/jet/ReaderProcess.h"
#include "store/jet/reader/JetReader.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WordStoreFixture.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

using namespace store;
using testsupport::errorOf;
using testsupport::Row;

namespace {

const std::filesystem::path JetData = std::filesystem::path(LEXORANT_TEST_DATA_DIR) / "jet";

std::string seventyThousand() {
    std::string text;
    while (text.size() < 70000) {
        text += "The quick brown fox jumps over the lazy dog. ";
    }
    return text.substr(0, 70000);
}

// The records of words-varied.mdb, for the same file in SQLite.
std::vector<Row> variedRows() {
    return {{"zebra", "a striped animal"},
            {"\xC3\x89mile", "a name with an accent"},
            {"o'clock", "with an apostrophe"},
            {"na\xC3\xAFve caf\xC3\xA9", "non-ASCII in both\r\nsecond line"},
            {"long", seventyThousand()},
            {std::nullopt, "a row with no word"},
            {"no meaning", std::nullopt},
            {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "CJK text"},
            {"emoji \xF0\x9F\x99\x82", "astral plane"},
            {"abate", "1. (verb) make less active or intense\r\n2. (verb) become less in amount or intensity"}};
}

enum class Format { Sqlite, Jet };

class StoreFormats : public ::testing::TestWithParam<Format> {
protected:
    // The named Access file, or an SQLite one with the same records, copied where the test may look at it.
    std::string file(const std::string& jetName, const std::vector<Row>& rows, const std::string& table = "Table3") {
        const auto path = m_dir.path() / "db2.mdb";
        if (GetParam() == Format::Jet) {
            std::filesystem::copy_file(JetData / jetName, path);
        } else {
            testsupport::writeWordDatabase(path, rows, table);
        }
        m_before = testsupport::readBytes(path);
        return path.string();
    }
    std::unique_ptr<Recordset> view(const std::string& path) {
        m_db = DBEngine::instance().OpenDatabase(path);
        return m_db->OpenRecordset("Select * From Table3");
    }
    void expectUnchanged() const {
        EXPECT_EQ(testsupport::readBytes(m_dir.path() / "db2.mdb"), m_before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.path()), {}), 1); // no lock file
    }

    testsupport::TempDir m_dir;
    std::unique_ptr<Database> m_db;
    std::string m_before;
};

} // namespace

TEST_P(StoreFormats, BrowsesInStoredOrderWithEveryValueWhole) {
    auto rs = view(file("words-varied.mdb", variedRows()));
    std::vector<std::string> words;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        words.push_back(rs->Fields(0).Text());
    }
    const std::vector<std::string> expected{"zebra",
                                            "\xC3\x89mile",
                                            "o'clock",
                                            "na\xC3\xAFve caf\xC3\xA9",
                                            "long",
                                            "",
                                            "no meaning",
                                            "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                            "emoji \xF0\x9F\x99\x82",
                                            "abate"};
    EXPECT_EQ(words, expected);
    rs->MovePrevious(); // from past the end onto the last record
    EXPECT_EQ(rs->Fields(1).Text(),
              "1. (verb) make less active or intense\r\n2. (verb) become less in amount or intensity");
    rs->FindFirst("Name = 'long'");
    EXPECT_EQ(rs->Fields(1).Text(), seventyThousand());
    rs->MoveNext();
    EXPECT_FALSE(rs->Fields(0).Value().has_value()); // no word: empty text
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(1).Text(), "");
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    expectUnchanged();
}

TEST_P(StoreFormats, FindsIgnoringLetterCaseAndViewsMoveApart) {
    const std::string path = file("words-varied.mdb", variedRows());
    auto rs = view(path);
    auto other = DBEngine::instance().OpenDatabase(path)->OpenRecordset("Select * From Table3");
    rs->FindFirst("Name = 'O''CLOCK'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(1).Text(), "with an apostrophe");
    rs->FindFirst("Name = '\xC3\xA9MILE'"); // É folds to é
    EXPECT_EQ(rs->Fields(1).Text(), "a name with an accent");
    rs->FindFirst("Name = 'NA\xC3\x8FVE CAF\xC3\x89'");
    EXPECT_EQ(rs->Fields(1).Text(), "non-ASCII in both\r\nsecond line");
    rs->FindFirst("Name = ' abate'");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(0).Text(), "na\xC3\xAFve caf\xC3\xA9"); // a miss leaves the view where it was
    other->MoveNext();
    EXPECT_EQ(other->Fields(0).Text(), "\xC3\x89mile"); // the other view never moved
    expectUnchanged();
}

TEST_P(StoreFormats, FurtherColumnsAreIgnored) {
    const std::vector<Row> rows{{"apple", "a round fruit"}, {"brook", "a small stream"}};
    auto rs = view(file("words-extra-columns.mdb", rows));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields(0).Text(), "brook");
    EXPECT_EQ(rs->Fields(1).Text(), "a small stream");
}

TEST_P(StoreFormats, NoTable3AndAnEmptyOneAreTheEnginesErrors) {
    const std::string missing = file("no-table3.mdb", {{"wrong", "x"}}, "Words");
    m_db = DBEngine::instance().OpenDatabase(missing);
    EXPECT_EQ(errorOf([&] { m_db->OpenRecordset("Select * From Table3"); }), platform::err::TableNotFound);
    std::filesystem::remove(missing);
    auto empty = view(file("empty-table3.mdb", {}));
    EXPECT_TRUE(empty->Eof());
    EXPECT_EQ(errorOf([&] { empty->MoveFirst(); }), platform::err::NoCurrentRecord);
}

INSTANTIATE_TEST_SUITE_P(WordStore, StoreFormats, ::testing::Values(Format::Sqlite, Format::Jet),
                         [](const auto& param) { return param.param == Format::Jet ? "Jet" : "Sqlite"; });

// Access files that made libmdb crash or loop when it read them itself (found by fuzzing, kept in
// tests/data/jet/damaged/): the reader gets past each, read in this process, so a check of ours stops it before
// libmdb goes wrong; and the program finds them damaged.
TEST(JetFiles, FilesThatBreakLibmdbAreClearErrors) {
    testsupport::TempDir dir;
    const auto path = (dir.path() / "db2.mdb").string();
    for (const auto& entry : std::filesystem::directory_iterator(JetData / "damaged")) {
        testsupport::writeBytes(path, testsupport::readBytes(entry.path()));
        (void)streamJetTable(path, "Table3", open("/dev/null", O_WRONLY | O_CLOEXEC));
        const int number = errorOf([&] {
            auto db = DBEngine::instance().OpenDatabase(path);
            auto rs = db->OpenRecordset("Select * From Table3");
            rs->FindFirst("Name = 'nothing'");
        });
        EXPECT_EQ(number, platform::err::UnrecognizedFormat) << entry.path().filename();
    }
}

// How a file is kept: pages scrambled under a database key read as the plain file does; a database password is the
// engine's error, as the program asks for none; a later Access version's file is not one it recognises.
TEST(JetFiles, EncodedPasswordAndLaterVersions) {
    testsupport::TempDir dir;
    const auto path = (dir.path() / "db2.mdb").string();
    std::filesystem::copy_file(JetData / "encoded.mdb", path);
    auto db = DBEngine::instance().OpenDatabase(path);
    auto rs = db->OpenRecordset("Select * From Table3");
    std::vector<std::string> words;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        words.push_back(rs->Fields(0).Text() + "|" + rs->Fields(1).Text());
    }
    EXPECT_EQ(words, (std::vector<std::string>{"alpha|first letter", "beta|second letter", "gamma|third letter"}));

    testsupport::writeBytes(path, testsupport::readBytes(JetData / "password.mdb"));
    try {
        DBEngine::instance().OpenDatabase(path);
        ADD_FAILURE() << "a file with a password opened";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::err::NotValidPassword);
        EXPECT_EQ(e.description(), "Not a valid password.");
    }

    std::string later = testsupport::readBytes(JetData / "words-small.mdb");
    later[0x14] = 2; // Access 2007's version number
    testsupport::writeBytes(path, later);
    EXPECT_EQ(errorOf([&] { DBEngine::instance().OpenDatabase(path); }), platform::err::UnrecognizedFormat);
}

// The reader processes this process has started and not yet ended.
std::vector<std::string> readersRunning() {
    std::vector<std::string> readers;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream children(task.path() / "children");
        for (std::string pid; children >> pid;) {
            std::string name;
            std::getline(std::ifstream("/proc/" + pid + "/comm"), name);
            if (name.starts_with("lexorant-jet")) {
                readers.push_back(pid);
            }
        }
    }
    return readers;
}

// A reader started before any view is the first view's, with no second reader, when the file is still the one it
// started on; a file changed in between is read afresh; what is wrong with a file is said by the view, not by the
// early start.
TEST(JetFiles, TheFirstViewTakesOverTheReaderStartedEarly) {
    testsupport::TempDir dir;
    const auto path = (dir.path() / "db2.mdb").string();
    const auto firstWord = [&path] {
        auto db = DBEngine::instance().OpenDatabase(path);
        auto rs = db->OpenRecordset("Select * From Table3");
        rs->MoveFirst();
        return rs->Fields(0).Text();
    };
    std::filesystem::copy_file(JetData / "encoded.mdb", path);
    prepareTable(path, "Table3");
    const std::vector<std::string> early = readersRunning();
    ASSERT_EQ(early.size(), 1U);
    {
        auto db = DBEngine::instance().OpenDatabase(path);
        auto rs = db->OpenRecordset("Select * From Table3");
        EXPECT_EQ(rs->Fields(0).Text(), "alpha");
        EXPECT_EQ(readersRunning(), early);
    }
    EXPECT_TRUE(readersRunning().empty());

    prepareTable(path, "Table3");
    testsupport::writeBytes(path, testsupport::readBytes(JetData / "words-varied.mdb"));
    EXPECT_EQ(firstWord(), "zebra");
    EXPECT_TRUE(readersRunning().empty()); // the early one ended, not left behind

    testsupport::writeBytes(path, testsupport::readBytes(JetData / "password.mdb"));
    prepareTable(path, "Table3");
    EXPECT_TRUE(readersRunning().empty());
    EXPECT_EQ(errorOf(firstWord), platform::err::NotValidPassword);
}

// A damaged Access file is error 3343 when a view reads it to the end, never a crash, a hang or a shorter table:
// cut short anywhere (whole pages or not), or a data page of the table overwritten.
TEST(JetFiles, DamagedFilesAreClearErrors) {
    const std::string whole = testsupport::readBytes(JetData / "words-varied.mdb");
    testsupport::TempDir dir;
    const auto path = (dir.path() / "db2.mdb").string();
    std::vector<std::string> damaged;
    for (std::size_t keep = 4096; keep < whole.size(); keep += 4096) {
        damaged.push_back(whole.substr(0, keep));
    }
    damaged.push_back(whole.substr(0, whole.size() - 100));
    for (const std::size_t page : {30, 40, 60}) {
        damaged.push_back(whole);
        damaged.back().replace(page * 4096, 4096, 4096, '\0');
    }
    for (const auto& bytes : damaged) {
        testsupport::writeBytes(path, bytes);
        const int number = errorOf([&] {
            auto db = DBEngine::instance().OpenDatabase(path);
            auto rs = db->OpenRecordset("Select * From Table3");
            rs->FindFirst("Name = 'nothing'");
        });
        EXPECT_EQ(number, platform::err::UnrecognizedFormat) << bytes.size();
    }
}

// A reader that sends its records, but only now and then, is stopped once the program has waited for them longer
// than a file of its size takes, however short each wait; and the program then holds no descriptor of it.
TEST(JetFiles, AReaderThatTricklesIsStoppedByTheDeadlineOfTheWholeTable) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "db2.mdb";
    testsupport::writeBytes(file, std::string(4096, '\0'));
    const auto trickler = dir.path() / "trickler";
    {
        std::ofstream script(trickler);
        // The head of a table of two columns, then an empty record every tenth of a second.
        script << "#!/bin/sh\nprintf 'T\\002\\000\\000\\000\\001\\000\\000\\000a\\001\\000\\000\\000b' >&3\n"
                  "while :; do sleep 0.1; printf 'R\\000\\000' >&3 || exit; done\n";
    }
    std::filesystem::permissions(trickler, std::filesystem::perms::owner_all);
    const auto descriptors = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto before = descriptors();
    {
        store::ReaderProcess reader(file.string(), "Table3",
                                    {std::chrono::milliseconds(1000), std::chrono::milliseconds(1500)},
                                    trickler.string());
        jetstream::Reader stream(reader, 4096);
        ASSERT_EQ(stream.head()->size(), 2U);
        try {
            while (stream.next()) {
            }
            ADD_FAILURE() << "the trickle ended";
        } catch (const jetstream::StreamError& error) {
            EXPECT_STREQ(error.what(), "the reader took longer than a file of its size takes");
        }
    }
    EXPECT_EQ(descriptors(), before);
}

// A memo whose text is lost, zeroed or another's is damage, whether it is in its record or on pages of long values;
// and the reader sends no record before it has vouched for it, so nothing of the table reaches the program.
TEST(JetFiles, DamagedMemosAreErrorsAndNoRecordIsSentBeforeIt) {
    const std::string whole = testsupport::readBytes(JetData / "words-varied.mdb");
    constexpr std::size_t Page = 4096;
    // words-varied.mdb keeps its records on page 30, and the 70,000 characters of "long" on a chain of pages from 32
    // to 66 (which also holds abate's meaning).
    const std::size_t zebra = whole.find("\xFF\xFE"
                                         "a striped animal") -
                              12; // the memo's own length and flags
    const auto page = [&whole](std::size_t n) { return whole.substr(n * Page, Page); };
    const struct {
        const char* what;
        std::size_t at;
        std::string bytes;
    } damage[] = {
        {"an inline memo's flags cleared", zebra + 3, std::string(1, '\0')},
        {"an inline memo's length", zebra, std::string(1, '\x11')},
        {"a meaning page zeroed", 45 * Page, std::string(Page, '\0')},
        {"a meaning page copied over another", 45 * Page, page(50)},
        {"the page of records copied over a meaning page", 66 * Page, page(30)},
        {"a meaning page copied over the page of records", 30 * Page, page(66)},
    };
    testsupport::TempDir dir;
    const auto path = (dir.path() / "db2.mdb").string();
    for (const auto& d : damage) {
        std::string bytes = whole;
        bytes.replace(d.at, d.bytes.size(), d.bytes);
        testsupport::writeBytes(path, bytes);
        const int sent = memfd_create("stream", MFD_CLOEXEC);
        (void)streamJetTable(path, "Table3", dup(sent));
        std::string stream(static_cast<std::size_t>(lseek(sent, 0, SEEK_END)), '\0');
        ASSERT_EQ(pread(sent, stream.data(), stream.size(), 0), static_cast<ssize_t>(stream.size()));
        close(sent);
        const std::size_t firstRecord = stream.find("R\1");
        const std::size_t said = stream.rfind('D');
        ASSERT_NE(said, std::string::npos) << d.what << ": no damage said";
        EXPECT_TRUE(firstRecord == std::string::npos || firstRecord > said) << d.what << ": a record went first";
        EXPECT_EQ(errorOf([&] {
                      auto db = DBEngine::instance().OpenDatabase(path);
                      db->OpenRecordset("Select * From Table3")->FindFirst("Name = 'nothing'");
                  }),
                  platform::err::UnrecognizedFormat)
            << d.what;
    }
}
