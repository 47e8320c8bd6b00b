// pathfind: how a map's cell value becomes a cost the search uses. Standard
// C++ only.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <limits>   // Required for: std::numeric_limits

namespace cell_cost {

// Cost of a blocked cell, before and after normalisation.
inline constexpr float kBlocked = -1.0f;

// A cell's value as float: a positive finite value stays open even where float
// cannot hold it exactly (too large is the largest float, too small the
// smallest); 0, negative, infinite and NaN values block the cell.
inline float narrow(double value) {
    if (!(value > 0.0) || value == std::numeric_limits<double>::infinity()) {
        return kBlocked;
    }
    if (value > double(std::numeric_limits<float>::max())) {
        return std::numeric_limits<float>::max();
    }
    const float narrowed = static_cast<float>(value);
    return narrowed > 0.0f ? narrowed : std::numeric_limits<float>::denorm_min();
}

// An open cell costs more than 1 and at most 2: the dearest costs exactly 2.
inline float normalise(double value, float maximum) {
    const float cost = narrow(value);
    return cost > 0.0f ? cost / maximum + 1.0f : kBlocked;
}

inline bool isOpen(double value) { return narrow(value) > 0.0f; }

// The largest narrowed value of the n cells, kBlocked when none is open. One
// pass over the map: narrowing keeps the order of values, so the largest
// finite double narrows to the largest cost.
float largest(const double* cells, uint32_t n);

}  // namespace cell_cost
