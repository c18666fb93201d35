// Words from their meaning over the bundled dictionary: how well the ranking finds the described word on the
// development sets (median rank, hits at 1, 10 and 100), how long a description takes, and what the index holds.
//   describe_bench DICTIONARY GCIDE_DEV DESC60
#include "offers/OfferData.h"
#include "tests/bench/FullTextBaseline.h"
#include "tests/support/ReverseCases.h"

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {
// The resident kilobytes of this process.
long residentKb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kb = 0;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kb = std::atol(line + 6);
        }
    }
    if (status != nullptr) {
        std::fclose(status);
    }
    return kb;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: describe_bench DICTIONARY GCIDE_DEV DESC60\n", stderr);
        return 2;
    }
    const long before = residentKb();
    const auto start = std::chrono::steady_clock::now();
    const offers::DescriptionIndex index = offers::readDescriptions(argv[1], "Table3");
    const double built = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("| descriptions: the index of %zu senses, built (on the offers' thread) | %.0f ms | - | - |\n",
                index.senses(), built);
    malloc_trim(0); // as the program does once the index is built
    const double heldMb = static_cast<double>(residentKb() - before) / 1024;
    std::printf("| descriptions: memory the index holds | %.1f MB | at most 60 MB | %s |\n", heldMb,
                heldMb <= 60 ? "met" : "MISSED");
    // Each description timed as the offers list asks for it (ten words), over both files together.
    std::vector<double> times;
    const bench::FullTextBaseline fullText(argv[1]);
    for (int file = 2; file <= 3; ++file) {
        const auto cases = testsupport::readReverseCases(argv[file]);
        for (const auto& c : cases) {
            const auto t0 = std::chrono::steady_clock::now();
            index.wordsFor(c.description, offers::MostOffered);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
        // The targets: the definitions' median rank and hits at 1 / 10 / 100, the descriptions' hits at 10 / 100.
        const bool definitions = file == 2;
        const auto row = [&](const char* method, const testsupport::ReverseScore& score, bool judged) {
            const auto pct = [&](std::size_t n) {
                return 100.0 * static_cast<double>(score.at(n)) /
                       static_cast<double>(std::max<std::size_t>(1, cases.size()));
            };
            const bool met = definitions ? score.median() <= 6 && pct(1) >= 30 && pct(10) >= 60 && pct(100) >= 85
                                         : pct(10) >= 65 && pct(100) >= 85;
            std::printf(
                "| %s (%zu cases), %s: median rank; hit at 1 / 10 / 100 | %.1f; %.0f%% / %.0f%% / %.0f%% | %s | "
                "%s |\n",
                argv[file], cases.size(), method, score.median(), pct(1), pct(10), pct(100),
                !judged       ? "-"
                : definitions ? "6; 30% / 60% / 85%"
                              : "-; - / 65% / 85%",
                !judged ? "baseline"
                : met   ? "met"
                        : "MISSED");
        };
        row("Lexorant", testsupport::scoreDescriptions(index, cases), true);
        if (fullText.usable()) {
            row("plain full text (FTS5 bm25)", fullText.score(cases), false);
        }
    }
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        const double median = times[times.size() / 2];
        const double slowest99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        std::printf("| a description's offers (%zu descriptions): median; 99th percentile | %.2f ms; %.2f ms | 30 ms; "
                    "80 ms | %s |\n",
                    times.size(), median, slowest99, median <= 30 && slowest99 <= 80 ? "met" : "MISSED");
    }
    // A page pasted into the find box: every definition of the first file, one after the other.
    std::string page;
    for (const auto& c : testsupport::readReverseCases(argv[2])) {
        page += c.description + " ";
    }
    const auto t0 = std::chrono::steady_clock::now();
    index.wordsFor(page, 10);
    const double pasted = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("| a page pasted as a description (%zu characters) | %.1f ms | at most 100 ms | %s |\n", page.size(),
                pasted, pasted <= 100 ? "met" : "MISSED");
    return 0;
}
