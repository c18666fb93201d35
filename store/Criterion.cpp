#include "store/Criterion.h"

#include "platform/headless/RuntimeError.h"

namespace store {

namespace {
bool isIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isIdentifierChar(char c) {
    return isIdentifierStart(c) || (c >= '0' && c <= '9');
}
bool isSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

[[noreturn]] void syntaxError(std::string_view text) {
    throw platform::RuntimeError(platform::err::SyntaxInCriterion,
                                 "Syntax error in criterion expression '" + std::string(text) + "'.");
}

// Reads a criterion from left to right; any step that finds something else raises the syntax error.
class CriterionReader {
public:
    explicit CriterionReader(std::string_view text) : m_text(text) {}

    void skipBlanks() {
        while (m_at < m_text.size() && isSpaceOrTab(m_text[m_at])) {
            ++m_at;
        }
    }
    void expect(char c) {
        if (m_at >= m_text.size() || m_text[m_at] != c) {
            syntaxError(m_text);
        }
        ++m_at;
    }
    void expectEnd() const {
        if (m_at != m_text.size()) {
            syntaxError(m_text);
        }
    }

    // A column name, bare or in brackets.
    std::string column() {
        if (m_at < m_text.size() && m_text[m_at] == '[') {
            const std::size_t close = m_text.find(']', m_at + 1);
            if (close == std::string_view::npos || close == m_at + 1) {
                syntaxError(m_text);
            }
            std::string name(m_text.substr(m_at + 1, close - m_at - 1));
            m_at = close + 1;
            return name;
        }
        const std::size_t start = m_at;
        if (m_at >= m_text.size() || !isIdentifierStart(m_text[m_at])) {
            syntaxError(m_text);
        }
        while (m_at < m_text.size() && isIdentifierChar(m_text[m_at])) {
            ++m_at;
        }
        return std::string(m_text.substr(start, m_at - start));
    }

    // A literal in apostrophes, a doubled apostrophe standing for one.
    std::string literal() {
        expect('\'');
        std::string value;
        for (;;) {
            if (m_at >= m_text.size()) {
                syntaxError(m_text); // the literal never closes
            }
            if (m_text[m_at] == '\'') {
                if (m_at + 1 < m_text.size() && m_text[m_at + 1] == '\'') {
                    value += '\'';
                    m_at += 2;
                    continue;
                }
                ++m_at;
                return value;
            }
            value += m_text[m_at++];
        }
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};
} // namespace

std::string criterionFor(std::string_view column, std::string_view text) {
    std::string criterion(column);
    criterion += " = '";
    for (const char c : text) {
        criterion += c;
        if (c == '\'') {
            criterion += '\'';
        }
    }
    criterion += '\'';
    return criterion;
}

Criterion parseCriterion(std::string_view text) {
    CriterionReader reader(text);
    Criterion result;
    reader.skipBlanks();
    result.column = reader.column();
    reader.skipBlanks();
    reader.expect('=');
    reader.skipBlanks();
    result.literal = reader.literal();
    reader.skipBlanks();
    reader.expectEnd();
    return result;
}

} // namespace store
