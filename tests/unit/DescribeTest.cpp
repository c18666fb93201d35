// Words from their meaning: the ranking over a database's own meanings and the words made one from the other, and
// hostile text.
#include "offers/Describe.h"
#include "tests/support/ReverseCases.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace offers;
using testsupport::wordsOf;

namespace {
// An index of these words and meanings, finished.
using WordsAndMeanings = std::initializer_list<std::pair<const char*, const char*>>;
DescriptionIndex indexOf(WordsAndMeanings words, const DescriptionIndex::WordUses& uses = {}) {
    DescriptionIndex index;
    for (const auto& [word, meaning] : words) {
        index.add(word, meaning);
    }
    index.finish(uses);
    return index;
}
void addFruits(DescriptionIndex& index) {
    index.add("banana", "1. (noun) elongated crescent-shaped yellow fruit");
    index.add("cherry", "1. (noun) a red fruit with a single hard stone\r\n2. (adjective) of a bright red colour");
    index.add("lemon", "a yellow sour fruit");
    index.add("soften", "(verb) make less hard or severe");
    index.add("empty", "");
    index.add("carpenter", "(noun) a woodworker who makes or repairs wooden objects");
    index.add("carpentry", "(noun) the craft of a carpenter: making things out of wood");
    index.add("wood", "(noun) the hard fibrous substance under the bark of trees");
    index.add("lumber", "(noun) the wood of trees prepared for building");
    index.add("old", "1. (adjective) having lived for many years. Opposite: young.");
    index.add("young", "(adjective) being of an early age");
    index.add("ungrateful", "(adjective) showing no thanks");
    index.add("homeless", "(adjective) having nowhere to live");
    index.add("still", "(adverb) even now. Opposite: no longer.");
    index.finish({{"cherry", 5}});
}
void addWoodworkers(DescriptionIndex& index) {
    index.add("carpenter", "(noun) a woodworker who makes wooden objects");
    index.add("joiner", "(noun) a woodworker; a wood worker");
    index.add("cabinetmaker", "(noun) a wood worker; a cabinet");
    index.add("wood", "(noun) the hard substance of trees");
    index.add("worker", "(noun) one who works");
    index.add("carpet", "(noun) a floor covering");
    index.add("pet", "(noun) an animal kept at home");
    index.add("rug", "(noun) a small carpet");
    index.finish({});
}
// Words made one from the other, as a database's Derivations table has them; a name that is no word, and a word with
// itself, passed over.
void addCowards(DescriptionIndex& index, bool related) {
    index.add("coward", "(noun) one who shows fear");
    index.add("cowardly", "(adjective) lacking courage");
    index.add("panic", "(noun) sudden fear");
    index.add("panicky", "(adjective) in sudden fear");
    index.add("acrophobia", "(noun) fear of heights");
    index.finish({});
    for (const auto& [word, other] :
         {std::pair{"coward", "cowardly"}, std::pair{"panicky", "panic"}, std::pair{"panic", "panicky"},
          std::pair{"panic", "dread"}, std::pair{"coward", "coward"}}) {
        if (related) {
            index.relate(word, other);
        }
    }
    index.finishRelating();
}
// More instruments than the first words found, one whose sense says only what the first of them is, and one whose
// sense says only what a word of the description says.
void addInstruments(DescriptionIndex& index) {
    index.add("temperature", "(noun) how hot or cold something is");
    for (char c = 'a'; c <= 'y'; ++c) {
        index.add(std::string("lute") + c, "(noun) a musical instrument");
    }
    index.add("thermometer", "(noun) a device for reading temperature");
    index.add("cold", "(noun) a chill");
    index.add("chill", "(noun) a feeling");
    index.add("shiver", "(noun) shaking from a chill");
    index.finish({});
}
} // namespace

