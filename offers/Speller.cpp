#include "offers/Speller.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace offers {

namespace {

// Longer texts than this are not looked for: nobody misspells a sentence.
constexpr std::size_t LongestTyped = 40;

bool isVowel(char c) {
    return std::strchr("aeiouy", c) != nullptr && c != 0;
}

// Letters that stand for the same sound often enough to be written for each other.
bool soundAlike(char a, char b) {
    static constexpr std::array<std::array<char, 2>, 7> pairs{
        {{'c', 'k'}, {'c', 's'}, {'s', 'z'}, {'g', 'j'}, {'k', 'q'}, {'m', 'n'}, {'t', 'd'}}};
    return std::any_of(pairs.begin(), pairs.end(),
                       [a, b](const auto& p) { return (p[0] == a && p[1] == b) || (p[0] == b && p[1] == a); });
}

// Sounds spelt with other letters: `typed` written for `meant`.
struct Respelling {
    std::string_view typed;
    std::string_view meant;
    float cost;
};
constexpr std::array<Respelling, 16> Respellings{{
    {"f", "ph", 0.5F},
    {"ph", "f", 0.5F},
    {"k", "ch", 0.6F},
    {"sh", "ti", 0.5F},
    {"shun", "tion", 0.5F},
    {"sion", "tion", 0.5F},
    {"tion", "sion", 0.5F},
    {"ks", "x", 0.5F},
    {"x", "cs", 0.5F},
    {"cs", "x", 0.5F},
    {"kw", "qu", 0.5F},
    {"s", "sc", 0.5F},
    {"sc", "s", 0.5F},
    {"c", "ss", 0.6F},
    {"s", "ss", 0.4F},
    {"j", "dg", 0.6F},
}};

// A slip at the first letter costs more: people rarely get the first letter wrong.
constexpr float FirstLetter = 0.6F;

float changed(char typed, char meant) {
    if (typed == meant) {
        return 0.0F;
    }
    if (isVowel(typed) && isVowel(meant)) {
        return 0.5F;
    }
    return soundAlike(typed, meant) ? 0.6F : 1.0F;
}

// A letter of the meant word left out of the typed text; `before` is the letter before it in the word (0 at the
// start). A doubled letter written once is the commonest slip of all.
float leftOut(char letter, char before) {
    if (letter == before) {
        return 0.35F;
    }
    return isVowel(letter) ? 0.7F : 1.0F;
}

// The least a letter typed too many costs (or a letter of a sound spelt with more letters, per letter).
constexpr float CheapestAdded = 0.4F;

// A letter typed that the meant word does not have here, between the typed letter `before` and the word's `beside`.
float added(char letter, char before, char beside) {
    if (letter == before || letter == beside) {
        return 0.4F;
    }
    return isVowel(letter) ? 0.7F : 1.0F;
}

// Two letters typed in each other's place. Two vowels swapped ("ie" for "ei") is the commonest of these slips.
float swapped(char a, char b) {
    return isVowel(a) && isVowel(b) ? 0.5F : 0.7F;
}

bool endsWith(const char* text, std::size_t length, std::string_view tail) {
    return length >= tail.size() && std::memcmp(text + length - tail.size(), tail.data(), tail.size()) == 0;
}

} // namespace

// The rows of the edit table for the letters of one branch: row d holds, for each length i of the typed text, the
// cheapest cost of typing its first i letters for the branch's first d letters.
struct Speller::Search {
    std::string_view typed;
    std::size_t width; // typed.size() + 1
    std::vector<float> rows;
    std::vector<char> path; // path[d - 1] is the branch's d-th letter

    explicit Search(std::string_view t, std::size_t depth)
        : typed(t), width(t.size() + 1), rows((depth + 1) * width), path(depth) {
        float* first = rows.data();
        first[0] = 0.0F;
        for (std::size_t i = 1; i < width; ++i) {
            first[i] =
                first[i - 1] + added(typed[i - 1], i > 1 ? typed[i - 2] : '\0', '\0') + (i == 1 ? FirstLetter : 0.0F);
        }
    }

