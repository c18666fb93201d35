// The find box's offers: what a typed text stands for, base words, spelling offers, words that begin with it; and
// what they are read from.
#include "offers/OfferData.h"
#include "offers/OfferIndex.h"
#include "offers/PlainText.h"
#include "offers/Speller.h"
#include "offers/TextBlock.h"
#include "store/Database.h"
#include "tests/support/TestDatabase.h"
#include "tools/wordtable/WordTableWriter.h"

#include <gtest/gtest.h>

#include <optional>

using offers::Offer;
using offers::OfferData;
using offers::OfferIndex;

namespace {

// Each offer as the list shows it: the word, and "< form" when it is offered as the base form of a text.
std::vector<std::string> shown(const OfferIndex& index, std::string_view typed, std::size_t most = 10) {
    std::vector<std::string> rows;
    for (const Offer& offer : index.offersFor(typed, most)) {
        rows.push_back(offer.baseFormOf.empty() ? offer.word : offer.word + " < " + offer.baseFormOf);
    }
    return rows;
}

OfferData dictionary() {
    OfferData data;
    data.words = {"abate",   "accommodate", "accordion", "biscuit",       "cafe",      "came",
                  "dame",    "definitely",  "defiantly", "give",          "give in",   "ice cream",
                  "look",    "look up",     "mother",    "mother-in-law", "naïve",     "receive",
                  "relieve", "Recife",      "run",       "separate",      "desperate", "well-known",
                  "Émile",   "apple",       "Apple",     "apple",         "weird",     "wire"};
    data.forms = {"biscuits", "looked", "gave", "mothers", "mothers-in-law", "ran", "wired"};
    data.bases = {"biscuit", "look", "give", "mother", "mother-in-law", "run", "wire"};
    data.usedWords = {"came", "dame", "receive", "Recife", "relieve", "weird", "wire"};
    data.uses = {400, 3, 240, 1, 30, 11, 37};
    return data;
}

struct OfferCase {
    const char* name;
    std::string typed;
    std::vector<std::string> first; // what the first offers must be, in order
};

class Offers : public ::testing::TestWithParam<OfferCase> {};

} // namespace

TEST_P(Offers, LeadToTheMeantWordFirst) {
    static const OfferIndex index(dictionary());
    const std::vector<std::string> rows = shown(index, GetParam().typed);
    ASSERT_GE(rows.size(), GetParam().first.size()) << ::testing::PrintToString(rows);
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + static_cast<long>(GetParam().first.size())),
              GetParam().first)
        << ::testing::PrintToString(rows);
}

INSTANTIATE_TEST_SUITE_P(
    OfferIndex, Offers,
    ::testing::Values(
        // Misspellings: a letter swapped, a wrong vowel, a doubled letter written once, a letter left out.
        OfferCase{"Swapped", "recieve", {"receive"}}, OfferCase{"WrongVowel", "definately", {"definitely"}},
        OfferCase{"DoubleWrittenOnce", "accomodate", {"accommodate"}}, OfferCase{"Vowels", "seperate", {"separate"}},
        OfferCase{"ThroughAnInflectedForm", "biscits", {"biscuit < biscuits"}},
        // "ie" for "ei" is likelier than another swap, even beside a more common word.
        OfferCase{"VowelsSwapped", "wierd", {"weird", "wire < wired"}},
        // Of two words one slip away, the more common first; the store's order where nothing says which is.
        OfferCase{"CommonFirst", "bame", {"came", "dame"}},
        // Spaces, hyphens, accents and letter case forgiven, both ways.
        OfferCase{"Blanks", "  run ", {"run"}}, OfferCase{"HyphenForSpace", "ice-cream", {"ice cream"}},
        OfferCase{"Joined", "icecream", {"ice cream"}}, OfferCase{"SpaceForHyphen", "well known", {"well-known"}},
        OfferCase{"AccentTyped", "café", {"cafe"}}, OfferCase{"AccentStored", "NAIVE", {"naïve"}},
        OfferCase{"CombiningAccent", "E\xCC\x81mile", {"Émile"}},
        // Inflected forms and phrases lead to their base words, saying so.
        OfferCase{"InflectedForm", "Ran", {"run < Ran"}}, OfferCase{"Phrase", "looked  up", {"look up < looked up"}},
        OfferCase{"IrregularPhrase", "gave in", {"give in < gave in"}},
        OfferCase{"PhraseWithHyphens", "mothers in law", {"mother-in-law < mothers in law"}},
        // The same text stored twice is offered once; texts differing in case are different words.
        OfferCase{"StoredTwice", "apple", {"apple", "Apple"}}),
    [](const auto& param) { return std::string(param.param.name); });

