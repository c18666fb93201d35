// Which words the senses of a word database name: a sense that has a word's term names that word ("the craft of a
// carpenter" names carpenter), and a sense that has a compound of two words has each of them ("woodworker"). And
// which words are made one from the other ("coward", "cowardly").
#include "offers/Describe.h"

#include <algorithm>

namespace offers {

namespace {

// The words a term names, by the hash of that term: of the entries of one word (no space or hyphen) whose term it is,
// the shortest ("dark", not "darkness"; "species", whose term is "speci").
using WordsByTerm = DescriptionIndex::WordsByTerm;
WordsByTerm wordsByTermOf(const std::vector<std::string>& words) {
    WordsByTerm byTerm;
    byTerm.reserve(words.size());
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (words[w].find_first_of(" -") != std::string::npos) {
            continue;
        }
        const std::vector<std::string> terms = descriptionTerms(words[w]);
        if (terms.size() != 1) {
            continue;
        }
        std::vector<std::uint32_t>& named = byTerm[std::hash<std::string>{}(terms.front())];
        if (!named.empty() && words[w].size() != words[named.front()].size()) {
            if (words[w].size() > words[named.front()].size()) {
                continue;
            }
            named.clear();
        }
        named.push_back(static_cast<std::uint32_t>(w));
    }
    return byTerm;
}

// Each sense and a word it names, from the hashes of the senses' terms (those of sense s from at[s] to at[s + 1]); a
// term a sense has twice names its word once, as it is one posting.
std::vector<std::pair<std::uint32_t, std::uint32_t>> namedByHashes(const std::vector<std::uint32_t>& at,
                                                                   const std::vector<std::uint64_t>& hashes,
                                                                   const WordsByTerm& byTerm) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> named;
    named.reserve(hashes.size());
    for (std::size_t s = 0; s < at.size(); ++s) {
        const auto first = hashes.begin() + at[s];
        const auto last = s + 1 < at.size() ? hashes.begin() + at[s + 1] : hashes.end();
        for (auto term = first; term != last; ++term) {
            const auto words = byTerm.find(*term);
            if (words != byTerm.end() && std::find(first, term, *term) == term) {
                for (const std::uint32_t w : words->second) {
                    named.emplace_back(static_cast<std::uint32_t>(s), w);
                }
            }
        }
    }
    return named;
}

} // namespace

void DescriptionIndex::nameWords() {
    const WordsByTerm wordsByTerm = wordsByTermOf(m_words);
    findMentions(wordsByTerm);
    addCompoundParts(wordsByTerm);
}

// Which words each sense names: a word is named wherever another word's sense has the term that names it
// ("carpenter"). Found from the postings of each word's term, or, in an index
// for one description, from the hashes of each sense's terms.
void DescriptionIndex::findMentions(const WordsByTerm& wordsByTerm) {
    // An index for one description has the hashes of every sense's terms, any other the postings of every term.
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> hashed =
        m_only.empty() ? std::vector<std::pair<std::uint32_t, std::uint32_t>>{}
                       : namedByHashes(m_mentionsAt, m_termHashes, wordsByTerm);
    const auto forEachMention = [&](const auto& visit) {
        if (!m_only.empty()) {
            for (const auto& [sense, word] : hashed) {
                visit(sense, word);
            }
            return;
        }
        for (const auto& [term, postings] : m_postings) {
            const auto named = wordsByTerm.find(std::hash<std::string>{}(term));
            if (named == wordsByTerm.end()) {
                continue;
            }
            for (const Posting& p : postings) {
                for (const std::uint32_t w : named->second) {
                    visit(p.sense(), w);
                }
            }
        }
    };
    // Each sense's words, counted and then placed.
    std::vector<std::uint32_t> at(m_senses.size() + 1, 0);
    forEachMention([&](std::uint32_t sense, std::uint32_t word) { at[sense + 1] += word != m_senses[sense].word; });
    for (std::size_t s = 0; s < m_senses.size(); ++s) {
        at[s + 1] += at[s];
    }
    m_mentions.assign(at.back(), 0);
    m_mentionLength.assign(m_words.size(), 0);
    std::vector<std::uint32_t> placed(at.begin(), at.end() - 1);
    double total = 0;
    forEachMention([&](std::uint32_t sense, std::uint32_t word) {
        if (word != m_senses[sense].word) {
            m_mentions[placed[sense]++] = word;
            m_mentionLength[word] += static_cast<float>(m_senses[sense].length);
            total += m_senses[sense].length;
        }
    });
    std::size_t named = 0;
    for (const float length : m_mentionLength) {
        named += length > 0 ? 1 : 0;
    }
    m_averageMentionLength = named == 0 ? 1 : std::max(1.0, total / static_cast<double>(named));
    m_mentionsAt = std::move(at);
    m_termHashes = {};
}

