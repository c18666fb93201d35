#include "tools/wordnet/BaseForms.h"

#include "tools/wordnet/WordNetEntry.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace wordnet {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

namespace {

// WordNet's rules for detaching a regular ending, per part of speech, as its own tools apply them: a form that ends
// in the first text may come from a word that ends in the second instead.
struct Detachment {
    const char* ending;
    const char* base;
};
const std::map<std::string, std::vector<Detachment>>& detachments() {
    static const std::map<std::string, std::vector<Detachment>> rules{
        {"noun",
         {{"s", ""},
          {"ses", "s"},
          {"xes", "x"},
          {"zes", "z"},
          {"ches", "ch"},
          {"shes", "sh"},
          {"men", "man"},
          {"ies", "y"}}},
        {"verb",
         {{"s", ""}, {"ies", "y"}, {"es", "e"}, {"es", ""}, {"ed", "e"}, {"ed", ""}, {"ing", "e"}, {"ing", ""}}},
        {"adj", {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}}},
    };
    return rules;
}

// Whether English spelling makes a form this way from this word: -es, not -s, after a hissing sound ("boxes"), and
// after an "o" ("goes") as well as -s; an "e" taken off, or an adjective's -er and -est, only from a word of three
// letters or more (never "bing" or "bed" from "be", or "lest" from "l").
bool spelledThisWay(std::string_view lemma, const Detachment& rule) {
    const std::string_view ending = rule.ending;
    const std::string_view base = rule.base;
    const bool hissing = lemma.ends_with('s') || lemma.ends_with('x') || lemma.ends_with('z') ||
                         lemma.ends_with("ch") || lemma.ends_with("sh");
    if (ending == "s" && base.empty()) {
        return !hissing;
    }
    if (ending == "es" && base.empty()) {
        return hissing || lemma.ends_with('o');
    }
    if (base == "e" || ending == "er" || ending == "est") {
        return lemma.size() >= 3;
    }
    return true;
}

// Words that are a class of their own, never an inflected form of another however their letters fall ("his" is no
// plural of "hi", "its" none of "IT").
bool isFunctionWord(std::string_view form) {
    static const std::unordered_set<std::string_view> words{"as",   "has",  "his",   "hers",   "its",    "is",
                                                            "lest", "less", "ours",  "theirs", "this",   "thus",
                                                            "us",   "was",  "yours", "yes",    "whereas"};
    return words.contains(form);
}

} // namespace

ConfirmedForms readConfirmedForms(const std::vector<std::filesystem::path>& lists) {
    ConfirmedForms confirmed;
    for (const std::filesystem::path& list : lists) {
        std::istringstream words(readFile(list));
        std::string word;
        while (std::getline(words, word)) {
            confirmed.insert(lower(word));
        }
    }
    return confirmed;
}

void addBaseForms(const std::filesystem::path& dir, const std::string& part,
                  const std::map<std::string, std::string>& lemmas, const ConfirmedForms& confirmed,
                  std::vector<BaseForm>& forms) {
    std::istringstream exceptions(readFile(dir / (part + ".exc")));
    std::string line;
    while (std::getline(exceptions, line)) {
        std::istringstream fields(line);
        std::string form;
        std::string base;
        fields >> form;
        while (fields >> base) {
            if (const auto it = lemmas.find(spaced(base)); it != lemmas.end() && spaced(form) != it->first) {
                forms.emplace_back(spaced(form), it->second);
            }
        }
    }
    const auto rules = detachments().find(part);
    if (rules == detachments().end()) {
        return;
    }
    for (const auto& [lemma, word] : lemmas) {
        // Phrases, single letters, and names and abbreviations (spelt with capitals) have no forms by rule.
        if (lemma.find(' ') != std::string::npos || lemma.size() < 2 || word != lemma) {
            continue;
        }
        for (const Detachment& rule : rules->second) {
            const std::string base = rule.base;
            if (lemma.size() > base.size() && lemma.ends_with(base) && spelledThisWay(lemma, rule)) {
                std::string form = lemma.substr(0, lemma.size() - base.size()) + rule.ending;
                if ((confirmed.empty() || confirmed.contains(form)) && !isFunctionWord(form)) {
                    forms.emplace_back(std::move(form), word);
                }
            }
        }
    }
}

} // namespace wordnet