    // Fills row d (the branch's letter path[d - 1] is set) and returns the least any spelling of the branch can
    // cost: no spelling below it is longer than d + below letters, so typed letters beyond those are typed too many.
    float fill(std::size_t d, std::size_t below = SIZE_MAX) {
        const float* up = &rows[(d - 1) * width];
        float* row = &rows[d * width];
        const char w = path[d - 1];
        const char wBefore = d > 1 ? path[d - 2] : '\0';
        const float startSlip = d == 1 ? FirstLetter : 0.0F;
        row[0] = up[0] + leftOut(w, wBefore) + startSlip;
        const auto tooMany = [this, below](std::size_t typedSoFar) {
            const std::size_t left = width - 1 - typedSoFar;
            return left > below ? static_cast<float>(left - below) * CheapestAdded : 0.0F;
        };
        float least = row[0] + tooMany(0);
        for (std::size_t i = 1; i < width; ++i) {
            const char t = typed[i - 1];
            const char tBefore = i > 1 ? typed[i - 2] : '\0';
            const float slip = (i == 1 || d == 1) ? FirstLetter : 0.0F;
            float best = up[i - 1] + (t == w ? 0.0F : changed(t, w) + slip);
            best = std::min(best, up[i] + leftOut(w, wBefore) + slip);
            best = std::min(best, row[i - 1] + added(t, tBefore, w) + slip);
            if (i > 1 && d > 1 && t == wBefore && tBefore == w && t != w) {
                best = std::min(best, rows[(d - 2) * width + i - 2] + swapped(t, w) + slip);
            }
            for (const Respelling& r : Respellings) {
                if (i >= r.typed.size() && d >= r.meant.size() && endsWith(typed.data(), i, r.typed) &&
                    endsWith(path.data(), d, r.meant)) {
                    best = std::min(best, rows[(d - r.meant.size()) * width + i - r.typed.size()] + r.cost);
                }
            }
            row[i] = best;
            least = std::min(least, best + tooMany(i));
        }
        return least;
    }

    float last(std::size_t d) const { return rows[d * width + width - 1]; }
};

void Speller::add(std::string_view spelling, std::uint32_t id) {
    if (!spelling.empty() && spelling.size() <= 255 && spelling.find('\0') == std::string_view::npos) {
        m_pending.emplace_back(spelling, id);
    }
}

void Speller::build() {
    std::sort(m_pending.begin(), m_pending.end());
    m_nodes.clear();
    m_ids.clear();
    // Room for exactly the nodes the trie will have (a node for each letter a spelling does not share with the one
    // before it), so that the largest array of the offers is never copied to grow.
    std::size_t nodes = 1;
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        const std::string_view spelling = m_pending[i].first;
        const std::string_view before = i > 0 ? m_pending[i - 1].first : std::string_view();
        const auto shared = std::mismatch(spelling.begin(), spelling.end(), before.begin(), before.end()).first;
        nodes += static_cast<std::size_t>(spelling.end() - shared);
    }
    m_nodes.reserve(nodes);
    m_below.assign(nodes, 0);
    m_ids.reserve(m_pending.size());
    m_nodes.emplace_back();
    fill(0, 0, m_pending.size(), 0);
    m_pending.clear();
    m_pending.shrink_to_fit();
    m_nodes.shrink_to_fit();
    m_ids.shrink_to_fit();
}

