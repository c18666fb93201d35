#include "platform/headless/RuntimeError.h"
#include "store/Criterion.h"
#include "store/Database.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WordStoreFixture.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace store;
using testsupport::errorOf;
using testsupport::Row;
using testsupport::WordStore;

TEST_F(WordStore, BrowsesInStoredOrderAndFallsOffBothEnds) {
    auto rs = open({{"b", "1"}, {"a", "2"}, {"c", "3"}});
    rs->MoveFirst();
    EXPECT_FALSE(rs->Bof());
    EXPECT_EQ(word(*rs), "b"); // the stored order, not sorted
    EXPECT_EQ(rs->Fields(1).Text(), "1");
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(word(*rs), "c");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(errorOf([&] { rs->Fields(0); }), platform::err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { rs->MoveNext(); }), platform::err::NoCurrentRecord);
    rs->MovePrevious(); // from past the end back onto the last record
    EXPECT_EQ(word(*rs), "c");
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());
    EXPECT_FALSE(rs->Eof());
    EXPECT_EQ(errorOf([&] { rs->MovePrevious(); }), platform::err::NoCurrentRecord);
    rs->MoveNext(); // from before the start onto the first record
    EXPECT_EQ(word(*rs), "b");
}

TEST_F(WordStore, OneRecordAndEmptyTable) {
    auto one = open({{"only", "x"}});
    one->MoveFirst();
    EXPECT_EQ(word(*one), "only");
    one->MoveNext();
    EXPECT_TRUE(one->Eof());

    auto empty = open({});
    EXPECT_TRUE(empty->Eof());
    EXPECT_TRUE(empty->Bof());
    std::string description;
    EXPECT_EQ(errorOf([&] { empty->MoveFirst(); }, &description), platform::err::NoCurrentRecord);
    EXPECT_EQ(description, "No current record.");
}

TEST_F(WordStore, ViewsMoveIndependently) {
    auto a = open(testsupport::numberedRows(5));
    auto b = m_db->OpenRecordset("select * from table3");
    a->MoveNext();
    a->MoveNext();
    b->FindFirst("Name = 'word4'");
    EXPECT_EQ(word(*a), "word2");
    EXPECT_EQ(word(*b), "word4");
}

TEST_F(WordStore, MissingValuesShowAsEmptyText) {
    auto rs = open({{std::nullopt, std::nullopt}, {"w", std::nullopt}});
    EXPECT_FALSE(rs->Fields(0).Value().has_value());
    EXPECT_EQ(rs->Fields(0).Text(), "");
    EXPECT_EQ(errorOf([&] { rs->Fields(2); }), platform::err::ItemNotInCollection);
    EXPECT_EQ(errorOf([&] { rs->Fields(-1); }), platform::err::ItemNotInCollection);
}

// Rows read one after the other: a missing value after a text is missing, a short text after a long one is whole.
TEST_F(WordStore, AScanReadsEachRowWhole) {
    const std::vector<Row> rows{
        {"a long word", "a meaning longer than a short string"}, {"w", std::nullopt}, {std::nullopt, "m"}, {"", ""}};
    open(rows);
    const auto table = openDatabase(file().string())->OpenTable("Table3");
    ASSERT_TRUE(table);
    std::vector<Row> scanned;
    (*table)->scan({0, 1}, [&scanned](std::int64_t, const RecordValues& row) { scanned.emplace_back(row[0], row[1]); });
    EXPECT_EQ(scanned, rows);
}

TEST_F(WordStore, FindFirstIgnoresLetterCaseOfEveryLetterAndHowAccentsAreWrittenAndNothingElse) {
    auto rs = open({{"abate", "1"},
                    {"Émile", "2"},
                    {"ÉMILE", "3"},
                    {"σοφία", "4"},
                    {"o'clock", "5"},
                    {"x' OR '1'='1", "6"},
                    {"abate", "7"}});
    rs->MoveFirst();
    rs->FindFirst("Name = 'émile'");
    EXPECT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(1).Text(), "2"); // the first in view order
    rs->FindFirst("Name = 'ABATE'");
    EXPECT_EQ(rs->Fields(1).Text(), "1");
    rs->FindFirst("Name = 'ΣΟΦΊΑ'");
    EXPECT_EQ(rs->Fields(1).Text(), "4");
    rs->FindFirst("Name = 'o''clock'");
    EXPECT_EQ(rs->Fields(1).Text(), "5");
    // An accent typed apart from its letter is the letter's, as the offers take it.
    rs->FindFirst("Name = 'E\u0301MILE'");
    EXPECT_EQ(rs->Fields(1).Text(), "2");

    // A miss leaves the current record where it was; blanks count.
    rs->FindFirst("Name = ' abate'");
    EXPECT_TRUE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(1).Text(), "2");
    rs->FindFirst("Name = ''");
    EXPECT_TRUE(rs->NoMatch());
}

