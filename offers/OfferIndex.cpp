#include "offers/OfferIndex.h"

#include "offers/PlainText.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace offers {

namespace {

// Within how many slips a word is offered for a typed text of this many letters: short texts are near too many
// words to guess from.
float spellingBudget(std::size_t letters) {
    if (letters < 2) {
        return 0.0F;
    }
    if (letters <= 3) {
        return 1.0F;
    }
    if (letters <= 5) {
        return 1.7F;
    }
    return 2.4F;
}

// Longer texts than this get no offers: no word of a dictionary is that long, and folding them would keep the
// window waiting.
constexpr std::size_t LongestTyped = 1024;

// How much being common weighs against a slip: a word ten times as common as another may be one slip further.
constexpr float UseWeight = 0.15F;

// The words of a phrase: its parts between spaces and hyphens.
std::vector<std::string_view> partsOf(std::string_view plain) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= plain.size(); ++i) {
        if (i == plain.size() || plain[i] == ' ' || plain[i] == '-') {
            if (i > start) {
                parts.push_back(plain.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

} // namespace

OfferIndex::OfferIndex(OfferData data) {
    keepTexts(data);
    data = {};
    indexSpellings();
}

// Keeps each distinct word once, the first in the store's order, with how common it is, and the forms of kept words.
void OfferIndex::keepTexts(const OfferData& data) {
    std::unordered_map<std::string_view, Id> places; // the words' texts in `data`, and their Id
    places.reserve(data.words.size());
    m_texts.reserve(data.words.size() + data.forms.size());
    for (std::size_t i = 0; i < data.words.size(); ++i) {
        const std::string_view word = data.words[i];
        if (!word.empty() && !places.contains(word) && m_texts.push_back(word)) {
            places.emplace(word, static_cast<Id>(m_texts.size() - 1));
        }
    }
    m_wordCount = m_texts.size();
    m_use.assign(m_wordCount, 0.0F);
    for (std::size_t i = 0; i < data.usedWords.size() && i < data.uses.size(); ++i) {
        const double count = data.uses[i];
        if (const auto it = places.find(data.usedWords[i]); it != places.end() && count > 0 && std::isfinite(count)) {
            m_use[it->second] = std::max(m_use[it->second], static_cast<float>(std::log(1.0 + count)));
        }
    }
    for (std::size_t i = 0; i < data.forms.size() && i < data.bases.size(); ++i) {
        const std::string_view form = data.forms[i];
        if (const auto it = places.find(data.bases[i]);
            it != places.end() && !form.empty() && m_texts.push_back(form)) {
            m_formBases.push_back(it->second);
        }
    }
    m_texts.shrink_to_fit();
    m_formBases.shrink_to_fit();
}

void OfferIndex::indexSpellings() {
    // The spellings live in a block of their own while the trie is built from them.
    TextBlock spellings;
    spellings.reserve(m_texts.size(), m_texts.bytes());
    for (Id id = 0; id < m_texts.size(); ++id) {
        if (!spellings.push_back(joinedText(plainText(text(id))))) {
            break; // past 4 GB of spellings: the rest are not looked for
        }
    }
    m_speller.reserve(spellings.size());
    for (std::size_t id = 0; id < spellings.size(); ++id) {
        m_speller.add(spellings[id], static_cast<Id>(id));
    }
    m_speller.build();
}

std::vector<OfferIndex::Id> OfferIndex::wordsJoinedAs(std::string_view joined) const {
    std::vector<Id> ids;
    for (const Id id : m_speller.exactly(joined)) {
        if (isWord(id)) {
            ids.push_back(id);
        }
    }
    return ids;
}

// The base words of the text as an inflected form, with the form as stored.
std::vector<std::pair<OfferIndex::Id, std::string>> OfferIndex::basesOf(std::string_view plain) const {
    // A form of more words than this is no form a reader meets; a database that says so is not read further.
    constexpr std::size_t MostBases = 16;
    std::vector<std::pair<Id, std::string>> bases;
    for (const Id id : m_speller.exactly(joinedText(plain))) {
        if (!isWord(id)) {
            bases.emplace_back(wordOf(id), text(id));
            if (bases.size() == MostBases) {
                break;
            }
        }
    }
    return bases;
}

// A phrase with each of its words reduced to a base word, where the result is a word of the store ("looked up":
// look up). At most a few words, and a few bases each, are tried.
std::vector<OfferIndex::Id> OfferIndex::phraseBases(std::string_view plain) const {
    constexpr std::size_t MostParts = 6;
    constexpr std::size_t MostTries = 64;
    constexpr std::size_t MostWaysAPart = 4;
    const std::vector<std::string_view> parts = partsOf(plain);
    if (parts.size() < 2 || parts.size() > MostParts) {
        return {};
    }
    std::vector<std::vector<std::string>> choices;
    for (const std::string_view part : parts) {
        std::vector<std::string> ways{std::string(part)};
        for (const auto& [base, form] : basesOf(part)) {
            std::string way = joinedText(plainText(text(base)));
            if (ways.size() < MostWaysAPart && std::find(ways.begin(), ways.end(), way) == ways.end()) {
                ways.push_back(std::move(way));
            }
        }
        choices.push_back(std::move(ways));
    }
    std::vector<Id> found;
    std::vector<std::size_t> pick(parts.size(), 0);
    for (std::size_t tries = 0; tries < MostTries; ++tries) {
        // The next choice of a way for each part, as an odometer turns; the first (every part as typed) is skipped.
        std::size_t p = 0;
        while (p < pick.size() && ++pick[p] == choices[p].size()) {
            pick[p++] = 0;
        }
        if (p == pick.size()) {
            break;
        }
        std::string joined;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            joined += choices[k][pick[k]];
        }
        for (const Id id : wordsJoinedAs(joined)) {
            if (std::find(found.begin(), found.end(), id) == found.end()) {
                found.push_back(id);
            }
        }
    }
    return found;
}

// The words nearest the text as people misspell, the likeliest first: a slip costs, being common counts for.
std::vector<std::pair<OfferIndex::Id, std::string>> OfferIndex::spellings(std::string_view joined) const {
    struct Candidate {
        float score;
        Id word;
        Id via; // the spelling found: the word itself, or one of its inflected forms
    };
    std::vector<Candidate> candidates;
    for (const Speller::Match& match : m_speller.near(joined, spellingBudget(joined.size()))) {
        const Id word = wordOf(match.id);
        candidates.push_back({match.cost - UseWeight * m_use[word], word, match.id});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.score < b.score || (a.score == b.score && a.via < b.via);
    });
    std::vector<std::pair<Id, std::string>> found;
    for (const Candidate& c : candidates) {
        if (std::none_of(found.begin(), found.end(), [&](const auto& f) { return f.first == c.word; })) {
            found.emplace_back(c.word, isWord(c.via) ? std::string() : std::string(text(c.via)));
        }
    }
    return found;
}

std::vector<OfferIndex::Id> OfferIndex::prefixed(std::string_view joined, std::size_t most) const {
    if (joined.empty() || most == 0) {
        return {};
    }
    // The `most` matches first in the store's order: a heap of the smallest places seen, the largest on top.
    std::vector<Id> matches;
    matches.reserve(most + 1);
    for (const Id id : m_speller.beginningWith(joined)) {
        if (!isWord(id)) {
            continue; // an inflected form
        }
        if (matches.size() < most) {
            matches.push_back(id);
            std::push_heap(matches.begin(), matches.end());
        } else if (id < matches.front()) {
            std::pop_heap(matches.begin(), matches.end());
            matches.back() = id;
            std::push_heap(matches.begin(), matches.end());
        }
    }
    std::sort(matches.begin(), matches.end());
    return matches;
}

std::vector<std::string> OfferIndex::wordsBeginningWith(std::string_view typed, std::size_t most) const {
    std::vector<std::string> words;
    for (const Id id : prefixed(joinedText(plainText(typed)), most)) {
        words.emplace_back(text(id));
    }
    return words;
}

OfferIndex::Id OfferIndex::mostUsed(const std::vector<Id>& ids) const {
    // The first of the most used, in the store's order.
    return *std::max_element(ids.begin(), ids.end(), [this](Id a, Id b) { return m_use[a] < m_use[b]; });
}

std::optional<Offer> OfferIndex::resolve(std::string_view text) const {
    constexpr std::size_t LongestWord = 255; // no spelling is kept longer
    if (text.size() > LongestWord) {
        return std::nullopt;
    }
    const std::string plain = plainText(text);
    const std::string joined = joinedText(plain);
    if (joined.empty()) {
        return std::nullopt;
    }
    std::vector<Id> words = wordsJoinedAs(joined);
    std::vector<Id> names; // capitalised where the text is not
    std::erase_if(words, [&](Id id) {
        const bool name = capitalisedFor(text, this->text(id));
        if (name) {
            names.push_back(id);
        }
        return name;
    });
    if (!words.empty()) {
        // "ice cream" before "icecream" for "ice cream": the same blanks, then the more common.
        std::vector<Id> alike;
        std::copy_if(words.begin(), words.end(), std::back_inserter(alike),
                     [&](Id id) { return plainText(this->text(id)) == plain; });
        return Offer{std::string(this->text(mostUsed(alike.empty() ? words : alike))), {}};
    }
    std::vector<Id> bases;
    for (const auto& [id, form] : basesOf(plain)) {
        bases.push_back(id);
    }
    if (bases.empty()) {
        bases = phraseBases(plain);
    }
    if (!bases.empty()) {
        return Offer{std::string(this->text(mostUsed(bases))), tidyBlanks(text)};
    }
    if (!names.empty()) {
        return Offer{std::string(this->text(mostUsed(names))), {}};
    }
    return std::nullopt;
}

std::vector<Offer> OfferIndex::offersFor(std::string_view typed, std::size_t most) const {
    if (typed.size() > LongestTyped) {
        return {}; // pasted text, not a word being typed
    }
    const std::string plain = plainText(typed);
    const std::string joined = joinedText(plain);
    std::vector<Offer> offers;
    if (joined.empty()) {
        return offers;
    }
    std::vector<Id> offered;
    const auto offer = [&](Id id, std::string baseFormOf) {
        if (offers.size() < most && std::find(offered.begin(), offered.end(), id) == offered.end()) {
            offered.push_back(id);
            offers.push_back({std::string(text(id)), std::move(baseFormOf)});
        }
    };
    // What the text stands for, then its base words: these are what the user meant.
    for (const Id id : wordsJoinedAs(joined)) {
        offer(id, {});
    }
    const std::string shown = tidyBlanks(typed); // what an offer says it is the base form of
    for (const auto& [id, form] : basesOf(plain)) {
        offer(id, shown);
    }
    for (const Id id : phraseBases(plain)) {
        offer(id, shown);
    }
    const bool known = !offers.empty();
    const std::vector<Id> prefixes = prefixed(joined, most);
    std::vector<std::pair<Id, std::string>> near;
    if (!known && joined.size() >= 2) {
        near = spellings(joined);
    }
    // A text that begins words may be a word still being typed: its first few completions come before the
    // spelling offers, and the rest after them.
    constexpr std::size_t CompletionsFirst = 2;
    std::size_t k = 0;
    for (; k < prefixes.size() && k < CompletionsFirst; ++k) {
        offer(prefixes[k], {});
    }
    for (auto& [id, form] : near) {
        offer(id, std::move(form));
    }
    for (; k < prefixes.size(); ++k) {
        offer(prefixes[k], {});
    }
    return offers;
}

std::size_t OfferIndex::memoryUsed() const {
    return m_speller.memoryUsed() + m_texts.memoryUsed() + m_formBases.capacity() * sizeof(Id) +
           m_use.capacity() * sizeof(float);
}

} // namespace offers
