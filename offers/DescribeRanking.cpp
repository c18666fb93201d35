// Ranking the words for a description: BM25 over the senses that have its terms and over the senses that name each
// word, with how common each word is and the part of speech the description reads as.
#include "offers/Describe.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace offers {

namespace {

// BM25's usual constants: how soon a term's repeats stop counting, and how much a long sense is discounted.
constexpr double K1 = 1.2;
constexpr double B = 0.75;
// How much how common a word is counts beside what its senses say, and the part of speech the description reads as.
constexpr double PriorWeight = 0.5;
constexpr double PartMatch = 1.25;
constexpr double PartMismatch = 0.6;
// A word whose other senses say the same counts for more: its best sense, and this share of what the others score.
constexpr double OtherSenses = 0.1;
// A dictionary lists a word's senses of each part of speech the commonest first: a sense n places down counts
// 1 / (1 + n LaterSense).
constexpr double LaterSense = 0.03;
// How much the senses that name a word count beside its own.
constexpr double MentionWeight = 0.3;
// A word scores at least this share of what a word made from it, or that it is made from, scores by its own senses.
constexpr double RelatedWeight = 0.7;
// How much a word counts where the description says what it is not: a sense whose opposite the description negates
// ("not young": old), and a word that says the negation itself ("not grateful": ungrateful; "without a home":
// homeless), by how rare the negated word is.
constexpr double OppositeWeight = 5;
constexpr double NegationWeight = 5;
// How much more a word that names a person counts where the description asks for one.
constexpr double PersonWeight = 1.5;
// A description seldom uses a word of its answer's own family: "to make beautiful; to adorn" is embellish more than
// beautify, "the act of asking; interrogation" question more than interrogative. A word that shares at least this
// many first letters with one of its words, and all but the last two letters of the shorter, counts this share.
constexpr std::size_t FamilyStem = 5;
constexpr double FamilyWeight = 0.8;
// The postings a description reads at most (the bundled dictionary's commonest term has some 20,000), and the
// postings it reads for the senses that name words.
constexpr std::size_t MostPostings = 60000;
constexpr std::size_t MostMentionPostings = 30000;

} // namespace

// The postings of a description's terms that are read: the rarest terms first, within a bound of postings, so that no
// text (a page pasted, say) holds the window.
std::vector<const std::vector<DescriptionIndex::Posting>*>
DescriptionIndex::postingsRead(const std::vector<std::string>& terms) const {
    std::vector<const std::vector<Posting>*> lists;
    for (const std::string& term : terms) {
        if (const auto it = m_postings.find(term); it != m_postings.end()) {
            lists.push_back(&it->second);
        }
    }
    std::sort(lists.begin(), lists.end(), [](const auto* a, const auto* b) { return a->size() < b->size(); });
    std::size_t read = 0;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if ((read += lists[i]->size()) > MostPostings) {
            lists.resize(i);
            break;
        }
    }
    return lists;
}

namespace {
// A sense counts for more where it is the part of speech the description reads as, and less where it is another.
double partWeight(PartOfSpeech sense, PartOfSpeech described) {
    if (sense == PartOfSpeech::Unknown || described == PartOfSpeech::Unknown) {
        return 1;
    }
    return sense == described ? PartMatch : PartMismatch;
}
// The family of a description's words: a word that shares their stem ("beautify" with "beautiful"), found by their
// first letters.
class Family {
public:
    explicit Family(const std::vector<std::string>& terms) {
        for (const std::string& term : terms) {
            if (term.size() >= FamilyStem) {
                m_byStem.emplace(std::string_view(term).substr(0, FamilyStem), term);
            }
        }
    }
    bool has(std::string_view name) const {
        if (name.size() < FamilyStem || m_byStem.empty()) {
            return false;
        }
        const auto [from, to] = m_byStem.equal_range(name.substr(0, FamilyStem));
        return std::any_of(from, to, [name](const auto& stemAndTerm) {
            const std::string_view term = stemAndTerm.second;
            const std::size_t shorter = std::min(name.size(), term.size());
            const auto shared = static_cast<std::size_t>(
                std::mismatch(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(shorter), term.begin()).first -
                name.begin());
            return name != term && shared + 2 >= shorter;
        });
    }

private:
    std::unordered_multimap<std::string_view, std::string_view> m_byStem; // the terms (kept by the caller)
};
double inverseFrequency(double documents, double having) {
    return std::log(1 + (documents - having + 0.5) / (having + 0.5));
}
double saturated(double count, double length) {
    return count * (K1 + 1) / (count + K1 * (1 - B + B * length));
}
} // namespace

