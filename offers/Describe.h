#pragma once

#include "offers/DescriptionText.h"
#include "offers/OfferIndex.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Words from their meaning: a description ("fear of heights") ranked against every sense of the word database's
// meanings, as a search engine ranks pages (BM25 over the senses' terms), with how common each word is and the part
// of speech the description reads as. Plain C++, no display.
namespace offers {

// The offers list's rows, at most, and how many of the offers for a text's letters a description keeps beside the
// words it describes.
inline constexpr std::size_t MostOffered = 10;
inline constexpr std::size_t OffersBesideDescriptions = 2;
// A description of 10,000 words is read as its start.
inline constexpr std::size_t LongestDescription = 4096;
// The first words found for a description, ranked by what it says alone; past them, the rest are ranked again with
// what the first of them and the description's own words say.
inline constexpr std::size_t FirstKept = 20;

// Whether a typed text reads as a description rather than a word: two words or more, and none of the offers for it
// is the text itself (an entry or phrase, forgiven as the offers forgive it) or a base form of it ("looked up").
bool readsAsDescription(std::string_view typed, const std::vector<Offer>& offered);

struct Described {
    std::string word;
    std::string sense; // the sense it matched, as the meaning has it
    double score = 0;
};

class DescriptionIndex {
public:
    // One entry and its meaning as stored: each line a sense. The bundled dictionary's layout is read (its head line
    // and overview left out, the part of speech from each heading); any other meaning is taken line by line, a
    // leading "1. " or "(noun) " read as such.
    void add(const std::string& word, const std::string& meaning);
    // Before adding: an index for one description only keeps that description's terms, which makes it quick to
    // build (for a single question asked from the command line). Its answers for that description are the same.
    void keepOnlyTermsOf(std::string_view description);
    // Ends the adding: how common each word is (its use count, by its name; a name listed twice counts as listed
    // last), for the ranking.
    using WordUses = std::vector<std::pair<std::string, double>>;
    void finish(const WordUses& uses);
    // Once finished: two words made one from the other ("coward", "cowardly"), each then found through what the
    // other's senses say. A name that is no word of the index, or a word with itself, is passed over. The words
    // related are searched once finishRelating has been called.
    void relate(std::string_view word, std::string_view other);
    void finishRelating();
    // Once finished: a word that names a person ("sleepwalker"), which counts for more where a description asks for
    // one ("a person who walks in their sleep"). A name that is no word of the index is passed over.
    void namePerson(std::string_view word);
    // Whether the words that name a person count here: in any whole index, and in an index for a description that
    // asks for one (read as the ranking reads it: "what do you call a person who ..." asks).
    bool takesPeople() const { return m_only.empty() || m_asksForAPerson; }
    // Once finished: a word of a thesaurus's group, the words it gathers under one meaning ("stubborn", "obstinate",
    // "mulish", "pigheaded"). A description's words that fall in a word's groups count for it ("refusing to change
    // your mind"). Groups are told apart by their number; a name that is no word of the index is passed over. The
    // groups are searched once finishGrouping has been called.
    void group(std::string_view word, std::uint32_t group);
    void finishGrouping();

    // The words that mean the description, best first, at most count; none for a text with no terms.
    std::vector<Described> wordsFor(std::string_view description, std::size_t count) const;
    // The part of speech a description reads as: from its first words where they say it, else as the single words it
    // gives agree ("...; simultaneous"), else as the database's own senses that open with the same word are
    // ("refusing ..." opens adjectives).
    PartOfSpeech partOf(std::string_view description) const;
    std::size_t senses() const { return m_senses.size(); }
    std::size_t words() const { return m_words.size(); }

    // Per term, the one-word entries it names, by the hash of the term.
    using WordsByTerm = std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>;

private:
    struct Sense {
        std::uint32_t word;
        std::uint32_t length; // terms
        std::uint32_t textAt; // its text's start in m_texts
        std::uint16_t textLength;
        PartOfSpeech part;
        std::uint8_t place; // among its word's senses of its part of speech, from 0 (up to 255)
    };
    // A sense that has a term, and how often (up to 255), in four bytes, as there are millions.
    class Posting {
    public:
        explicit Posting(std::uint32_t sense) : m_value(sense << 8U | 1U) {}
        std::uint32_t sense() const { return m_value >> 8U; }
        std::uint32_t count() const { return m_value & 0xFFU; }
        void countAgain() { m_value += count() < 0xFFU ? 1U : 0U; }

    private:
        std::uint32_t m_value;
    };
    static constexpr std::size_t MostSenses = std::size_t{1} << 24;
    static constexpr std::uint32_t NoSense = 0xFFFFFFFFU; // a word without senses
    // Per word, its best sense (the first of equals) as weighed for a description, and what all its senses score.
    struct Tally {
        double top = 0;
        double all = 0;
        std::uint32_t sense = NoSense;
    };
    using WordScores = std::unordered_map<std::uint32_t, std::pair<double, std::uint32_t>>; // score, sense shown

