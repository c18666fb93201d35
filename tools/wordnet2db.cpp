// Builds the word database db2.mdb (an SQLite file with the table Table3: Name, Meaning) from WordNet 3.0's
// dictionary files, or from a small tab-separated word list when WordNet is not installed. From WordNet, an entry
// opens with the word, how it is said (espeak-ng's IPA) and how common it is; each part of speech has a heading, the
// one the word is used as most first, and under it each sense is a line: its number, its gloss, and its synonyms,
// opposites and what it is a kind of. Beside it: inflected forms (BaseForms), how common each word is (WordUse), the
// words made one from the other (Derivations), the words that name a person (People) and, when a thesaurus is given,
// its groups of words that share a meaning (Thesaurus).
//
//   wordnet2db --wordnet /usr/share/wordnet [--word-forms LIST]... [--thesaurus /usr/share/aiksaurus] OUT.mdb
//   wordnet2db --words LIST.tsv OUT.mdb        (word TAB meaning, "\n" in a meaning for a line break)
//
// --word-forms names a list of real English word forms, one a line (SCOWL's, as Debian's wamerican-huge and
// wbritish-huge install them): an inflected form made by WordNet's rules is kept only where a list has it, so that
// "occured" or "weared" are never offered as English. WordNet's own exception lists are kept whole. --thesaurus names
// the folder of Aiksaurus's data files (Debian's libaiksaurus-1.2-data).

#include "tools/thesaurus/Aiksaurus.h"
#include "tools/wordnet/BaseForms.h"
#include "tools/wordnet/EntryLayout.h"
#include "tools/wordnet/Pronunciation.h"
#include "tools/wordnet/WordNetEntry.h"
#include "tools/wordtable/WordTableWriter.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

struct Entry {
    std::string word;
    std::string meaning;                    // from a word list: the meaning, its lines one under the other
    std::vector<wordnet::PartSenses> parts; // from WordNet: the senses by part of speech, the most used part first
    std::size_t senseCount = 0;
    long uses = 0; // how often WordNet's sense-tagged texts use the word, in any sense
    // From WordNet: the synsets of the senses per part of speech (noun, verb, adjective, adverb), and the uses of each.
    std::array<std::vector<wordnet::Synset>, 4> byPart;
    std::array<long, 4> partUses{};
    std::vector<std::string> derived; // from WordNet: the lemmas made from this one or it from them
    bool person = false;              // from WordNet: its commonest noun sense names a kind of person
};

using wordnet::BaseForm;
using wordnet::ConfirmedForms;
using wordnet::lower;
using wordnet::readFile;
using wordnet::spaced;

constexpr std::array<char, 4> PartLetters{'n', 'v', 'a', 'r'};

// One line of an index file: its lemma's senses in this part of speech, added to the lemma's entry. Returns the
// lemma (lower case, with spaces), or nothing for a line of the licence header.
std::optional<std::string> readIndexLine(const std::string& line, std::size_t part, const wordnet::SynsetAt& synsetAt,
                                         std::map<std::string, Entry>& byLemma) {
    if (line.empty() || line[0] == ' ') {
        return std::nullopt;
    }
    std::istringstream fields(line);
    std::string lemma;
    std::string pos;
    int synsetCount = 0;
    int pointerCount = 0;
    fields >> lemma >> pos >> synsetCount >> pointerCount;
    std::string skip;
    for (int i = 0; i < pointerCount; ++i) {
        fields >> skip;
    }
    fields >> skip >> skip; // sense count, tagged sense count
    Entry& entry = byLemma[spaced(lemma)];
    for (int i = 0; i < synsetCount; ++i) {
        std::string offset;
        fields >> offset;
        entry.byPart[part].push_back(synsetAt(PartLetters[part], std::stoul(offset)));
    }
    return spaced(lemma);
}

