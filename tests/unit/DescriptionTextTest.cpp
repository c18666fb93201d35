// How a description's text is read, without any database: its words, stems, what it says is not so, the part of speech
// its first words say, and the words that ask for a word.
#include "offers/DescriptionText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace offers;

TEST(DescriptionText, WhatADescriptionReadsAs) {
    const std::pair<const char*, PartOfSpeech> cases[] = {
        {"to make something less severe", PartOfSpeech::Verb},
        {"a person who walks in their sleep", PartOfSpeech::Noun},
        {"having great height", PartOfSpeech::Adjective},
        {"that which adorns", PartOfSpeech::Noun},
        {"what water does when it boils", PartOfSpeech::Verb},
        {"what is left over", PartOfSpeech::Unknown},
        {"describes a species that no longer exists", PartOfSpeech::Adjective},
        {"fear of heights", PartOfSpeech::Unknown},
        {"", PartOfSpeech::Unknown},
        {"!!! ...", PartOfSpeech::Unknown},
    };
    for (const auto& [text, part] : cases) {
        EXPECT_EQ(partOfSpeechOf(text), part) << text;
    }
}

TEST(DescriptionText, WhetherADescriptionAsksForAPerson) {
    const std::pair<const char*, bool> cases[] = {
        {"a person who walks in their sleep", true},
        {"Someone with no courage", true},
        {"one whose husband has died", true},
        {"tradesman who fixes leaking pipes", true},
        {"a tree whose leaves fall", false},
        {"one of the vessels which carry blood", false},
        {"a person's fear of heights", false},
        {"one who, or that which, imparts motion", false},
        {"someone", false},
    };
    for (const auto& [text, asks] : cases) {
        EXPECT_EQ(asksForAPerson(text), asks) << text;
    }
}

TEST(DescriptionText, TheWordsThatAskAreLeftOut) {
    const struct {
        const char* asking;
        const char* asked;
        PartOfSpeech part;
    } cases[] = {
        {"a word for fear of heights", "fear of heights", PartOfSpeech::Unknown},
        {"What's the word for a fear of heights?", "a fear of heights?", PartOfSpeech::Unknown}, // as typed
        {"what do you call a person who walks in their sleep", "a person who walks in their sleep", PartOfSpeech::Noun},
        {"a word that describes someone who is easily fooled", "someone who is easily fooled", PartOfSpeech::Adjective},
        {"used to describe something easily broken", "something easily broken", PartOfSpeech::Adjective},
        {"a verb meaning to walk slowly", "walk slowly", PartOfSpeech::Verb},
        {"a term for being unable to sleep", "being unable to sleep", PartOfSpeech::Noun},
        {"How do people call someone who never eats meat", "someone who never eats meat", PartOfSpeech::Noun},
        {"what's it called when you can't sleep", "when you can't sleep", PartOfSpeech::Noun},
        {"synonym for glad", "glad", PartOfSpeech::Unknown},
        {"the opposite of happy", "not happy", PartOfSpeech::Unknown},
        {"a word for the antonym of brave", "not brave", PartOfSpeech::Unknown},
        {"what is the opposite of ancient", "not ancient", PartOfSpeech::Unknown},
        // Nothing asks, or nothing is asked.
        {"the opposite of", "", PartOfSpeech::Unknown},
        {"the name of the rose", "", PartOfSpeech::Unknown},
        {"a word", "", PartOfSpeech::Unknown},
        {"a word for", "", PartOfSpeech::Unknown},
        {"what is love", "", PartOfSpeech::Unknown},
    };
    for (const auto& [asking, asked, part] : cases) {
        const Asked found = whatIsAsked(asking);
        EXPECT_EQ(found.text, asked) << asking;
        EXPECT_EQ(found.part, part) << asking;
    }
}

TEST(DescriptionText, TheWordsOfADescription) {
    using Words = std::vector<std::string>;
    const std::pair<const char*, Words> cases[] = {
        {"\xE2\x80\x9C"
         "fear of heights\xE2\x80\x9D",
         {"fear", "of", "heights"}},                                                   // pasted with curly quotes
        {"acrophobia \xE2\x80\x94 abnormal fear", {"acrophobia", "abnormal", "fear"}}, // a dash
        {"a CAF\xC3\x89 owner", {"a", "cafe", "owner"}},                               // folded as the offers fold
        {"\xD0\x96\xD0\x90\xD0\xA0-bird", {"\xD0\xB6\xD0\xB0\xD1\x80", "bird"}},       // Cyrillic
        {"\xF0\x9F\x8D\x8C banana\xC2\xA0split", {"banana", "split"}},                 // emoji, no-break space
        {"one's \xFF\xFE odd\xE2\x80", {"one", "odd"}},                                // bytes that start nothing
        {"a \xCC\x81 mark", {"a", "mark"}}, // a mark alone, which folds to nothing
        {"can\xE2\x80\x99t sleep; isn't; WON'T", {"can", "not", "sleep", "is", "not", "will", "not"}},
        {"the carpenters' tools, o'clock", {"the", "carpenters", "tools", "oclock"}},
    };
    for (const auto& [text, words] : cases) {
        EXPECT_EQ(lowerWords(text), words) << text;
    }
    EXPECT_EQ(squeezed("Ice-CR\xC3\x88ME"), "icecreme");
    EXPECT_EQ(firstWord("\xE2\x80\x9C"
                        "Refusing\xE2\x80\x9D to"),
              "refusing");
}

TEST(DescriptionText, WhatADescriptionSaysIsNotSo) {
    const std::pair<const char*, std::vector<std::pair<std::string, bool>>> cases[] = {
        {"not young", {{"young", false}}},
        {"not to be appeased; never wrong", {{"appeased", false}, {"wrong", false}}},
        {"a person with no courage", {{"courage", true}}},
        {"WITHOUT a home, lacking friends", {{"home", true}, {"friends", true}}},
        {"not the one", {}}, // nothing but small words after it
        {"nothing known; notable", {}},
        {"it is not", {}},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<std::pair<std::string, bool>> got;
        for (const Negated& n : negatedWords(text)) {
            got.emplace_back(n.word, n.lacking);
        }
        EXPECT_EQ(got, expected) << text;
    }
}

// Every form of a word is cut to one stem: a longer word's "-eed" loses its "d" ("agreed": agree; "seed", not "see"),
// "families" is cut as "family" is, "flies" as "fly", and "famously" as "famous".
TEST(DescriptionText, AWordIsCutToItsStem) {
    const std::pair<const char*, const char*> cases[] = {
        {"heights", "height"},  {"parties", "party"},     {"ties", "tie"},      {"glass", "glass"},
        {"gases", "gas"},       {"kindness", "kind"},     {"mess", "mess"},     {"agreement", "agree"},
        {"running", "runn"},    {"markedly", "mark"},     {"wholly", "whol"},   {"used", "used"},
        {"lied", "lied"},       {"dogs", "dog"},          {"is", "is"},         {"", ""},
        {"agreed", "agree"},    {"needed", "need"},       {"seed", "seed"},     {"proceed", "procee"},
        {"proceeds", "procee"}, {"proceeding", "procee"}, {"families", "fami"}, {"supplying", "supp"},
        {"flies", "fly"},       {"skies", "sky"},         {"famous", "famous"}, {"famously", "famous"},
        {"viruses", "virus"},
    };
    for (const auto& [word, stem] : cases) {
        EXPECT_EQ(stemOf(word), stem) << word;
    }
}
