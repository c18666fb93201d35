#include "tools/wordnet/Pronunciation.h"

#include <algorithm>
#include <array>
#include <espeak-ng/speak_lib.h>
#include <sstream>
#include <vector>

namespace wordnet {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isVowelLetter(char c) {
    const char lower = static_cast<char>(c | 0x20);
    return lower == 'a' || lower == 'e' || lower == 'i' || lower == 'o' || lower == 'u' || lower == 'y' ||
           (static_cast<unsigned char>(c) & 0x80U) != 0; // an accented letter is a vowel more often than not
}

// One IPA symbol of espeak-ng's output: a character, with the marks that follow it (length, syllabic).
std::vector<std::string> symbols(std::string_view ipa) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < ipa.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(ipa[i]);
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        out.emplace_back(ipa.substr(i, length));
        i += length;
    }
    return out;
}

bool isStress(const std::string& s) {
    return s == "\u02C8" || s == "\u02CC";
}

bool isVowelSymbol(const std::string& s) {
    static const std::array<std::string_view, 22> vowels{"a", "e", "i", "o", "u", "y", "æ", "ɑ", "ɒ", "ɔ", "ə",
                                                         "ɚ", "ɛ", "ɜ", "ɪ", "ʊ", "ʌ", "ɐ", "ɵ", "ᵻ", "ø", "ɝ"};
    for (const std::string_view v : vowels) {
        if (s == v) {
            return true;
        }
    }
    return s == "\u02D0" || s == "\u0329"; // a length or syllabic mark belongs to what it follows
}

bool isBoundary(const std::string& s) {
    return s == " " || s == "-";
}

// Two or three consonants that open an English syllable together.
bool opensSyllable(const std::string& cluster) {
    static const std::array<std::string_view, 29> onsets{"pl", "pɹ", "bl", "bɹ", "tɹ",  "dɹ",  "kl",  "kɹ",  "ɡl", "ɡɹ",
                                                         "fl", "fɹ", "θɹ", "ʃɹ", "sp",  "st",  "sk",  "sl",  "sm", "sn",
                                                         "sw", "tw", "kw", "dw", "spɹ", "stɹ", "skɹ", "spl", "skw"};
    for (const std::string_view onset : onsets) {
        if (cluster == onset) {
            return true;
        }
    }
    return false;
}

} // namespace

bool sayable(std::string_view text) {
    static const std::array<std::string_view, 9> abbreviations{"st", "mt", "dr", "jr", "sr", "mr", "mrs", "ms", "ft"};
    bool any = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.empty()) {
            continue;
        }
        bool vowel = false;
        bool digit = false;
        bool lowerCase = false;
        std::size_t letters = 0;
        for (const char c : word) {
            const bool accented = (static_cast<unsigned char>(c) & 0x80U) != 0;
            if (isAsciiLetter(c) || accented) {
                letters += (static_cast<unsigned char>(c) & 0xC0U) == 0x80U ? 0 : 1; // characters, not bytes
                vowel = vowel || isVowelLetter(c);
                lowerCase = lowerCase || (c >= 'a' && c <= 'z');
            } else if (c >= '0' && c <= '9') {
                digit = true;
            } else if (c != '\'' && c != '-' && c != '.') {
                return false;
            }
        }
        while (word.ends_with('.')) {
            word.remove_suffix(1);
        }
        std::string lower(word);
        for (char& c : lower) {
            c = static_cast<char>(c | 0x20);
        }
        const bool known = std::find(abbreviations.begin(), abbreviations.end(), lower) != abbreviations.end();
        if (!(vowel || digit || !lowerCase || letters == 1 || known)) {
            return false; // a run of consonants espeak-ng would spell out
        }
        any = any || letters > 0 || digit;
    }
    return any;
}

std::string stressBeforeSyllables(std::string_view ipa) {
    std::vector<std::string> out;
    for (const std::string& symbol : symbols(ipa)) {
        if (!isStress(symbol)) {
            out.push_back(symbol);
            continue;
        }
        // The consonants just before the mark, back to a vowel or the start of the word.
        std::size_t start = out.size();
        while (start > 0 && !isVowelSymbol(out[start - 1]) && !isBoundary(out[start - 1]) &&
               !isStress(out[start - 1])) {
            --start;
        }
        const bool wordStart = start == 0 || isBoundary(out[start - 1]) || isStress(out[start - 1]);
        std::size_t at = out.size();
        if (wordStart) {
            at = start;
        } else if (at > start) {
            at = out.size() - 1;
            for (std::size_t take = 3; take >= 2; --take) {
                if (out.size() - start >= take) {
                    std::string cluster;
                    for (std::size_t i = out.size() - take; i < out.size(); ++i) {
                        cluster += out[i];
                    }
                    if (opensSyllable(cluster)) {
                        at = out.size() - take;
                        break;
                    }
                }
            }
        }
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), symbol);
    }
    std::string text;
    for (const std::string& s : out) {
        text += s;
    }
    return text;
}

Pronouncer::Pronouncer() {
    m_ready = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0) > 0 && espeak_SetVoiceByName("en-us") == EE_OK;
}

Pronouncer::~Pronouncer() {
    if (m_ready) {
        espeak_Terminate();
    }
}

std::string Pronouncer::ipaOfWord(const std::string& word) {
    if (const auto it = m_said.find(word); it != m_said.end()) {
        return it->second;
    }
    std::string ipa;
    const void* text = word.c_str();
    // espeak-ng says a text clause by clause; a word is one clause.
    constexpr int Ipa = 0x02;
    while (text != nullptr) {
        const char* phonemes = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, Ipa);
        if (phonemes == nullptr) {
            break;
        }
        ipa += (ipa.empty() || *phonemes == '\0' ? "" : " ") + std::string(phonemes);
    }
    ipa = stressBeforeSyllables(ipa);
    m_said.emplace(word, ipa);
    return ipa;
}

std::string Pronouncer::ipaOf(std::string_view text) {
    if (!m_ready || !sayable(text)) {
        return {};
    }
    std::istringstream words{std::string(text)};
    std::string word;
    std::string ipa;
    while (words >> word) {
        const std::string said = ipaOfWord(word);
        if (said.empty()) {
            return {};
        }
        ipa += (ipa.empty() ? "" : " ") + said;
    }
    return ipa;
}

} // namespace wordnet
