#include "offers/Describe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>

namespace offers {

namespace {

// BM25's usual constants: how soon a term's repeats stop counting, and how much a long sense is discounted.
constexpr double K1 = 1.2;
constexpr double B = 0.75;
// How much how common a word is counts beside what its senses say, and the part of speech the description reads as.
constexpr double PriorWeight = 0.5;
constexpr double PartMatch = 1.25;
constexpr double PartMismatch = 0.8;
// A word whose other senses say the same counts for more: each adds this share of its score.
constexpr double OtherSenses = 0.3;
// A description's first word says its part of speech where it opens this many senses of the database at least, and
// this share of them in one part of speech.
constexpr std::uint32_t MinOpenings = 5;
constexpr double OpeningShare = 0.7;
// How much of a sense's text is kept to show beside its word.
constexpr std::size_t LongestSenseKept = 72;
// How much of a sense is searched.
constexpr std::size_t LongestSearched = 4096;
// The postings a description reads at most (the bundled dictionary's commonest term has some 20,000).
constexpr std::size_t MostPostings = 60000;
// A description of 10,000 words is read as its first words.
constexpr std::size_t LongestDescription = 4096;
constexpr std::size_t MostTerms = 64;

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

// What of a sense line is searched: its gloss without the examples, its synonyms and what it is a kind of (its
// opposites say what it is not).
std::string searchedPart(const std::string& line) {
    std::size_t glossEnd = line.size();
    for (const char* mark : {"; \"", " \"", ". Synonyms:", ". Opposite:", ". Kind of:"}) {
        glossEnd = std::min(glossEnd, line.find(mark));
    }
    std::string text = line.substr(0, glossEnd);
    for (const char* field : {"Synonyms:", "Kind of:"}) {
        const std::size_t at = line.find(field, glossEnd);
        if (at != std::string::npos) {
            const std::size_t end = line.find(". ", at);
            text += " " + line.substr(at + std::char_traits<char>::length(field),
                                      end == std::string::npos ? std::string::npos : end - at);
        }
    }
    return text;
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
        if (const std::string opening = firstWord(text); !opening.empty()) {
            ++m_openers[opening][static_cast<std::size_t>(part) - 1];
        }
    }
    // A meaning of megabytes is searched by its start, as a sense of a dictionary is read.
    const std::vector<std::string> terms =
        descriptionTerms(std::string_view(searchedPart(text)).substr(0, LongestSearched));
    if (terms.empty()) {
        return;
    }
    const auto sense = static_cast<std::uint32_t>(m_senses.size());
    // An offer shows the start of its sense only: the rest is not kept.
    if (text.size() > LongestSenseKept) {
        std::size_t cut = LongestSenseKept;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) {
            --cut; // not inside a character
        }
        text.resize(cut);
        text += "\u2026";
    }
    m_senses.push_back({word, static_cast<std::uint32_t>(terms.size()), static_cast<std::uint32_t>(m_texts.size()),
                        static_cast<std::uint16_t>(text.size()), part});
    m_texts += text;
    for (const std::string& term : terms) {
        if (!m_only.empty() && !m_only.contains(term)) {
            continue;
        }
        std::vector<Posting>& postings = m_postings[term];
        if (!postings.empty() && postings.back().sense == sense) {
            ++postings.back().count;
        } else {
            postings.push_back({sense, 1});
        }
    }
}

void DescriptionIndex::keepOnlyTermsOf(std::string_view description) {
    const std::vector<std::string> terms = descriptionTerms(description.substr(0, LongestDescription));
    m_only.insert(terms.begin(), terms.end());
    m_only.insert(std::string()); // never empty, even for a description with no terms
}

void DescriptionIndex::add(const std::string& word, const std::string& meaning) {
    const auto id = static_cast<std::uint32_t>(m_words.size());
    m_words.push_back(word);
    const bool laidOut =
        meaning.find(" senses\r\n") != std::string::npos || meaning.find(" sense\r\n") != std::string::npos;
    PartOfSpeech part = PartOfSpeech::Unknown;
    std::size_t at = 0;
    for (bool firstLine = true; at <= meaning.size(); firstLine = false) {
        std::size_t end = meaning.find('\n', at);
        if (end == std::string::npos) {
            end = meaning.size();
        }
        std::string line = meaning.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (laidOut) {
            // The bundled layout: a head line, overview lines, headings with their numbered senses.
            const std::size_t dash = line.find(" \u2014 ");
            if (dash != std::string::npos && partNamed(line.substr(0, dash)) != PartOfSpeech::Unknown) {
                part = partNamed(line.substr(0, dash));
                continue;
            }
            const std::size_t dot = line.find(". ");
            if (firstLine || dot == std::string::npos || dot == 0 || line.find_first_not_of("0123456789") != dot) {
                continue;
            }
            addSense(id, part, line.substr(dot + 2));
            continue;
        }
        // Any other meaning: each line a sense, maybe numbered, maybe with its part of speech in brackets.
        const std::size_t dot = line.find(". ");
        if (dot != std::string::npos && dot > 0 && line.find_first_not_of("0123456789") == dot) {
            line.erase(0, dot + 2);
        }
        PartOfSpeech linePart = PartOfSpeech::Unknown;
        if (line.starts_with("(")) {
            const std::size_t close = line.find(") ");
            if (close != std::string::npos &&
                (linePart = partNamed(line.substr(1, close - 1))) != PartOfSpeech::Unknown) {
                line.erase(0, close + 2);
            }
        }
        addSense(id, linePart, std::move(line));
    }
}