TEST(Describe, AnyDatabaseIsRankedFromItsOwnMeanings) {
    DescriptionIndex index;
    addFruits(index);
    const auto words = [&index](const char* text, std::size_t count) { return wordsOf(index.wordsFor(text, count)); };
    EXPECT_EQ(words("a long yellow fruit", 1), std::vector<std::string>{"banana"});
    EXPECT_EQ(index.wordsFor("a long yellow fruit", 1).at(0).sense, "elongated crescent-shaped yellow fruit");
    EXPECT_EQ(words("to make something less severe", 2), std::vector<std::string>{"soften"});
    EXPECT_EQ(words("fruit", 3).front(), "cherry") << "the more common word where the senses tie";
    EXPECT_TRUE(words("cherry", 5).empty() || words("cherry", 5).front() != "cherry") << "not the word itself";
    // Text with nothing to go on: a short list or none, never a crash.
    for (const std::string& hostile : {std::string("the of a"), std::string("!?.,;"), std::string("12345"),
                                       std::string("\xF0\x9F\x8D\x8C \xF0\x9F\x8D\x92"),
                                       std::string("\xD7\xA4\xD7\xA8\xD7\x99 \xD7\xA6\xD7\x94\xD7\x95\xD7\x91"),
                                       std::string(1 << 20, 'y'), std::string(1 << 20, ' ')}) {
        EXPECT_LE(index.wordsFor(hostile, 10).size(), 10U);
    }
    EXPECT_TRUE(index.wordsFor("yellow fruit", 0).empty());
    // A word is found through the senses of other words that name it, though its own shares no word with the
    // description; it is shown with its own first sense.
    const auto woodworkers = index.wordsFor("a worker who builds things out of wood", 10);
    const auto carpenter =
        std::find_if(woodworkers.begin(), woodworkers.end(), [](const Described& d) { return d.word == "carpenter"; });
    ASSERT_NE(carpenter, woodworkers.end());
    EXPECT_GT(carpenter->score, 0);
    EXPECT_EQ(carpenter->sense, "a woodworker who makes or repairs wooden objects");
    EXPECT_EQ(words("a worker who builds things out of wood", 10).front(), "lumber") << "its own sense says more";
    // What a description says is not so: the word whose opposite it names, the word that says the negation.
    EXPECT_EQ(words("not young", 1), std::vector<std::string>{"old"});
    EXPECT_EQ(words("not grateful", 1), std::vector<std::string>{"ungrateful"});
    EXPECT_EQ(words("without a home", 1), std::vector<std::string>{"homeless"});
    EXPECT_TRUE(words("not longer", 10).empty()) << "\"no longer\" is a phrase, not the opposite of a word";
}

TEST(Describe, HowCommonAWordIsCountsInWhateverOrderItsUseIsListed) {
    // Senses that tie: the commonest word first, whether the use is listed in the order of the words (as the bundled
    // dictionary lists it) or in another, and a name listed twice as listed last.
    const WordsAndMeanings fruits = {{"plum", "a stone fruit"}, {"sloe", "a stone fruit"}, {"gage", "a stone fruit"}};
    using Uses = DescriptionIndex::WordUses;
    for (const Uses& uses : {Uses{{"plum", 1}, {"sloe", 50}, {"gage", 5}}, Uses{{"gage", 5}, {"sloe", 50}, {"plum", 1}},
                             Uses{{"sloe", 1}, {"plum", 1}, {"gage", 5}, {"sloe", 50}}}) {
        EXPECT_EQ(wordsOf(indexOf(fruits, uses).wordsFor("stone fruit", 3)),
                  (std::vector<std::string>{"sloe", "gage", "plum"}));
    }
}

TEST(Describe, AWordScoresByItsBestSenseWhateverTheOrderOfItsParts) {
    const std::vector<std::string> senses{"(noun) red fruit with a stone", "(adjective) a red colour",
                                          "(verb) the stone of a fruit", "(adverb) a fruit tree"};
    std::vector<Described> found;
    for (const bool reversed : {false, true}) {
        std::string meaning;
        for (std::size_t i = 0; i < senses.size(); ++i) {
            meaning += senses[reversed ? senses.size() - 1 - i : i] + "\r\n";
        }
        DescriptionIndex index;
        index.add("cherry", meaning);
        index.finish({});
        found.push_back(index.wordsFor("red stone fruit", 1).at(0));
    }
    EXPECT_EQ(found[0].sense, "red fruit with a stone");
    EXPECT_EQ(found[1].sense, found[0].sense);
    EXPECT_NEAR(found[1].score, found[0].score, 1e-9);
}

