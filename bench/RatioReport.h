#ifndef DRAVIK_BENCH_RATIOREPORT_H
#define DRAVIK_BENCH_RATIOREPORT_H

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Runs the registered benchmarks and then prints, for each pair, the measured time of a
// benchmark as a ratio to its baseline from the same run, so that figures from machines of
// different speed can be compared.
namespace dravik::bench {

struct Ratio {
    std::string measured;  // benchmark name as reported (e.g. "BM_Fill/real_time")
    std::string baseline;
};

class RatioCollector : public benchmark::ConsoleReporter {
public:
    // With --benchmark_repetitions the ratio is taken between medians.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.str()))
                cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                cpuTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
                medians[run.run_name.str()] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpuTimes;
    std::map<std::string, bool> medians;
};

inline void printRatios(const RatioCollector& collector, const std::vector<Ratio>& ratios) {
    for (const Ratio& r : ratios) {
        auto m = collector.cpuTimes.find(r.measured), b = collector.cpuTimes.find(r.baseline);
        if (m == collector.cpuTimes.end() || b == collector.cpuTimes.end() || b->second <= 0.0) continue;
        std::printf("ratio %s / %s = %.2f\n", r.measured.c_str(), r.baseline.c_str(), m->second / b->second);
    }
}

inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printRatios(collector, ratios);
    benchmark::Shutdown();
    return 0;
}

}  // namespace dravik::bench

#endif
