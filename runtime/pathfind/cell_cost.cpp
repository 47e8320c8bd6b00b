// pathfind: the one pass over a map that finds its largest cost. Standard C++ only.
#include "runtime/pathfind/cell_cost.h"

namespace cell_cost {

namespace {

// Largest value, NaN left out (it never compares above); with skipInfinity the
// infinities too. Four running maxima keep the comparisons independent.
template <bool skipInfinity>
double largestValue(const double* cells, uint32_t n) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    double m[4] = {-kInfinity, -kInfinity, -kInfinity, -kInfinity};
    uint32_t i = 0;
    for (; i + 4 <= n; i += 4) {
        for (uint32_t k = 0; k < 4; ++k) {
            const double v = cells[i + k];
            if constexpr (skipInfinity) {
                m[k] = v > m[k] && v != kInfinity ? v : m[k];
            } else {
                m[k] = v > m[k] ? v : m[k];
            }
        }
    }
    for (; i < n; ++i) {
        const double v = cells[i];
        if (v > m[0] && (!skipInfinity || v != kInfinity)) {
            m[0] = v;
        }
    }
    const double a = m[0] > m[1] ? m[0] : m[1];
    const double b = m[2] > m[3] ? m[2] : m[3];
    return a > b ? a : b;
}

}  // namespace

float largest(const double* cells, uint32_t n) {
    double value = largestValue<false>(cells, n);
    // Infinite cells are walls: look again without them, which is rare.
    if (value == std::numeric_limits<double>::infinity()) {
        value = largestValue<true>(cells, n);
    }
    return narrow(value);
}

}  // namespace cell_cost
