#ifndef DRAVIK_CONTAINERS_DETAIL_CLOSEDBAND_H
#define DRAVIK_CONTAINERS_DETAIL_CLOSEDBAND_H

#include <cstddef>

namespace detail {

// The segments of a closed outline of n points, in order: (0, 1), (1, 2), ..., (n - 2, n - 1)
// and the closing (n - 1, 0); `visit(previous, i)` for each. Nothing for n = 0. Bands between
// two outlines and their quad strips are built segment by segment from it.
template <class Visit>
void forEachClosedSegment(std::size_t n, Visit visit) {
    for (std::size_t k = 1; k <= n; ++k) visit(k - 1, k % n);
}

// A quad strip over the point pairs of a closed band: pair 0, then the second pair of every
// segment, so that the strip ends on pair 0 again.
template <class EmitPair>
void forEachClosedStripPair(std::size_t n, EmitPair emitPair) {
    if (n == 0) return;
    emitPair(std::size_t(0));
    forEachClosedSegment(n, [&](std::size_t, std::size_t i) { emitPair(i); });
}

}  // namespace detail

#endif