TEST(Describe, ALaterSenseOfAPartOfSpeechCountsLess) {
    const DescriptionIndex index = indexOf({
        {"plum", "(noun) a purple colour\r\n(noun) a sweet stone fruit"},
        {"sloe", "(noun) a sour stone fruit\r\n(noun) a blue colour"},
        {"gage", "(verb) to measure\r\n(noun) a green stone fruit"},
    });
    const auto found = index.wordsFor("stone fruit", 3);
    ASSERT_EQ(wordsOf(found), (std::vector<std::string>{"gage", "sloe", "plum"}));
    EXPECT_DOUBLE_EQ(found[1].score, found[0].score) << "each the first of its nouns";
    EXPECT_LT(found[2].score, found[1].score);
}

// A word that names a person counts for more by the sense that is the person, not by another it has.
TEST(Describe, AWordThatNamesAPersonCountsForMoreByThatSenseOnly) {
    DescriptionIndex index;
    index.add("tramp", "(noun) a vagrant\r\n(noun) a long walk in the hills");
    index.add("trek", "(noun) a long walk in the hills");
    index.finish({});
    index.namePerson("tramp");
    EXPECT_EQ(wordsOf(index.wordsFor("a person who takes a long walk in the hills", 3)),
              (std::vector<std::string>{"trek", "tramp"}));
}

// A description seldom uses a word of its answer's own family: "to make beautiful" is more likely embellish than
// beautify. A word that only begins as one of the description's words does is no kin of it.
TEST(Describe, AWordOfTheFamilyOfTheDescriptionsOwnWordsCountsLess) {
    const DescriptionIndex index = indexOf({
        {"beautify", "(verb) make beautiful"},
        {"embellish", "(verb) make beautiful or more attractive"},
        {"interval", "(noun) a time between two events"},
        {"gap", "(noun) a time between events, a pause"},
    });
    EXPECT_EQ(wordsOf(index.wordsFor("to make beautiful", 2)), (std::vector<std::string>{"embellish", "beautify"}));
    const auto interval = [&index](const char* description) {
        const auto found = index.wordsFor(description, 1);
        return found.empty() || found[0].word != "interval" ? 0.0 : found[0].score;
    };
    EXPECT_GT(interval("time between two events"), 0);
    EXPECT_DOUBLE_EQ(interval("internal time between two events"), interval("time between two events"));
}

TEST(Describe, WordsFoundThroughOtherSensesAreWeighedByTheirPartOfSpeech) {
    const DescriptionIndex index = indexOf({
        {"ovation", "(noun) approval shown by clapping, with a bravo or a laud"},
        {"bravo", "(noun) a shout of praise"},
        {"laud", "(noun) glory given\r\n(verb) praise loudly"},
    });
    const auto found = index.wordsFor("to show approval by clapping", 3); // read as a verb
    ASSERT_EQ(wordsOf(found), (std::vector<std::string>{"ovation", "laud", "bravo"}));
    EXPECT_EQ(found[1].sense, "praise loudly") << "shown with its sense of the part asked for";
}

TEST(Describe, ATermNamesTheShortestWordItIsTheTermOf) {
    const DescriptionIndex index = indexOf({
        {"species", "(noun) a group of related living things"},
        {"taxonomy", "(noun) the naming of each species of plant"},
        {"dark", "(adjective) with little light"},
        {"darkness", "(noun) absence of light"},
        {"night", "(noun) the dark time of the day"},
    });
    EXPECT_EQ(wordsOf(index.wordsFor("the naming of plants", 10)), (std::vector<std::string>{"taxonomy", "species"}))
        << "a word whose term is not the word itself";
    EXPECT_EQ(wordsOf(index.wordsFor("time of day", 10)), (std::vector<std::string>{"night", "dark"}))
        << "dark, not darkness";
}

