#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

// The inflected forms of WordNet's words and the words they come from ("geese", "goose"), for the offers and look-ups.
namespace wordnet {

// A file's whole text; throws with the file's name when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// An inflected form and the word it comes from.
using BaseForm = std::pair<std::string, std::string>;

// The word forms that real English has, in lower case; empty when no list was given (every form made is kept then).
using ConfirmedForms = std::unordered_set<std::string>;

// The forms of lists of words, one a line (SCOWL's, as Debian's wamerican-huge and wbritish-huge install them).
ConfirmedForms readConfirmedForms(const std::vector<std::filesystem::path>& lists);

// The inflected forms of the words of one part of speech ("noun", "verb", "adj", "adv"; lemmas maps each lower-case
// lemma to the word as the dictionary spells it): from WordNet's exception list in dir, then by its rules run
// backwards over every one-word lemma, where real English has the form. A base that is not a word of that part of
// speech is left out.
void addBaseForms(const std::filesystem::path& dir, const std::string& part,
                  const std::map<std::string, std::string>& lemmas, const ConfirmedForms& confirmed,
                  std::vector<BaseForm>& forms);

} // namespace wordnet
