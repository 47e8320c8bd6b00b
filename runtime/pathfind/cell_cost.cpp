// pathfind: the one pass over a map that finds its largest cost. Standard C++ only.
#include "runtime/pathfind/cell_cost.h"

namespace cell_cost {

namespace {

// The larger of a value and a running maximum; NaN never compares above it,
// and with skipInfinity neither does an infinity.
template <bool skipInfinity>
double keepLarger(double v, double maximum) {
    if constexpr (skipInfinity) {
        return v > maximum && v != std::numeric_limits<double>::infinity() ? v : maximum;
    } else {
        return v > maximum ? v : maximum;
    }
}

// Four running maxima keep the comparisons independent, and pointer steps
// rather than 32-bit indices let the pairs load as vectors.
template <bool skipInfinity>
double largestValue(const double* cells, uint32_t n) {
    constexpr double kLowest = -std::numeric_limits<double>::infinity();
    double m0 = kLowest, m1 = kLowest, m2 = kLowest, m3 = kLowest;
    const double* p = cells;
    const double* const end = cells + n;
    for (; end - p >= 4; p += 4) {
        m0 = keepLarger<skipInfinity>(p[0], m0);
        m1 = keepLarger<skipInfinity>(p[1], m1);
        m2 = keepLarger<skipInfinity>(p[2], m2);
        m3 = keepLarger<skipInfinity>(p[3], m3);
    }
    for (; p < end; ++p) {
        m0 = keepLarger<skipInfinity>(*p, m0);
    }
    return keepLarger<false>(keepLarger<false>(m0, m1), keepLarger<false>(m2, m3));
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