TEST(Describe, ACompoundOfTwoWordsIsSearchedAsEachOfThem) {
    DescriptionIndex index;
    addWoodworkers(index);
    const auto woodworkers = index.wordsFor("a worker in wood", 3);
    ASSERT_EQ(wordsOf(woodworkers), (std::vector<std::string>{"cabinetmaker", "joiner", "carpenter"}));
    EXPECT_DOUBLE_EQ(woodworkers[1].score, woodworkers[0].score) << "a compound and its parts count once";
    EXPECT_TRUE(index.wordsFor("a pet", 10).empty()) << "a part of three letters is no word of the compound";
}

TEST(Describe, BritishAndAmericanSpellingsAreOneTerm) {
    const std::pair<const char*, const char*> same[] = {
        {"colours, colourless, favourite", "colors, colorless, favorite"},
        {"criticise, criticised, criticising, analyse, analysed",
         "criticize, criticized, criticizing, analyze, analyzed"},
        {"centre, theatre, fibre, kilometre", "center, theater, fiber, kilometer"},
        {"anaemia, orthopaedic, vapour", "anemia, orthopedic, vapor"},
        {"organisation, civilisations", "organization, civilizations"},
        {"precise, precisely", "precize, precizely"}, // a word and its forms stay one term
    };
    for (const auto& [british, american] : same) {
        EXPECT_EQ(descriptionTerms(british), descriptionTerms(american)) << british;
    }
    // Words that only look British, and compounds, whose last word would no longer be found.
    const std::pair<const char*, std::vector<std::string>> kept[] = {
        {"hour four tour cornflour", {"hour", "four", "tour", "cornflour"}},
        {"downpour sunrise otherwise", {"downpour", "sunrise", "otherwise"}},
        {"raise noise acre aerial", {"raise", "noise", "acre", "aerial"}},
    };
    for (const auto& [text, terms] : kept) {
        EXPECT_EQ(descriptionTerms(text), terms) << text;
    }
    const DescriptionIndex index = indexOf({
        {"evaporate", "(verb) change into a vapor"},
        {"melt", "(verb) change from a solid into a liquid"},
    });
    EXPECT_EQ(wordsOf(index.wordsFor("to turn into vapour", 10)), std::vector<std::string>{"evaporate"});
}

TEST(Describe, ADescriptionThatAsksForAWordIsRankedAsWhatItAsks) {
    const DescriptionIndex index = indexOf({
        {"gullible", "(adjective) easily tricked or fooled"},
        {"dupe", "(noun) a person who is easily fooled"},
        {"word", "(noun) a unit of language that describes a thing"},
    });
    EXPECT_EQ(wordsOf(index.wordsFor("a word that describes someone who is easily fooled", 10)),
              (std::vector<std::string>{"gullible", "dupe"}));
    EXPECT_EQ(wordsOf(index.wordsFor("a word for someone who is easily fooled", 10)),
              (std::vector<std::string>{"dupe", "gullible"}));
}

TEST(Describe, AWordIsFoundThroughTheWordsMadeFromIt) {
    DescriptionIndex plain;
    addCowards(plain, false);
    DescriptionIndex related;
    addCowards(related, true);
    const auto found = related.wordsFor("a man lacking courage", 10);
    ASSERT_EQ(wordsOf(found), (std::vector<std::string>{"coward", "cowardly"})) << "what cowardly says, of a man";
    EXPECT_EQ(found.front().sense, "one who shows fear");
    // A word whose own sense says as much is not counted twice for a relative that says the same: the words found
    // without relatives score as they did, ahead of those found through them.
    const auto before = plain.wordsFor("fear of heights", 10);
    const auto after = related.wordsFor("fear of heights", 10);
    ASSERT_GT(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].word, before[i].word);
        EXPECT_DOUBLE_EQ(after[i].score, before[i].score);
    }
}

