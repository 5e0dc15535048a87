#ifndef DRAVIK_BENCH_RATIOREPORT_H
#define DRAVIK_BENCH_RATIOREPORT_H

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

// Runs the registered benchmarks and then prints, for each pair, the measured time of a
// benchmark (its CPU time, or its real time when it measures that) as a ratio to its
// baseline from the same run, so that figures from machines of different speed can be
// compared.
namespace dravik::bench {

struct Ratio {
    std::string measured;  // benchmark name as reported (e.g. "BM_Fill/real_time")
    std::string baseline;
};

class RatioCollector : public benchmark::ConsoleReporter {
public:
    // Benchmarks measured in real time compare real times; with repetitions, the medians.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            const std::string name = run.run_name.str();
            if (!median && medians.count(name) != 0) continue;  // a median, once reported, stands
            times[name] = run.run_name.time_type == "real_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            if (median) medians.insert(name);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;  // by benchmark name

private:
    std::set<std::string> medians;
};

inline void printRatios(const RatioCollector& collector, const std::vector<Ratio>& ratios) {
    for (const Ratio& r : ratios) {
        auto m = collector.times.find(r.measured), b = collector.times.find(r.baseline);
        if (m == collector.times.end() || b == collector.times.end() || b->second <= 0.0) continue;
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