// What must not be offered: spelling offers for a word of the store or a single letter, a word twice, more than asked.
TEST(OfferIndex, OffersOnlyWhatCanBeFoundAndNoMoreThanAsked) {
    const OfferIndex index(dictionary());
    EXPECT_EQ(shown(index, "apple"), (std::vector<std::string>{"apple", "Apple"}));
    EXPECT_EQ(shown(index, "run"), std::vector<std::string>{"run"});
    EXPECT_TRUE(shown(index, "x").empty());
    EXPECT_TRUE(shown(index, "   ").empty());
    EXPECT_TRUE(shown(index, "qqqqqqqqqqqqqqqqqqqq").empty());
    EXPECT_LE(shown(index, "a", 3).size(), 3u);

    OfferData many;
    many.words = {"form"};
    for (int i = 0; i < 65535; ++i) { // as many as a form may have in a hostile database
        many.words.push_back("base" + std::to_string(i));
        many.addBaseForm("form", "base" + std::to_string(i));
    }
    many.addBaseForm("form", "no word of the store");
    many.addBaseForm("form", "");
    many.addBaseForm("", "form");
    const OfferIndex crowded(std::move(many));
    const std::vector<Offer> offered = crowded.offersFor("form");
    ASSERT_EQ(offered.size(), 10u);
    EXPECT_EQ(offered[0].word, "form");
    EXPECT_EQ(offered[1].word, "base0");
    // A phrase of such forms tries a few bases of each, not every pair of them; a page pasted gets no offers.
    EXPECT_TRUE(crowded.offersFor("form form form").empty());
    EXPECT_FALSE(crowded.resolve("form form"));
    EXPECT_TRUE(crowded.offersFor(std::string(1 << 20, 'f')).empty());
}