double DescriptionIndex::rarity(const std::string& term) const {
    const auto it = m_postings.find(term);
    return inverseFrequency(static_cast<double>(m_senses.size()),
                            it == m_postings.end() ? 0.0 : static_cast<double>(it->second.size()));
}

// A word's senses, which are added one after the other: from the first to the one past its last, none for a word
// without senses.
std::pair<std::uint32_t, std::uint32_t> DescriptionIndex::sensesOf(std::uint32_t word) const {
    std::uint32_t end = m_firstSense[word];
    if (end == NoSense) {
        return {0, 0};
    }
    while (end < m_senses.size() && m_senses[end].word == word) {
        ++end;
    }
    return {m_firstSense[word], end};
}

// The word of that name, or NoSense.
std::uint32_t DescriptionIndex::wordNamed(std::string_view name) const {
    const auto it = std::lower_bound(m_byName.begin(), m_byName.end(), name,
                                     [this](std::uint32_t word, std::string_view n) { return m_words[word] < n; });
    return it != m_byName.end() && m_words[*it] == name ? *it : NoSense;
}

// What the description says is not so: the words whose senses have its negated word as their opposite, and the
// words that say the negation themselves; each once for each negated word.
void DescriptionIndex::addNegated(const std::vector<Negated>& negated, PartOfSpeech part, WordScores& best) const {
    static constexpr std::array<std::string_view, 7> Nots{"un", "in", "im", "il", "ir", "dis", "non"};
    std::vector<std::pair<std::uint32_t, std::uint32_t>> found; // word, and the sense to show
    for (const Negated& n : negated) {
        const std::vector<std::string> terms = descriptionTerms(n.word);
        if (terms.size() != 1) {
            continue;
        }
        found.clear();
        if (const auto opposed = m_opposed.find(terms.front()); opposed != m_opposed.end()) {
            for (const std::uint32_t sense : opposed->second) {
                found.emplace_back(m_senses[sense].word, sense);
            }
        }
        const auto say = [&](const std::string& name) {
            if (const std::uint32_t word = wordNamed(name); word != NoSense && m_firstSense[word] != NoSense) {
                found.emplace_back(word, NoSense);
            }
        };
        if (n.lacking) {
            say(n.word + "less");
            say(terms.front() + "less");
        } else {
            for (const std::string_view prefix : Nots) {
                say(std::string(prefix) + n.word);
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(
            std::unique(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
            found.end());
        const double rare = rarity(terms.front());
        for (const auto& [word, sense] : found) {
            auto& [score, shown] = best[word];
            const std::uint32_t saying = sense != NoSense ? sense : m_firstSense[word];
            if (score == 0) {
                shown = saying;
            }
            score +=
                (sense != NoSense ? OppositeWeight : NegationWeight) * rare * partWeight(m_senses[saying].part, part);
        }
    }
}

// BM25: each sense that has a term of the description, scored by how rare the term is and how often the (short) sense
// has it.
std::unordered_map<std::uint32_t, double> DescriptionIndex::scoresOf(const std::vector<std::string>& terms) const {
    const auto n = static_cast<double>(m_senses.size());
    std::unordered_map<std::uint32_t, double> senseScore;
    for (const std::vector<Posting>* postings : postingsRead(terms)) {
        const double idf = inverseFrequency(n, static_cast<double>(postings->size()));
        for (const Posting& p : *postings) {
            senseScore[p.sense()] += idf * saturated(p.count(), m_senses[p.sense()].length / m_averageLength);
        }
    }
    return senseScore;
}

// BM25 again, over what the senses that name each word say: the senses that name carpenter say "making things out of
// wood".
std::unordered_map<std::uint32_t, double>
DescriptionIndex::mentionScoresOf(const std::vector<std::string>& terms) const {
    const auto n = static_cast<double>(m_senses.size());
    std::unordered_map<std::uint32_t, double> wordScore;
    std::vector<std::uint32_t> together(m_words.size(), 0); // per word, the term's count in the senses that name it
    std::vector<std::uint32_t> touched;
    std::size_t read = 0;
    for (const std::vector<Posting>* postings : postingsRead(terms)) {
        if ((read += postings->size()) > MostMentionPostings) {
            break;
        }
        for (const Posting& p : *postings) {
            for (std::uint32_t i = m_mentionsAt[p.sense()]; i < m_mentionsAt[p.sense() + 1]; ++i) {
                const std::uint32_t word = m_mentions[i];
                if (together[word] == 0) {
                    touched.push_back(word);
                }
                together[word] += p.count();
            }
        }
        const double idf = inverseFrequency(n, static_cast<double>(postings->size()));
        for (const std::uint32_t word : touched) {
            wordScore[word] += idf * saturated(together[word], m_mentionLength[word] / m_averageMentionLength);
            together[word] = 0;
        }
        touched.clear();
    }
    return wordScore;
}

// BM25 over the senses that name the words given, as if each word were a term of the description.
std::unordered_map<std::uint32_t, double>
DescriptionIndex::namingScoresOf(const std::vector<std::uint32_t>& words) const {
    if (words.empty()) {
        return {};
    }
    std::vector<std::vector<std::uint32_t>> naming(words.size()); // per word, the senses that name it
    std::vector<std::uint32_t> place(m_words.size(), 0);          // per word of the index, 1 + its place in words
    for (std::size_t i = 0; i < words.size(); ++i) {
        place[words[i]] = static_cast<std::uint32_t>(i + 1);
    }
    for (std::uint32_t sense = 0; sense + 1 < m_mentionsAt.size(); ++sense) {
        for (std::uint32_t i = m_mentionsAt[sense]; i < m_mentionsAt[sense + 1]; ++i) {
            if (const std::uint32_t at = place[m_mentions[i]]; at != 0) {
                naming[at - 1].push_back(sense);
            }
        }
    }
    const auto n = static_cast<double>(m_senses.size());
    std::unordered_map<std::uint32_t, double> senseScore;
    for (const std::vector<std::uint32_t>& senses : naming) {
        const double idf = inverseFrequency(n, static_cast<double>(senses.size()));
        for (const std::uint32_t sense : senses) {
            senseScore[sense] += idf * saturated(1, m_senses[sense].length / m_averageLength);
        }
    }
    return senseScore;
}

// The sense a word found by other means than its own senses shows: its first of the part of speech the description
// reads as, where it has one, else its first.
std::uint32_t DescriptionIndex::senseShown(std::uint32_t word, PartOfSpeech part) const {
    const auto [from, to] = sensesOf(word);
    for (std::uint32_t s = from; part != PartOfSpeech::Unknown && s < to; ++s) {
        if (m_senses[s].part == part) {
            return s;
        }
    }
    return from;
}

// A word is found through the words made from it, or that it is made from: "a person with no courage" says what
// cowardly says ("lacking courage"), and so names coward. Such a word scores at least a share of the best of them,
// as if that sense were its own part of speech's; where its own senses say more, they count.
void DescriptionIndex::addRelated(const std::unordered_map<std::uint32_t, Tally>& tallies, PartOfSpeech part,
                                  WordScores& best) const {
    if (m_relatedAt.empty()) {
        return;
    }
    std::unordered_map<std::uint32_t, double> through;
    for (const auto& [word, tally] : tallies) {
        const double said = RelatedWeight * tally.top / partWeight(m_senses[tally.sense].part, part);
        for (std::uint32_t i = m_relatedAt[word]; i < m_relatedAt[word + 1]; ++i) {
            double& most = through[m_related[i]];
            most = std::max(most, said);
        }
    }
    for (const auto& [word, said] : through) {
        if (m_firstSense[word] == NoSense) {
            continue;
        }
        const std::uint32_t shown = senseShown(word, part);
        const double score = said * partWeight(m_senses[shown].part, part);
        auto& [top, topSense] = best[word];
        if (score > top) {
            top = score;
            topSense = shown;
        }
    }
}

// Each word by its best sense and a share of its others, and the words made from it.
DescriptionIndex::WordScores DescriptionIndex::tallied(const std::unordered_map<std::uint32_t, double>& senseScore,
                                                       PartOfSpeech part) const {
    // Per word, in whatever order the senses come.
    std::unordered_map<std::uint32_t, Tally> tallies;
    for (const auto& [sense, score] : senseScore) {
        const double weighed =
            score * partWeight(m_senses[sense].part, part) / (1 + LaterSense * m_senses[sense].place);
        Tally& tally = tallies[m_senses[sense].word];
        tally.all += weighed;
        if (weighed > tally.top || (weighed == tally.top && sense < tally.sense)) {
            tally.top = weighed;
            tally.sense = sense;
        }
    }
    WordScores best;
    best.reserve(tallies.size());
    for (const auto& [word, tally] : tallies) {
        best.emplace(word, std::pair{tally.top + OtherSenses * (tally.all - tally.top), tally.sense});
    }
    addRelated(tallies, part, best);
    return best;
}

// Each word by its best sense, a share of its others, the words made from it and the senses that name it: its score
// and the sense to show.
DescriptionIndex::WordScores DescriptionIndex::wordScoresOf(const std::vector<std::string>& terms, PartOfSpeech part,
                                                            const std::vector<Negated>& negated) const {
    WordScores best = tallied(scoresOf(terms), part);
    for (const auto& [word, score] : mentionScoresOf(terms)) {
        if (m_firstSense[word] == NoSense) {
            continue;
        }
        // Weighed by the part of speech as the word's own senses are.
        const std::uint32_t shown = senseShown(word, part);
        auto& [top, topSense] = best[word];
        if (top == 0) {
            topSense = shown;
        }
        top += MentionWeight * score * partWeight(m_senses[shown].part, part);
    }
    addNegated(negated, part, best);
    return best;
}

// Each word's score as ranked: what its senses say, with how common it is; more where it names the person the
// description asks for, less where it is of the family of the description's own words.
std::vector<std::pair<double, std::uint32_t>>
DescriptionIndex::finalScores(const WordScores& best, std::string_view description,
                              const std::vector<std::string>& terms) const {
    std::vector<std::pair<double, std::uint32_t>> scored;
    scored.reserve(best.size());
    // A word counts as a person when the sense it matched is that person (the word's first noun sense): "tramp" for
    // its vagrant, not for its long walk.
    const bool forPerson = !m_people.empty() && asksForAPerson(description);
    const Family family(terms);
    for (const auto& [word, score] : best) {
        const Sense& matched = m_senses[score.second];
        const bool person = forPerson && m_people[word] && matched.place == 0 &&
                            (matched.part == PartOfSpeech::Noun || matched.part == PartOfSpeech::Unknown);
        scored.emplace_back((family.has(m_words[word]) ? FamilyWeight : 1) * (person ? PersonWeight : 1) *
                                (score.first + PriorWeight * m_prior[word]),
                            word);
    }
    return scored;
}

} // namespace offers
