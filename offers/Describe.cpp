// The index of a word database's senses for finding words from their meaning: each sense's terms and postings, and
// the part of speech each first word opens.
#include "offers/Describe.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace offers {

namespace {

// How much of a sense's text is kept to show beside its word.
constexpr std::size_t LongestSenseKept = 72;
// How much of a sense is searched.
constexpr std::size_t LongestSearched = 4096;

PartOfSpeech partNamed(std::string_view name) {
    if (name == "noun" || name == "Noun") {
        return PartOfSpeech::Noun;
    }
    if (name == "verb" || name == "Verb") {
        return PartOfSpeech::Verb;
    }
    if (name == "adjective" || name == "Adjective") {
        return PartOfSpeech::Adjective;
    }
    if (name == "adverb" || name == "Adverb") {
        return PartOfSpeech::Adverb;
    }
    return PartOfSpeech::Unknown;
}

// Where a text has a needle that opens with a blank, or npos: found by its second byte, as std::string::find would
// stop at each blank of the text, and every line of the dictionary passes through here.
std::size_t findAfterBlank(std::string_view text, std::string_view needle) {
    for (std::size_t at = text.find(needle[1], 1); at != std::string_view::npos; at = text.find(needle[1], at + 1)) {
        if (text[at - 1] == ' ' && text.substr(at - 1, needle.size()) == needle) {
            return at - 1;
        }
    }
    return std::string_view::npos;
}

// What of a sense line is searched: its gloss without the examples, its synonyms and what it is a kind of (its
// opposites say what it is not).
std::string searchedPart(const std::string& line) {
    std::size_t glossEnd = line.size();
    for (const char* mark : {"; \"", ". Synonyms:", ". Opposite:", ". Kind of:"}) {
        glossEnd = std::min(glossEnd, line.find(mark));
    }
    glossEnd = std::min(glossEnd, findAfterBlank(line, " \""));
    std::string text = line.substr(0, glossEnd);
    for (const char* field : {"Synonyms:", "Kind of:"}) {
        const std::size_t at = line.find(field, glossEnd);
        if (at != std::string::npos) {
            const std::size_t from = at + std::char_traits<char>::length(field);
            const std::size_t end = line.find(". ", from);
            text += ' ';
            text.append(line, from, end == std::string::npos ? std::string::npos : end - from);
        }
    }
    return text;
}

// An offer shows the start of its sense only: the rest is not kept.
std::string shownPart(std::string text) {
    if (text.size() > LongestSenseKept) {
        std::size_t cut = LongestSenseKept;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) {
            --cut; // not inside a character
        }
        text.resize(cut);
        text += "\u2026";
    }
    return text;
}

// The words a sense line says it is the opposite of ("... Opposite: young, new."), each by its term; a phrase is
// passed over ("no longer" is not the opposite of "longer").
std::vector<std::string> oppositesOf(std::string_view line) {
    constexpr std::string_view Mark = ". Opposite: ";
    const std::size_t opposite = line.find(Mark);
    if (opposite == std::string_view::npos) {
        return {};
    }
    std::string_view list = line.substr(opposite + Mark.size());
    list = list.substr(0, std::min<std::size_t>(list.find(". "), 200));
    std::vector<std::string> terms;
    while (!list.empty()) {
        const std::string_view one = list.substr(0, list.find(','));
        if (std::vector<std::string> named = descriptionTerms(one); named.size() == 1 && lowerWords(one).size() == 1) {
            terms.push_back(std::move(named.front()));
        }
        list.remove_prefix(std::min(list.size(), one.size() + 1));
    }
    return terms;
}

// Whether a meaning is laid out as the bundled dictionary's are, its headings counting their senses ("Noun \u2014 3
// senses"). Searched as glibc searches a long text, where std::string::find would stop at each of its blanks.
bool countsItsSenses(const std::string& meaning) {
    constexpr std::string_view Counted = " sense";
    for (std::size_t from = 0; from < meaning.size();) {
        const void* found = memmem(meaning.data() + from, meaning.size() - from, Counted.data(), Counted.size());
        if (found == nullptr) {
            return false;
        }
        from = static_cast<std::size_t>(static_cast<const char*>(found) - meaning.data()) + Counted.size();
        if (const std::string_view after = std::string_view(meaning).substr(from, 3);
            after.starts_with("\r\n") || after == "s\r\n") {
            return true;
        }
    }
    return false;
}

} // namespace

