// Grid rasteriser against the two honest floors of writing the same grid: a plain loop
// storing a non-zero value into every value, and fill(0.0), which the compiler turns into a
// zeroing memset; and event delivery by the manager.
#include <benchmark/benchmark.h>

#include <cmath>

#include "EventDelivery.h"
#include "RatioReport.h"
#include "dravik/DravikFrameworkLayer.h"

namespace {

constexpr unsigned kWidth = 1920, kHeight = 1080, kTiles = 16;  // 16 x 16 = 256 quads

IBuffer<double>& sharedGrid() {
    static IBuffer<double> grid(1, 2, kWidth, kHeight, kWidth, kHeight);
    return grid;
}

void BM_Fill(benchmark::State& state) {
    IBuffer<double>& grid = sharedGrid();
    for (auto _ : state) {
        grid.fill(0.0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 2 * sizeof(double));
}

void BM_StoreLoop(benchmark::State& state) {
    IBuffer<double>& grid = sharedGrid();
    const std::size_t count = std::size_t(kWidth) * kHeight * 2;
    double value = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);  // a value the compiler cannot turn into a memset
        double* data = grid.data;
        for (std::size_t i = 0; i < count; ++i) data[i] = value;
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(count * sizeof(double)));
}

void BM_FillQuadTiling(benchmark::State& state) {
    IBuffer<double>& grid = sharedGrid();
    auto cx = [](unsigned i) { return i * kWidth / kTiles; };   // right/top edges end at W, H
    auto cy = [](unsigned j) { return j * kHeight / kTiles; };
    auto value = [](unsigned i, unsigned j, double* v) {
        v[0] = std::cos(i * 0.4) * j;
        v[1] = std::sin(j * 0.3) * i;
    };
    for (auto _ : state) {
        for (unsigned i = 0; i < kTiles; ++i)
            for (unsigned j = 0; j < kTiles; ++j) {
                double a[2], b[2], c[2], d[2];
                value(i, j, a);
                value(i + 1, j, b);
                value(i + 1, j + 1, c);
                value(i, j + 1, d);
                grid.fillQuadWithLength(cx(i), cy(j), a, cx(i + 1), cy(j), b, cx(i + 1), cy(j + 1), c,
                                        cx(i), cy(j + 1), d, 2);
            }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 2 * sizeof(double));
}

}  // namespace

BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillQuadTiling)->Unit(benchmark::kMillisecond);
BENCHMARK(dravik::bench::BM_EventDelivery)->Iterations(1000000);

int main(int argc, char** argv) {
    return dravik::bench::runWithRatios(argc, argv, {{"BM_FillQuadTiling", "BM_StoreLoop"}, {"BM_FillQuadTiling", "BM_Fill"}});
}