// The trie's limits: a spelling with a NUL or of over 255 bytes is passed over, and of more spellings alike than a
// node counts, the first are kept; the spellings after them are still found, and found among the beginnings.
TEST(Speller, KeepsTheFirstOfTooManyAlikeAndPassesOverWhatItCannotHold) {
    offers::Speller speller;
    const std::string withNul("ab\0c", 4);
    const std::string tooLong(256, 'a');
    speller.add(withNul, 1);
    speller.add(tooLong, 2);
    constexpr std::uint32_t First = 10;
    constexpr std::uint32_t Alike = 70'000;
    for (std::uint32_t id = First; id < First + Alike; ++id) {
        speller.add("ab", id);
    }
    speller.add("abc", 5);
    speller.build();
    const auto ab = speller.exactly("ab");
    ASSERT_EQ(ab.size(), 65'535U);
    EXPECT_EQ(ab.front(), First);
    EXPECT_EQ(ab.back(), First + 65'534U);
    EXPECT_EQ(std::vector<std::uint32_t>(speller.exactly("abc").begin(), speller.exactly("abc").end()),
              std::vector<std::uint32_t>{5});
    EXPECT_EQ(speller.beginningWith("a").size(), 65'536U);
    EXPECT_TRUE(speller.exactly(withNul).empty());
    EXPECT_TRUE(speller.exactly(tooLong).empty());
}

// Words that begin with the typed text, in the store's order, letter case and accents forgiven.
TEST(OfferIndex, WordsBeginningWithTheTextInTheStoresOrder) {
    OfferData data;
    data.words = {"zeal", "abate", "Abbey", "\xC3\x89mile", "emit", "abacus", "o'clock", "ice cream"};
    for (int i = 0; i < 12; ++i) {
        data.words.push_back("many" + std::to_string(i));
    }
    const OfferIndex index(std::move(data));
    using Words = std::vector<std::string>;
    EXPECT_EQ(index.wordsBeginningWith("", 10), Words{});
    EXPECT_EQ(index.wordsBeginningWith("abacuses", 10), Words{});
    EXPECT_EQ(index.wordsBeginningWith("AB", 10), (Words{"abate", "Abbey", "abacus"}));
    EXPECT_EQ(index.wordsBeginningWith("\xC3\xA9M", 10), (Words{"\xC3\x89mile", "emit"}));
    EXPECT_EQ(index.wordsBeginningWith("o'", 10), Words{"o'clock"});
    EXPECT_EQ(index.wordsBeginningWith("ice-c", 10), Words{"ice cream"});
    EXPECT_EQ(index.wordsBeginningWith("many", 10),
              (Words{"many0", "many1", "many2", "many3", "many4", "many5", "many6", "many7", "many8", "many9"}));
}

// A user's tables as they come, read through the store as any table is: BaseForms declared WITHOUT ROWID, bases that
// are NULL, BLOB, empty or no word, counts that are no numbers, tables without the expected columns. What cannot be
// used is passed over, never an error.
TEST(OfferData, ReadsWhatItCanUseOfTheUsersTables) {
    const testsupport::TempDir dir;
    const auto file = dir.path() / "db2.mdb";
    testsupport::writeWordDatabase(file, {{"goose", "a bird"}, {"run", "to go fast"}, {std::nullopt, "none"}});
    wordtable::WordTableWriter(file).exec(
        "CREATE TABLE BaseForms (Form TEXT, Base TEXT, PRIMARY KEY (Form)) WITHOUT ROWID;"
        "INSERT INTO BaseForms VALUES ('geese', 'goose'), ('ran', 'run'), ('a', ''), ('b', 'stork'),"
        " ('c', x'676f6f7365'), ('d', NULL);"
        "CREATE TABLE WordUse (Word TEXT, Count);"
        "INSERT INTO WordUse VALUES ('goose', 12), ('run', 'often'), (x'00', 3);");
    const OfferData data = offers::readOfferData(file.string(), "table3");
    EXPECT_EQ(data.words, (offers::TextBlock{"goose", "run"}));
    // A BLOB reads as its bytes, as the word table's values do ("goose" here); what is no word is passed over later.
    EXPECT_EQ(data.forms, (offers::TextBlock{"c", "geese", "ran"})); // in the order of the key
    EXPECT_EQ(data.bases, (offers::TextBlock{"goose", "goose", "run"}));
    EXPECT_EQ(data.usedWords, (offers::TextBlock{"goose", std::string_view("\0", 1)}));
    EXPECT_EQ(data.uses, (std::vector<double>{12.0, 3.0}));

    wordtable::WordTableWriter(file).exec("DROP TABLE BaseForms; CREATE TABLE BaseForms (Other TEXT);");
    EXPECT_TRUE(offers::readOfferData(file.string(), "Table3").forms.empty());
    EXPECT_TRUE(offers::readOfferData((dir.path() / "missing.mdb").string(), "Table3").words.empty());
    EXPECT_TRUE(offers::readOfferData(file.string(), "NoSuchTable").words.empty());
}

// A user's Derivations table as it comes: rows with NULL, a BLOB or a name that is no word are passed over.
TEST(OfferData, TheDescriptionsReadTheWordsMadeOneFromTheOther) {
    const testsupport::TempDir dir;
    const auto file = dir.path() / "db2.mdb";
    testsupport::writeWordDatabase(file, {{"coward", "one who shows fear"}, {"cowardly", "lacking courage"}});
    wordtable::WordTableWriter(file).exec(
        "CREATE TABLE Derivations (Word TEXT, Related);"
        "INSERT INTO Derivations VALUES (NULL, 'coward'), ('coward', NULL), ('nosuch', 'coward'),"
        " (x'00', 3), ('cowardly', 'coward');");
    const auto found = offers::readDescriptions(file.string(), "Table3").wordsFor("lacking courage", 10);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found.back().word, "coward");
}

// A description that asks for a person finds the words of the People table first, the whole index and one for that
// description alike, asked as a question or not; a row with NULL, or a name that is no word, is passed over.
TEST(OfferData, TheDescriptionsReadTheWordsThatNameAPerson) {
    const testsupport::TempDir dir;
    const auto file = dir.path() / "db2.mdb";
    testsupport::writeWordDatabase(file, {{"noctambulation", "walking by a person in their sleep"},
                                          {"sleepwalker", "someone who walks in their sleep"}});
    const std::string asked = "a person who walks in their sleep";
    EXPECT_EQ(offers::readDescriptions(file.string(), "Table3").wordsFor(asked, 10).front().word, "noctambulation");
    wordtable::WordTableWriter(file).exec(
        "CREATE TABLE People (Word TEXT); INSERT INTO People VALUES (NULL), ('nosuch'),"
        " ('sleepwalker');");
    // Asked as a question too: the index for it reads the table as the ranking reads the question.
    const std::string asQuestion = std::string("what do you call ").append(asked);
    for (const std::string_view question : {std::string_view(asked), std::string_view(asQuestion)}) {
        for (const auto& onlyFor : {std::optional<std::string_view>(), std::optional<std::string_view>(question)}) {
            const auto found = offers::readDescriptions(file.string(), "Table3", onlyFor).wordsFor(question, 10);
            ASSERT_EQ(found.size(), 2U) << question;
            EXPECT_EQ(found.front().word, "sleepwalker") << question;
        }
    }
}

// An Access file gives the offers its tables as an SQLite file does. A block keeps every text in its place, the empty
// ones too, and takes none that would carry it past 4 GB.
TEST(OfferData, AnAccessFileGivesItsTablesAndABlockKeepsEveryText) {
    const testsupport::TempDir dir;
    const auto path = dir.path() / "db2.mdb";
    std::filesystem::copy_file(std::filesystem::path(LEXORANT_TEST_DATA_DIR) / "jet" / "encoded.mdb", path);
    const OfferData data = offers::readOfferData(path.string(), "Table3");
    EXPECT_EQ(data.words, (offers::TextBlock{"alpha", "beta", "gamma"}));
    EXPECT_TRUE(data.forms.empty() && data.bases.empty() && data.usedWords.empty());
    // Any table of an Access file is read the one way every table is (as BaseForms and WordUse would be).
    const auto varied =
        store::openDatabase((std::filesystem::path(LEXORANT_TEST_DATA_DIR) / "jet" / "words-varied.mdb").string());
    const auto other = varied->OpenTable("OTHER");
    ASSERT_TRUE(other);
    std::vector<std::string> labels;
    (*other)->scan({0},
                   [&labels](std::int64_t, const store::RecordValues& row) { labels.push_back(row[0].value_or("")); });
    EXPECT_EQ(labels, std::vector<std::string>{"this is not the word table"});
    EXPECT_FALSE(varied->OpenTable("BaseForms"));

    const offers::TextBlock texts{"", "ab", "", "c"};
    ASSERT_EQ(texts.size(), 4U);
    EXPECT_EQ(std::vector<std::string_view>({texts[0], texts[1], texts[2], texts[3]}),
              (std::vector<std::string_view>{"", "ab", "", "c"}));
    EXPECT_TRUE(texts.fits(UINT32_MAX - 3));
    EXPECT_FALSE(texts.fits(UINT32_MAX - 2));
}

TEST(Folding, PlainAndJoinedTexts) {
    EXPECT_EQ(offers::plainText("  Ice \t Cream "), "ice cream");
    EXPECT_EQ(offers::plainText("Caf\xC3\xA9 Na\xC3\xAFve"), "cafe naive");
    EXPECT_EQ(offers::plainText("E\xCC\x81MILE"), "emile");
    EXPECT_EQ(offers::joinedText("mother-in law"), "motherinlaw");
    // Composed again at the end: Hangul, taken apart to strip accents, comes back whole.
    EXPECT_EQ(offers::plainText("\uD55C\uAD6D\uC5B4"), "\uD55C\uAD6D\uC5B4");
}

namespace {

// What typing a text for a word costs, by the speller's own measure.
float costOf(std::string_view typed, std::string_view meant) {
    offers::Speller speller;
    speller.add(meant, 1);
    speller.build();
    const auto found = speller.near(typed, 10.0F);
    return found.empty() ? -1.0F : found.front().cost;
}

struct SlipCase {
    const char* name;
    std::string typed;
    std::string meant;
    float cost;
};

class Slips : public ::testing::TestWithParam<SlipCase> {};

} // namespace

// Each slip costs what people make of it, and the same slip at the first letter costs more.
TEST_P(Slips, CostWhatPeopleMakeOfThem) {
    EXPECT_FLOAT_EQ(costOf(GetParam().typed, GetParam().meant), GetParam().cost);
}

INSTANTIATE_TEST_SUITE_P(Speller, Slips,
                         ::testing::Values(SlipCase{"TwoLettersSwapped", "borwn", "brown", 0.7F},
                                           SlipCase{"TwoVowelsSwapped", "wierd", "weird", 0.5F},
                                           SlipCase{"ALetterChanged", "abxd", "abcd", 1.0F},
                                           SlipCase{"TheFirstLetterChanged", "xbcd", "abcd", 1.6F},
                                           SlipCase{"ALetterLeftOut", "xbd", "xbcd", 1.0F},
                                           SlipCase{"TheFirstLetterLeftOut", "bcd", "xbcd", 1.6F},
                                           SlipCase{"AVowelLeftOut", "brwn", "brown", 0.7F},
                                           SlipCase{"ALetterAdded", "abxcd", "abcd", 1.0F},
                                           SlipCase{"ALetterAddedBeforeTheFirst", "xabcd", "abcd", 1.6F},
                                           SlipCase{"ADoubledLetterWrittenOnce", "acomodate", "accomodate", 0.35F},
                                           SlipCase{"ASoundSpeltAnotherWay", "fone", "phone", 0.5F}),
                         [](const auto& param) { return std::string(param.param.name); });

// How far a misspelling may be from the words offered for it grows with its length: a one-letter slip at the start of
// a three-letter text is too far, of a four-letter one not; a slip and a vowel at five letters too far, at six not. Of
// two words equally near and equally common, the first in the store's order comes first.
TEST(OfferIndex, TheReachGrowsWithTheTextAndTiesKeepTheStoresOrder) {
    OfferData data;
    data.words = {"xbc", "xbcd", "xbcdo", "xbcdof", "dame", "came"};
    const OfferIndex index(std::move(data));
    const auto offered = [&index](std::string_view typed, std::string_view word) {
        const auto rows = shown(index, typed);
        return std::find(rows.begin(), rows.end(), word) != rows.end();
    };
    EXPECT_FALSE(offered("abc", "xbc"));
    EXPECT_TRUE(offered("abcd", "xbcd"));
    EXPECT_FALSE(offered("abcde", "xbcdo"));
    EXPECT_TRUE(offered("abcdef", "xbcdof"));
    EXPECT_EQ(shown(index, "bame"), (std::vector<std::string>{"dame", "came"}));
}