    // A description as ranked: what is asked, its terms (sorted, each once), the part of speech it reads as, and
    // per word its score and the sense to show, then its final score (score, word).
    struct Search {
        std::string description;
        std::vector<std::string> terms;
        std::unordered_set<std::string> own; // the same terms, for a word the description itself uses
        PartOfSpeech part = PartOfSpeech::Unknown;
        WordScores best;
        std::vector<std::pair<double, std::uint32_t>> scored; // score, word
        std::unordered_map<std::uint32_t, double> grouped;    // per word, what the thesaurus's groups add
        double top = 0;                                       // the best score before they add it
    };
    Search searched(std::string_view asking) const;
    bool better(const std::pair<double, std::uint32_t>& a, const std::pair<double, std::uint32_t>& b) const;
    bool usedBy(std::uint32_t word, const std::unordered_set<std::string>& terms) const;
    std::vector<std::uint32_t> saidBy(const std::vector<std::string>& terms,
                                      const std::unordered_set<std::string>& own) const;
    std::vector<std::pair<double, std::uint32_t>> offered(Search& search, std::size_t count) const;
    void searchAgainPastTheFirst(Search& search) const;
    void searchGroups(Search& search) const;
    void addGroups(Search& search) const;
    static void lift(std::vector<std::pair<double, std::uint32_t>>& scored,
                     const std::unordered_map<std::uint32_t, double>& kept);

    void addSense(std::uint32_t word, PartOfSpeech part, std::string text);
    std::unordered_map<std::uint32_t, double> scoresOf(const std::vector<std::string>& terms) const;
    // The shortest part of a compound that counts as a word of it ("woodworker": wood, worker; not "carpet": car,
    // pet).
    static constexpr std::size_t ShortestPart = 4;
    bool keeps(const std::string& term) const;
    void nameWords();
    void findMentions(const WordsByTerm& wordsByTerm);
    void addCompoundParts(const WordsByTerm& wordsByTerm);
    std::unordered_map<std::uint32_t, double> mentionScoresOf(const std::vector<std::string>& terms) const;
    std::unordered_map<std::uint32_t, double> namingScoresOf(const std::vector<std::uint32_t>& words) const;
    WordScores tallied(const std::unordered_map<std::uint32_t, double>& senseScore, PartOfSpeech part) const;
    WordScores wordScoresOf(const std::vector<std::string>& terms, PartOfSpeech part,
                            const std::vector<Negated>& negated) const;
    void addNegated(const std::vector<Negated>& negated, PartOfSpeech part, WordScores& best) const;
    std::vector<std::pair<double, std::uint32_t>> finalScores(const WordScores& best, std::string_view description,
                                                              const std::vector<std::string>& terms) const;
    void addRelated(const std::unordered_map<std::uint32_t, Tally>& tallies, PartOfSpeech part, WordScores& best) const;
    std::uint32_t senseShown(std::uint32_t word, PartOfSpeech part) const;
    double rarity(const std::string& term) const;
    std::uint32_t wordNamed(std::string_view name) const;
    std::pair<std::uint32_t, std::uint32_t> sensesOf(std::uint32_t word) const;
    std::array<std::uint32_t, 4> partsOf(std::uint32_t word) const;
    PartOfSpeech partOfLoneWords(std::string_view description) const;
    std::vector<const std::vector<Posting>*> postingsRead(const std::vector<std::string>& terms) const;

    std::vector<std::string> m_words;
    std::vector<double> m_prior; // per word
    std::vector<Sense> m_senses;
    std::string m_texts; // the start of each sense's text, one after the other
    std::unordered_map<std::string, std::vector<Posting>> m_postings;
    std::unordered_set<std::string> m_only; // the only terms kept, where not empty
    std::array<bool, 256> m_keptFirst{};    // and their first letters
    std::string m_opener;                   // and the first word of that description
    bool m_asksForAPerson = false;          // and whether it asks for a person
    // Of those, the ones that may be part of a compound, by their first letter and by their last.
    std::array<std::vector<std::string>, 256> m_startsKept;
    std::array<std::vector<std::string>, 256> m_endsKept;
    std::unordered_map<std::string, std::vector<std::uint32_t>> m_opposed; // per term, the senses it is the opposite of
    std::vector<std::uint32_t> m_byName;                                   // the words in the order of their names
    // The senses each first word opens, by part of speech (noun, verb, adjective, adverb).
    std::unordered_map<std::string, std::array<std::uint32_t, 4>> m_openers;
    // Mentions: the words each sense names ("the craft of a carpenter: making things out of wood" names carpenter
    // and wood), the senses one after the other (the words of sense s from m_mentionsAt[s] to m_mentionsAt[s + 1]);
    // and per word, its first sense and the length of all the senses that name it. While adding, the hashes of
    // each sense's terms stand in for the words.
    std::vector<std::uint32_t> m_mentions;
    std::vector<std::uint32_t> m_mentionsAt;
    std::vector<std::uint64_t> m_termHashes;
    std::vector<std::uint32_t> m_firstSense;
    std::vector<float> m_mentionLength;
    double m_averageMentionLength = 1;
    // Words made one from the other: those of word w from m_relatedAt[w] to m_relatedAt[w + 1] in m_related (none
    // at all while m_relatedAt is empty); while relating, the pairs both ways.
    std::vector<std::uint32_t> m_relatedAt;
    std::vector<std::uint32_t> m_related;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_relating;
    std::vector<bool> m_people; // per word, whether it names a person; empty where none is named
    // A thesaurus's groups: the words of group g from m_membersAt[g] to m_membersAt[g + 1] in m_members; per term of
    // a word's name, the groups it is in; and how many words are in any. While grouping, the pairs (group, word).
    std::vector<std::uint32_t> m_membersAt;
    std::vector<std::uint32_t> m_members;
    std::unordered_map<std::string, std::vector<std::uint32_t>> m_groupsByTerm;
    std::size_t m_grouped = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_grouping;
    double m_averageLength = 1;
};

} // namespace offers
