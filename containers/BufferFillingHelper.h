#ifndef DRAVIK_CONTAINERS_BUFFERFILLINGHELPER_H
#define DRAVIK_CONTAINERS_BUFFERFILLINGHELPER_H

#include "framework/Export.h"
#include "framework/IBuffer.h"

// Rasterises a prepared list of quadrilaterals into grids of doubles on several threads at
// once; the call returns when every quad is filled.
//
// The list is `numThreads` runs of `quadsPerThread` quads, the last run `lastShortBy`
// shorter. Given a grid to clear, the threads first set every value of it to 0.0, each in
// its own band (a parallel clear, as `fill(0.0)` before the call would do). Each thread fills the quads of every run, in list order, but only in its own band
// of grid rows (bands split each grid's rows evenly), so no two threads ever write the same
// cell, even where quads overlap, and the grids come out exactly as a one-thread fill of the
// list in order leaves them. The calling thread takes the last band; workers live for one
// call only.
class DRAVIK_API BufferFillingHelper {
public:
    struct Quad2f {
        struct Corner {
            unsigned x = 0;  // column, as the grid's quad fills take it (negative values wrap)
            unsigned y = 0;  // row
            double values[2] = {0.0, 0.0};
        };
        IBuffer<double>* grid = nullptr;
        unsigned kind = 0;  // 1: one value per corner; 2: two; any other: skipped
        Corner corners[4];
    };

    // What one thread fills: `count` quads from `quads` on, in list order. A segment of a
    // multithreaded fill writes only band `bandIndex` of `bandCount` equal bands of each
    // grid's rows; the defaults write every row.
    struct Segment {
        int count = 0;
        Quad2f* quads = nullptr;
        unsigned bandIndex = 0;
        unsigned bandCount = 1;
        IBuffer<double>* clearFirst = nullptr;  // zeroed (in the band) before the quads
    };

    BufferFillingHelper() = default;
    BufferFillingHelper& operator=(const BufferFillingHelper&) = default;
    ~BufferFillingHelper() = default;

    static void multithreadFill(Quad2f* quads, unsigned numThreads, unsigned quadsPerThread, unsigned lastShortBy,
                                IBuffer<double>* clearFirst = nullptr);

    // Fills the quads of one segment (a Segment*) in order; two thread entry signatures.
    static unsigned fillBufferSegments(void* segment);
    static void* fillBufferSegmentsVoid(void* segment);
};

#endif
