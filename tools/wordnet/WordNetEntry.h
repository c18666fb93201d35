#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// How one sense of a dictionary entry is written from WordNet's data: its gloss, its synonyms, opposites and what it
// is a kind of.
namespace wordnet {

// A pointer of a synset to another: its symbol ("!" an opposite, "@" or "@i" what it is a kind or an instance of),
// the other synset, and for a pointer between two words, which word of each (numbered from 1; 0 for the synset).
struct Pointer {
    std::string symbol;
    unsigned long offset = 0;
    char part = 'n'; // n, v, a, s (an adjective satellite) or r
    unsigned sourceWord = 0;
    unsigned targetWord = 0;
};

// One line of a data file: its lexicographer file, its words (with their case, underscores for spaces), pointers and
// gloss.
struct Synset {
    int file = 0;
    std::vector<std::string> words;
    std::vector<Pointer> pointers;
    std::string gloss;
};

Synset parseSynset(std::string_view line);
// Whether a noun synset is a kind of person ("astronomer"), not one person ("Galileo", an instance of astronomer).
bool namesAKindOfPerson(const Synset& synset);

// A lemma's text in lower case (ASCII, as WordNet's index keeps it), and with spaces for WordNet's underscores.
std::string lower(std::string s);
std::string spaced(std::string s);

// The synset at an offset of the data file of a part of speech.
using SynsetAt = std::function<Synset(char part, unsigned long offset)>;

// The line of one sense of lemma (lower case, spaces) in an entry stored as entryWord: where the sense belongs to a
// differently capitalised form, that form first ("Turkey: "); the gloss with WordNet's `quoting' shown
// with quotation marks; then "Synonyms:", "Opposite:" and "Kind of:" with at most three words each, each part ending
// with a full stop.
std::string senseLine(const Synset& synset, const std::string& lemma, const std::string& entryWord,
                      const SynsetAt& synsetAt);

// The words made from the lemma (lower case, spaces) in this sense, or that it is made from, in other synsets
// (WordNet's derivationally related forms: "coward" and "cowardly"), lower case with spaces, each once.
std::vector<std::string> derivedWords(const Synset& synset, const std::string& lemma, const SynsetAt& synsetAt);

// WordNet's `word' quoting with quotation marks.
std::string quoted(const std::string& gloss);

// The order of the four parts of speech (noun, verb, adjective, adverb) in an entry: the most used first (uses counted
// in WordNet's tagged texts), ties in that order.
std::array<std::size_t, 4> partOrder(const std::array<long, 4>& uses);

} // namespace wordnet
