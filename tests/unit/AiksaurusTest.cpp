// Aiksaurus's data files read into groups of words, and data that is not as the package lays it.
#include "tools/thesaurus/Aiksaurus.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace std::string_literals;

namespace {
// A number as the files hold it: two bytes, high byte first.
std::string n(unsigned value) {
    return {static_cast<char>(value >> 8U), static_cast<char>(value & 0xFFU)};
}
const std::string End = n(0xFFFF);
} // namespace

TEST(Aiksaurus, GroupsAreReadWithTheirWordsNames) {
    const std::string words = "a:cappella\0"s + n(0) + End + "caf\xE9\0"s + n(0) + n(1) + End + "sing\0"s + n(1) + End;
    const std::string meanings = n(0) + n(1) + n(0) + n(1) + End + n(2) + n(1) + n(1) + n(2) + End;
    EXPECT_EQ(thesaurus::parseAiksaurus(words, meanings),
              (thesaurus::Groups{{"a cappella", "caf\xC3\xA9"}, {"caf\xC3\xA9", "sing"}}));
    EXPECT_TRUE(thesaurus::parseAiksaurus("", "").empty());
}

TEST(Aiksaurus, DataNotAsLaidOutIsNamedWithItsFileAndByte) {
    const std::string word = "sing\0"s + n(0) + End;
    const struct {
        std::string words;
        std::string meanings;
        const char* message;
    } cases[] = {
        {"sing"s, "", "words.dat: a word has no end at byte 0"},
        {"\0"s + End, "", "words.dat: a word has no name at byte 0"},
        {"sing\0"s + n(0), "", "words.dat: a number is cut short at byte 7"},
        {word + "x", "", "words.dat: a word has no end at byte 9"},
        {word, n(0) + n(0) + n(0), "meanings.dat: a number is cut short at byte 6"},
        {word, n(0) + n(0) + n(0) + n(1) + End, "meanings.dat: word 1 is past the 1 words at byte 8"},
        {word, n(0), "meanings.dat: a number is cut short at byte 2"},
    };
    for (const auto& c : cases) {
        try {
            thesaurus::parseAiksaurus(c.words, c.meanings);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_THROW(thesaurus::readAiksaurus("/nonexistent"), std::runtime_error);
}
