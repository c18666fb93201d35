// What a description reads as: the part of speech its first words say in a database, and whether the find box takes
// the typed text for a description at all.
#include "offers/Describe.h"

#include <gtest/gtest.h>

using namespace offers;

TEST(Describe, ADescriptionsFirstWordReadsAsTheDatabasesOwnSensesThatOpenWithIt) {
    DescriptionIndex index;
    std::string adjectives;
    for (int i = 0; i < 6; ++i) {
        adjectives += std::to_string(i + 1) + ". (adjective) refusing to yield " + std::to_string(i) + "\r\n";
    }
    index.add("stubborn", adjectives);
    index.add("refusal", "1. (noun) refusing to accept\r\n2. (noun) the act of saying no");
    index.add("deny", "(verb) refusing to admit\r\n(verb) refusing to give");
    index.add("\xC3\xA9lan",
              "1. (noun) \xC3\xA9nergie et vigueur\r\n2. (noun) \xC3\xA9nergie\r\n3. (noun) \xC3\xA9nergie "
              "vive\r\n4. (noun) \xC3\xA9nergie\r\n5. (noun) \xC3\xA9nergie");
    index.add("suddenness", "(noun) the quality of happening quickly\r\n(noun) haste");
    index.add("sullenly", "(adverb) in a sullen way");
    index.add("simultaneous", "(adjective) at the same time");
    index.add("happening", "(noun) an event");
    index.finish({});
    const std::pair<const char*, PartOfSpeech> cases[] = {
        {"refusing to change your mind", PartOfSpeech::Unknown}, // 6 of 9 openings: too few alike
        {"to refuse", PartOfSpeech::Verb},                       // the words themselves say it
        {"\xC3\xA9nergie pure", PartOfSpeech::Noun},
        {"yielding slowly", PartOfSpeech::Unknown},              // opens no sense
        {"Suddenness; unceremonious haste", PartOfSpeech::Noun}, // a word of the database, and a noun
        {"sullenly obstinate", PartOfSpeech::Unknown},           // an adverb says how the next word is
        // Single words given as well say it, where they agree; one in "-ing" is passed over.
        {"happening at once; simultaneous", PartOfSpeech::Adjective},
        {"happening at once", PartOfSpeech::Noun},
        {"yielding slowly; simultaneous; suddenness", PartOfSpeech::Unknown},
        {"yielding slowly; happening", PartOfSpeech::Unknown},
    };
    for (const auto& [text, part] : cases) {
        EXPECT_EQ(index.partOf(text), part) << text;
    }
    const std::pair<const char*, const char*> more[] = {
        {"obstinate", "1. (adjective) refusing to listen\r\n2. (adjective) refusing advice"},
        {"mulish", "(adjective) refusing to move\r\n(adjective) refusing"},
        {"dogged", "(adjective) refusing to give up"}};
    for (const auto& [word, meaning] : more) {
        index.add(word, meaning);
    }
    EXPECT_EQ(index.partOf("refusing to change your mind"), PartOfSpeech::Adjective) << "11 of 14 openings";
    // An index for one description counts what its own first word opens, as the whole index does.
    DescriptionIndex one;
    one.keepOnlyTermsOf("refusing to change your mind");
    one.add("stubborn", adjectives);
    one.add("refusal", "1. (noun) refusing to accept\r\n2. (noun) the act of saying no");
    one.add("deny", "(verb) refusing to admit\r\n(verb) refusing to give");
    for (const auto& [word, meaning] : more) {
        one.add(word, meaning);
    }
    one.finish({});
    EXPECT_EQ(one.partOf("refusing to change your mind"), PartOfSpeech::Adjective);
}

TEST(Describe, TheFindBoxTakesTextForADescriptionOnlyWhereItIsNoEntryOrPhrase) {
    const struct {
        const char* typed;
        std::vector<Offer> offered;
        bool description;
    } cases[] = {
        {"fear of heights", {{"fear", ""}}, true},
        {"ice cream", {{"ice cream", ""}}, false},
        {"Ice-Cream", {{"ice cream", ""}}, false},
        {"looked up", {{"look up", "looked up"}}, false},
        {"kick the bucket", {{"kick the bucket", ""}}, false},
        {"heights", {{"height", "heights"}}, false}, // one word
        {"   ", {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readsAsDescription(c.typed, c.offered), c.description) << c.typed;
    }
}
