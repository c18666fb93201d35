#include "offers/DescriptionText.h"

#include "offers/WordReading.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace offers {

using reading::readWords;

namespace {

// Words that say nothing of what is described, all in lower case.
constexpr auto StopWords = std::to_array<std::string_view>(
    {"a",     "an",     "the",    "of",     "to",    "in",         "on",      "at",        "by",      "for",
     "with",  "from",   "and",    "or",     "but",   "as",         "is",      "are",       "was",     "were",
     "be",    "been",   "being",  "it",     "its",   "this",       "that",    "these",     "those",   "which",
     "who",   "whom",   "whose",  "what",   "when",  "where",      "how",     "why",       "you",     "your",
     "their", "they",   "them",   "he",     "she",   "his",        "her",     "we",        "our",     "i",
     "my",    "me",     "us",     "do",     "does",  "did",        "have",    "has",       "had",     "not",
     "no",    "so",     "than",   "then",   "there", "into",       "out",     "up",        "down",    "over",
     "under", "about",  "very",   "can",    "could", "would",      "should",  "will",      "just",    "some",
     "any",   "all",    "each",   "other",  "such",  "one",        "ones",    "something", "someone", "somebody",
     "thing", "things", "person", "people", "often", "especially", "usually", "etc",       "e.g",     "i.e",
     "also",  "more",   "most",   "make",   "made"});

// Whether a word is a stop word, compared only with the few of its first letter and length: every word of every sense
// passes through here.
bool isStopWord(std::string_view word) {
    static constexpr std::size_t Longest = 16;
    using ByLength = std::array<std::vector<std::string_view>, Longest>;
    static const std::array<ByLength, 26> stops = [] {
        std::array<ByLength, 26> made{};
        for (const std::string_view stop : StopWords) {
            made[static_cast<std::size_t>(stop.front() - 'a')][stop.size()].push_back(stop);
        }
        return made;
    }();
    if (word.empty() || word.size() >= Longest || word.front() < 'a' || word.front() > 'z') {
        return false;
    }
    const std::vector<std::string_view>& alike = stops[static_cast<std::size_t>(word.front() - 'a')][word.size()];
    return std::any_of(alike.begin(), alike.end(), [word](std::string_view stop) {
        for (std::size_t i = 1; i < word.size(); ++i) { // short words, compared in place
            if (word[i] != stop[i]) {
                return false;
            }
        }
        return true;
    });
}

bool ends(const std::string& word, std::string_view suffix) {
    return word.size() > suffix.size() + 2 && word.ends_with(suffix);
}

// Cuts a suffix where the word is long enough to keep a stem: whether it did. Inline, as every term passes here.
[[gnu::always_inline]] inline bool cut(std::string& word, std::string_view suffix) {
    if (!ends(word, suffix)) {
        return false;
    }
    word.erase(word.size() - suffix.size());
    return true;
}

[[gnu::always_inline]] inline void cutLy(std::string& word) {
    if (!cut(word, "edly")) {
        cut(word, "ly");
    }
}

} // namespace

std::vector<std::string> lowerWords(std::string_view text) {
    std::vector<std::string> words;
    readWords(text, [&words](std::string word) {
        words.push_back(std::move(word));
        return true;
    });
    return words;
}

std::string firstWord(std::string_view text) {
    std::string first;
    readWords(text.substr(0, 200), [&first](std::string word) {
        first = std::move(word);
        return false;
    });
    return first;
}

std::string squeezed(std::string_view text) {
    std::string out;
    readWords(text, [&out](const std::string& word) {
        out += word;
        return true;
    });
    return out;
}

std::string stemOf(std::string word) {
    // By the last letter, as every term of every sense passes through here.
    const char last = word.empty() ? '\0' : word.back();
    switch (last) {
    case 's':
        if (word.size() >= 5 && word.ends_with("ies")) {
            word.resize(word.size() - 3);
            word += 'y';
        } else if (!cut(word, "ness") && !cut(word, "es") && !word.ends_with("ss") && !word.ends_with("us")) {
            cut(word, "s"); // not "famous" or "virus", which are one with "famously" and "viruses"
        }
        break;
    case 'g':
        cut(word, "ing");
        break;
    case 'y':
        cutLy(word);
        break;
    case 't':
        cut(word, "ment");
        break;
    case 'd':
        if (!word.ends_with("eed")) {
            cut(word, "ed");
        }
        break;
    default:
        break;
    }
    // "agreed" is agree, and "proceed", "proceeds" and "proceeding" are one: a longer word's "-eed" loses its "d" only
    // ("speed" and "seed" stay whole, not "see"). And the forms of a word in "-ly" are cut as it is: "families" and
    // "supplying" as family and supply.
    const char now = word.empty() ? '\0' : word.back();
    if (now == 'd' && word.size() >= 6 && word.ends_with("eed")) {
        word.pop_back();
    } else if (now == 'y' && last != 'y' && word.ends_with("ly")) {
        cutLy(word);
    }
    return word;
}