bool readsAsDescription(std::string_view typed, const std::vector<Offer>& offered) {
    if (lowerWords(typed.substr(0, LongestDescription)).size() < 2) {
        return false;
    }
    const std::string text = squeezed(typed.substr(0, LongestDescription));
    return std::none_of(offered.begin(), offered.end(), [&text](const Offer& offer) {
        return squeezed(offer.word) == text || (!offer.baseFormOf.empty() && squeezed(offer.baseFormOf) == text);
    });
}

void DescriptionIndex::addSense(std::uint32_t word, PartOfSpeech part, std::string text) {
    if (part != PartOfSpeech::Unknown) {
        // An index for one description needs only what its own first word opens.
        if (const std::string opening = firstWord(text); !opening.empty() && (m_only.empty() || opening == m_opener)) {
            ++m_openers[opening][static_cast<std::size_t>(part) - 1];
        }
    }
    // A meaning of megabytes is searched by its start, as a sense of a dictionary is read.
    const std::vector<std::string> terms =
        descriptionTerms(std::string_view(searchedPart(text)).substr(0, LongestSearched));
    if (terms.empty()) {
        return;
    }
    if (m_senses.size() >= MostSenses) {
        return; // a database of more senses than any dictionary is searched by its first 16 million
    }
    const auto sense = static_cast<std::uint32_t>(m_senses.size());
    for (const std::string& opposite : oppositesOf(text)) {
        if (m_only.empty() || m_only.contains(opposite)) {
            m_opposed[opposite].push_back(sense);
        }
    }
    text = shownPart(std::move(text));
    const bool follows = sense > 0 && m_senses.back().word == word && m_senses.back().part == part;
    const auto place = static_cast<std::uint8_t>(follows ? std::min(m_senses.back().place + 1, 255) : 0);
    m_senses.push_back({word, static_cast<std::uint32_t>(terms.size()), static_cast<std::uint32_t>(m_texts.size()),
                        static_cast<std::uint16_t>(text.size()), part, place});
    if (m_firstSense[word] == NoSense) {
        m_firstSense[word] = sense;
    }
    if (!m_only.empty()) {
        // An index for one description keeps no postings of the other terms: which words a sense names is kept
        // by the hashes of its terms.
        m_mentionsAt.push_back(static_cast<std::uint32_t>(m_termHashes.size()));
        for (const std::string& term : terms) {
            m_termHashes.push_back(std::hash<std::string>{}(term));
        }
    }
    m_texts += text;
    for (const std::string& term : terms) {
        if (!keeps(term)) {
            continue;
        }
        std::vector<Posting>& postings = m_postings[term];
        if (!postings.empty() && postings.back().sense() == sense) {
            postings.back().countAgain();
        } else {
            postings.emplace_back(sense);
        }
    }
}

// Whether the postings of a term are kept: in an index for one description, those of its terms and of the compounds
// they may be part of.
bool DescriptionIndex::keeps(const std::string& term) const {
    if (m_only.empty() || term.empty()) {
        return m_only.empty() || m_only.contains(term);
    }
    const auto front = static_cast<unsigned char>(term.front());
    const auto back = static_cast<unsigned char>(term.back());
    // Most terms share no first letter with the few kept.
    if (m_keptFirst[front] && m_only.contains(term)) {
        return true;
    }
    if (term.size() < 2 * ShortestPart) {
        return false;
    }
    const auto fits = [&term](const std::string& kept) { return term.size() >= kept.size() + ShortestPart; };
    return std::any_of(m_startsKept[front].begin(), m_startsKept[front].end(),
                       [&](const std::string& kept) { return fits(kept) && term.starts_with(kept); }) ||
           std::any_of(m_endsKept[back].begin(), m_endsKept[back].end(),
                       [&](const std::string& kept) { return fits(kept) && term.ends_with(kept); });
}

void DescriptionIndex::keepOnlyTermsOf(std::string_view asking) {
    const Asked asked = whatIsAsked(asking);
    const std::string_view description = asked.text.empty() ? asking : std::string_view(asked.text);
    const std::vector<std::string> terms = descriptionTerms(description.substr(0, LongestDescription));
    m_only.insert(terms.begin(), terms.end());
    m_only.insert(std::string()); // never empty, even for a description with no terms
    m_opener = firstWord(description);
    m_asksForAPerson = asksForAPerson(description);
    for (const std::string& term : m_only) {
        if (!term.empty()) {
            m_keptFirst[static_cast<unsigned char>(term.front())] = true;
        }
        if (term.size() >= ShortestPart) {
            m_startsKept[static_cast<unsigned char>(term.front())].push_back(term);
            m_endsKept[static_cast<unsigned char>(term.back())].push_back(term);
        }
    }
}