TEST_F(WordStore, TypedTextNeverBecomesSql) {
    auto rs = open({{"abate", "1"}, {"x' OR '1'='1", "2"}});
    rs->FindFirst("Name = 'x'' OR ''1''=''1'");
    ASSERT_FALSE(rs->NoMatch());
    EXPECT_EQ(rs->Fields(1).Text(), "2"); // found literally, not as an expression
    rs->FindFirst("Name = 'zz'' OR ''1''=''1'");
    EXPECT_TRUE(rs->NoMatch());
    rs->FindFirst("Name = ''';DROP TABLE Table3;--'");
    EXPECT_TRUE(rs->NoMatch());
}

struct BadCriterion {
    const char* name;
    const char* text;
};
class MalformedCriterion : public WordStore, public ::testing::WithParamInterface<BadCriterion> {};

TEST_P(MalformedCriterion, IsTheSyntaxError) {
    auto rs = open({{"a", "1"}});
    EXPECT_EQ(errorOf([&] { rs->FindFirst(GetParam().text); }), platform::err::SyntaxInCriterion);
}

INSTANTIATE_TEST_SUITE_P(WordStore, MalformedCriterion,
                         ::testing::Values(BadCriterion{"AnExpressionAfterTheLiteral", "Name = 'x' OR '1'='1'"},
                                           BadCriterion{"UnclosedLiteral", "Name = 'x"},
                                           BadCriterion{"NoEquals", "Name 'x'"}, BadCriterion{"NoColumn", "= 'x'"},
                                           BadCriterion{"UnquotedLiteral", "Name = x"},
                                           BadCriterion{"DoubledApostropheAtTheEnd", "Name = 'a''"},
                                           BadCriterion{"Empty", ""}, BadCriterion{"TrailingText", "Name = 'a' ;"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(WordStore, UnknownColumnsAreNamedAndColumnNamesIgnoreCase) {
    auto rs = open({{"a", "1"}});
    std::string description;
    EXPECT_EQ(errorOf([&] { rs->FindFirst("Word = 'a'"); }, &description), platform::err::UnknownField);
    EXPECT_NE(description.find("'Word'"), std::string::npos);
    rs->FindFirst("name = 'A'"); // column names ignore letter case
    EXPECT_FALSE(rs->NoMatch());
}

TEST_F(WordStore, OpeningErrorsNameTheFileOrTable) {
    std::string description;
    const auto missing = (m_dir.path() / "none.mdb").string();
    EXPECT_EQ(errorOf([&] { DBEngine::instance().OpenDatabase(missing); }, &description),
              platform::err::CouldNotFindFile);
    EXPECT_EQ(description, "Could not find file '" + missing + "'.");

    const auto text = m_dir.path() / "text.mdb";
    { std::ofstream(text) << "this is not a database, just some text that is long enough to look like one"; }
    EXPECT_EQ(errorOf([&] { DBEngine::instance().OpenDatabase(text.string()); }, &description),
              platform::err::UnrecognizedFormat);
    EXPECT_NE(description.find(text.string()), std::string::npos);

    testsupport::writeWordDatabase(file(), {{"a", "b"}}, "Words");
    auto db = DBEngine::instance().OpenDatabase(file().string());
    EXPECT_EQ(errorOf([&] { db->OpenRecordset("Select * From Table3"); }, &description), platform::err::TableNotFound);
    EXPECT_NE(description.find("'Table3'"), std::string::npos);
    EXPECT_EQ(errorOf([&] { db->OpenRecordset("Delete From Words"); }), platform::err::SyntaxInFrom);

    // An SQLite file damaged past its header is no database the engine recognises.
    std::string damaged = testsupport::readBytes(file());
    for (std::size_t at = 100; at < damaged.size(); ++at) {
        damaged[at] = static_cast<char>(at * 7);
    }
    const auto damagedPath = m_dir.path() / "damaged.mdb";
    testsupport::writeBytes(damagedPath, damaged);
    EXPECT_EQ(
        errorOf([&] { DBEngine::instance().OpenDatabase(damagedPath.string())->OpenRecordset("Select * From Words"); }),
        platform::err::UnrecognizedFormat);

    EXPECT_EQ(errorOf([&] { DBEngine::instance().OpenDatabase(m_dir.path().string()); }),
              platform::err::CouldNotFindFile); // a directory is no file
}

// A pipe named like the database, or like its WAL, is an error at once: nothing waits for a writer that never comes.
TEST_F(WordStore, APipeUnderTheNameIsAnErrorAtOnce) {
    const auto pipe = m_dir.path() / "pipe.mdb";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    testsupport::writeWordDatabase(file(), {{"a", "b"}});
    sqlite3* wal = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &wal), SQLITE_OK);
    sqlite3_exec(wal, "PRAGMA journal_mode=WAL; INSERT INTO Table3 VALUES ('c', 'd');", nullptr, nullptr, nullptr);
    sqlite3_close(wal); // its WAL is folded back and removed: a pipe takes its place
    const auto walPipe = file().string() + "-wal";
    ASSERT_EQ(mkfifo(walPipe.c_str(), 0600), 0);
    // No file: 3024 as for a missing one; a WAL that cannot be opened: the engine cannot open the database, 3051.
    const std::pair<std::string, int> cases[] = {{pipe.string(), platform::err::CouldNotFindFile},
                                                 {file().string(), platform::err::CannotOpenFile}};
    for (const auto& [path, number] : cases) {
        auto opened = std::async(std::launch::async, [path = path] {
            prepareTable(path, "Table3");
            return errorOf([&] { DBEngine::instance().OpenDatabase(path)->OpenRecordset("Select * From Table3"); });
        });
        if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
            // Let the waiting open go (a writer comes and goes), then fail.
            for (const auto& p : {pipe.string(), walPipe}) {
                close(::open(p.c_str(), O_WRONLY | O_NONBLOCK));
            }
            opened.wait();
            ADD_FAILURE() << "opening " << path << " waited on a pipe";
            continue;
        }
        EXPECT_EQ(opened.get(), number) << path;
    }
}

