#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The words of a view, sorted by their letter-case-folded text, to find the words that begin with a typed text.
class PrefixIndex {
public:
    // Adds a word with its key (keys increase in the store's order). Call build() after the last one.
    void add(std::int64_t key, const std::string& word);
    void build();

    // Up to `most` words that begin with the prefix, ignoring letter case as the find does, in the store's order.
    // None for an empty prefix.
    std::vector<std::string> wordsBeginningWith(std::string_view prefix, std::size_t most) const;

private:
    struct Entry {
        std::string folded;
        std::int64_t key;
        std::string word;
    };
    std::vector<Entry> m_entries;
};

} // namespace core
