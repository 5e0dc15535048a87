#include "containers/BufferFillingHelper.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace {

RowBand bandOf(const IBuffer<double>& grid, unsigned index, unsigned count) {
    if (count <= 1) return RowBand();
    const std::uint64_t rows = grid.getActualHeight();
    return RowBand{static_cast<unsigned>(rows * index / count), static_cast<unsigned>(rows * (index + 1) / count)};
}

}  // namespace

unsigned BufferFillingHelper::fillBufferSegments(void* segmentPointer) {
    const auto* segment = static_cast<const Segment*>(segmentPointer);
    if (segment == nullptr) return 0;
    if (IBuffer<double>* grid = segment->clearFirst; grid != nullptr && grid->data != nullptr) {
        const RowBand band = bandOf(*grid, segment->bandIndex, segment->bandCount);
        const std::size_t rowValues = std::size_t(grid->width) * grid->valuesPerCell;
        const std::size_t end = std::min<std::size_t>(band.end, grid->height);
        if (band.first < end) std::fill(grid->rows[band.first], grid->rows[band.first] + (end - band.first) * rowValues, 0.0);
    }
    if (segment->count < 1) return 0;
    for (int i = 0; i < segment->count; ++i) {
        const Quad2f& q = segment->quads[i];
        if (q.grid == nullptr || (q.kind != 1 && q.kind != 2)) continue;
        const RowBand band = bandOf(*q.grid, segment->bandIndex, segment->bandCount);
        const Quad2f::Corner* c = q.corners;
        if (q.kind == 1)
            q.grid->fillQuad(c[0].x, c[0].y, c[0].values[0], c[1].x, c[1].y, c[1].values[0], c[2].x, c[2].y,
                             c[2].values[0], c[3].x, c[3].y, c[3].values[0], band);
        else
            q.grid->fillQuadWithLength(c[0].x, c[0].y, c[0].values, c[1].x, c[1].y, c[1].values, c[2].x, c[2].y,
                                       c[2].values, c[3].x, c[3].y, c[3].values, 2, band);
    }
    return 0;
}

void* BufferFillingHelper::fillBufferSegmentsVoid(void* segment) {
    fillBufferSegments(segment);
    return nullptr;
}

void BufferFillingHelper::multithreadFill(Quad2f* quads, unsigned numThreads, unsigned quadsPerThread,
                                          unsigned lastShortBy, IBuffer<double>* clearFirst) {
    if (numThreads == 0) return;
    std::int64_t total = std::min<std::int64_t>(std::int64_t(numThreads) * quadsPerThread - lastShortBy, INT32_MAX);
    if (quads == nullptr || total < 0) total = 0;
    if (total == 0 && clearFirst == nullptr) return;
    // Every thread goes through all runs, each in its own band of rows.
    std::vector<Segment> segments(numThreads);
    for (unsigned t = 0; t < numThreads; ++t)
        segments[t] = Segment{static_cast<int>(total), quads, t, numThreads, clearFirst};
    std::vector<std::thread> workers;
    workers.reserve(numThreads - 1);
    for (unsigned t = 0; t + 1 < numThreads; ++t) {
        try {
            workers.emplace_back(fillBufferSegments, &segments[t]);
        } catch (const std::system_error&) {  // no thread to be had: fill that band here
            fillBufferSegments(&segments[t]);
        }
    }
    fillBufferSegments(&segments[numThreads - 1]);
    for (std::thread& worker : workers) worker.join();
}
