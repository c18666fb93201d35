#include "run/WordSet.h"

#include <algorithm>

namespace run {

void WordSet::assign(std::vector<std::string> words) {
    m_words = std::move(words);
    m_current = 0;
}

std::optional<std::string> WordSet::at(std::ptrdiff_t index) {
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(m_words.size())) {
        m_current = 0;
        return std::nullopt;
    }
    m_current = index;
    return m_words[static_cast<std::size_t>(index)];
}

bool WordSet::moveTo(const std::string& word) {
    const auto it = std::find(m_words.begin(), m_words.end(), word);
    if (it == m_words.end()) {
        return false;
    }
    m_current = it - m_words.begin();
    return true;
}

std::optional<std::string> WordSet::first() {
    return at(0);
}

std::optional<std::string> WordSet::next() {
    return at(m_current + 1);
}

std::optional<std::string> WordSet::previous() {
    return at(m_current - 1);
}

} // namespace run
