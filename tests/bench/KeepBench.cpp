// What the reader keeps, timed where the window waits on it: keeping a word and answering a review card (each a
// transaction on disk, WAL with full synchronisation), reading 10,000 kept words to browse them, and the bundled
// dictionary's words ordered most used first.
//   LEXORANT_DICTIONARY=db2.mdb keep_bench
#include "keep/MyWords.h"
#include "offers/OfferData.h"
#include "tests/bench/BenchTargets.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <cstdlib>

namespace {

testsupport::TempDir& folder() {
    static testsupport::TempDir dir;
    return dir;
}

void BM_KeepWord(benchmark::State& state) {
    keep::MyWords words(folder().path() / "keep.sqlite", false);
    std::int64_t i = 0;
    for (auto _ : state) {
        words.keepWord("/db2.mdb", std::string("w").append(std::to_string(i)), i);
        ++i;
    }
}

void BM_AnswerCard(benchmark::State& state) {
    keep::MyWords words(folder().path() / "answer.sqlite", false);
    words.keepWord("/db2.mdb", "zeal", 0);
    std::int64_t i = 0;
    for (auto _ : state) {
        ++i;
        words.answer("/db2.mdb", "zeal", i % 2 == 0, i);
    }
}

void BM_TenThousandKept(benchmark::State& state) {
    const auto file = folder().path() / "many.sqlite";
    {
        keep::MyWords words(file, false);
        if (words.kept("/db2.mdb").empty()) {
            for (int i = 0; i < 10000; ++i) {
                words.keepWord("/db2.mdb", "word" + std::to_string(i), i);
            }
        }
    }
    const keep::MyWords words(file, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(words.kept("/db2.mdb"));
    }
}

void BM_MostUsedFirst(benchmark::State& state) {
    const char* dictionary = std::getenv("LEXORANT_DICTIONARY"); // registered only when it is set
    for (auto _ : state) {
        benchmark::DoNotOptimize(offers::wordsMostUsedFirst(dictionary != nullptr ? dictionary : ""));
    }
}

} // namespace

int main(int argc, char** argv) {
    BENCHMARK(BM_KeepWord)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    BENCHMARK(BM_AnswerCard)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    BENCHMARK(BM_TenThousandKept)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    if (std::getenv("LEXORANT_DICTIONARY") != nullptr) {
        BENCHMARK(BM_MostUsedFirst)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
    }
    const auto t = benchsupport::runAndCollectMedians(argc, argv);
    if (t.size() < 3) {
        return 0; // a filtered run
    }
    std::printf("\n");
    bool met =
        benchsupport::check("my words: keeping a word (on disk when it returns)", t.at("BM_KeepWord") / 1e6, 16, "ms");
    met &= benchsupport::check("my words: answering a review card", t.at("BM_AnswerCard") / 1e6, 16, "ms");
    met &= benchsupport::check("my words: reading 10,000 kept words to browse them", t.at("BM_TenThousandKept") / 1e6,
                               50, "ms");
    if (t.contains("BM_MostUsedFirst")) {
        met &= benchsupport::check("most used words first: the bundled dictionary's 147,306 words in order",
                                   t.at("BM_MostUsedFirst") / 1e6, 100, "ms");
    }
    return met ? 0 : 1;
}
