// The word store at the scale of a real dictionary: a generated 150,000-word table. Opening a view, stepping, and
// finding a word near the end or a missing one, each beside a linear scan of the same table in the same run.
#include "offers/OfferData.h"
#include "store/Criterion.h"
#include "store/Database.h"
#include "store/Folding.h"
#include "store/sqlite/Sqlite.h"
#include "tests/bench/BenchTargets.h"
#include "tests/support/TestDatabase.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {

constexpr int Words = 150000;

const std::string& databaseFile() {
    static testsupport::TempDir dir;
    static const std::string file = [] {
        const auto path = dir.path() / "db2.mdb";
        testsupport::writeWordDatabase(path, testsupport::numberedRows(Words));
        return path.string();
    }();
    return file;
}

// The same words in a table declared WITHOUT ROWID, which the store reads once and keeps.
const std::string& withoutRowidFile() {
    static testsupport::TempDir dir;
    static const std::string file = [] {
        const auto path = dir.path() / "db2.mdb";
        testsupport::writeWordDatabase(path, testsupport::numberedRows(Words), "Words");
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db,
                     "CREATE TABLE Table3 (Name TEXT PRIMARY KEY, Meaning TEXT) WITHOUT ROWID; "
                     "INSERT INTO Table3 SELECT * FROM Words; DROP TABLE Words; VACUUM;",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return path.string();
    }();
    return file;
}

void BM_OpenView(benchmark::State& state) {
    for (auto _ : state) {
        auto db = store::DBEngine::instance().OpenDatabase(databaseFile());
        auto rs = db->OpenRecordset("Select * From Table3");
        rs->MoveFirst();
        benchmark::DoNotOptimize(rs.get());
    }
}
BENCHMARK(BM_OpenView)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A view over a table without row ids reads it once (shared by the views open at the same time).
void BM_OpenViewWithoutRowid(benchmark::State& state) {
    for (auto _ : state) {
        auto db = store::DBEngine::instance().OpenDatabase(withoutRowidFile());
        auto rs = db->OpenRecordset("Select * From Table3");
        benchmark::DoNotOptimize(rs.get());
    }
}
BENCHMARK(BM_OpenViewWithoutRowid)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void moveNextBenchmark(benchmark::State& state, const std::string& file) {
    auto db = store::DBEngine::instance().OpenDatabase(file);
    auto rs = db->OpenRecordset("Select * From Table3");
    for (auto _ : state) {
        rs->MoveNext();
        if (rs->Eof()) {
            rs->MoveFirst();
        }
    }
}
void BM_MoveNext(benchmark::State& state) {
    moveNextBenchmark(state, databaseFile());
}
void BM_MoveNextWithoutRowid(benchmark::State& state) {
    moveNextBenchmark(state, withoutRowidFile());
}
BENCHMARK(BM_MoveNext)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MoveNextWithoutRowid)->Repetitions(5)->ReportAggregatesOnly(true);