// The counts of WordNet's sense-tagged texts (cntlist.rev: "sense_key sense_number count"), added up per lemma and
// per part of speech (the digit after the key's "%": 1 noun, 2 verb, 3 adjective, 4 adverb, 5 adjective satellite).
void addUses(const std::filesystem::path& dir, std::map<std::string, Entry>& byLemma) {
    if (!std::filesystem::exists(dir / "cntlist.rev")) {
        return;
    }
    std::istringstream counts(readFile(dir / "cntlist.rev"));
    std::string key;
    std::string number;
    long count = 0;
    while (counts >> key >> number >> count) {
        const std::size_t percent = key.find('%');
        if (const auto it = byLemma.find(spaced(key.substr(0, percent))); it != byLemma.end()) {
            it->second.uses += count;
            const int type = percent + 1 < key.size() ? key[percent + 1] - '0' : 0;
            if (type >= 1 && type <= 5) {
                it->second.partUses[static_cast<std::size_t>(type == 5 ? 3 : type) - 1] += count;
            }
        }
    }
}

// The synsets of the four data files, by part-of-speech letter and offset.
wordnet::SynsetAt synsetsOf(const std::array<std::string, 4>& data) {
    return [&data](char letter, unsigned long offset) {
        const std::size_t part = letter == 'v' ? 1 : letter == 'a' || letter == 's' ? 2 : letter == 'r' ? 3 : 0;
        const std::string& text = data[part];
        if (offset >= text.size()) {
            return wordnet::Synset{};
        }
        const std::size_t end = text.find('\n', offset);
        return wordnet::parseSynset(
            std::string_view(text).substr(offset, end == std::string::npos ? end : end - offset));
    };
}

constexpr std::array<const char*, 4> PartNames{"noun", "verb", "adjective", "adverb"};

