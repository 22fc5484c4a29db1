#pragma once
// The main of every benchmark program: runs the registered Google benchmarks, then prints one
// line per comparison, "NAME ratio=R goal=G" (lower is better), R being the subject's real time
// per iteration divided by the reference's.

#include <benchmark/benchmark.h>
#include <string>

namespace bench {

// Declares a comparison of two registered benchmarks (by their full names).
void compare(const std::string& name, const std::string& subject, const std::string& reference, double goal);
// Declares a ratio printed for information only, "NAME ratio=R goal=none".
void inform(const std::string& name, const std::string& subject, const std::string& reference);
// Reports a figure measured outside Google Benchmark (a peak memory against its budget, say).
void report(const std::string& name, double ratio, double goal);

} // namespace bench

// Put at namespace scope in a benchmark source to declare a comparison.
#define VORLAK_COMPARE(name, subject, reference, goal)                                                       \
    static const bool vorlak_compare_##name = (bench::compare(#name, subject, reference, goal), true)
// The same for a ratio without a goal.
#define VORLAK_INFORM(name, subject, reference)                                                              \
    static const bool vorlak_inform_##name = (bench::inform(#name, subject, reference), true)
