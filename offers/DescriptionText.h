#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a description's text is read for finding words from their meaning: its words, its terms, what it says is not
// so and the part of speech its first words say. No display is needed (letters outside ASCII are told and folded with
// Qt's Unicode tables).
namespace offers {

// The words of a text in lower case: letters, digits and marks, those outside ASCII folded as the offers fold them;
// punctuation, typographic quotes and dashes included, ends a word. After an apostrophe "s" is dropped ("one's" ->
// "one"), "n't" is "not" ("can't" -> "can", "not"), and other letters join the word ("o'clock" -> "oclock").
std::vector<std::string> lowerWords(std::string_view text);
// The first of those words within a text's start ("(botany) ..." opens with "botany"); empty where there is none.
std::string firstWord(std::string_view text);
// Letters and digits only, in lower case: "Ice-cream" and "ice cream" alike.
std::string squeezed(std::string_view text);

// A text's terms: words in lower case, stop words left out, each cut to its stem ("heights" -> "height").
std::vector<std::string> descriptionTerms(std::string_view text);
std::string stemOf(std::string word);
// A stem in British spelling made the American one, so that either finds the other: "vapour" -> "vapor",
// "criticis" (of "criticised") -> "criticiz", "centre" -> "center", "anaemia" -> "anemia".
void americanSpelling(std::string& stem);

// What a description says something is not or has not: the word after "not", "never", "no", "without" or "lacking",
// past the small words between ("not to be appeased" -> appeased), within the description's start. Lacking ("no
// courage", "without a home") is said by a word in -less; not ("not grateful") by one in un-, in-, dis-, non-.
struct Negated {
    std::string word;
    bool lacking;
};
std::vector<Negated> negatedWords(std::string_view description);

// The part of speech a description reads as from its first words: "to soften" a verb, "a person who" a noun;
// nothing where it does not say.
enum class PartOfSpeech : std::uint8_t { Unknown, Noun, Verb, Adjective, Adverb };
PartOfSpeech partOfSpeechOf(std::string_view description);

// Whether a description asks for a person: "a person who ...", "someone with ...", "tradesman who ...", "one whose
// ..."; not "one of ...", "a tree whose ...", "a person's ...", nor "one who, or that which, ..." which takes things
// too.
bool asksForAPerson(std::string_view description);

// What a description asks for once the words that ask are left out: "a word for fear of heights" asks for "fear of
// heights", "what do you call a person who ..." for "a person who ...", "an adjective meaning ..." for an adjective,
// "the opposite of happy" for "not happy".
// The part of speech it asks for where those words say it ("describes ...", "adjective"), else Unknown. The text is
// the rest of the description as it stands, empty where no such words open it or nothing follows them.
struct Asked {
    std::string text;
    PartOfSpeech part = PartOfSpeech::Unknown;
};
Asked whatIsAsked(std::string_view description);

} // namespace offers