void DescriptionIndex::finish(const std::unordered_map<std::string, double>& uses) {
    m_prior.assign(m_words.size(), 0);
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        if (const auto it = uses.find(m_words[i]); it != uses.end() && it->second > 0) {
            m_prior[i] = std::log1p(it->second);
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
}

// BM25: each sense that has a term of the description, scored by how rare the term is and how often the (short) sense
// has it. The rarest terms count first, and a description's terms are read within a bound of postings, so that no
// text (a page pasted, say) holds the window.
std::unordered_map<std::uint32_t, double> DescriptionIndex::scoresOf(const std::vector<std::string>& terms) const {
    std::vector<const std::vector<Posting>*> lists;
    for (const std::string& term : terms) {
        if (const auto it = m_postings.find(term); it != m_postings.end()) {
            lists.push_back(&it->second);
        }
    }
    std::sort(lists.begin(), lists.end(), [](const auto* a, const auto* b) { return a->size() < b->size(); });
    const auto n = static_cast<double>(m_senses.size());
    std::unordered_map<std::uint32_t, double> senseScore;
    std::size_t read = 0;
    for (const std::vector<Posting>* postings : lists) {
        if ((read += postings->size()) > MostPostings) {
            break;
        }
        const auto df = static_cast<double>(postings->size());
        const double idf = std::log(1 + (n - df + 0.5) / (df + 0.5));
        for (const Posting& p : *postings) {
            const double tf = p.count;
            const double length = m_senses[p.sense].length / m_averageLength;
            senseScore[p.sense] += idf * tf * (K1 + 1) / (tf + K1 * (1 - B + B * length));
        }
    }
    return senseScore;
}

PartOfSpeech DescriptionIndex::partOf(std::string_view description) const {
    if (const PartOfSpeech said = partOfSpeechOf(description); said != PartOfSpeech::Unknown) {
        return said;
    }
    const auto it = m_openers.find(firstWord(description));
    if (it == m_openers.end()) {
        return PartOfSpeech::Unknown;
    }
    const std::array<std::uint32_t, 4>& counts = it->second;
    const auto most = std::max_element(counts.begin(), counts.end());
    const std::uint32_t total = counts[0] + counts[1] + counts[2] + counts[3];
    if (total < MinOpenings || *most < total * OpeningShare) {
        return PartOfSpeech::Unknown;
    }
    return static_cast<PartOfSpeech>(1 + (most - counts.begin()));
}

std::vector<Described> DescriptionIndex::wordsFor(std::string_view description, std::size_t count) const {
    std::vector<std::string> terms = descriptionTerms(description.substr(0, LongestDescription));
    if (terms.size() > MostTerms) {
        terms.resize(MostTerms);
    }
    std::sort(terms.begin(), terms.end());
    terms.erase(std::unique(terms.begin(), terms.end()), terms.end());
    if (terms.empty() || count == 0) {
        return {};
    }
    const PartOfSpeech part = partOf(description);
    const std::unordered_map<std::uint32_t, double> senseScore = scoresOf(terms);
    // Each word by its best sense and a share of its others; a word the description itself uses is not what it
    // describes.
    const std::unordered_set<std::string> own(terms.begin(), terms.end());
    std::unordered_map<std::uint32_t, std::pair<double, std::uint32_t>> best; // word -> score, sense
    for (const auto& [sense, score] : senseScore) {
        const Sense& s = m_senses[sense];
        double weighed = score;
        if (part != PartOfSpeech::Unknown && s.part != PartOfSpeech::Unknown) {
            weighed *= s.part == part ? PartMatch : PartMismatch;
        }
        auto& [top, topSense] = best[s.word];
        if (weighed > top) {
            top = weighed + OtherSenses * top;
            topSense = sense;
        } else {
            top += OtherSenses * weighed;
        }
    }
    std::vector<Described> ranked;
    ranked.reserve(best.size());
    for (const auto& [word, scored] : best) {
        const std::vector<std::string> wordTerms = descriptionTerms(m_words[word]);
        if (wordTerms.size() == 1 && own.contains(wordTerms.front())) {
            continue;
        }
        const Sense& sense = m_senses[scored.second];
        ranked.push_back({m_words[word], m_texts.substr(sense.textAt, sense.textLength),
                          scored.first + PriorWeight * m_prior[word]});
    }
    const std::size_t shown = std::min(count, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(shown), ranked.end(),
                      [](const Described& a, const Described& b) {
                          return a.score != b.score ? a.score > b.score : a.word < b.word;
                      });
    ranked.resize(shown);
    return ranked;
}

} // namespace offers
