#include "tools/wordnet/WordNetEntry.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <sstream>

namespace wordnet {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string spaced(std::string s) {
    std::replace(s.begin(), s.end(), '_', ' ');
    return s;
}

namespace {

constexpr std::size_t MostRelated = 3;

// ", "-separated, ending with a full stop: " Synonyms: let up, slack off."
std::string listed(const char* label, const std::vector<std::string>& words) {
    if (words.empty()) {
        return {};
    }
    std::string text = std::string(" ") + label + " ";
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i > 0 ? ", " : "") + words[i];
    }
    return text + ".";
}

void addOnce(std::vector<std::string>& words, const std::string& word) {
    if (words.size() < MostRelated && std::find(words.begin(), words.end(), word) == words.end()) {
        words.push_back(word);
    }
}

// The number of the lemma's word in the synset (from 1), 0 when it is not there.
unsigned wordNumber(const Synset& synset, const std::string& lemma) {
    for (std::size_t i = 0; i < synset.words.size(); ++i) {
        if (lower(spaced(synset.words[i])) == lemma) {
            return static_cast<unsigned>(i + 1);
        }
    }
    return 0;
}

} // namespace

Synset parseSynset(std::string_view line) {
    Synset synset;
    const std::size_t bar = line.find(" | ");
    std::istringstream fields(std::string(line.substr(0, bar)));
    std::string token;
    std::string count;
    fields >> token >> synset.file >> token >> count; // offset, lexicographer file, type, word count (hex)
    const unsigned long words = std::stoul(count, nullptr, 16);
    for (unsigned long i = 0; i < words; ++i) {
        std::string word;
        fields >> word >> token; // word, lexical id
        // Adjective markers such as "(a)" or "(ip)" are not part of the word.
        if (const std::size_t paren = word.find('('); paren != std::string::npos) {
            word.erase(paren);
        }
        synset.words.push_back(word);
    }
    unsigned long pointers = 0;
    fields >> pointers;
    for (unsigned long i = 0; i < pointers && fields; ++i) {
        Pointer pointer;
        std::string offset;
        std::string part;
        std::string words4;
        fields >> pointer.symbol >> offset >> part >> words4;
        pointer.offset = std::stoul(offset);
        pointer.part = part.empty() ? 'n' : part[0];
        const unsigned long both = words4.empty() ? 0 : std::stoul(words4, nullptr, 16);
        pointer.sourceWord = static_cast<unsigned>(both >> 8);
        pointer.targetWord = static_cast<unsigned>(both & 0xFF);
        synset.pointers.push_back(pointer);
    }
    if (bar != std::string_view::npos) {
        synset.gloss = std::string(line.substr(bar + 3));
        while (!synset.gloss.empty() && std::isspace(static_cast<unsigned char>(synset.gloss.back())) != 0) {
            synset.gloss.pop_back();
        }
    }
    return synset;
}

bool namesAKindOfPerson(const Synset& synset) {
    constexpr int PersonFile = 18; // WordNet's lexicographer file of people, "noun.person"
    return synset.file == PersonFile && std::none_of(synset.pointers.begin(), synset.pointers.end(),
                                                     [](const Pointer& pointer) { return pointer.symbol == "@i"; });
}

std::string quoted(const std::string& gloss) {
    std::string out;
    for (std::size_t i = 0; i < gloss.size(); ++i) {
        if (gloss[i] == '`') {
            // The closing mark: an apostrophe not followed by a letter ("o'clock" has one inside).
            std::size_t close = i + 1;
            while (close < gloss.size() &&
                   (gloss[close] != '\'' ||
                    (close + 1 < gloss.size() && std::isalpha(static_cast<unsigned char>(gloss[close + 1])) != 0))) {
                ++close;
            }
            if (close < gloss.size()) {
                out += "\u201C" + gloss.substr(i + 1, close - i - 1) + "\u201D";
                i = close;
                continue;
            }
        }
        out += gloss[i];
    }
    return out;
}

std::string senseLine(const Synset& synset, const std::string& lemma, const std::string& entryWord,
                      const SynsetAt& synsetAt) {
    const unsigned own = wordNumber(synset, lemma);
    std::string line;
    if (own > 0 && spaced(synset.words[own - 1]) != entryWord) {
        line += spaced(synset.words[own - 1]) + ": ";
    }
    std::string gloss = quoted(synset.gloss);
    if (!gloss.empty() && std::string_view(".!?").find(gloss.back()) == std::string_view::npos) {
        gloss += '.'; // a clear stop between the gloss's examples and what follows
    }
    line += gloss;
    std::vector<std::string> synonyms;
    for (const std::string& w : synset.words) {
        if (lower(spaced(w)) != lemma && std::find(synonyms.begin(), synonyms.end(), spaced(w)) == synonyms.end()) {
            synonyms.push_back(spaced(w));
        }
    }
    std::vector<std::string> opposites;
    std::vector<std::string> kinds;
    for (const Pointer& pointer : synset.pointers) {
        const bool opposite = pointer.symbol == "!" && (pointer.sourceWord == 0 || pointer.sourceWord == own);
        const bool kind = pointer.symbol == "@" || pointer.symbol == "@i";
        if (!opposite && !kind) {
            continue;
        }
        const Synset other = synsetAt(pointer.part, pointer.offset);
        const std::size_t at = pointer.targetWord > 0 ? pointer.targetWord - 1 : 0;
        if (at < other.words.size()) {
            addOnce(opposite ? opposites : kinds, spaced(other.words[at]));
        }
    }
    if (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    line += listed("Synonyms:", synonyms) + listed("Opposite:", opposites) + listed("Kind of:", kinds);
    if (!line.empty() && line.front() == ' ') {
        line.erase(0, 1); // a sense with no gloss opens with its synonyms
    }
    return line;
}

std::vector<std::string> derivedWords(const Synset& synset, const std::string& lemma, const SynsetAt& synsetAt) {
    std::vector<std::string> words;
    for (const Pointer& pointer : synset.pointers) {
        if (pointer.symbol != "+" || pointer.sourceWord == 0 || pointer.sourceWord > synset.words.size() ||
            lower(spaced(synset.words[pointer.sourceWord - 1])) != lemma) {
            continue;
        }
        const Synset other = synsetAt(pointer.part, pointer.offset);
        if (pointer.targetWord > 0 && pointer.targetWord <= other.words.size()) {
            std::string word = lower(spaced(other.words[pointer.targetWord - 1]));
            if (word != lemma && std::find(words.begin(), words.end(), word) == words.end()) {
                words.push_back(std::move(word));
            }
        }
    }
    return words;
}

std::array<std::size_t, 4> partOrder(const std::array<long, 4>& uses) {
    std::array<std::size_t, 4> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&uses](std::size_t a, std::size_t b) { return uses[a] > uses[b]; });
    return order;
}

} // namespace wordnet