// The entries in order, each with its senses part of speech by part of speech, the most used part first. An entry is
// spelt as its first sense spells it ("weird", though one sense is of "Weird"); the senses of another spelling name it.
std::vector<Entry> inPartOrder(std::map<std::string, Entry>& byLemma, const wordnet::SynsetAt& synsetAt) {
    std::vector<Entry> entries;
    entries.reserve(byLemma.size());
    for (auto& [lemma, entry] : byLemma) {
        const std::array<std::size_t, 4> order = wordnet::partOrder(entry.partUses);
        entry.word = lemma;
        for (const std::size_t part : order) {
            if (!entry.byPart[part].empty()) {
                for (const std::string& w : entry.byPart[part].front().words) {
                    if (lower(spaced(w)) == lemma) {
                        entry.word = spaced(w);
                        break;
                    }
                }
                break;
            }
        }
        for (const std::size_t part : order) {
            if (entry.byPart[part].empty()) {
                continue;
            }
            entry.person = entry.person || (part == 0 && wordnet::namesAKindOfPerson(entry.byPart[0].front()));
            wordnet::PartSenses senses{PartNames[part], {}, wordnet::quoted(entry.byPart[part].front().gloss)};
            for (const wordnet::Synset& synset : entry.byPart[part]) {
                senses.senses.push_back(wordnet::senseLine(synset, lemma, entry.word, synsetAt));
                for (std::string& other : wordnet::derivedWords(synset, lemma, synsetAt)) {
                    entry.derived.push_back(std::move(other));
                }
            }
            entry.senseCount += senses.senses.size();
            entry.parts.push_back(std::move(senses));
            entry.byPart[part] = {};
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<Entry> readWordNet(const std::filesystem::path& dir, const ConfirmedForms& confirmed,
                               std::vector<BaseForm>& baseForms) {
    constexpr std::array<const char*, 4> files{"noun", "verb", "adj", "adv"};
    std::map<std::string, Entry> byLemma;                               // keyed by the lower-case lemma with spaces
    std::map<std::string, std::map<std::string, std::string>> lemmasOf; // per part: lemma -> the word as stored
    std::array<std::string, 4> data;
    for (std::size_t part = 0; part < files.size(); ++part) {
        data[part] = readFile(dir / (std::string("data.") + files[part]));
    }
    const wordnet::SynsetAt synsetAt = synsetsOf(data);
    for (std::size_t part = 0; part < files.size(); ++part) {
        std::istringstream index(readFile(dir / (std::string("index.") + files[part])));
        std::string line;
        while (std::getline(index, line)) {
            if (const auto lemma = readIndexLine(line, part, synsetAt, byLemma)) {
                lemmasOf[files[part]][*lemma];
            }
        }
    }
    addUses(dir, byLemma);
    std::vector<Entry> entries = inPartOrder(byLemma, synsetAt);
    std::map<std::string, std::string> spellings; // lemma -> the entry's word
    for (const Entry& entry : entries) {
        spellings.emplace(lower(entry.word), entry.word);
    }
    for (Entry& entry : entries) {
        for (std::string& other : entry.derived) {
            const auto it = spellings.find(other);
            other = it == spellings.end() ? std::string() : it->second;
        }
        std::sort(entry.derived.begin(), entry.derived.end());
        entry.derived.erase(std::unique(entry.derived.begin(), entry.derived.end()), entry.derived.end());
        std::erase(entry.derived, std::string());
    }
    for (auto& [part, lemmas] : lemmasOf) {
        for (auto& [lemma, word] : lemmas) {
            word = spellings[lemma];
        }
        if (std::filesystem::exists(dir / (part + ".exc"))) {
            wordnet::addBaseForms(dir, part, lemmas, confirmed, baseForms);
        }
    }
    std::sort(baseForms.begin(), baseForms.end());
    baseForms.erase(std::unique(baseForms.begin(), baseForms.end()), baseForms.end());
    return entries;
}

std::vector<Entry> readWordList(const std::filesystem::path& path) {
    std::istringstream in(readFile(path));
    std::vector<Entry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        Entry entry;
        entry.word = line.substr(0, tab);
        entry.meaning = line.substr(tab + 1);
        for (std::size_t brk = entry.meaning.find("\\n"); brk != std::string::npos;
             brk = entry.meaning.find("\\n", brk + 2)) {
            entry.meaning.replace(brk, 2, "\r\n"); // the meaning box shows each line as a line
        }
        entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return lower(a.word) < lower(b.word); });
    return entries;
}

// The second table: inflected forms and their base words, for the find's offers.
void writeBaseForms(wordtable::WordTableWriter& db, const std::vector<BaseForm>& forms) {
    db.exec("CREATE TABLE BaseForms (Form TEXT COLLATE NOCASE, Base TEXT);");
    std::vector<wordtable::Row> rows;
    rows.reserve(forms.size());
    for (const auto& [form, base] : forms) {
        rows.push_back({form, base});
    }
    db.insert("BaseForms", rows);
    db.exec("CREATE INDEX BaseFormsByForm ON BaseForms (Form);");
}

// How common a word is: its uses in WordNet's tagged texts and one for each of its senses.
long useCount(const Entry& entry) {
    return entry.uses + static_cast<long>(entry.senseCount);
}

// The third table: how common each word is, to rank the find's spelling offers: its uses in WordNet's tagged texts
// and one for each of its senses.
void writeWordUse(wordtable::WordTableWriter& db, const std::vector<Entry>& entries) {
    db.exec("CREATE TABLE WordUse (Word TEXT, Count INTEGER);");
    std::vector<wordtable::Row> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries) {
        rows.push_back({entry.word, std::int64_t{useCount(entry)}});
    }
    db.insert("WordUse", rows);
}

// The fourth table: words made one from the other ("coward", "cowardly"), as WordNet lists them (nearly every pair
// both ways), so that a description of one finds the other.
void writeDerivations(wordtable::WordTableWriter& db, const std::vector<Entry>& entries) {
    db.exec("CREATE TABLE Derivations (Word TEXT, Related TEXT);");
    std::vector<wordtable::Row> rows;
    for (const Entry& entry : entries) {
        for (const std::string& other : entry.derived) {
            rows.push_back({entry.word, other});
        }
    }
    db.insert("Derivations", rows);
}

// The fifth table: the words whose commonest noun sense names a kind of person ("coward", "sleepwalker"; not "crab",
// whose grouch comes after the animal, nor "Galileo", one person), so that "a person who ..." finds people before
// acts and things.
void writePeople(wordtable::WordTableWriter& db, const std::vector<Entry>& entries) {
    db.exec("CREATE TABLE People (Word TEXT);");
    std::vector<wordtable::Row> rows;
    for (const Entry& entry : entries) {
        if (entry.person) {
            rows.push_back({entry.word});
        }
    }
    db.insert("People", rows);
}

