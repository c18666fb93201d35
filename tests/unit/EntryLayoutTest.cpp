// How an entry of the bundled dictionary reads: the head line with the pronunciation and how common the word is, an
// overview of its parts of speech, and a heading for each with its senses numbered within it.
#include "tools/wordnet/EntryLayout.h"
#include "tools/wordnet/Pronunciation.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>

using namespace wordnet;

TEST(EntryLayout, FrequencyBandsFromUseCounts) {
    const std::pair<long, const char*> cases[] = {{0, "rare"},         {1, "rare"},    {2, "less common"},
                                                  {3, "common"},       {19, "common"}, {20, "very common"},
                                                  {354, "very common"}};
    for (const auto& [count, band] : cases) {
        EXPECT_STREQ(frequencyBand(count), band) << count;
    }
}

TEST(EntryLayout, OverviewDefinitionsAreShortAndCutBetweenWords) {
    const std::pair<const char*, const char*> cases[] = {
        {"a score in baseball; \"he scored a run\"", "a score in baseball"},
        {"leave quickly \"the kids ran off\"", "leave quickly"},
        {"move fast by using one's feet, with one foot off the ground at any given time",
         "move fast by using one's feet, with one\u2026"},
        // One long word is cut inside it, but never inside a character.
        {"\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9"
         "\u00E9\u00E9\u00E9",
         "\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9"
         "\u00E9\u2026"},
    };
    for (const auto& [gloss, shown] : cases) {
        EXPECT_EQ(shortDefinition(gloss), shown);
    }
}

TEST(EntryLayout, HeadOverviewAndNumberedSensesUnderEachPart) {
    const std::vector<PartSenses> two{{"verb", {"run fast.", "flee."}, "run fast; \"he ran\""},
                                      {"noun", {"a score."}, "a score"}};
    EXPECT_EQ(entryText("run", "\u02C8\u0279\u028Cn", 354, two),
              "run /\u02C8\u0279\u028Cn/ \u00B7 very common\r\nVerb: run fast\r\nNoun: a score\r\n"
              "Verb \u2014 2 senses\r\n1. run fast.\r\n2. flee.\r\nNoun \u2014 1 sense\r\n1. a score.");
    // One part of speech needs no overview; no pronunciation, none shown.
    EXPECT_EQ(entryText("cwm", "", 1, {{"noun", {"a cirque."}, "a cirque"}}),
              "cwm \u00B7 rare\r\nNoun \u2014 1 sense\r\n1. a cirque.");
}

TEST(Pronunciation, StressMarkedBeforeTheSyllable) {
    const std::pair<const char*, const char*> cases[] = {
        {"h\u02C8\u00E6pi", "\u02C8h\u00E6pi"},             // happy: the word's first consonant
        {"\u02CC\u00E6k\u0279\u0259f\u02C8o\u028Abi\u0259", // acrophobia: one consonant between vowels
         "\u02CC\u00E6k\u0279\u0259\u02C8fo\u028Abi\u0259"},
        {"\u028Cnst\u0279\u02C8\u028Akt", "\u028Cn\u02C8st\u0279\u028Akt"}, // "str" opens a syllable, "nstr" does not
        {"\u02C8a\u026As k\u0279\u02C8i\u02D0m", "\u02C8a\u026As \u02C8k\u0279i\u02D0m"}, // word by word
        {"\u0259b\u02C8a\u028At", "\u0259\u02C8ba\u028At"},
    };
    for (const auto& [espeak, dictionary] : cases) {
        EXPECT_EQ(stressBeforeSyllables(espeak), dictionary) << espeak;
    }
}

TEST(Pronunciation, WhatEspeakSaysAsItIsSaid) {
    for (const char* said : {"happy", "ice cream", "PBS", "St. Olaf", "3D", "135th", "b", "caf\u00E9", "o'clock"}) {
        EXPECT_TRUE(sayable(said)) << said;
    }
    for (const char* spelt : {"zzz", "hmm", "tv room", "TCP/IP", "9/11", "", " ", "..."}) {
        EXPECT_FALSE(sayable(spelt)) << spelt;
    }
}

namespace {

// The bundled dictionary's meaning of a word, found as the program finds it (letter case aside).
std::string bundledMeaning(const char* word) {
    sqlite3* db = nullptr;
    std::string meaning;
    if (sqlite3_open_v2(LEXORANT_DICTIONARY, &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT Meaning FROM Table3 WHERE Name = ? COLLATE NOCASE", -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, word, -1, SQLITE_STATIC);
        if (sqlite3_step(statement) == SQLITE_ROW) {
            meaning = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return meaning;
}

} // namespace

TEST(EntryLayout, BundledEntriesOpenWithWhatAReaderNeedsFirst) {
    const struct {
        const char* word;
        const char* head;
        std::vector<const char*> headings;
    } cases[] = {
        {"happy", "happy /\u02C8h\u00E6pi/ \u00B7 very common", {"Adjective \u2014 4 senses"}},
        {"run", "run /\u02C8\u0279\u028Cn/ \u00B7 very common", {"Verb \u2014 41 senses", "Noun \u2014 16 senses"}},
        {"Turkey", "turkey /\u02C8t\u025C\u02D0ki/ \u00B7 common", {"Noun \u2014 5 senses"}},
        {"ice cream", "ice cream /\u02C8a\u026As \u02C8k\u0279i\u02D0m/ \u00B7 less common", {"Noun \u2014 1 sense"}},
        {"cwm", "cwm \u00B7 rare", {"Noun \u2014 1 sense"}},
    };
    if (bundledMeaning("run").find("Verb") == std::string::npos) {
        GTEST_SKIP() << "the dictionary was built from the small word list, not WordNet";
    }
    for (const auto& c : cases) {
        std::istringstream lines(bundledMeaning(c.word));
        std::vector<std::string> shown;
        for (std::string line; std::getline(lines, line);) {
            shown.push_back(line.substr(0, line.find('\r')));
        }
        ASSERT_FALSE(shown.empty()) << c.word;
        EXPECT_EQ(shown[0], c.head);
        // The first sense of each part of speech, or its overview line, within the first screen (six lines).
        for (std::size_t i = 0; i < c.headings.size(); ++i) {
            const auto heading = std::find(shown.begin(), shown.end(), c.headings[i]);
            ASSERT_NE(heading, shown.end()) << c.word << ": " << c.headings[i];
            const std::string part = std::string(c.headings[i]).substr(0, std::string(c.headings[i]).find(' '));
            const bool overview = c.headings.size() > 1 && shown[1 + i].starts_with(part + ": ");
            EXPECT_TRUE(overview || heading - shown.begin() < 5) << c.word << ": " << part;
        }
    }
}
