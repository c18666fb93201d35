#include "core/store/Criterion.h"

#include "platform/headless/RuntimeError.h"

#include <QString>

namespace core {

namespace {
bool isIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isIdentifierChar(char c) {
    return isIdentifierStart(c) || (c >= '0' && c <= '9');
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

[[noreturn]] void syntaxError(std::string_view text) {
    throw platform::RuntimeError(platform::err::SyntaxInCriterion,
                                 "Syntax error in criterion expression '" + std::string(text) + "'.");
}
} // namespace

Criterion parseCriterion(std::string_view text) {
    std::size_t at = 0;
    auto skipBlanks = [&] {
        while (at < text.size() && isBlank(text[at])) {
            ++at;
        }
    };
    Criterion result;
    skipBlanks();
    if (at < text.size() && text[at] == '[') {
        const std::size_t close = text.find(']', at + 1);
        if (close == std::string_view::npos || close == at + 1) {
            syntaxError(text);
        }
        result.column = std::string(text.substr(at + 1, close - at - 1));
        at = close + 1;
    } else {
        const std::size_t start = at;
        if (at >= text.size() || !isIdentifierStart(text[at])) {
            syntaxError(text);
        }
        while (at < text.size() && isIdentifierChar(text[at])) {
            ++at;
        }
        result.column = std::string(text.substr(start, at - start));
    }
    skipBlanks();
    if (at >= text.size() || text[at] != '=') {
        syntaxError(text);
    }
    ++at;
    skipBlanks();
    if (at >= text.size() || text[at] != '\'') {
        syntaxError(text);
    }
    ++at;
    for (;;) {
        if (at >= text.size()) {
            syntaxError(text); // the literal never closes
        }
        if (text[at] == '\'') {
            if (at + 1 < text.size() && text[at + 1] == '\'') {
                result.literal += '\'';
                at += 2;
                continue;
            }
            ++at;
            break;
        }
        result.literal += text[at++];
    }
    skipBlanks();
    if (at != text.size()) {
        syntaxError(text);
    }
    return result;
}

std::string foldCase(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toCaseFolded().toStdString();
}

} // namespace core
