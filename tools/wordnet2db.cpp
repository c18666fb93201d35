// Builds the word database db2.mdb (an SQLite file with the table Table3: Name, Meaning) from WordNet 3.0's
// dictionary files, or from a small tab-separated word list when WordNet is not installed. From WordNet, each sense is
// a line: its number, its part of speech, its gloss, and its synonyms, opposites and what it is a kind of; the parts of
// speech the word is used as most come first.
//
//   wordnet2db --wordnet /usr/share/wordnet [--word-forms LIST]... OUT.mdb
//   wordnet2db --words LIST.tsv OUT.mdb        (word TAB meaning, "\n" in a meaning for a line break)
//
// --word-forms names a list of real English word forms, one a line (SCOWL's, as Debian's wamerican-huge and
// wbritish-huge install them): an inflected form made by WordNet's rules is kept only where a list has it, so that
// "occured" or "weared" are never offered as English. WordNet's own exception lists are kept whole.

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
    std::vector<std::string> senses;
    long uses = 0; // how often WordNet's sense-tagged texts use the word, in any sense
    // From WordNet: the synsets of the senses per part of speech (noun, verb, adjective, adverb), and the uses of each.
    std::array<std::vector<wordnet::Synset>, 4> byPart;
    std::array<long, 4> partUses{};
};

// An inflected form and the word it comes from ("geese", "goose").
using BaseForm = std::pair<std::string, std::string>;

using wordnet::lower;
using wordnet::spaced;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// WordNet's rules for detaching a regular ending, per part of speech, as its own tools apply them: a form that ends
// in the first text may come from a word that ends in the second instead.
struct Detachment {
    const char* ending;
    const char* base;
};
const std::map<std::string, std::vector<Detachment>>& detachments() {
    static const std::map<std::string, std::vector<Detachment>> rules{
        {"noun",
         {{"s", ""},
          {"ses", "s"},
          {"xes", "x"},
          {"zes", "z"},
          {"ches", "ch"},
          {"shes", "sh"},
          {"men", "man"},
          {"ies", "y"}}},
        {"verb",
         {{"s", ""}, {"ies", "y"}, {"es", "e"}, {"es", ""}, {"ed", "e"}, {"ed", ""}, {"ing", "e"}, {"ing", ""}}},
        {"adj", {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}}},
    };
    return rules;
}

// Whether English spelling makes a form this way from this word: -es, not -s, after a hissing sound ("boxes"), and
// after an "o" ("goes") as well as -s; an "e" taken off, or an adjective's -er and -est, only from a word of three
// letters or more (never "bing" or "bed" from "be", or "lest" from "l").
bool spelledThisWay(std::string_view lemma, const Detachment& rule) {
    const std::string_view ending = rule.ending;
    const std::string_view base = rule.base;
    const bool hissing = lemma.ends_with('s') || lemma.ends_with('x') || lemma.ends_with('z') ||
                         lemma.ends_with("ch") || lemma.ends_with("sh");
    if (ending == "s" && base.empty()) {
        return !hissing;
    }
    if (ending == "es" && base.empty()) {
        return hissing || lemma.ends_with('o');
    }
    if (base == "e" || ending == "er" || ending == "est") {
        return lemma.size() >= 3;
    }
    return true;
}

// Words that are a class of their own, never an inflected form of another however their letters fall ("his" is no
// plural of "hi", "its" none of "IT").
bool isFunctionWord(std::string_view form) {
    static const std::unordered_set<std::string_view> words{"as",   "has",  "his",   "hers",   "its",    "is",
                                                            "lest", "less", "ours",  "theirs", "this",   "thus",
                                                            "us",   "was",  "yours", "yes",    "whereas"};
    return words.contains(form);
}

// The word forms that real English has, in lower case; empty when no list was given (every form made is kept then).
using ConfirmedForms = std::unordered_set<std::string>;

ConfirmedForms readConfirmedForms(const std::vector<std::filesystem::path>& lists) {
    ConfirmedForms confirmed;
    for (const std::filesystem::path& list : lists) {
        std::istringstream words(readFile(list));
        std::string word;
        while (std::getline(words, word)) {
            confirmed.insert(lower(word));
        }
    }
    return confirmed;
}