// A Table3 without row ids serves the same as a plain one, in its own order: a table declared WITHOUT ROWID (in the
// order of its key) and a view (in the order it gives).
struct SourceCase {
    const char* name;
    const char* schema;
    std::vector<std::string> order;
};

class TableWithoutRowids : public WordStore, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(TableWithoutRowids, BrowsesFindsAndKeepsViewsApart) {
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(file().c_str(), &raw), SQLITE_OK);
        const std::string sql =
            std::string(GetParam().schema) +
            "; INSERT INTO Words VALUES ('pear', 'p'), ('Émile', 'e'), ('apple', 'a'), ('fig', NULL);";
        ASSERT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }
    auto db = DBEngine::instance().OpenDatabase(file().string());
    auto rs = db->OpenRecordset("Select * From Table3");
    auto other = DBEngine::instance().OpenDatabase(file().string())->OpenRecordset("Select * From Table3");
    std::vector<std::string> seen;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
        seen.push_back(word(*rs));
    }
    EXPECT_EQ(seen, GetParam().order);
    rs->MovePrevious();
    EXPECT_EQ(word(*rs), GetParam().order.back());
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->Bof());

    other->FindFirst("Name = 'ÉMILE'");
    ASSERT_FALSE(other->NoMatch());
    EXPECT_EQ(other->Fields(1).Text(), "e");
    other->FindFirst("Name = 'fig'");
    EXPECT_FALSE(other->Fields(1).Value().has_value());
    other->FindFirst("Name = 'nothing'");
    EXPECT_TRUE(other->NoMatch());
    EXPECT_EQ(word(*other), "fig");
    EXPECT_TRUE(rs->Bof()); // the other view never moved this one

    // What was read once is read again for a new view when the file has changed, even while views of it live.
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(file().c_str(), &raw), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw, "INSERT INTO Words VALUES ('kiwi', 'k')", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    auto later = DBEngine::instance().OpenDatabase(file().string())->OpenRecordset("Select * From Table3");
    later->FindFirst("Name = 'kiwi'");
    EXPECT_FALSE(later->NoMatch());
}

