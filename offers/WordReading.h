#pragma once

// How a text is cut into words for finding words from their meaning: ASCII letters and digits in lower case, any
// other letter folded as the offers fold it, apostrophes read as English writes them. Every word of every sense of
// the dictionary passes through here, so the common case (a run of ASCII letters) is taken at once.
#include "offers/PlainText.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace offers::reading {

// Whether an ASCII byte belongs to a word (a letter or digit), and the byte in lower case: tables, since every sense
// of the dictionary passes through here.
struct ByteClasses {
    std::array<bool, 256> inWord{};
    std::array<char, 256> lower{};
    constexpr ByteClasses() {
        for (int b = 0; b < 256; ++b) {
            const bool upper = b >= 'A' && b <= 'Z';
            inWord[b] = upper || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
            lower[b] = static_cast<char>(upper ? b + ('a' - 'A') : b);
        }
    }
};
inline constexpr ByteClasses Bytes;

// Appends the run of ASCII letters and digits at a place of a text to a word, in lower case, at once; the place past
// it. Kept inline, as it is called for each word of every sense.
[[gnu::always_inline]] inline std::size_t appendAsciiRun(std::string_view text, std::size_t at, std::string& word) {
    std::size_t end = at;
    while (end < text.size() && Bytes.inWord[static_cast<unsigned char>(text[end])]) {
        ++end;
    }
    const std::size_t had = word.size();
    word.resize(had + (end - at));
    std::transform(text.begin() + static_cast<std::ptrdiff_t>(at), text.begin() + static_cast<std::ptrdiff_t>(end),
                   word.begin() + static_cast<std::ptrdiff_t>(had),
                   [](char c) { return Bytes.lower[static_cast<unsigned char>(c)]; });
    return end;
}

// The character of UTF-8 text at a byte outside ASCII: its length in bytes, and whether it belongs to a word (a
// letter, digit or mark). Typographic quotes, dashes, spaces and emoji end a word, as does a byte that starts no
// character.
inline std::pair<std::size_t, bool> characterAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || lead > 0xF4 || at + length > text.size()) {
        return {1, false};
    }
    char32_t code = lead & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto trail = static_cast<unsigned char>(text[at + i]);
        if ((trail & 0xC0U) != 0x80U) {
            return {1, false};
        }
        code = code << 6U | (trail & 0x3FU);
    }
    return {length, QChar::isLetterOrNumber(code) || QChar::isMark(code)};
}

// The ASCII letters of a text from a place on: what follows an apostrophe.
inline std::string_view lettersAt(std::string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || (text[end] >= 'A' && text[end] <= 'Z'))) {
        ++end;
    }
    return text.substr(at, end - at);
}

// What follows an apostrophe in a word, from the place just past it: "s" is passed over, and "t" after "n" leaves the
// word before "n't" ("can't" -> "can"), which is then followed by "not" (true); anything else joins the word.
inline bool readAfterApostrophe(std::string_view text, std::size_t& at, std::string& word) {
    const std::string_view after = lettersAt(text, at);
    if (after.size() == 1 && (after[0] == 's' || after[0] == 'S')) {
        ++at;
    } else if (after.size() == 1 && (after[0] == 't' || after[0] == 'T') && word.back() == 'n') {
        word.pop_back();
        word = word == "ca" ? "can" : word == "wo" ? "will" : word == "sha" ? "shall" : word;
        ++at;
        return true;
    }
    return false;
}

// Each word of a text in lower case, handed to take until it returns false. A word outside ASCII is folded as the
// offers fold it ("CAFÉ" -> "cafe"). After an apostrophe (straight or curly), "s" is dropped ("carpenter's" ->
// "carpenter"), "n't" is "not" ("can't" -> "can not"), and anything else joins the word ("o'clock" -> "oclock").
// A word to take, with the place just past it where take also takes a place.
template <typename Take> bool giveWord(Take& take, std::string&& word, std::size_t end) {
    if constexpr (std::is_invocable_v<Take, std::string, std::size_t>) {
        return take(std::move(word), end);
    } else {
        return take(std::move(word));
    }
}

// Where take also takes a place, it is given the place in the text just past each word.
template <typename Take> void readWords(std::string_view text, Take&& take) {
    std::string word;
    bool wide = false;
    const auto handOver = [&](std::size_t end) {
        if (!wide) {
            const bool more = word.empty() || giveWord(take, std::move(word), end);
            word.clear();
            return more;
        }
        std::string folded = plainText(word); // marks alone fold to nothing ("\u0301"): no word
        word.clear();
        wide = false;
        return folded.empty() || giveWord(take, std::move(folded), end);
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto u = static_cast<unsigned char>(text[at]);
        if (Bytes.inWord[u]) { // most of any text
            at = appendAsciiRun(text, at, word);
            continue;
        }
        if (u < 0x80 && u != '\'') {
            if (!handOver(++at)) {
                return;
            }
            continue;
        }
        const std::size_t apostrophe = u == '\'' ? 1 : u == 0xE2 && text.substr(at, 3) == "\u2019" ? 3 : 0;
        if (apostrophe > 0 && !word.empty()) {
            if (readAfterApostrophe(text, at += apostrophe, word) &&
                (!handOver(at) || !giveWord(take, std::string("not"), at))) {
                return;
            }
            continue;
        }
        if (u < 0x80) { // an apostrophe that follows no word
            if (!handOver(++at)) {
                return;
            }
            continue;
        }
        const auto [length, inWord] = characterAt(text, at);
        if (inWord) {
            word.append(text.substr(at, length));
            wide = true;
        } else if (!handOver(at)) {
            return;
        }
        at += length;
    }
    handOver(text.size());
}

} // namespace offers::reading
