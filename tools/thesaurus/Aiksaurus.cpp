#include "tools/thesaurus/Aiksaurus.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace thesaurus {

namespace {

constexpr std::uint16_t EndOfList = 0xFFFF;

// Reads one of the two files from its start, naming it and the byte it is at when the data ends too soon.
class Reader {
public:
    Reader(std::string_view data, std::string_view file) : m_data(data), m_file(file) {}

    bool atEnd() const { return m_at == m_data.size(); }

    std::uint16_t number() {
        if (m_data.size() - m_at < 2) {
            fail("a number is cut short");
        }
        const auto high = static_cast<unsigned char>(m_data[m_at]);
        const auto low = static_cast<unsigned char>(m_data[m_at + 1]);
        m_at += 2;
        return static_cast<std::uint16_t>(high << 8U | low);
    }

    // A NUL-ended name, its colons read as blanks and its Latin-1 letters written in UTF-8.
    std::string name() {
        const std::size_t end = m_data.find('\0', m_at);
        if (end == std::string_view::npos) {
            fail("a word has no end");
        }
        std::string name;
        for (const char c : m_data.substr(m_at, end - m_at)) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == ':') {
                name += ' ';
            } else if (byte < 0x80) {
                name += c;
            } else {
                name += static_cast<char>(0xC0U | byte >> 6U);
                name += static_cast<char>(0x80U | (byte & 0x3FU));
            }
        }
        if (name.empty()) {
            fail("a word has no name");
        }
        m_at = end + 1;
        return name;
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(std::string(m_file) + ": " + what + " at byte " + std::to_string(m_at));
    }

private:
    std::string_view m_data;
    std::string_view m_file;
    std::size_t m_at = 0;
};

std::string contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error(file.string() + ": cannot be read");
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

Groups parseAiksaurus(std::string_view words, std::string_view meanings) {
    std::vector<std::string> names;
    Reader wordReader(words, "words.dat");
    while (!wordReader.atEnd()) {
        names.push_back(wordReader.name());
        while (wordReader.number() != EndOfList) {
            // the word's groups, which meanings.dat lists again
        }
    }
    Groups groups;
    Reader meaningReader(meanings, "meanings.dat");
    while (!meaningReader.atEnd()) {
        meaningReader.number(); // the two title words, which the group lists among its words
        meaningReader.number();
        std::vector<std::string>& group = groups.emplace_back();
        for (std::uint16_t word = meaningReader.number(); word != EndOfList; word = meaningReader.number()) {
            if (word >= names.size()) {
                meaningReader.fail("word " + std::to_string(word) + " is past the " + std::to_string(names.size()) +
                                   " words");
            }
            group.push_back(names[word]);
        }
    }
    return groups;
}

Groups readAiksaurus(const std::filesystem::path& folder) {
    return parseAiksaurus(contentsOf(folder / "words.dat"), contentsOf(folder / "meanings.dat"));
}

} // namespace thesaurus
