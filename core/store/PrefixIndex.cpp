#include "core/store/PrefixIndex.h"

#include "core/store/Criterion.h"

#include <algorithm>

namespace core {

void PrefixIndex::add(std::int64_t key, const std::string& word) {
    m_entries.push_back({foldCase(word), key, word});
}

void PrefixIndex::build() {
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return a.folded < b.folded || (a.folded == b.folded && a.key < b.key);
    });
}

std::vector<std::string> PrefixIndex::wordsBeginningWith(std::string_view prefix, std::size_t most) const {
    if (prefix.empty() || most == 0) {
        return {};
    }
    const std::string folded = foldCase(prefix);
    // Every word that begins with the prefix sorts at or after it, and before the first that does not.
    auto first = std::lower_bound(m_entries.begin(), m_entries.end(), folded,
                                  [](const Entry& e, const std::string& p) { return e.folded < p; });
    // The `most` matches first in the store's order: a heap of the smallest keys seen, the largest on top.
    const auto laterInStore = [](const Entry* a, const Entry* b) { return a->key < b->key; };
    std::vector<const Entry*> matches;
    matches.reserve(most + 1);
    for (auto it = first; it != m_entries.end() && it->folded.compare(0, folded.size(), folded) == 0; ++it) {
        if (matches.size() < most) {
            matches.push_back(&*it);
            std::push_heap(matches.begin(), matches.end(), laterInStore);
        } else if (it->key < matches.front()->key) {
            std::pop_heap(matches.begin(), matches.end(), laterInStore);
            matches.back() = &*it;
            std::push_heap(matches.begin(), matches.end(), laterInStore);
        }
    }
    std::sort_heap(matches.begin(), matches.end(), laterInStore);
    const std::size_t keep = matches.size();
    std::vector<std::string> words;
    words.reserve(keep);
    for (std::size_t i = 0; i < keep; ++i) {
        words.push_back(matches[i]->word);
    }
    return words;
}

} // namespace core
