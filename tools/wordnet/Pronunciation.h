#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// How a word is said, in IPA, from espeak-ng's American English voice.
namespace wordnet {

// Whether espeak-ng says a word or phrase as it is said: letters (accented ones too) and digits, with apostrophes,
// hyphens, full stops and blanks, each word with a vowel, a digit, or in capitals (an abbreviation said letter by
// letter, "NATO", "PBS"), or a single letter, or one of the abbreviations it reads out ("St.", "Dr."). A symbol, or a
// run of small consonants that it would spell out ("zzz", "hmm"), is not.
bool sayable(std::string_view text);

// espeak-ng marks the stress before the stressed vowel ("hˈæpi"); a dictionary marks it before the syllable
// ("ˈhæpi"). Moves each mark back over the consonants that open its syllable: all of them at the start of a word,
// else the one before it, or two or three where English opens a syllable with them ("ˌʌnˈstɹʌktʃɚd").
std::string stressBeforeSyllables(std::string_view ipa);

// The IPA of words and phrases, each word said once and kept.
class Pronouncer {
public:
    Pronouncer();
    Pronouncer(const Pronouncer&) = delete;
    Pronouncer& operator=(const Pronouncer&) = delete;
    ~Pronouncer();

    // "ice cream" -> "ˈaɪs kɹˈiːm": word by word; empty when the text is not sayable or espeak-ng is missing.
    std::string ipaOf(std::string_view text);

private:
    std::string ipaOfWord(const std::string& word);

    bool m_ready = false;
    std::unordered_map<std::string, std::string> m_said;
};

} // namespace wordnet
