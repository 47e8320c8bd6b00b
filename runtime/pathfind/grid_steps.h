// pathfind: the steps between neighbouring cells and what a cell's state byte
// says about its node. Standard C++ only.
#pragma once

#include <cstdint>  // Required for: fixed-width integers

struct GridStep {
    int32_t dx;
    int32_t dy;
    bool diagonal;
};

// The order in which neighbours are visited decides between paths of equal cost.
inline constexpr uint32_t kGridStepCount = 8;
inline constexpr GridStep kGridSteps[kGridStepCount] = {
    {-1, -1, true}, {0, -1, false}, {1, -1, true}, {1, 0, false},
    {-1, 0, false}, {-1, 1, true},  {0, 1, false}, {1, 1, true},
};

// A cell's state byte: where its node stands (bits 0-1), the index in
// kGridSteps of the step that reached it from its parent (bits 2-5, kNoParent
// for the start node), and whether the walk from the goal has seen the cell
// (bit 6, only while the cell has no node).
namespace cell_state {

enum Place : uint8_t { kNoNode, kOpen, kClosed, kCurrent };
inline constexpr uint8_t kPlaceMask = 3;
inline constexpr uint8_t kNoParent = 15;
inline constexpr uint8_t kFlooded = 0x40;

inline uint8_t make(Place place, uint32_t step) { return uint8_t(place | (step << 2)); }
inline Place placeOf(uint8_t state) { return Place(state & kPlaceMask); }
inline uint32_t stepOf(uint8_t state) { return (state >> 2) & 15u; }
inline uint8_t withPlace(uint8_t state, Place place) { return uint8_t((state & ~kPlaceMask) | place); }

}  // namespace cell_state