// A sense that has a compound of two words has each of them too: "a woodworker" is a worker, in wood. The compound is
// split where its first part is shortest. A sense that has a part already has it as it has it; one that has it only
// in compounds, as often as in the compound that has it most.
void DescriptionIndex::addCompoundParts(const WordsByTerm& wordsByTerm) {
    const auto isWord = [&wordsByTerm](std::string_view part) {
        return wordsByTerm.contains(std::hash<std::string_view>{}(part));
    };
    std::unordered_map<std::string, std::vector<Posting>> fromCompounds; // per part, the postings of its compounds
    for (const auto& [term, postings] : m_postings) {
        const std::string_view compound(term);
        for (std::size_t at = ShortestPart; at + ShortestPart <= compound.size(); ++at) {
            if (isWord(compound.substr(0, at)) && isWord(compound.substr(at))) {
                for (const std::string_view part : {compound.substr(0, at), compound.substr(at)}) {
                    std::vector<Posting>& into = fromCompounds[std::string(part)];
                    into.insert(into.end(), postings.begin(), postings.end());
                }
                break;
            }
        }
    }
    const auto bySense = [](const Posting& a, const Posting& b) { return a.sense() < b.sense(); };
    const auto sameSense = [](const Posting& a, const Posting& b) { return a.sense() == b.sense(); };
    std::vector<Posting> merged;
    for (auto& [part, compounds] : fromCompounds) {
        std::sort(compounds.begin(), compounds.end(), [](const Posting& a, const Posting& b) {
            return a.sense() != b.sense() ? a.sense() < b.sense() : a.count() > b.count();
        });
        std::vector<Posting>& postings = m_postings[part];
        merged.clear();
        merged.reserve(postings.size() + compounds.size());
        std::merge(postings.begin(), postings.end(), compounds.begin(), compounds.end(), std::back_inserter(merged),
                   bySense);
        merged.erase(std::unique(merged.begin(), merged.end(), sameSense), merged.end());
        postings.assign(merged.begin(), merged.end());
    }
}

void DescriptionIndex::relate(std::string_view word, std::string_view other) {
    const std::uint32_t one = wordNamed(word);
    const std::uint32_t two = wordNamed(other);
    if (one != NoSense && two != NoSense && one != two) {
        m_relating.emplace_back(one, two);
        m_relating.emplace_back(two, one);
    }
}

void DescriptionIndex::namePerson(std::string_view word) {
    if (const std::uint32_t named = wordNamed(word); named != NoSense) {
        m_people.resize(m_words.size());
        m_people[named] = true;
    }
}

void DescriptionIndex::finishRelating() {
    std::sort(m_relating.begin(), m_relating.end());
    m_relating.erase(std::unique(m_relating.begin(), m_relating.end()), m_relating.end());
    m_relatedAt.assign(m_words.size() + 1, 0);
    m_related.clear();
    m_related.reserve(m_relating.size());
    for (const auto& [word, other] : m_relating) {
        ++m_relatedAt[word + 1];
        m_related.push_back(other);
    }
    for (std::size_t w = 0; w < m_words.size(); ++w) {
        m_relatedAt[w + 1] += m_relatedAt[w];
    }
    m_relating.clear();
    m_relating.shrink_to_fit();
}

} // namespace offers
