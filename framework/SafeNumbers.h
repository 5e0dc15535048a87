#ifndef DRAVIK_FRAMEWORK_SAFENUMBERS_H
#define DRAVIK_FRAMEWORK_SAFENUMBERS_H

#include <cstdint>

// Truncation of doubles to integers without undefined behaviour.
//
// Event and geometry values come from outside (touch hardware, scene files) and may be
// NaN, infinite or far out of range. A plain cast is undefined for those; these helpers
// truncate toward zero when the value fits and otherwise give a defined value that lies
// outside every component and every grid.

// Truncates toward zero; NaN, negative and too large values give UINT32_MAX, a point that no
// component covers (so a negative coordinate never wraps onto a valid pixel).
inline std::uint32_t truncateToUnsigned(double value) {
    if (value >= 0.0 && value < 4294967296.0) return static_cast<std::uint32_t>(value);
    if (value > -1.0 && value < 0.0) return 0;  // truncation toward zero of (-1, 0)
    return UINT32_MAX;
}

// Truncates toward zero; NaN gives 0, values beyond the range are clamped to it.
inline std::int32_t truncateToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// Narrows to float; doubles beyond the range of float become the largest float of their
// sign (a plain conversion of those is undefined).
inline float narrowToFloat(double value) {
    constexpr double kLargest = 3.4028234663852886e+38;  // FLT_MAX
    if (value > kLargest) return static_cast<float>(kLargest);
    if (value < -kLargest) return static_cast<float>(-kLargest);
    return static_cast<float>(value);
}

// True when the value is neither NaN nor infinite.
inline bool isFiniteValue(double value) { return value - value == 0.0; }

#endif
