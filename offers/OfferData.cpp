#include "offers/OfferData.h"

#include "platform/headless/RuntimeError.h"
#include "store/Database.h"

#include <charconv>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace offers {

namespace {

using store::RecordValues;

// However large a user's BaseForms table, the offers read this many rows of it at most; and of a Derivations table
// (WordNet's has some 33,000), whose pairs the index holds both ways while it reads them (16 bytes a row); and of a
// People table; and of a Thesaurus table (its groups of words, some 55,000 rows in Aiksaurus's).
constexpr std::size_t MostBaseFormRows = 20'000'000;
constexpr std::size_t MostDerivationRows = 1'000'000;
constexpr std::size_t MostPeopleRows = 1'000'000;
constexpr std::size_t MostThesaurusRows = 1'000'000;

// Reading stops here: a table read this far is as much as the offers take.
struct Enough {};

// The named columns of every row of a table the file may have (nothing when it has not, or not those columns), as
// far as it can be read and at most the given number of rows: a damaged table gives what was read before the damage.
void readColumns(store::Database& db, const std::string& table, const std::vector<std::string_view>& names,
                 const std::function<void(const RecordValues&)>& visit,
                 std::size_t most = std::numeric_limits<std::size_t>::max()) {
    try {
        const auto source = db.OpenTable(table);
        if (!source) {
            return;
        }
        std::vector<int> columns;
        for (const std::string_view name : names) {
            const auto column = store::columnNamed(**source, name);
            if (!column) {
                return;
            }
            columns.push_back(*column);
        }
        std::size_t read = 0;
        (*source)->scan(columns, [&](std::int64_t, const RecordValues& values) {
            if (++read > most) {
                throw Enough{};
            }
            visit(values);
        });
    } catch (const platform::RuntimeError&) {
    } catch (const Enough&) {
    }
}

void readBaseForms(store::Database& db, OfferData& data) {
    std::unordered_set<std::string_view> words;
    words.reserve(data.words.size());
    for (std::size_t i = 0; i < data.words.size(); ++i) {
        words.insert(data.words[i]);
    }
    readColumns(
        db, "BaseForms", {"Form", "Base"},
        [&](const RecordValues& row) {
            if (row[0] && row[1] && !row[1]->empty() && words.contains(*row[1])) {
                data.addBaseForm(*row[0], *row[1]);
            }
        },
        MostBaseFormRows);
}

// Each word of the word-use table with its count; a row with no word or no number for a count is passed over.
void readWordUse(store::Database& db, const std::function<void(const std::string&, double)>& visit) {
    readColumns(db, "WordUse", {"Word", "Count"}, [&visit](const RecordValues& row) {
        if (!row[0] || !row[1] || row[1]->empty()) {
            return;
        }
        char* end = nullptr;
        const double count = std::strtod(row[1]->c_str(), &end);
        if (end == row[1]->c_str() + row[1]->size()) {
            visit(*row[0], count);
        }
    });
}

} // namespace

OfferData readOfferData(const std::string& path, const std::string& table) {
    OfferData data;
    try {
        const auto db = store::openDatabase(path);
        const auto words = db->OpenTable(table);
        if (!words) {
            return data;
        }
        (*words)->scan({0}, [&data](std::int64_t, const RecordValues& values) {
            if (values.front()) {
                data.words.push_back(*values.front());
            }
        });
        readBaseForms(*db, data);
        readWordUse(*db, [&data](const std::string& word, double count) { data.addWordUse(word, count); });
    } catch (const platform::RuntimeError&) {
        // the offers are built from what could be read
    }
    return data;
}

std::vector<std::string> wordsMostUsedFirst(const std::string& path) {
    std::vector<std::pair<double, std::string>> counted;
    try {
        const auto db = store::openDatabase(path);
        readWordUse(*db, [&counted](const std::string& word, double count) { counted.emplace_back(count, word); });
    } catch (const platform::RuntimeError&) {
        // what could be read
    }
    std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> words;
    words.reserve(counted.size());
    for (auto& [count, word] : counted) {
        words.push_back(std::move(word));
    }
    return words;
}

namespace {

// The prepared tables of a database (none where there is none) read into a finished index, by its words' names: the
// words made one from the other; the words that name a person, for a description that asks for one (an index for
// one description that does not ask needs none); and a thesaurus's groups of words, each group by its number.
void readWordRelations(store::Database* db, DescriptionIndex& index) {
    if (db) {
        readColumns(
            *db, "Derivations", {"Word", "Related"},
            [&index](const RecordValues& row) {
                if (row[0] && row[1]) {
                    index.relate(*row[0], *row[1]);
                }
            },
            MostDerivationRows);
    }
    index.finishRelating();
    if (db && index.takesPeople()) {
        readColumns(
            *db, "People", {"Word"},
            [&index](const RecordValues& row) {
                if (row[0]) {
                    index.namePerson(*row[0]);
                }
            },
            MostPeopleRows);
    }
    if (db) {
        readColumns(
            *db, "Thesaurus", {"Word", "GroupId"},
            [&index](const RecordValues& row) {
                std::uint32_t group = 0;
                if (row[0] && row[1] &&
                    std::from_chars(row[1]->data(), row[1]->data() + row[1]->size(), group).ec == std::errc{}) {
                    index.group(*row[0], group);
                }
            },
            MostThesaurusRows);
    }
    index.finishGrouping();
}

} // namespace

DescriptionIndex readDescriptions(const std::string& path, const std::string& table,
                                  std::optional<std::string_view> onlyFor) {
    DescriptionIndex index;
    if (onlyFor) {
        index.keepOnlyTermsOf(*onlyFor);
    }
    DescriptionIndex::WordUses uses;
    std::unique_ptr<store::Database> db;
    try {
        db = store::openDatabase(path);
        if (const auto words = db->OpenTable(table); words && (*words)->columns().size() >= 2) {
            (*words)->scan({0, 1}, [&index](std::int64_t, const RecordValues& values) {
                if (values[0] && values[1]) {
                    index.add(*values[0], *values[1]);
                }
            });
        }
        uses.reserve(index.words());
        readWordUse(*db, [&uses](const std::string& word, double count) { uses.emplace_back(word, count); });
    } catch (const platform::RuntimeError&) {
        // the index holds what could be read
    }
    index.finish(uses);
    readWordRelations(db.get(), index);
    return index;
}

} // namespace offers
