#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace offers {

// Texts one after another in one block, and where each ends: a few bytes a text, where a std::string apiece would
// take 32 more. A dictionary's words and forms are some hundreds of thousands of short texts.
class TextBlock {
public:
    TextBlock() = default;
    TextBlock(std::initializer_list<std::string_view> texts) {
        for (const std::string_view text : texts) {
            push_back(text);
        }
    }

    // Whether a text of this many bytes can still be added: the block stops short of 4 GB.
    bool fits(std::size_t bytes) const { return bytes <= UINT32_MAX - m_texts.size(); }
    // Adds a text at the end, if it fits.
    bool push_back(std::string_view text) {
        if (!fits(text.size())) {
            return false;
        }
        m_texts += text;
        m_ends.push_back(static_cast<std::uint32_t>(m_texts.size()));
        return true;
    }

    std::size_t size() const { return m_ends.size(); }
    std::size_t bytes() const { return m_texts.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::uint32_t start = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_texts).substr(start, m_ends[i] - start);
    }

    void reserve(std::size_t texts, std::size_t bytes = 0) {
        m_ends.reserve(texts);
        m_texts.reserve(bytes);
    }
    void shrink_to_fit() {
        m_texts.shrink_to_fit();
        m_ends.shrink_to_fit();
    }
    std::size_t memoryUsed() const { return m_texts.capacity() + m_ends.capacity() * sizeof(std::uint32_t); }

    bool operator==(const TextBlock&) const = default;

private:
    std::string m_texts;
    std::vector<std::uint32_t> m_ends;
};

} // namespace offers
