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
PartOfSpeech mostOf(const std::array<std::uint32_t, 4>& counts, std::uint32_t least) {
    const auto most = std::max_element(counts.begin(), counts.end());
    const std::uint32_t total = counts[0] + counts[1] + counts[2] + counts[3];
    if (total < least || *most < total * OpeningShare) {
        return PartOfSpeech::Unknown;
    }
    return static_cast<PartOfSpeech>(1 + (most - counts.begin()));
}

} // namespace

PartOfSpeech DescriptionIndex::partOf(std::string_view description) const {
    if (const PartOfSpeech said = partOfSpeechOf(description); said != PartOfSpeech::Unknown) {
        return said;
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
    std::array<std::uint32_t, 4> parts{};
    const auto [from, to] = sensesOf(word);
    for (std::uint32_t s = from; s < to; ++s) {
        if (m_senses[s].part != PartOfSpeech::Unknown) {
            ++parts[static_cast<std::size_t>(m_senses[s].part) - 1];
        }
    }
    const PartOfSpeech own = mostOf(parts, 1);
    return own == PartOfSpeech::Adverb ? PartOfSpeech::Unknown : own;
}

} // namespace offers