// The sixth table, where a thesaurus is given: each word of each of its groups, with the group's number (from 0), so
// that a description's words find the words they share a group with ("refusing": stubborn).
void writeThesaurus(wordtable::WordTableWriter& db, const thesaurus::Groups& groups) {
    db.exec("CREATE TABLE Thesaurus (Word TEXT, GroupId INTEGER);");
    std::vector<wordtable::Row> rows;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const std::string& word : groups[g]) {
            rows.push_back({word, static_cast<std::int64_t>(g)});
        }
    }
    db.insert("Thesaurus", rows);
}

void writeDatabase(const std::vector<Entry>& entries, bool wordnet, const std::vector<BaseForm>& baseForms,
                   const thesaurus::Groups& groups, const std::filesystem::path& out) {
    const std::filesystem::path temporary = out.string() + ".tmp";
    std::filesystem::remove(temporary);
    {
        wordtable::WordTableWriter db(temporary);
        db.exec("PRAGMA journal_mode=OFF; BEGIN; CREATE TABLE Table3 (Name TEXT, Meaning TEXT);");
        std::vector<wordtable::Row> rows;
        rows.reserve(entries.size());
        std::optional<wordnet::Pronouncer> pronouncer;
        if (wordnet) {
            pronouncer.emplace();
        }
        std::size_t pronounced = 0;
        for (const Entry& entry : entries) {
            if (!wordnet) {
                rows.push_back({entry.word, entry.meaning});
                continue;
            }
            const std::string ipa = pronouncer->ipaOf(entry.word);
            pronounced += ipa.empty() ? 0 : 1;
            rows.push_back({entry.word, wordnet::entryText(entry.word, ipa, useCount(entry), entry.parts)});
        }
        if (wordnet) {
            std::cout << "wordnet2db: " << pronounced << " of " << entries.size() << " entries have a pronunciation\n";
        }
        db.insert("Table3", rows);
        if (!baseForms.empty()) {
            writeBaseForms(db, baseForms);
        }
        if (wordnet) {
            writeWordUse(db, entries);
            writeDerivations(db, entries);
            writePeople(db, entries);
        }
        if (!groups.empty()) {
            writeThesaurus(db, groups);
        }
        db.exec("COMMIT; PRAGMA journal_mode=DELETE;");
    }
    std::filesystem::rename(temporary, out);
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool wordnet = !args.empty() && args[0] == "--wordnet";
    std::vector<std::filesystem::path> formLists;
    std::optional<std::filesystem::path> thesaurusFolder;
    std::size_t at = 2;
    while (wordnet && at + 2 < args.size() && args[at] == "--word-forms") {
        formLists.emplace_back(args[at + 1]);
        at += 2;
    }
    if (wordnet && at + 2 < args.size() && args[at] == "--thesaurus") {
        thesaurusFolder = args[at + 1];
        at += 2;
    }
    if (args.size() != at + 1 || (!wordnet && args[0] != "--words")) {
        std::cerr << "usage: wordnet2db --wordnet DIR [--word-forms LIST]... [--thesaurus DIR] OUT.mdb"
                     " | --words LIST.tsv OUT.mdb\n";
        return 2;
    }
    try {
        std::vector<BaseForm> baseForms;
        const std::vector<Entry> entries =
            wordnet ? readWordNet(args[1], wordnet::readConfirmedForms(formLists), baseForms) : readWordList(args[1]);
        const thesaurus::Groups groups =
            thesaurusFolder ? thesaurus::readAiksaurus(*thesaurusFolder) : thesaurus::Groups{};
        writeDatabase(entries, wordnet, baseForms, groups, args[at]);
        std::cout << "wordnet2db: " << entries.size() << " words, " << baseForms.size() << " inflected forms and "
                  << groups.size() << " thesaurus groups written to " << args[at] << "\n";
    } catch (const std::exception& error) {
        std::cerr << "wordnet2db: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
