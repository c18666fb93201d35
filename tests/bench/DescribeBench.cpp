// Words from their meaning over the bundled dictionary: how well the ranking finds the described word on the
// development sets (median rank, hits at 1, 10 and 100), how long a description takes, and what the index holds.
//   describe_bench DICTIONARY GCIDE_DEV DESC60
#include "offers/OfferData.h"
#include "tests/support/ReverseCases.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

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
    for (int file = 2; file <= 3; ++file) {
        const auto cases = testsupport::readReverseCases(argv[file]);
        const auto t0 = std::chrono::steady_clock::now();
        const auto score = testsupport::scoreDescriptions(index, cases);
        const double each = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
                            static_cast<double>(std::max<std::size_t>(1, cases.size()));
        const auto pct = [&](std::size_t n) {
            return 100.0 * static_cast<double>(score.at(n)) / static_cast<double>(cases.size());
        };
        std::printf("| %s (%zu cases): median rank; hit at 1 / 10 / 100 | %.1f; %.0f%% / %.0f%% / %.0f%% | - | - |\n",
                    argv[file], cases.size(), score.median(), pct(1), pct(10), pct(100));
        std::printf("| a description ranked, on average | %.2f ms | - | - |\n", each);
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
