// How an entry is written from WordNet's own lines: relations named by the related synset's word, differently
// capitalised forms named, WordNet's quoting shown as quotation marks, parts of speech by use.
#include "tools/wordnet/WordNetEntry.h"

#include <gtest/gtest.h>
#include <map>

using namespace wordnet;

namespace {

// Lines as WordNet's data files hold them (offset, file, type, words, pointers, gloss).
const std::map<unsigned long, std::string> Lines{
    {100, "00000100 00 a 02 good 0 full 0 002 ! 00000200 a 0101 & 00000300 a 0000 | having desirable qualities; "
          "\"good news\"  "},
    {200, "00000200 00 a 01 bad 0 001 ! 00000100 a 0101 | having undesirable qualities  "},
    {300, "00000300 00 a 01 ample 0 000 | more than enough  "},
    {400, "00000400 03 n 02 Turkey 0 Republic_of_Turkey 0 001 @i 00000500 n 0000 | a Eurasian republic  "},
    {500, "00000500 03 n 01 country 0 000 | a politically organized body  "},
    {600, "00000600 00 a 01 better 0 000 | (comparative of `good') superior; `o'clock' kept whole  "},
    {700, "00000700 18 n 02 coward 0 poltroon 0 004 + 00000800 a 0101 + 00000800 a 0202 + 00000800 a 0102 "
          "+ 00000800 a 0102 | a person who shows fear  "},
    {800, "00000800 00 a 02 cowardly 0 fearful 0 000 | lacking courage  "},
};

Synset lookUp(char /*part*/, unsigned long offset) {
    return parseSynset(Lines.at(offset));
}

} // namespace

TEST(WordNetEntry, SenseLinesNameTheirRelationsAndForms) {
    const struct {
        unsigned long offset;
        const char* lemma;
        const char* entryWord;
        const char* line;
    } cases[] = {
        {100, "good", "good", "having desirable qualities; \"good news\". Synonyms: full. Opposite: bad."},
        // An opposite of another word of the synset is not this word's.
        {100, "full", "full", "having desirable qualities; \"good news\". Synonyms: good."},
        {400, "turkey", "turkey", "Turkey: a Eurasian republic. Synonyms: Republic of Turkey. Kind of: country."},
        {400, "turkey", "Turkey", "a Eurasian republic. Synonyms: Republic of Turkey. Kind of: country."},
        {600, "better", "better", "(comparative of \u201Cgood\u201D) superior; \u201Co'clock\u201D kept whole."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(senseLine(lookUp('a', c.offset), c.lemma, c.entryWord, lookUp), c.line) << c.lemma;
    }
}

TEST(WordNetEntry, AtMostThreeRelatedWordsOfEachKind) {
    Synset many = parseSynset(Lines.at(500));
    for (int i = 0; i < 5; ++i) {
        many.pointers.push_back({"@", 300, 'a', 0, 0});
        many.pointers.push_back({"@", static_cast<unsigned long>(i % 2 == 0 ? 200 : 600), 'a', 0, 0});
    }
    EXPECT_EQ(senseLine(many, "country", "country", lookUp),
              "a politically organized body. Kind of: ample, bad, better.");
}

TEST(WordNetEntry, TheWordsMadeFromALemmaAreThoseOfItsOwnPointers) {
    EXPECT_EQ(derivedWords(lookUp('n', 700), "coward", lookUp), (std::vector<std::string>{"cowardly", "fearful"}));
    EXPECT_EQ(derivedWords(lookUp('n', 700), "poltroon", lookUp), std::vector<std::string>{"fearful"});
}

TEST(WordNetEntry, AKindOfPersonIsANounOfThePeoplesFileAndNoInstance) {
    Synset coward = lookUp('n', 700);
    EXPECT_TRUE(namesAKindOfPerson(coward));
    EXPECT_FALSE(namesAKindOfPerson(lookUp('a', 800)));
    coward.pointers.push_back({"@i", 100, 'n', 0, 0}); // one person, as Galileo is one astronomer
    EXPECT_FALSE(namesAKindOfPerson(coward));
}

TEST(WordNetEntry, PartsOfSpeechMostUsedFirstTiesInWordNetsOrder) {
    using Order = std::array<std::size_t, 4>;
    EXPECT_EQ(partOrder({0, 0, 0, 0}), (Order{0, 1, 2, 3}));
    EXPECT_EQ(partOrder({12, 340, 0, 0}), (Order{1, 0, 2, 3})); // "run": verbs first
    EXPECT_EQ(partOrder({5, 5, 9, 0}), (Order{2, 0, 1, 3}));
}
