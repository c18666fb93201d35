#include "tests/bench/BenchTargets.h"

#include <cstdio>
#include <vector>

namespace benchsupport {

namespace {
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string key =
                run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
            const bool single = run.run_type == Run::RT_Iteration && run.run_name.repetitions.empty();
            if (run.aggregate_name == "median" || single) {
                const double toNs = run.time_unit == benchmark::kMillisecond   ? 1e6
                                    : run.time_unit == benchmark::kMicrosecond ? 1e3
                                                                               : 1.0;
                medians[key] = run.GetAdjustedRealTime() * toNs;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};
} // namespace

std::map<std::string, double> runAndCollectMedians(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.medians;
}

bool check(const std::string& what, double measured, double limit, const char* unit) {
    const bool met = measured <= limit;
    std::printf("| %s | %.3f %s | at most %g %s | %s |\n", what.c_str(), measured, unit, limit, unit,
                met ? "met" : "MISSED");
    return met;
}

void note(const std::string& what, double measured, const char* unit) {
    std::printf("| %s | %.1f %s | - | - |\n", what.c_str(), measured, unit);
}

bool checkAtLeast(const std::string& what, double measured, double limit, const char* unit) {
    const bool met = measured >= limit;
    std::printf("| %s | %.0f %s | at least %g %s | %s |\n", what.c_str(), measured, unit, limit, unit,
                met ? "met" : "MISSED");
    return met;
}

} // namespace benchsupport
