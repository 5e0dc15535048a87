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
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)  // benchmarks measured in real time compare real times
                cpuTimes[run.benchmark_name()] =
                    run.run_name.time_type == "real_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpuTimes;
};

inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    for (const Ratio& r : ratios) {
        auto m = collector.cpuTimes.find(r.measured), b = collector.cpuTimes.find(r.baseline);
        if (m == collector.cpuTimes.end() || b == collector.cpuTimes.end() || b->second <= 0.0) continue;
        std::printf("ratio %s / %s = %.2f\n", r.measured.c_str(), r.baseline.c_str(), m->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace dravik::bench

#endif