// The inflected forms of the words of one part of speech: from WordNet's exception list, then by its rules run
// backwards over every one-word lemma, where real English has the form. A base that is not a word of that part of
// speech is left out.
void addBaseForms(const std::filesystem::path& dir, const std::string& part,
                  const std::map<std::string, std::string>& lemmas, const ConfirmedForms& confirmed,
                  std::vector<BaseForm>& forms) {
    std::istringstream exceptions(readFile(dir / (part + ".exc")));
    std::string line;
    while (std::getline(exceptions, line)) {
        std::istringstream fields(line);
        std::string form;
        std::string base;
        fields >> form;
        while (fields >> base) {
            if (const auto it = lemmas.find(spaced(base)); it != lemmas.end() && spaced(form) != it->first) {
                forms.emplace_back(spaced(form), it->second);
            }
        }
    }
    const auto rules = detachments().find(part);
    if (rules == detachments().end()) {
        return;
    }
    for (const auto& [lemma, word] : lemmas) {
        // Phrases, single letters, and names and abbreviations (spelt with capitals) have no forms by rule.
        if (lemma.find(' ') != std::string::npos || lemma.size() < 2 || word != lemma) {
            continue;
        }
        for (const Detachment& rule : rules->second) {
            const std::string base = rule.base;
            if (lemma.size() > base.size() && lemma.ends_with(base) && spelledThisWay(lemma, rule)) {
                std::string form = lemma.substr(0, lemma.size() - base.size()) + rule.ending;
                if ((confirmed.empty() || confirmed.contains(form)) && !isFunctionWord(form)) {
                    forms.emplace_back(std::move(form), word);
                }
            }
        }
    }
}

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
            for (const wordnet::Synset& synset : entry.byPart[part]) {
                entry.senses.push_back(wordnet::senseLine(PartNames[part], synset, lemma, entry.word, synsetAt));
            }
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
    for (auto& [part, lemmas] : lemmasOf) {
        for (auto& [lemma, word] : lemmas) {
            word = spellings[lemma];
        }
        if (std::filesystem::exists(dir / (part + ".exc"))) {
            addBaseForms(dir, part, lemmas, confirmed, baseForms);
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
        std::string meaning = line.substr(tab + 1);
        for (std::size_t at = 0;;) {
            const std::size_t brk = meaning.find("\\n", at);
            entry.senses.push_back(meaning.substr(at, brk == std::string::npos ? std::string::npos : brk - at));
            if (brk == std::string::npos) {
                break;
            }
            at = brk + 2;
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

// The third table: how common each word is, to rank the find's spelling offers: its uses in WordNet's tagged texts
// and one for each of its senses.
void writeWordUse(wordtable::WordTableWriter& db, const std::vector<Entry>& entries) {
    db.exec("CREATE TABLE WordUse (Word TEXT, Count INTEGER);");
    std::vector<wordtable::Row> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries) {
        rows.push_back({entry.word, std::int64_t{entry.uses + static_cast<long>(entry.senses.size())}});
    }
    db.insert("WordUse", rows);
}

void writeDatabase(const std::vector<Entry>& entries, bool numbered, const std::vector<BaseForm>& baseForms,
                   const std::filesystem::path& out) {
    const std::filesystem::path temporary = out.string() + ".tmp";
    std::filesystem::remove(temporary);
    {
        wordtable::WordTableWriter db(temporary);
        db.exec("PRAGMA journal_mode=OFF; BEGIN; CREATE TABLE Table3 (Name TEXT, Meaning TEXT);");
        std::vector<wordtable::Row> rows;
        rows.reserve(entries.size());
        for (const Entry& entry : entries) {
            std::string meaning;
            for (std::size_t i = 0; i < entry.senses.size(); ++i) {
                if (i > 0) {
                    meaning += "\r\n"; // the meaning box shows each sense on a line of its own
                }
                meaning += numbered ? std::to_string(i + 1) + ". " + entry.senses[i] : entry.senses[i];
            }
            rows.push_back({entry.word, std::move(meaning)});
        }
        db.insert("Table3", rows);
        if (!baseForms.empty()) {
            writeBaseForms(db, baseForms);
        }
        if (numbered) {
            writeWordUse(db, entries);
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
    std::size_t at = 2;
    while (wordnet && at + 2 < args.size() && args[at] == "--word-forms") {
        formLists.emplace_back(args[at + 1]);
        at += 2;
    }
    if (args.size() != at + 1 || (!wordnet && args[0] != "--words")) {
        std::cerr << "usage: wordnet2db --wordnet DIR [--word-forms LIST]... OUT.mdb | --words LIST.tsv OUT.mdb\n";
        return 2;
    }
    try {
        std::vector<BaseForm> baseForms;
        const std::vector<Entry> entries =
            wordnet ? readWordNet(args[1], readConfirmedForms(formLists), baseForms) : readWordList(args[1]);
        writeDatabase(entries, wordnet, baseForms, args[at]);
        std::cout << "wordnet2db: " << entries.size() << " words and " << baseForms.size()
                  << " inflected forms written to " << args[at] << "\n";
    } catch (const std::exception& error) {
        std::cerr << "wordnet2db: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
