#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace benchsupport {

// Runs the registered benchmarks, printing them as usual, and keeps each one's median time in nanoseconds.
std::map<std::string, double> runAndCollectMedians(int argc, char** argv);

// Prints a verdict for one target as a table row (| what | measured | target | verdict |); returns whether it was met.
bool check(const std::string& what, double measured, double limit, const char* unit);
// A figure with no target of its own, as a table row.
void note(const std::string& what, double measured, const char* unit);

// The same for a figure that must reach at least the limit (a speed-up over a baseline).
bool checkAtLeast(const std::string& what, double measured, double limit, const char* unit);

} // namespace benchsupport
