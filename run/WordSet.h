#pragma once

#include <optional>
#include <string>
#include <vector>

namespace run {

// A set of words the arrows step through, one at a time, in its own order: stepping past either end gives nothing
// and goes back to the first word, as browsing every word does.
class WordSet {
public:
    void assign(std::vector<std::string> words);
    const std::vector<std::string>& words() const { return m_words; }
    bool empty() const { return m_words.empty(); }

    // The first word, which becomes current; nothing when the set is empty.
    std::optional<std::string> first();
    // The word after or before the current one, which becomes current; nothing past the end (the first word is
    // current then).
    std::optional<std::string> next();
    std::optional<std::string> previous();
    // Makes the word current where the set has it; false (and nothing changed) where it has not.
    bool moveTo(const std::string& word);

private:
    std::optional<std::string> at(std::ptrdiff_t index);

    std::vector<std::string> m_words;
    std::ptrdiff_t m_current = 0;
};

} // namespace run
