#pragma once

#include <optional>
#include <string>
#include <vector>

namespace run {

// The words found, as a web browser keeps the pages visited: back and forward step through them, and a new word found
// after stepping back drops the words ahead. A run starts from the words of the last run, where they were kept.
class History {
public:
    // A word found (typed, chosen from the offers or looked up). The word already current is not added again.
    void visit(const std::string& word);
    // The words of an earlier run, the oldest first, before this run's: the newest is current.
    void restore(const std::vector<std::string>& oldestFirst);
    // The word before or after the current one, which becomes current; nothing at either end.
    std::optional<std::string> back();
    std::optional<std::string> forward();

private:
    std::vector<std::string> m_words;
    std::size_t m_current = 0; // meaningful once a word is there
};

} // namespace run
