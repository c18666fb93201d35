#pragma once

#include "offers/Speller.h"
#include "offers/TextBlock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace offers {

// What the offers are made from, as read from the word store.
struct OfferData {
    // The words (the view's first column) in the view's order; the same text may come more than once.
    TextBlock words;
    // Inflected forms and their base words side by side, from the file's BaseForms table: forms[i] ("geese") is a
    // form of bases[i] ("goose").
    TextBlock forms;
    TextBlock bases;
    // How common a word is (its uses in WordNet's sense-tagged texts and its senses), from the WordUse table:
    // usedWords[i] has uses[i].
    TextBlock usedWords;
    std::vector<double> uses;

    void addBaseForm(std::string_view form, std::string_view base) {
        if (forms.fits(form.size()) && bases.fits(base.size())) {
            forms.push_back(form);
            bases.push_back(base);
        }
    }
    void addWordUse(std::string_view word, double count) {
        if (usedWords.push_back(word)) {
            uses.push_back(count);
        }
    }
};

// One offer under the find box: the word that choosing it finds, and, when it is offered as the base form of
// what was typed (or of a word close to it), that inflected text.
struct Offer {
    std::string word;
    std::string baseFormOf;
    bool operator==(const Offer&) const = default;
};

// Everything the find box offers for a typed text, built once from the store's words:
// - the words the text stands for when spaces, hyphens, letter case and accents are forgiven ("ice-cream": ice cream);
// - the base words of an inflected form or phrase ("geese": goose, "looked up": look up);
// - the words nearest the text as people misspell, when it is no word ("recieve": receive);
// - the words that begin with the text, in the store's order.
// Every offer is a word of the store, offered once.
class OfferIndex {
public:
    explicit OfferIndex(OfferData data);

    std::vector<Offer> offersFor(std::string_view typed, std::size_t most = 10) const;

    // The word a looked-up text leads to for certain, forgiving what the offers forgive: the word it stands for when
    // spaces, hyphens, letter case and accents are forgiven (the one spelt most like the text first), else its base
    // word as an inflected form (the most common of several), else the base words of an inflected phrase. A name
    // for a word in lower case comes after its base word ("drew": draw before Drew). A misspelling leads nowhere for
    // certain: nothing then, as for a text of more letters than a word has.
    std::optional<Offer> resolve(std::string_view text) const;

    // Up to `most` words that begin with the text (spaces, hyphens, letter case and accents forgiven), in the
    // store's order.
    std::vector<std::string> wordsBeginningWith(std::string_view typed, std::size_t most) const;

    std::size_t wordCount() const { return m_wordCount; }
    std::size_t memoryUsed() const;

private:
    using Id = std::uint32_t;

    // The text of a word (an Id below wordCount()) or of an inflected form (wordCount() + its place), as stored.
    std::string_view text(Id id) const { return m_texts[id]; }
    bool isWord(Id id) const { return id < m_wordCount; }
    // The word a spelling stands for: the word itself, or the base word of the form.
    Id wordOf(Id id) const { return isWord(id) ? id : m_formBases[id - m_wordCount]; }

    void keepTexts(const OfferData& data);
    void indexSpellings();

    std::vector<Id> wordsJoinedAs(std::string_view joined) const;
    Id mostUsed(const std::vector<Id>& ids) const;
    std::vector<std::pair<Id, std::string>> basesOf(std::string_view plain) const;
    std::vector<Id> phraseBases(std::string_view plain) const;
    std::vector<std::pair<Id, std::string>> spellings(std::string_view joined) const;
    std::vector<Id> prefixed(std::string_view joined, std::size_t most) const;

    // The distinct words in the store's order, then the inflected forms in the order read.
    TextBlock m_texts;
    std::size_t m_wordCount = 0;
    std::vector<Id> m_formBases; // the base word of each form
    std::vector<float> m_use;    // how common each word is, on a log scale; 0 where not known
    // The plain, joined spellings of the words and of the forms, by their Id: found exactly, by their beginning, or
    // near a misspelling.
    Speller m_speller;
};

} // namespace offers