// Fills node `self` from the sorted spellings [lo, hi), which share their first `depth` letters. A node's children
// sit side by side, and their own children after all of them.
void Speller::fill(std::uint32_t self, std::size_t lo, std::size_t hi, std::size_t depth) {
    std::size_t i = lo;
    m_nodes[self].firstId = static_cast<std::uint32_t>(m_ids.size());
    for (; i < hi && m_pending[i].first.size() == depth; ++i) {
        if (m_nodes[self].idCount < UINT16_MAX) {
            m_ids.push_back(m_pending[i].second);
            ++m_nodes[self].idCount;
        }
    }
    std::vector<std::size_t> starts;
    for (std::size_t j = i; j < hi; ++j) {
        if (j == i || m_pending[j].first[depth] != m_pending[j - 1].first[depth]) {
            starts.push_back(j);
        }
    }
    starts.push_back(hi);
    const auto firstChild = static_cast<std::uint32_t>(m_nodes.size());
    const std::size_t count = starts.size() - 1;
    m_nodes[self].firstChild = firstChild;
    m_nodes[self].childCount = static_cast<std::uint8_t>(count);
    m_nodes.resize(m_nodes.size() + count);
    for (std::size_t c = 0; c < count; ++c) {
        m_nodes[firstChild + c].letter = m_pending[starts[c]].first[depth];
    }
    std::uint8_t below = 0;
    for (std::size_t c = 0; c < count; ++c) {
        fill(static_cast<std::uint32_t>(firstChild + c), starts[c], starts[c + 1], depth + 1);
        below = std::max(below, static_cast<std::uint8_t>(std::min(m_below[firstChild + c] + 1, int{UINT8_MAX})));
    }
    m_below[self] = below;
}

const Speller::Node* Speller::nodeOf(std::string_view spelling) const {
    if (m_nodes.empty()) {
        return nullptr;
    }
    const Node* node = &m_nodes[0];
    for (const char letter : spelling) {
        const Node* first = m_nodes.data() + node->firstChild;
        const Node* end = first + node->childCount;
        // Children are in letter order (as unsigned bytes, the order the spellings were sorted in).
        const Node* child = std::lower_bound(first, end, letter, [](const Node& n, char l) {
            return static_cast<unsigned char>(n.letter) < static_cast<unsigned char>(l);
        });
        if (child == end || child->letter != letter) {
            return nullptr;
        }
        node = child;
    }
    return node;
}

std::span<const std::uint32_t> Speller::exactly(std::string_view spelling) const {
    const Node* node = nodeOf(spelling);
    if (node == nullptr) {
        return {};
    }
    return {m_ids.data() + node->firstId, node->idCount};
}

std::span<const std::uint32_t> Speller::beginningWith(std::string_view prefix) const {
    const Node* node = nodeOf(prefix);
    if (node == nullptr) {
        return {};
    }
    // The ids were laid out branch by branch, so a branch's ids are side by side: from its own to those of its
    // last leaf.
    const Node* last = node;
    while (last->childCount > 0) {
        last = &m_nodes[last->firstChild + last->childCount - 1U];
    }
    return {m_ids.data() + node->firstId, last->endId() - node->firstId};
}

std::vector<Speller::Match> Speller::near(std::string_view typed, float most) const {
    std::vector<Match> found;
    if (typed.empty() || typed.size() > LongestTyped || m_nodes.empty()) {
        return found;
    }
    // A branch can be at most as long as the typed text and the slips the budget allows.
    const std::size_t deepest = typed.size() + static_cast<std::size_t>(most / 0.35F) + 2;
    Search search(typed, deepest);
    struct Step {
        std::uint32_t node;
        std::uint32_t depth;
    };
    std::vector<Step> stack;
    const Node& root = m_nodes[0];
    for (std::uint32_t c = 0; c < root.childCount; ++c) {
        stack.push_back({root.firstChild + c, 1});
    }
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const Node& node = m_nodes[step.node];
        search.path[step.depth - 1] = node.letter;
        if (search.fill(step.depth, m_below[step.node]) > most) {
            continue;
        }
        if (node.idCount > 0) {
            if (const float cost = search.last(step.depth); cost <= most) {
                for (std::uint32_t k = node.firstId; k < node.endId(); ++k) {
                    found.push_back({m_ids[k], cost});
                }
            }
        }
        if (step.depth < deepest) {
            for (std::uint32_t c = 0; c < node.childCount; ++c) {
                stack.push_back({node.firstChild + c, step.depth + 1});
            }
        }
    }
    return found;
}

std::size_t Speller::memoryUsed() const {
    return m_nodes.capacity() * sizeof(Node) + m_ids.capacity() * sizeof(std::uint32_t) + m_below.capacity();
}

} // namespace offers