std::vector<std::string> descriptionTerms(std::string_view text) {
    std::vector<std::string> terms;
    terms.reserve(text.size() / 8 + 1); // about as many as a dictionary's senses have, at once
    readWords(text, [&terms](std::string word) {
        if (!isStopWord(word)) {
            terms.push_back(stemOf(std::move(word)));
            americanSpelling(terms.back());
        }
        return true;
    });
    return terms;
}

std::vector<Negated> negatedWords(std::string_view description) {
    static const std::unordered_set<std::string_view> between{"a",  "an",  "the", "to",    "be",   "being",
                                                              "of", "any", "so",  "very",  "yet",  "well",
                                                              "at", "all", "as",  "quite", "much", "having"};
    const std::vector<std::string> words = lowerWords(description.substr(0, 1000));
    std::vector<Negated> negated;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        const bool lacking = w == "no" || w == "without" || w == "lacking";
        if (!lacking && w != "not" && w != "never") {
            continue;
        }
        std::size_t next = i + 1;
        while (next < words.size() && next <= i + 3 && between.contains(words[next])) {
            ++next;
        }
        if (next < words.size() && !isStopWord(words[next])) {
            negated.push_back({words[next], lacking});
        }
    }
    return negated;
}

PartOfSpeech partOfSpeechOf(std::string_view description) {
    const std::vector<std::string> words = lowerWords(description.substr(0, 200));
    if (words.empty()) {
        return PartOfSpeech::Unknown;
    }
    const std::string& first = words.front();
    // "what water does when ..." says what something does.
    const auto within = words.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(words.size(), 5));
    if (first == "to" || (first == "what" && std::find_if(words.begin(), within, [](const std::string& w) {
                                                 return w == "does" || w == "do";
                                             }) != within)) {
        return PartOfSpeech::Verb;
    }
    static const std::unordered_set<std::string_view> nounStarts{
        "a",   "an",    "the", "one",   "someone", "person",  "something", "people",
        "any", "state", "act", "place", "kind",    "quality", "somebody"};
    if (nounStarts.contains(first) || (first == "that" && words.size() > 1 && words[1] == "which")) {
        return PartOfSpeech::Noun;
    }
    // "describes a species that ...", as people describe a quality.
    static const std::unordered_set<std::string_view> adjectiveStarts{
        "having", "being",   "full",    "not",  "relating",   "characterized", "showing",   "describes",
        "able",   "capable", "causing", "like", "resembling", "marked",        "describing"};
    if (adjectiveStarts.contains(first)) {
        return PartOfSpeech::Adjective;
    }
    if (first.ends_with("ly") && words.size() > 1 && (words[1] == "in" || words[1] == "with")) {
        return PartOfSpeech::Adverb;
    }
    return PartOfSpeech::Unknown;
}

bool asksForAPerson(std::string_view description) {
    const std::vector<std::string> words = lowerWords(description.substr(0, 200));
    const std::size_t head = !words.empty() && (words[0] == "a" || words[0] == "an" || words[0] == "the") ? 1 : 0;
    if (words.size() < head + 2) {
        return false;
    }
    static const std::unordered_set<std::string_view> people{
        "person", "someone", "somebody", "anyone", "anybody", "man", "woman", "people", "child", "boy", "girl"};
    static const std::unordered_set<std::string_view> after{"that", "which", "with", "without", "in", "of",
                                                            "at",   "on",    "from", "for",     "by"};
    const std::string& noun = words[head];
    const std::string& next = words[head + 1];
    // "who" follows only people ("tradesman who"); "whose" things as well ("a tree whose leaves ...").
    const bool person =
        next == "who" || next == "whom" ||
        (next == "whose" ? noun == "one" || people.contains(noun) : people.contains(noun) && after.contains(next));
    if (!person) {
        return false;
    }
    // "one who, or that which, imparts motion" takes things as well.
    const auto end = words.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(words.size(), head + 6));
    return std::adjacent_find(words.begin() + static_cast<std::ptrdiff_t>(head), end, [](const auto& a, const auto& b) {
               return a == "or" && (b == "that" || b == "something" || b == "what");
           }) == end;
}

