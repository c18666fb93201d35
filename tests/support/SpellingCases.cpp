#include "tests/support/SpellingCases.h"

#include "offers/PlainText.h"
#include "store/sqlite/Sqlite.h"

#include <fstream>
#include <sstream>

namespace testsupport {

std::vector<SpellingCase> readSpellingCases(const std::string& misspellings, const std::string& dictionary) {
    const auto connection = store::SqliteConnection::openReadOnly(dictionary);
    std::set<std::string> words;
    store::SqliteStatement all(connection, "SELECT Name FROM Table3");
    while (all.step()) {
        words.insert(offers::plainText(all.text(0).value_or("")));
    }
    const bool hasForms = store::SqliteStatement::prepares(connection, "SELECT Base FROM BaseForms LIMIT 0");
    std::vector<SpellingCase> cases;
    std::ifstream in(misspellings);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string right = line.substr(0, colon);
        std::set<std::string> meant;
        if (words.contains(offers::plainText(right))) {
            meant.insert(offers::plainText(right));
        }
        if (hasForms) {
            store::SqliteStatement bases(connection, "SELECT Base FROM BaseForms WHERE Form = ?1 COLLATE NOCASE");
            bases.bind(1, right);
            while (bases.step()) {
                meant.insert(offers::plainText(bases.text(0).value_or("")));
            }
        }
        std::istringstream wrongs(line.substr(colon + 1));
        std::string wrong;
        while (wrongs >> wrong) {
            if (!meant.empty() && !words.contains(offers::plainText(wrong))) {
                cases.push_back({wrong, meant});
            }
        }
    }
    return cases;
}

void SpellingScore::add(const SpellingCase& c, const std::vector<std::string>& offered) {
    ++cases;
    for (std::size_t i = 0; i < offered.size() && i < 10; ++i) {
        if (c.meant.contains(offers::plainText(offered[i]))) {
            at1 += i < 1 ? 1 : 0;
            at3 += i < 3 ? 1 : 0;
            at10 += 1;
            return;
        }
    }
}

std::vector<std::string> offeredWords(const offers::OfferIndex& index, const std::string& typed) {
    std::vector<std::string> offered;
    for (const offers::Offer& o : index.offersFor(typed)) {
        offered.push_back(o.word);
    }
    return offered;
}

SpellingScore scoreOffers(const offers::OfferIndex& index, const std::vector<SpellingCase>& cases) {
    SpellingScore score;
    for (const SpellingCase& c : cases) {
        score.add(c, offeredWords(index, c.wrong));
    }
    return score;
}

} // namespace testsupport
