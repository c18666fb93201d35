#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace offers {

// Finds the spellings nearest a typed text as people misspell: a letter left out, added, doubled or changed, two
// letters swapped, a vowel for another, a sound spelt another way ("f" for "ph"). Each slip has a cost; the cheap
// ones are those people make most. The spellings are kept in a trie, so that a search walks only the branches
// still within reach of the typed text.
class Speller {
public:
    // Adds a spelling (plain text, as the offers compare it) standing for `id`; the text must live until build(),
    // which is called after the last one. A spelling longer than 255 bytes or holding a NUL is not kept, and of
    // more than 65,535 alike only the first are.
    void add(std::string_view spelling, std::uint32_t id);
    void reserve(std::size_t spellings) { m_pending.reserve(spellings); }
    void build();

    // The ids whose spelling is exactly the text, in the order they were added.
    std::span<const std::uint32_t> exactly(std::string_view spelling) const;
    // The ids whose spelling begins with the text (the text itself included).
    std::span<const std::uint32_t> beginningWith(std::string_view prefix) const;

    struct Match {
        std::uint32_t id;
        float cost;
    };
    // Every id whose spelling is within `most` of the typed text, with the cost of the cheapest way there.
    std::vector<Match> near(std::string_view typed, float most) const;

    std::size_t memoryUsed() const;

private:
    // Twelve bytes: a dictionary's trie has about three nodes a word.
    struct Node {
        std::uint32_t firstChild = 0;
        std::uint32_t firstId = 0; // the ids of the spellings that end here: m_ids[firstId, firstId + idCount)
        std::uint16_t idCount = 0;
        std::uint8_t childCount = 0; // a child a letter, and no letter is NUL
        char letter = 0;
        std::uint32_t endId() const { return firstId + idCount; }
    };
    static_assert(sizeof(Node) == 12);
    struct Search;
    void fill(std::uint32_t self, std::size_t lo, std::size_t hi, std::size_t depth);
    const Node* nodeOf(std::string_view spelling) const;

    std::vector<std::pair<std::string_view, std::uint32_t>> m_pending;
    std::vector<Node> m_nodes;
    std::vector<std::uint8_t> m_below; // per node: how many letters its longest spelling has after the node's
    std::vector<std::uint32_t> m_ids;
};

} // namespace offers