void DescriptionIndex::add(const std::string& word, const std::string& meaning) {
    const auto id = static_cast<std::uint32_t>(m_words.size());
    m_words.push_back(word);
    m_firstSense.push_back(NoSense);
    const bool laidOut = countsItsSenses(meaning);
    PartOfSpeech part = PartOfSpeech::Unknown;
    std::size_t at = 0;
    for (bool firstLine = true; at <= meaning.size(); firstLine = false) {
        std::size_t end = meaning.find('\n', at);
        if (end == std::string::npos) {
            end = meaning.size();
        }
        std::string_view line = std::string_view(meaning).substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (laidOut) {
            // The bundled layout: a head line, overview lines, headings with their numbered senses.
            const std::size_t dash = findAfterBlank(line, " \u2014 ");
            if (dash != std::string::npos && partNamed(line.substr(0, dash)) != PartOfSpeech::Unknown) {
                part = partNamed(line.substr(0, dash));
                continue;
            }
            const std::size_t dot = line.find(". ");
            if (firstLine || dot == std::string::npos || dot == 0 || line.find_first_not_of("0123456789") != dot) {
                continue;
            }
            addSense(id, part, std::string(line.substr(dot + 2)));
            continue;
        }
        // Any other meaning: each line a sense, maybe numbered, maybe with its part of speech in brackets.
        const std::size_t dot = line.find(". ");
        if (dot != std::string::npos && dot > 0 && line.find_first_not_of("0123456789") == dot) {
            line.remove_prefix(dot + 2);
        }
        PartOfSpeech linePart = PartOfSpeech::Unknown;
        if (line.starts_with("(")) {
            const std::size_t close = line.find(") ");
            if (close != std::string::npos &&
                (linePart = partNamed(line.substr(1, close - 1))) != PartOfSpeech::Unknown) {
                line.remove_prefix(close + 2);
            }
        }
        addSense(id, linePart, std::string(line));
    }
}

void DescriptionIndex::finish(const WordUses& uses) {
    m_prior.assign(m_words.size(), 0);
    const auto setPrior = [this](std::size_t word, double count) { m_prior[word] = count > 0 ? std::log1p(count) : 0; };
    // The bundled dictionary lists its words' use in the order of its words, one for one: nothing to look up.
    const bool inStep = uses.size() == m_words.size() &&
                        std::equal(uses.begin(), uses.end(), m_words.begin(),
                                   [](const auto& use, const std::string& word) { return use.first == word; });
    if (inStep) {
        for (std::size_t i = 0; i < m_words.size(); ++i) {
            setPrior(i, uses[i].second);
        }
    } else {
        std::unordered_map<std::string_view, double> byName;
        byName.reserve(uses.size());
        for (const auto& [word, count] : uses) {
            byName[word] = count;
        }
        for (std::size_t i = 0; i < m_words.size(); ++i) {
            if (const auto it = byName.find(m_words[i]); it != byName.end()) {
                setPrior(i, it->second);
            }
        }
    }
    for (auto& [term, postings] : m_postings) {
        postings.shrink_to_fit();
    }
    m_senses.shrink_to_fit();
    m_texts.shrink_to_fit();
    double total = 0;
    for (const Sense& sense : m_senses) {
        total += sense.length;
    }
    m_averageLength = m_senses.empty() ? 1 : std::max(1.0, total / static_cast<double>(m_senses.size()));
    // By name, and words of one name in the order they came.
    std::vector<std::pair<std::string_view, std::uint32_t>> named;
    named.reserve(m_words.size());
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        named.emplace_back(m_words[i], static_cast<std::uint32_t>(i));
    }
    const auto byName = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(named.begin(), named.end(), byName)) {
        std::stable_sort(named.begin(), named.end(), byName);
    }
    m_byName.resize(named.size());
    std::transform(named.begin(), named.end(), m_byName.begin(), [](const auto& name) { return name.second; });
    nameWords();
}

} // namespace offers
