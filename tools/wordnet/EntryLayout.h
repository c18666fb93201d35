#pragma once

#include <string>
#include <vector>

// How a whole entry of the bundled dictionary reads: a head line with the word, how it is said and how common it is,
// a line for each part of speech with its first meaning where there are several, then the senses under a heading for
// each part of speech.
namespace wordnet {

// The senses of an entry in one part of speech, in WordNet's order, each already written as a line.
struct PartSenses {
    const char* part = "noun"; // noun, verb, adjective or adverb
    std::vector<std::string> senses;
    std::string firstGloss; // the first sense's gloss as WordNet has it, for the overview
};

// How common a word is, in a learner's words, from its use count (its uses in WordNet's tagged texts plus one for each
// of its senses): "very common" from 20, "common" from 3, "less common" at 2, "rare" below.
const char* frequencyBand(long useCount);

// The first sense's meaning cut for one overview line: the definition without its examples, at most a few words
// long, ending with "…" where it was cut.
std::string shortDefinition(const std::string& gloss);

// The entry: "run /ɹˈʌn/ · very common", then "Verb: move fast by using one's feet" for each part of speech when
// there are several, then "Verb — 41 senses" and its senses numbered from 1, part by part. Lines end with CR LF.
// The pronunciation is left out when it is empty.
std::string entryText(const std::string& word, const std::string& ipa, long useCount,
                      const std::vector<PartSenses>& parts);

} // namespace wordnet
