#include "run/History.h"

namespace run {

void History::visit(const std::string& word) {
    if (!m_words.empty() && m_words[m_current] == word) {
        return;
    }
    if (!m_words.empty()) {
        m_words.resize(m_current + 1);
    }
    m_words.push_back(word);
    m_current = m_words.size() - 1;
}

std::optional<std::string> History::back() {
    if (m_words.empty() || m_current == 0) {
        return std::nullopt;
    }
    return m_words[--m_current];
}

std::optional<std::string> History::forward() {
    if (m_current + 1 >= m_words.size()) {
        return std::nullopt;
    }
    return m_words[++m_current];
}

void History::restore(const std::vector<std::string>& oldestFirst) {
    History earlier;
    for (const std::string& word : oldestFirst) {
        earlier.visit(word);
    }
    for (const std::string& word : m_words) {
        earlier.visit(word); // this run's words stay the newest
    }
    *this = std::move(earlier);
}

} // namespace run