void findBenchmark(benchmark::State& state, const std::string& word, const std::string& file = databaseFile()) {
    auto db = store::DBEngine::instance().OpenDatabase(file);
    auto rs = db->OpenRecordset("Select * From Table3");
    rs->FindFirst("Name = 'warm-up'"); // the first find of a view reads the column once
    for (auto _ : state) {
        rs->MoveFirst();
        rs->FindFirst("Name = '" + word + "'");
        benchmark::DoNotOptimize(rs->NoMatch());
    }
}
void BM_FindFirstNearEnd(benchmark::State& state) {
    findBenchmark(state, "WORD149990");
}
void BM_FindFirstMiss(benchmark::State& state) {
    findBenchmark(state, "no such word");
}
void BM_FindFirstNearEndWithoutRowid(benchmark::State& state) {
    findBenchmark(state, "WORD149990", withoutRowidFile());
}
BENCHMARK(BM_FindFirstNearEndWithoutRowid)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FindFirstNearEnd)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_FindFirstMiss)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The first find of a fresh view reads the word column once, to find every later word by its hash.
void BM_FirstFindOfAView(benchmark::State& state) {
    auto db = store::DBEngine::instance().OpenDatabase(databaseFile());
    for (auto _ : state) {
        auto rs = db->OpenRecordset("Select * From Table3");
        rs->FindFirst("Name = 'WORD149990'");
        benchmark::DoNotOptimize(rs->NoMatch());
    }
}
BENCHMARK(BM_FirstFindOfAView)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The baseline: a find that reads the table from the top, comparing every word ignoring case.
void BM_LinearScanFind(benchmark::State& state) {
    auto connection = store::SqliteConnection::openReadOnly(databaseFile());
    store::SqliteStatement scan(connection, "SELECT rowid, Name FROM Table3");
    const std::string wanted = store::foldCase("WORD149990");
    for (auto _ : state) {
        scan.reset();
        std::int64_t found = 0;
        while (scan.step()) {
            if (store::foldCase(scan.text(1).value_or("")) == wanted) {
                found = scan.int64(0);
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LinearScanFind)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The same measures on a 150,000-word Access (Jet 4) file, when one is given (LEXORANT_JET_150K: its path).
const char* jetFile() {
    const char* file = std::getenv("LEXORANT_JET_150K");
    return file != nullptr && *file != '\0' ? file : nullptr;
}

void BM_JetOpenView(benchmark::State& state) {
    for (auto _ : state) {
        auto db = store::DBEngine::instance().OpenDatabase(jetFile());
        auto rs = db->OpenRecordset("Select * From Table3");
        rs->MoveFirst();
        benchmark::DoNotOptimize(rs->Fields(0).Text());
    }
}
void BM_JetMoveNext(benchmark::State& state) {
    moveNextBenchmark(state, jetFile());
}
void BM_JetFindFirstNearEnd(benchmark::State& state) {
    findBenchmark(state, "WORD_149990", jetFile());
}
void BM_JetFirstFindOfAView(benchmark::State& state) {
    for (auto _ : state) {
        auto db = store::DBEngine::instance().OpenDatabase(jetFile());
        auto rs = db->OpenRecordset("Select * From Table3");
        rs->FindFirst("Name = 'WORD_149990'");
        benchmark::DoNotOptimize(rs->NoMatch());
    }
}

// Offers as the user types, over the real dictionary (LEXORANT_DICTIONARY: the built db2.mdb), for one-, two-
// and three-letter prefixes; beside a scan that folds every word and compares its start, the same words.
const char* dictionaryFile() {
    const char* file = std::getenv("LEXORANT_DICTIONARY");
    return file != nullptr && *file != '\0' ? file : nullptr;
}
const std::array<std::string, 3> Prefixes{"s", "co", "pre"};

void BM_Offers(benchmark::State& state) {
    const offers::OfferIndex index(offers::readOfferData(dictionaryFile(), "Table3"));
    const std::string& prefix = Prefixes[static_cast<std::size_t>(state.range(0) - 1)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.wordsBeginningWith(prefix, 10));
    }
}
void BM_OffersByScan(benchmark::State& state) {
    auto connection = store::SqliteConnection::openReadOnly(dictionaryFile());
    store::SqliteStatement scan(connection, "SELECT Name FROM Table3");
    std::vector<std::string> words;
    while (scan.step()) {
        words.push_back(scan.text(0).value_or(""));
    }
    const std::string prefix = store::foldCase(Prefixes[static_cast<std::size_t>(state.range(0) - 1)]);
    for (auto _ : state) {
        std::vector<std::string> found;
        for (const std::string& word : words) {
            if (found.size() < 10 && store::foldCase(word).compare(0, prefix.size(), prefix) == 0) {
                found.push_back(word);
            }
        }
        benchmark::DoNotOptimize(found);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (dictionaryFile() != nullptr) {
        BENCHMARK(BM_Offers)
            ->DenseRange(1, 3)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        BENCHMARK(BM_OffersByScan)
            ->DenseRange(1, 3)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
    }
    if (jetFile() != nullptr) {
        BENCHMARK(BM_JetOpenView)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
        BENCHMARK(BM_JetMoveNext)->Repetitions(5)->ReportAggregatesOnly(true);
        BENCHMARK(BM_JetFindFirstNearEnd)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
        BENCHMARK(BM_JetFirstFindOfAView)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
    }
    databaseFile();
    withoutRowidFile();
    const auto t = benchsupport::runAndCollectMedians(argc, argv);
    if (t.size() < 9) {
        return 0; // a filtered run: nothing to compare
    }
    std::printf("\n");
    bool met = true;
    met &= benchsupport::check("word store (150,000 words): open a view, on the first word", t.at("BM_OpenView") / 1e6,
                               5, "ms");
    met &= benchsupport::check("word store: MoveNext", t.at("BM_MoveNext") / 1e3, 5, "us");
    met &= benchsupport::check("word store: FindFirst of a word near the end", t.at("BM_FindFirstNearEnd") / 1e3, 20,
                               "us");
    met &= benchsupport::check("word store: FindFirst of a missing word", t.at("BM_FindFirstMiss") / 1e3, 20, "us");
    met &= benchsupport::check("word store, a table WITHOUT ROWID: MoveNext", t.at("BM_MoveNextWithoutRowid") / 1e3, 5,
                               "us");
    met &= benchsupport::check("word store, a table WITHOUT ROWID: FindFirst of a word near the end",
                               t.at("BM_FindFirstNearEndWithoutRowid") / 1e3, 20, "us");
    benchsupport::note("word store, a table WITHOUT ROWID: open a view (reads the table once)",
                       t.at("BM_OpenViewWithoutRowid") / 1e6, "ms");
    if (t.contains("BM_JetOpenView")) {
        met &= benchsupport::check("word store, an Access file (150,000 words): open a view, on the first word",
                                   t.at("BM_JetOpenView") / 1e6, 20, "ms");
        met &= benchsupport::check("word store, an Access file: MoveNext", t.at("BM_JetMoveNext") / 1e3, 5, "us");
        met &= benchsupport::check("word store, an Access file: FindFirst of a word near the end",
                                   t.at("BM_JetFindFirstNearEnd") / 1e3, 20, "us");
        met &= benchsupport::check("word store, an Access file: the first find of a fresh view (reads every word)",
                                   t.at("BM_JetFirstFindOfAView") / 1e6, 1000, "ms");
    } else {
        std::printf("| word store, an Access file: not measured (no 150,000-word Access file given) | - | - | - |\n");
    }
    for (int letters = 1; letters <= 3; ++letters) {
        const std::string arg = "/" + std::to_string(letters);
        if (!t.contains("BM_Offers" + arg)) {
            continue;
        }
        const double suggest = t.at("BM_Offers" + arg);
        met &= benchsupport::check("offers for a " + std::to_string(letters) + "-letter prefix (147,306 words)",
                                   suggest / 1e6, 2, "ms");
        met &= benchsupport::checkAtLeast("a scan of the words over offers (" + std::to_string(letters) + " letters)",
                                          t.at("BM_OffersByScan" + arg) / suggest, 50, "x");
    }
    benchsupport::note("word store: the first find of a fresh view (reads the words once)",
                       t.at("BM_FirstFindOfAView") / 1e6, "ms");
    const double scan = t.at("BM_LinearScanFind");
    met &= benchsupport::checkAtLeast("word store: a linear scan over FindFirst (near the end)",
                                      scan / t.at("BM_FindFirstNearEnd"), 100, "x");
    met &= benchsupport::checkAtLeast("word store: a linear scan over FindFirst (a miss)",
                                      scan / t.at("BM_FindFirstMiss"), 100, "x");
    return met ? 0 : 1;
}
