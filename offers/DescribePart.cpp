// The part of speech a description reads as: where its first words do not say it, as the database's own senses that
// open with its first word read, or as that word itself is.
#include "offers/Describe.h"

#include <algorithm>
#include <array>

namespace offers {

namespace {

// A description's first word says its part of speech where it opens this many senses of the database at least, and
// this share of them in one part of speech.
constexpr std::uint32_t MinOpenings = 5;
constexpr double OpeningShare = 0.7;

// The part of speech that holds a share of counts (noun, verb, adjective, adverb) and at least so many, or none.
PartOfSpeech mostOf(const std::array<std::uint32_t, 4>& counts, std::uint32_t least, double share = OpeningShare) {
    const auto most = std::max_element(counts.begin(), counts.end());
    const std::uint32_t total = counts[0] + counts[1] + counts[2] + counts[3];
    if (total < least || *most < total * share) {
        return PartOfSpeech::Unknown;
    }
    return static_cast<PartOfSpeech>(1 + (most - counts.begin()));
}

} // namespace

// How many of a word's senses are of each part of speech (noun, verb, adjective, adverb).
std::array<std::uint32_t, 4> DescriptionIndex::partsOf(std::uint32_t word) const {
    std::array<std::uint32_t, 4> parts{};
    const auto [from, to] = sensesOf(word);
    for (std::uint32_t s = from; s < to; ++s) {
        if (m_senses[s].part != PartOfSpeech::Unknown) {
            ++parts[static_cast<std::size_t>(m_senses[s].part) - 1];
        }
    }
    return parts;
}

// A definition that gives single words as well ("happening at the same time; simultaneous") is what they are, where
// each is a word of one part of speech and they agree. A word in "-ing" is passed over: the entry is as often the
// noun ("leaping", the act) as the participle that a definition means.
PartOfSpeech DescriptionIndex::partOfLoneWords(std::string_view description) const {
    PartOfSpeech agreed = PartOfSpeech::Unknown;
    std::string_view rest = description.substr(0, LongestDescription); // a page pasted is read as its start
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::vector<std::string> words = lowerWords(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (words.size() != 1 || words.front().ends_with("ing")) {
            continue;
        }
        const std::uint32_t word = wordNamed(words.front());
        if (word == NoSense || m_firstSense[word] == NoSense) {
            continue;
        }
        const PartOfSpeech only = mostOf(partsOf(word), 1, 1.0);
        if (only != PartOfSpeech::Unknown) {
            if (agreed != PartOfSpeech::Unknown && only != agreed) {
                return PartOfSpeech::Unknown;
            }
            agreed = only;
        }
    }
    return agreed;
}

PartOfSpeech DescriptionIndex::partOf(std::string_view description) const {
    if (const PartOfSpeech said = partOfSpeechOf(description); said != PartOfSpeech::Unknown) {
        return said;
    }
    if (const PartOfSpeech given = partOfLoneWords(description); given != PartOfSpeech::Unknown) {
        return given;
    }
    const std::string first = firstWord(description);
    if (const auto it = m_openers.find(first); it != m_openers.end()) {
        if (const PartOfSpeech opened = mostOf(it->second, MinOpenings); opened != PartOfSpeech::Unknown) {
            return opened;
        }
    }
    // A description that opens with a word of the database is what that word is ("suddenness; haste": a noun), but
    // for an adverb, which says how the next word is ("sullenly obstinate").
    const std::uint32_t word = wordNamed(first);
    if (word == NoSense || m_firstSense[word] == NoSense) {
        return PartOfSpeech::Unknown;
    }
    const PartOfSpeech own = mostOf(partsOf(word), 1);
    return own == PartOfSpeech::Adverb ? PartOfSpeech::Unknown : own;
}

} // namespace offers
