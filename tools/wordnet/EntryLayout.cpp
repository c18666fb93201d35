#include "tools/wordnet/EntryLayout.h"

#include <cctype>
#include <string_view>

namespace wordnet {

namespace {

// An overview line stays within about a line and a half of the meaning box.
constexpr std::size_t LongestDefinition = 40;

std::string capitalised(std::string word) {
    if (!word.empty()) {
        word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    }
    return word;
}

} // namespace

const char* frequencyBand(long useCount) {
    if (useCount >= 20) {
        return "very common";
    }
    if (useCount >= 3) {
        return "common";
    }
    return useCount >= 2 ? "less common" : "rare";
}

std::string shortDefinition(const std::string& gloss) {
    // The definition is what comes before the first example or the first "; ".
    std::string_view text = gloss;
    for (const std::string_view end : {std::string_view("; "), std::string_view(" \""), std::string_view(";")}) {
        text = text.substr(0, text.find(end));
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '.')) {
        text.remove_suffix(1);
    }
    if (text.size() <= LongestDefinition) {
        return std::string(text);
    }
    // Cut at the last blank that leaves room for the ellipsis, never inside a word.
    std::size_t cut = text.rfind(' ', LongestDefinition - 1);
    if (cut == std::string_view::npos || cut == 0) {
        cut = LongestDefinition - 1;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) {
            --cut; // not inside a character
        }
    }
    while (cut > 0 && (text[cut - 1] == ',' || text[cut - 1] == ' ')) {
        --cut;
    }
    return std::string(text.substr(0, cut)) + "\u2026";
}

std::string entryText(const std::string& word, const std::string& ipa, long useCount,
                      const std::vector<PartSenses>& parts) {
    std::string text = word;
    if (!ipa.empty()) {
        text += " /" + ipa + "/";
    }
    text += std::string(" \u00B7 ") + frequencyBand(useCount);
    if (parts.size() > 1) {
        for (const PartSenses& part : parts) {
            text += "\r\n" + capitalised(part.part) + ": " + shortDefinition(part.firstGloss);
        }
    }
    for (const PartSenses& part : parts) {
        const std::size_t count = part.senses.size();
        text +=
            "\r\n" + capitalised(part.part) + " \u2014 " + std::to_string(count) + (count == 1 ? " sense" : " senses");
        for (std::size_t i = 0; i < count; ++i) {
            text += "\r\n" + std::to_string(i + 1) + ". " + part.senses[i];
        }
    }
    return text;
}

} // namespace wordnet
