#include "benchmain.h"

#ifdef VORLAK_BENCH_GUI
#include <QApplication>
#else
#include <QCoreApplication>
#endif
#include <cstdio>
#include <map>
#include <vector>

namespace bench {
namespace {

struct Comparison {
    std::string name, subject, reference;
    double goal; // 0: for information only
};
std::vector<Comparison>& comparisons() {
    static std::vector<Comparison> list;
    return list;
}
std::vector<std::string>& reports() {
    static std::vector<std::string> lines;
    return lines;
}

// Keeps every run's real time per iteration while showing the usual console output, without
// colour codes, which would stick to the comparison lines in a log.
class Collector final : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

void compare(const std::string& name, const std::string& subject, const std::string& reference, double goal) {
    comparisons().push_back({name, subject, reference, goal});
}

void inform(const std::string& name, const std::string& subject, const std::string& reference) {
    comparisons().push_back({name, subject, reference, 0});
}

void report(const std::string& name, double ratio, double goal) {
    char line[256];
    std::snprintf(line, sizeof line, "%s ratio=%.3f goal=%.3g", name.c_str(), ratio, goal);
    reports().push_back(line);
}

} // namespace bench

int main(int argc, char** argv) {
#ifdef VORLAK_BENCH_GUI
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    std::fflush(stdout);
    for (const auto& c : bench::comparisons()) {
        const auto s = collector.seconds.find(c.subject), r = collector.seconds.find(c.reference);
        char goal[32] = "none";
        if (c.goal > 0)
            std::snprintf(goal, sizeof goal, "%.3g", c.goal);
        if (s == collector.seconds.end() || r == collector.seconds.end() || r->second <= 0)
            std::printf("%s ratio=missing goal=%s\n", c.name.c_str(), goal);
        else
            std::printf("%s ratio=%.3f goal=%s\n", c.name.c_str(), s->second / r->second, goal);
    }
    for (const auto& line : bench::reports())
        std::printf("%s\n", line.c_str());
    return 0;
}