namespace {

// Whether these words come first, and more after them.
bool opensWith(const std::vector<std::string>& words, std::initializer_list<std::string_view> with) {
    return words.size() > with.size() && std::equal(with.begin(), with.end(), words.begin());
}

// The words that ask for a word in a set way ("what do you call", "used to describe", "a synonym of"), as for
// askingWords.
std::size_t setAskingWords(const std::vector<std::string>& words, PartOfSpeech& part) {
    const auto opens = [&words](std::initializer_list<std::string_view> with) { return opensWith(words, with); };
    // "what do you call ...", "how do people call ...", "what is it called when ...", "what's it called when ...".
    static const std::unordered_set<std::string_view> callers{"you", "we", "they", "people"};
    if (words.size() > 4 && (words[0] == "what" || words[0] == "how") && words[1] == "do" &&
        callers.contains(words[2]) && words[3] == "call") {
        part = PartOfSpeech::Noun;
        return 4;
    }
    if (opens({"what", "is", "it", "called"}) || opens({"what", "it", "called"})) {
        part = PartOfSpeech::Noun;
        return words[1] == "is" ? 4 : 3;
    }
    if (opens({"used", "to", "describe"})) {
        part = PartOfSpeech::Adjective;
        return 3;
    }
    // "a synonym of happy", "another synonym for glad".
    if (const std::size_t synonym = opens({"a", "synonym"}) || opens({"another", "synonym"}) ? 1 : 0;
        words.size() > synonym + 2 && words[synonym] == "synonym" &&
        (words[synonym + 1] == "of" || words[synonym + 1] == "for")) {
        return synonym + 2;
    }
    return 0;
}

// How many of a description's first words ask for a word ("a word for", "what do you call"), none where they do not;
// and the part of speech they ask for, if they say it.
std::size_t askingWords(const std::vector<std::string>& words, PartOfSpeech& part) {
    if (const std::size_t set = setAskingWords(words, part); set != 0) {
        return set;
    }
    const auto opens = [&words](std::initializer_list<std::string_view> with) { return opensWith(words, with); };
    // [what is] [a | the | another] word | term | name | noun | verb | adjective | adverb, then the words that join it
    // to what is asked ("for", "that means", "used to describe").
    std::size_t at = opens({"what", "is"}) ? 2 : opens({"what"}) ? 1 : 0;
    static const std::unordered_set<std::string_view> articles{"a", "an", "the", "another", "one"};
    at += at < words.size() && articles.contains(words[at]) ? 1 : 0;
    static const std::unordered_map<std::string_view, PartOfSpeech> asking{
        {"word", PartOfSpeech::Unknown},       {"term", PartOfSpeech::Unknown}, {"name", PartOfSpeech::Unknown},
        {"noun", PartOfSpeech::Noun},          {"verb", PartOfSpeech::Verb},    {"adverb", PartOfSpeech::Adverb},
        {"adjective", PartOfSpeech::Adjective}};
    const auto it = at < words.size() ? asking.find(words[at]) : asking.end();
    if (it == asking.end()) {
        return 0;
    }
    part = it->second;
    const std::size_t joined = ++at;
    static const std::unordered_set<std::string_view> joining{"for",     "that", "which", "means", "mean",
                                                              "meaning", "is",   "used",  "to"};
    static const std::unordered_set<std::string_view> describing{"describes", "describe", "describing"};
    for (; at < words.size() && (joining.contains(words[at]) || describing.contains(words[at])); ++at) {
        if (describing.contains(words[at]) && part == PartOfSpeech::Unknown) {
            part = PartOfSpeech::Adjective;
        }
    }
    if (at == joined) {
        return 0; // "the word processor", "the name of the rose"
    }
    // "a word for being unable to sleep" asks for a state, a noun.
    if (part == PartOfSpeech::Unknown && words[joined] == "for" && at < words.size() && words[at].ends_with("ing")) {
        part = PartOfSpeech::Noun;
    }
    return at;
}

} // namespace

Asked whatIsAsked(std::string_view description) {
    // Read as far as the ranking reads a description; each word with the place just past it.
    const std::string_view read = description.substr(0, 4096);
    std::vector<std::string> words;
    std::vector<std::size_t> ends;
    readWords(read, [&words, &ends](std::string word, std::size_t end) {
        words.push_back(std::move(word));
        ends.push_back(end);
        return true;
    });
    Asked asked;
    std::size_t at = askingWords(words, asked.part);
    // "the opposite of happy", "what's the opposite of happy" ask for what is not happy.
    const std::size_t lead = at != 0 ? at : opensWith(words, {"what", "is"}) ? 2 : opensWith(words, {"what"}) ? 1 : 0;
    const std::size_t opposite = lead + (lead < words.size() && words[lead] == "the" ? 1 : 0);
    if (opposite + 2 < words.size() && (words[opposite] == "opposite" || words[opposite] == "antonym") &&
        (words[opposite + 1] == "of" || words[opposite + 1] == "for")) {
        asked.text = "not ";
        at = opposite + 2;
    }
    if (at == 0 || at >= words.size()) {
        return {};
    }
    // The rest of the text as it was typed, from just past the last word that asks.
    asked.text += description.substr(ends[at - 1], 4096);
    return asked;
}

} // namespace offers
