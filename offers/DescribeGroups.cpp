// A thesaurus's groups of words that share a meaning ("stubborn", "obstinate", "mulish", "pigheaded"): a description
// whose words fall in a word's groups ("refusing to change your mind") says something of that word, though no sense
// of it has those words.
#include "offers/Describe.h"

#include <algorithm>
#include <cmath>

namespace offers {

namespace {

// What a description's word that falls in a word's groups adds, by how rare it is among the groups' words, as a share
// of the best score: a little, as a thesaurus's groups are wide.
constexpr double GroupWeight = 0.01;
// The first words found keep their places: where the groups lift another above them, everyday descriptions lose more
// than they find.
constexpr std::size_t FirstUngrouped = 5;
// A group of more words than this says nothing of them (Aiksaurus's largest has 183), and a term whose groups gather
// more is passed over (its widest, "up", 6,089): a user's table of a million rows costs no more to search.
constexpr std::size_t LargestGroup = 1000;
constexpr std::size_t MostGathered = 20000;

} // namespace

void DescriptionIndex::group(std::string_view word, std::uint32_t group) {
    if (const std::uint32_t named = wordNamed(word); named != NoSense) {
        m_grouping.emplace_back(group, named);
    }
}

void DescriptionIndex::finishGrouping() {
    std::sort(m_grouping.begin(), m_grouping.end());
    m_grouping.erase(std::unique(m_grouping.begin(), m_grouping.end()), m_grouping.end());
    m_membersAt.clear();
    m_members.clear();
    m_members.reserve(m_grouping.size());
    m_groupsByTerm.clear();
    std::vector<bool> grouped(m_words.size());
    for (auto first = m_grouping.begin(); first != m_grouping.end();) {
        const auto last =
            std::find_if(first, m_grouping.end(), [first](const auto& member) { return member.first != first->first; });
        if (static_cast<std::size_t>(last - first) <= LargestGroup) {
            const auto g = static_cast<std::uint32_t>(m_membersAt.size());
            m_membersAt.push_back(static_cast<std::uint32_t>(m_members.size()));
            for (auto member = first; member != last; ++member) {
                m_members.push_back(member->second);
                grouped[member->second] = true;
                for (const std::string& term : descriptionTerms(m_words[member->second])) {
                    std::vector<std::uint32_t>& groups = m_groupsByTerm[term];
                    if (groups.empty() || groups.back() != g) {
                        groups.push_back(g);
                    }
                }
            }
        }
        first = last;
    }
    m_membersAt.push_back(static_cast<std::uint32_t>(m_members.size()));
    m_grouped = static_cast<std::size_t>(std::count(grouped.begin(), grouped.end(), true));
    m_grouping.clear();
    m_grouping.shrink_to_fit();
}

// Per word, what the description's terms that fall in its groups add: each such term by how rare it is among the
// words of all groups (the fewer words its groups gather, the more it says), squared, so that a common word, which
// falls in many wide groups, adds little.
void DescriptionIndex::searchGroups(Search& search) const {
    search.grouped.clear();
    if (m_grouped == 0 || search.scored.empty()) {
        return;
    }
    std::vector<std::uint32_t> marked;
    for (const std::string& term : search.terms) {
        const auto groups = m_groupsByTerm.find(term);
        if (groups == m_groupsByTerm.end()) {
            continue;
        }
        std::size_t gathered = 0;
        for (const std::uint32_t g : groups->second) {
            gathered += m_membersAt[g + 1] - m_membersAt[g];
        }
        if (gathered > MostGathered) {
            continue;
        }
        marked.clear();
        for (const std::uint32_t g : groups->second) {
            marked.insert(marked.end(), m_members.begin() + m_membersAt[g], m_members.begin() + m_membersAt[g + 1]);
        }
        std::sort(marked.begin(), marked.end());
        marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
        const double rarity = std::log(1 + static_cast<double>(m_grouped) / static_cast<double>(marked.size() + 1)) / 2;
        for (const std::uint32_t word : marked) {
            search.grouped[word] += rarity * rarity;
        }
    }
    for (const auto& [score, word] : search.scored) {
        search.top = std::max(search.top, score);
    }
    std::unordered_map<std::uint32_t, double> kept;
    for (const auto& [score, word] : offered(search, FirstUngrouped)) {
        kept.emplace(word, score);
    }
    addGroups(search);
    lift(search.scored, kept);
}

// The groups' share added to each word scored (a word the groups find that no sense did is not added).
void DescriptionIndex::addGroups(Search& search) const {
    if (search.grouped.empty()) {
        return;
    }
    for (auto& [score, word] : search.scored) {
        if (const auto added = search.grouped.find(word); added != search.grouped.end()) {
            score += GroupWeight * search.top * added->second;
        }
    }
}

// The words kept (with their scores before) put back above the rest, in their order.
void DescriptionIndex::lift(std::vector<std::pair<double, std::uint32_t>>& scored,
                            const std::unordered_map<std::uint32_t, double>& kept) {
    double rest = 0;
    for (const auto& [score, word] : scored) {
        if (!kept.contains(word)) {
            rest = std::max(rest, score);
        }
    }
    for (auto& [score, word] : scored) {
        if (const auto before = kept.find(word); before != kept.end()) {
            score = before->second + rest + 1;
        }
    }
}

} // namespace offers
