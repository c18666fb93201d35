// What the reader keeps: the review schedule, the order of the words kept, the schema brought forward, and files
// that cannot be used (damaged, newer, a folder, read-only), each said with the file's name.
#include "keep/Export.h"
#include "keep/MyWords.h"
#include "run/WordSet.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

using namespace keep;

TEST(Keep, LeitnerBoxes) {
    constexpr std::int64_t Now = 1'000'000;
    const struct {
        int box;
        bool knewIt;
        Card card;
    } cases[] = {
        {1, true, {2, Now + 1 * Day}},
        {2, true, {3, Now + 3 * Day}},
        {3, true, {4, Now + 7 * Day}},
        {4, true, {5, Now + 16 * Day}},
        {5, true, {6, Now + 35 * Day}},
        {6, true, {6, Now + 35 * Day}}, // the last box
        {4, false, {1, Now}},
        {1, false, {1, Now}},
        {0, true, {2, Now + 1 * Day}}, // out of range
        {99, true, {6, Now + 35 * Day}},
    };
    for (const auto& c : cases) {
        const Card card = answered(c.box, c.knewIt, Now);
        EXPECT_EQ(card.box, c.card.box) << c.box << (c.knewIt ? " knew it" : " not yet");
        EXPECT_EQ(card.due, c.card.due) << c.box << (c.knewIt ? " knew it" : " not yet");
    }
}

TEST(Keep, WordsKeptInTheirOrderPerDatabaseDueAndFound) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "data" / "lexorant" / "mywords.sqlite"; // the folders are made
    {
        MyWords words(file, false);
        words.keepWord("/a/db2.mdb", "cherry", 30);
        words.keepWord("/a/db2.mdb", "apple", 10); // the clock set back meanwhile: the time kept orders
        words.keepWord("/b/db2.mdb", "apple", 20);
        words.keepWord("/a/db2.mdb", "cherry", 40); // kept already: stays where it was
        words.answer("/a/db2.mdb", "cherry", true, 50);
        for (int i = 0; i < HistoryLength + 5; ++i) {
            words.visit("/a/db2.mdb", std::string("w").append(std::to_string(i)), i);
        }
    }
    const MyWords words(file, true); // as a second program reads it
    std::vector<std::string> kept;
    for (const KeptWord& k : words.kept("/a/db2.mdb")) {
        kept.push_back(k.word);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"apple", "cherry"})) << "in the order of the time kept";
    EXPECT_EQ(words.kept("/b/db2.mdb").size(), 1U);
    EXPECT_TRUE(words.isKept("/a/db2.mdb", "cherry"));
    EXPECT_FALSE(words.isKept("/c/db2.mdb", "cherry"));
    ASSERT_EQ(words.due("/a/db2.mdb", 60).size(), 1U) << "cherry waits a day";
    EXPECT_EQ(words.due("/a/db2.mdb", 60)[0].word, "apple");
    EXPECT_EQ(words.due("/a/db2.mdb", 50 + Day).size(), 2U);
    const auto found = words.history("/a/db2.mdb", 2000);
    ASSERT_EQ(found.size(), static_cast<std::size_t>(HistoryLength)) << "the newest kept";
    EXPECT_EQ(found.front(), std::string("w").append(std::to_string(HistoryLength + 4)));
}

TEST(Keep, AnEarlierSchemaIsBroughtForward) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "mywords.sqlite";
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        const std::string first = std::string(MyWords::migrations()[0]) +
                                  "INSERT INTO kept VALUES ('/a', 'zeal', 5); PRAGMA user_version = 1;";
        ASSERT_EQ(sqlite3_exec(db, first.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    const MyWords words(file, false);
    const auto kept = words.kept("/a");
    ASSERT_EQ(kept.size(), 1U);
    EXPECT_EQ(kept[0].card.box, FirstBox);
    EXPECT_EQ(words.due("/a", 0).size(), 1U) << "a word kept before the review is due at once";
}

TEST(Keep, FilesThatCannotBeUsedSayWhyAndNameTheFile) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "mywords.sqlite";
    const auto kindOf = [&file](bool readOnly) -> std::optional<Failure::Kind> {
        try {
            MyWords words(file, readOnly);
            return std::nullopt;
        } catch (const Failure& failure) {
            EXPECT_NE(std::string(failure.what()).find(file.string()), std::string::npos) << failure.what();
            return failure.kind();
        }
    };
    testsupport::writeBytes(file, std::string(4096, 'x'));
    EXPECT_EQ(kindOf(false), Failure::Kind::Damaged);
    const auto aside = moveAside(file, "2026-12-08");
    EXPECT_EQ(aside.filename(), "mywords.sqlite.damaged-2026-12-08");
    testsupport::writeBytes(file, "another");
    EXPECT_EQ(moveAside(file, "2026-12-08").filename(), "mywords.sqlite.damaged-2026-12-08-2") << "never overwritten";
    EXPECT_EQ(testsupport::readBytes(aside), std::string(4096, 'x'));

    { MyWords(file, false).keepWord("/a", "zeal", 1); }
    {
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    EXPECT_EQ(kindOf(false), Failure::Kind::Newer);
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(kindOf(false), Failure::Kind::NotAFile);
    std::filesystem::remove(file);

    // A read-only folder: nothing can be created there; a second program reading a file not yet made sees nothing.
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(dir.path().c_str(), W_OK) != 0) { // root writes anywhere
        EXPECT_EQ(kindOf(false), Failure::Kind::CannotWrite);
    }
    EXPECT_TRUE(MyWords(file, true).kept("/a").empty());
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
}

TEST(Keep, ExportQuotesWhatWouldBreakALine) {
    EXPECT_EQ(tsvField("plain"), "plain");
    EXPECT_EQ(tsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(tsvField("a \"word\"\there"), "\"a \"\"word\"\"\there\"");
    EXPECT_EQ(exportText({{"zeal", "eagerness", "2026-12-08", 2}}),
              "word\tmeaning\tkept\tbox\nzeal\teagerness\t2026-12-08\t2\n");
}

TEST(Keep, AWordSetStepsAndWrapsToItsFirstWord) {
    run::WordSet set;
    EXPECT_FALSE(set.first());
    set.assign({"cherry", "apple", "banana"});
    EXPECT_EQ(set.first(), "cherry");
    EXPECT_EQ(set.next(), "apple");
    EXPECT_EQ(set.next(), "banana");
    EXPECT_FALSE(set.next()) << "past the end";
    EXPECT_EQ(set.next(), "apple") << "from the first word again";
    EXPECT_FALSE(set.previous() && set.previous()) << "before the first";
    EXPECT_TRUE(set.moveTo("banana"));
    EXPECT_FALSE(set.moveTo("durian"));
    EXPECT_EQ(set.previous(), "apple");
}