INSTANTIATE_TEST_SUITE_P(
    WordStore, TableWithoutRowids,
    ::testing::Values(SourceCase{"WithoutRowid",
                                 "CREATE TABLE Words (Name TEXT PRIMARY KEY, Meaning TEXT) WITHOUT ROWID; "
                                 "CREATE TABLE Table3 (Name TEXT PRIMARY KEY, Meaning TEXT) WITHOUT ROWID; "
                                 "CREATE TRIGGER copy AFTER INSERT ON Words BEGIN "
                                 "INSERT INTO Table3 VALUES (new.Name, new.Meaning); END",
                                 {"apple", "fig", "pear", "Émile"}},
                      SourceCase{"View",
                                 "CREATE TABLE Words (Name TEXT, Meaning TEXT); "
                                 "CREATE VIEW Table3 AS SELECT Name, Meaning FROM Words",
                                 {"pear", "Émile", "apple", "fig"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Criterion, ParsesColumnAndLiteral) {
    auto c = parseCriterion("Name = 'it''s'");
    EXPECT_EQ(c.column, "Name");
    EXPECT_EQ(c.literal, "it's");
    c = parseCriterion("  [Name]='  spaced  '  ");
    EXPECT_EQ(c.column, "Name");
    EXPECT_EQ(c.literal, "  spaced  ");
    EXPECT_EQ(parseCriterion("Name = ''''").literal, "'");
    // What the find box quotes reads back as typed.
    for (const std::string text : {"", "o'clock", "''", " it's ", "a''b'"}) {
        const Criterion round = parseCriterion(criterionFor("Name", text));
        EXPECT_EQ(round.column, "Name");
        EXPECT_EQ(round.literal, text);
    }
}

// Columns a user's table may have besides its word and meaning, named as SQLite names a row's own id: every word is
// still reached, in the order stored, and found.
struct ColumnsCase {
    const char* name;
    const char* schema;
    const char* extra; // the value of each further column, from the row's number i
};

class FurtherColumns : public WordStore, public ::testing::WithParamInterface<ColumnsCase> {};

TEST_P(FurtherColumns, NamedLikeTheRowIdHideNoWord) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &raw), SQLITE_OK);
    const std::string fill = std::string(GetParam().schema) +
                             "; WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
                             "INSERT INTO Table3 SELECT 'w' || i, 'm' || i, " +
                             GetParam().extra + " FROM n;";
    ASSERT_EQ(sqlite3_exec(raw, fill.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
    sqlite3_close(raw);
    m_db = DBEngine::instance().OpenDatabase(file().string());
    auto rs = m_db->OpenRecordset("Select * From Table3");
    int i = 0;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext(), ++i) {
        ASSERT_EQ(word(*rs), std::string("w").append(std::to_string(i)));
    }
    EXPECT_EQ(i, 300);
    rs->FindFirst("Name = 'w250'");
    EXPECT_EQ(rs->Fields(1).Text(), "m250");
}

INSTANTIATE_TEST_SUITE_P(
    WordStore, FurtherColumns,
    ::testing::Values(
        ColumnsCase{"Rowid", "CREATE TABLE Table3 (Name, Meaning, rowid)", "i / 100"},
        ColumnsCase{"RowidNullOrText", "CREATE TABLE Table3 (Name, Meaning, rowid)",
                    "CASE WHEN i % 2 = 0 THEN NULL ELSE 'text' END"},
        ColumnsCase{"RowidDescending", "CREATE TABLE Table3 (Name TEXT, Meaning TEXT, RowID INTEGER)", "300 - i"},
        ColumnsCase{"AllThreeNames", "CREATE TABLE Table3 (Name, Meaning, ROWID, _rowid_, OID)", "1, 2, 3"}),
    [](const auto& param) { return std::string(param.param.name); });

// A view that never ends is an error that says so, before it takes the machine's memory.
TEST_F(WordStore, ATableThatNeverEndsIsAnError) {
    testsupport::writeWordDatabase(file(), {{"a", "b"}}, "Words");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE VIEW Table3 AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
                           "SELECT 'w' || i AS Name, hex(zeroblob(500000)) AS Meaning FROM n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    std::string description;
    EXPECT_EQ(
        errorOf([&] { DBEngine::instance().OpenDatabase(file().string())->OpenRecordset("Select * From Table3"); },
                &description),
        platform::err::ResourceExceeded);
    EXPECT_NE(description.find("more than the word store reads"), std::string::npos) << description;
}
