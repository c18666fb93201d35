// Words from their meaning through a thesaurus's groups: a description's word that falls in a word's groups counts for
// that word, the first words found keep their places, and a user's Thesaurus table is read as it comes.
#include "offers/Describe.h"
#include "offers/OfferData.h"
#include "tests/support/ReverseCases.h"
#include "tests/support/TestDatabase.h"
#include "tools/wordtable/WordTableWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace offers;
using testsupport::wordsOf;

namespace {

const char* const Budge = "refusal to budge";

// Six words that budge, the shorter senses first; mulish, whose sense budges too, is last of them by its name.
const std::pair<const char*, const char*> Budging[] = {
    {"shift", "(verb) budge"},
    {"stir", "(verb) budge a bit"},
    {"move", "(verb) budge a bit more"},
    {"nudge", "(verb) make someone budge a bit"},
    {"edge", "(verb) budge a bit at a time"},
    {"inch", "(verb) budge a bit at a time, slowly"},
    {"mulish", "(verb) budge a bit at a time, unwillingly"},
    {"refusal", "(noun) the act of saying no"},
};

// The words beside as many others, in group 3 (so that a word of a smaller group is rare), and refusal and mulish in
// the group given, if any; a name that is no word of the index is passed over.
void addBudging(DescriptionIndex& index, int others, std::optional<std::uint32_t> refusals) {
    for (const auto& [word, meaning] : Budging) {
        index.add(word, meaning);
    }
    for (int i = 0; i < others; ++i) {
        index.add("other" + std::to_string(i), "(noun) something else");
    }
    index.finish({});
    for (int i = 0; i < others; ++i) {
        index.group("other" + std::to_string(i), 3);
    }
    for (const char* word : {"refusal", "mulish", "no such word"}) {
        if (refusals) {
            index.group(word, *refusals);
        }
    }
    index.finishGrouping();
}

} // namespace

TEST(DescribeGroups, AWordWhoseGroupHasTheDescriptionsWordsRisesBelowTheFirstFive) {
    DescriptionIndex plain;
    addBudging(plain, 100, std::nullopt);
    const std::vector<std::string> before = wordsOf(plain.wordsFor(Budge, 10));
    ASSERT_EQ(before.size(), 7U);
    EXPECT_EQ(before.back(), "mulish");

    DescriptionIndex grouped;
    addBudging(grouped, 100, 7);
    const std::vector<std::string> after = wordsOf(grouped.wordsFor(Budge, 10));
    ASSERT_EQ(after.size(), 7U);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 5, after.begin())) << "the first five keep their places";
    EXPECT_EQ(after[5], "mulish");
    // Asked for more, past the first twenty, the groups still count; and an index for the one description answers as
    // the whole index does.
    EXPECT_EQ(wordsOf(grouped.wordsFor(Budge, 30)), after);
    DescriptionIndex one;
    one.keepOnlyTermsOf(Budge);
    addBudging(one, 100, 7);
    EXPECT_EQ(wordsOf(one.wordsFor(Budge, 10)), after);
}

// A group of more than a thousand words says nothing of them.
TEST(DescribeGroups, AGroupTooWideIsPassedOver) {
    for (const int others : {998, 999}) {
        DescriptionIndex index;
        addBudging(index, others, 3);
        EXPECT_EQ(wordsOf(index.wordsFor(Budge, 10)).at(others == 998 ? 5 : 6), "mulish")
            << others + 2 << " words in the group";
    }
}

// A user's Thesaurus table as it comes: rows with NULL, a group that is no number or a name that is no word are
// passed over; a file without the table ranks as before.
TEST(DescribeGroups, TheDescriptionsReadTheThesaurusTable) {
    const testsupport::TempDir dir;
    const auto file = dir.path() / "db2.mdb";
    std::vector<testsupport::Row> words;
    for (const auto& [word, meaning] : Budging) {
        words.emplace_back(word, meaning);
    }
    testsupport::writeWordDatabase(file, words);
    EXPECT_EQ(readDescriptions(file.string(), "Table3").wordsFor(Budge, 10).back().word, "mulish");
    wordtable::WordTableWriter(file).exec(
        "CREATE TABLE Thesaurus (Word TEXT, GroupId INTEGER);"
        "INSERT INTO Thesaurus VALUES (NULL, 1), ('shift', NULL), ('stir', 'x'), ('nosuch', 1),"
        " ('inch', -1), (x'00', 1), ('refusal', 1), ('mulish', 1);");
    for (const auto& onlyFor : {std::optional<std::string_view>(), std::optional<std::string_view>(Budge)}) {
        const auto found = wordsOf(readDescriptions(file.string(), "Table3", onlyFor).wordsFor(Budge, 10));
        ASSERT_EQ(found.size(), 7U);
        EXPECT_EQ(found[5], "mulish");
    }
}
