#include "BenchTargets.h"

#include <cstdio>
#include <vector>

namespace benchsupport {

namespace {
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> medians;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median" ||
                (run.run_type == Run::RT_Iteration && !medians.contains(run.run_name.function_name))) {
                medians[run.run_name.function_name] =
                    run.GetAdjustedRealTime() * (run.time_unit == benchmark::kMillisecond   ? 1e6
                                                 : run.time_unit == benchmark::kMicrosecond ? 1e3
                                                                                            : 1.0);
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
    std::printf("%-52s %12.3f %-3s (limit %g) %s\n", what.c_str(), measured, unit, limit, met ? "met" : "MISSED");
    return met;
}

bool checkAtLeast(const std::string& what, double measured, double limit, const char* unit) {
    const bool met = measured >= limit;
    std::printf("%-52s %12.1f %-3s (at least %g) %s\n", what.c_str(), measured, unit, limit, met ? "met" : "MISSED");
    return met;
}

} // namespace benchsupport
