// Searching a description: what it asks and its terms, the words ranked for it, the first of them kept, and the rest
// ranked again with what the first and the description's own words say.
#include "offers/Describe.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace offers {

namespace {

// A description of 10,000 words is read as its first terms.
constexpr std::size_t MostTerms = 64;
// Past the first words found, the senses that name the first of them count too, as if they were terms of the
// description (at this share): "an instrument that tells you how hot or cold something is" finds temperature first,
// and then thermometer, "measuring instrument for measuring temperature". This finds more of the meant words among
// the first hundred, but fewer among the first ten, so the first words found keep their places.
constexpr std::size_t FirstSearched = 10;
constexpr double FirstWeight = 0.6;
// And, at this share, the senses that name the words that the first sense of each of the description's own words
// names (its synonyms and the words of its gloss): "of or pertaining to an omen" finds ominous through presage and
// portent.
constexpr double SaidWeight = 0.15;

} // namespace

// A description ranked: what is asked ("a word for fear of heights" asks "fear of heights"), its terms, the part of
// speech it reads as, and each word's score.
DescriptionIndex::Search DescriptionIndex::searched(std::string_view asking) const {
    const Asked asked = whatIsAsked(asking);
    Search search;
    search.description = asked.text.empty() ? std::string(asking) : asked.text;
    const std::string_view description = search.description;
    search.terms = descriptionTerms(description.substr(0, LongestDescription));
    if (search.terms.size() > MostTerms) {
        search.terms.resize(MostTerms);
    }
    std::sort(search.terms.begin(), search.terms.end());
    search.terms.erase(std::unique(search.terms.begin(), search.terms.end()), search.terms.end());
    search.own.insert(search.terms.begin(), search.terms.end());
    if (search.terms.empty()) {
        return search;
    }
    search.part = asked.part != PartOfSpeech::Unknown ? asked.part : partOf(description);
    search.best = wordScoresOf(search.terms, search.part, negatedWords(description.substr(0, LongestDescription)));
    search.scored = finalScores(search.best, description, search.terms);
    searchGroups(search);
    return search;
}

// The better of two words as scored: the higher score, else the first by name.
bool DescriptionIndex::better(const std::pair<double, std::uint32_t>& a,
                              const std::pair<double, std::uint32_t>& b) const {
    return a.first != b.first ? a.first > b.first : m_words[a.second] < m_words[b.second];
}

// Whether a word is one the description itself uses, which is not what it describes.
bool DescriptionIndex::usedBy(std::uint32_t word, const std::unordered_set<std::string>& terms) const {
    const std::vector<std::string> wordTerms = descriptionTerms(m_words[word]);
    return wordTerms.size() == 1 && terms.contains(wordTerms.front());
}

// The words that the first sense of each of the description's own words names, but for those words themselves.
std::vector<std::uint32_t> DescriptionIndex::saidBy(const std::vector<std::string>& terms,
                                                    const std::unordered_set<std::string>& own) const {
    std::vector<std::uint32_t> said;
    for (const std::string& term : terms) {
        const std::uint32_t word = wordNamed(term);
        if (word == NoSense || m_firstSense[word] == NoSense) {
            continue;
        }
        const std::uint32_t sense = m_firstSense[word];
        for (std::uint32_t i = m_mentionsAt[sense]; i < m_mentionsAt[sense + 1]; ++i) {
            if (!usedBy(m_mentions[i], own)) {
                said.push_back(m_mentions[i]);
            }
        }
    }
    std::sort(said.begin(), said.end());
    said.erase(std::unique(said.begin(), said.end()), said.end());
    return said;
}

// The first words offered, best first, at most count, with their scores. A word the description itself uses is not
// what it describes: it is passed over, looked for only among the first.
std::vector<std::pair<double, std::uint32_t>> DescriptionIndex::offered(Search& search, std::size_t count) const {
    std::vector<std::pair<double, std::uint32_t>>& scored = search.scored;
    const auto inOrder = [this](const auto& a, const auto& b) { return better(a, b); };
    const std::size_t looked = std::min(scored.size(), count + 8 * search.own.size());
    std::partial_sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(looked), scored.end(), inOrder);
    std::vector<std::pair<double, std::uint32_t>> first;
    for (std::size_t i = 0; i < scored.size() && first.size() < count; ++i) {
        if (i == looked) { // more of the description's own words than room was left for: the rest in order
            std::sort(scored.begin() + static_cast<std::ptrdiff_t>(looked), scored.end(), inOrder);
        }
        if (!usedBy(scored[i].second, search.own)) {
            first.push_back(scored[i]);
        }
    }
    return first;
}

// Past the first words found, the rest are ranked again with the senses that name the first of them, and those that
// name what the description's own words say. The first keep their order, lifted above the rest.
void DescriptionIndex::searchAgainPastTheFirst(Search& search) const {
    static_assert(FirstSearched <= FirstKept);
    std::unordered_map<std::uint32_t, double> kept; // word, its score before
    std::vector<std::uint32_t> named;
    for (const auto& [score, word] : offered(search, FirstKept)) {
        kept.emplace(word, score);
        if (named.size() < FirstSearched) {
            named.push_back(word);
        }
    }
    const auto add = [this, &search](const std::unordered_map<std::uint32_t, double>& senseScore, double weight) {
        for (const auto& [word, score] : tallied(senseScore, search.part)) {
            auto& [top, shown] = search.best[word];
            if (top == 0) {
                shown = score.second;
            }
            top += weight * score.first;
        }
    };
    add(namingScoresOf(saidBy(search.terms, search.own)), SaidWeight);
    add(namingScoresOf(named), FirstWeight);
    search.scored = finalScores(search.best, search.description, search.terms);
    addGroups(search);
    lift(search.scored, kept);
}

std::vector<Described> DescriptionIndex::wordsFor(std::string_view asking, std::size_t count) const {
    Search search = searched(asking);
    if (search.terms.empty() || count == 0) {
        return {};
    }
    if (count > FirstKept) {
        searchAgainPastTheFirst(search);
    }
    std::vector<Described> ranked;
    for (const auto& [score, word] : offered(search, count)) {
        const Sense& sense = m_senses[search.best.at(word).second];
        ranked.push_back({m_words[word], m_texts.substr(sense.textAt, sense.textLength), score});
    }
    return ranked;
}

} // namespace offers