// A sense's gloss, synonyms and kind are searched; their labels and its examples are not. The bundled layout is
// read by its headings, a dash inside a sense being no heading.
TEST(Describe, WhatOfASenseIsSearched) {
    DescriptionIndex index;
    index.add("gadget", "(noun) a small tool. Synonyms: device, contraption. Kind of: object.");
    index.add("dash", "dash /d\u00E6\u0283/ \u00B7 common\r\nVerb: run fast\u2026\r\nVerb \u2014 1 sense\r\n"
                      "1. run fast; \"sprint home\". Kind of: move.\r\nNoun \u2014 2 senses\r\n"
                      "1. a punctuation mark \u2014 a line.\r\n2. a \"bold\" hurry.");
    // " sense" in an overview before the heading that counts them.
    index.add("sort", "sort \u00B7 common\r\nNoun: in a sense, a kind\r\nVerb: arrange\r\nNoun \u2014 1 sense\r\n"
                      "1. a category of things\r\nVerb \u2014 1 sense\r\n1. arrange in order");
    index.finish({});
    EXPECT_EQ(index.wordsFor("a category of things", 1).at(0).sense, "a category of things");
    EXPECT_TRUE(index.wordsFor("common", 1).empty()) << "the head line is no sense";
    EXPECT_EQ(index.wordsFor("a contraption or object", 1).size(), 1U);
    EXPECT_EQ(index.wordsFor("to run fast", 1).at(0).sense, "run fast; \"sprint home\". Kind of: move.");
    EXPECT_EQ(index.wordsFor("a punctuation line", 1).at(0).sense, "a punctuation mark \u2014 a line.");
    for (const char* unsearched : {"kind", "sprint home", "bold hurry"}) {
        EXPECT_TRUE(index.wordsFor(unsearched, 1).empty()) << unsearched;
    }
}

// Past the first words found, the senses that name the first of them find more, and those that name what the
// description's words say; the first keep their places.
TEST(Describe, PastTheFirstWordsFoundTheSensesThatNameThemCount) {
    DescriptionIndex index;
    addInstruments(index);
    const char* asked = "an instrument that tells how hot or cold something is";
    const std::vector<std::string> first = wordsOf(index.wordsFor(asked, FirstKept));
    ASSERT_EQ(first.size(), FirstKept);
    EXPECT_EQ(first.front(), "temperature");
    EXPECT_EQ(std::count(first.begin(), first.end(), "thermometer"), 0);
    const std::vector<std::string> more = wordsOf(index.wordsFor(asked, 30));
    ASSERT_GT(more.size(), FirstKept);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), more.begin()));
    EXPECT_EQ(more[FirstKept], "thermometer") << "above the lutes it outranks by naming temperature";
    EXPECT_EQ(more.at(FirstKept + 1), "shiver") << "and above the lutes left, as cold says chill";
}

TEST(Describe, AnIndexForOneDescriptionAnswersItAsTheWholeIndexDoes) {
    const std::vector<std::pair<void (*)(DescriptionIndex&), std::vector<std::string>>> databases{
        {addFruits,
         {"a long yellow fruit", "red stone fruit", "less hard", "the of a", "kiwi",
          "a worker who builds things out of wood", "carpenter wood", "not young", "not grateful, without a home"}},
        {addWoodworkers, {"a worker in wood", "wood", "woodworker", "a pet"}},
        {[](DescriptionIndex& index) { addCowards(index, true); },
         {"a man lacking courage", "sudden fear", "fear of heights"}},
        {addInstruments, {"an instrument that tells how hot or cold something is"}}};
    for (const auto& [addWords, texts] : databases) {
        DescriptionIndex whole;
        addWords(whole);
        for (const std::string& text : texts) {
            DescriptionIndex one;
            one.keepOnlyTermsOf(text);
            addWords(one);
            const auto expected = whole.wordsFor(text, 30);
            const auto got = one.wordsFor(text, 30);
            ASSERT_EQ(got.size(), expected.size()) << text;
            for (std::size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].word, expected[i].word) << text;
                EXPECT_DOUBLE_EQ(got[i].score, expected[i].score) << text;
            }
        }
    }
}
