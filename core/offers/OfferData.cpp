#include "core/offers/OfferData.h"

#include "core/store/FileFormat.h"
#include "core/store/jet/JetTable.h"
#include "core/store/sqlite/Sqlite.h"
#include "core/store/sqlite/SqliteTables.h"
#include "platform/headless/RuntimeError.h"

#include <unordered_set>

namespace offers {

namespace {

using core::SqliteConnection;
using core::SqliteStatement;

// However large a user's BaseForms table, the offers read this many rows of it at most.
constexpr std::size_t MostBaseFormRows = 20'000'000;

void readBaseForms(const std::shared_ptr<SqliteConnection>& connection, OfferData& data) {
    if (!SqliteStatement::prepares(connection, "SELECT Form, Base FROM BaseForms LIMIT 0")) {
        return;
    }
    std::unordered_set<std::string_view> words;
    words.reserve(data.words.size());
    for (std::size_t i = 0; i < data.words.size(); ++i) {
        words.insert(data.words[i]);
    }
    SqliteStatement rows(connection, "SELECT Form, Base FROM BaseForms");
    for (std::size_t read = 0; read < MostBaseFormRows && rows.step(); ++read) {
        if (!rows.isText(0) || !rows.isText(1)) {
            continue;
        }
        const std::string base = *rows.text(1);
        if (!base.empty() && words.contains(base)) {
            data.addBaseForm(*rows.text(0), base);
        }
    }
}

void readWordUse(const std::shared_ptr<SqliteConnection>& connection, OfferData& data) {
    if (!SqliteStatement::prepares(connection, "SELECT Word, Count FROM WordUse LIMIT 0")) {
        return;
    }
    SqliteStatement rows(connection, "SELECT Word, Count FROM WordUse");
    while (rows.step()) {
        if (const auto count = rows.number(1); count && rows.isText(0)) {
            data.addWordUse(*rows.text(0), *count);
        }
    }
}

void readTables(const std::shared_ptr<SqliteConnection>& connection, OfferData& data) {
    try {
        readBaseForms(connection, data);
    } catch (const platform::RuntimeError&) {
        // a damaged table gives what was read before the damage
    }
    try {
        readWordUse(connection, data);
    } catch (const platform::RuntimeError&) {
    }
}

} // namespace

OfferData readOfferData(const std::string& path, const std::string& table) {
    OfferData data;
    try {
        if (core::formatOf(path) == core::FileFormat::Jet) {
            for (const std::string& word : core::readJetWords(path, table).value_or(std::vector<std::string>())) {
                data.words.push_back(word);
            }
            return data; // an Access file has no tables of the offers' own
        }
        const auto connection = SqliteConnection::openReadOnly(path);
        auto words = core::sqliteBackend(connection)->openTable(table);
        if (!words) {
            return data;
        }
        (*words)->scan(0, [&data](std::int64_t, const std::optional<std::string>& word) {
            if (word) {
                data.words.push_back(*word);
            }
        });
        readTables(connection, data);
    } catch (const platform::RuntimeError&) {
        // the offers are built from what could be read
    }
    return data;
}

} // namespace offers
