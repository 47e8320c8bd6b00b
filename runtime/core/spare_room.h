// core: how much a growing buffer really allocates behind the size it reports.
// Strings and arrays keep their reported capacities in small exact steps but
// allocate the next size of a coarse grid, so that growing one step at a time
// moves the contents only when the grid step is passed.
#pragma once

#include <bit>      // Required for: std::bit_ceil
#include <cstdint>  // Required for: uint64_t

// Up to 256 the room is the size itself; above, the next of 2^k and
// 1.5 x 2^k. The grid's ratio below 2 lets the allocator reuse the space a
// moved buffer left, and wastes at most a third. The room follows from the
// size alone, so any size up to a room shares that room.
constexpr uint64_t spareRoomFor(uint64_t size) {
    constexpr uint64_t kExactUpTo = 256;
    if (size <= kExactUpTo) return size;
    const uint64_t power = std::bit_ceil(size);
    const uint64_t threeQuarters = power / 4 * 3;
    return size <= threeQuarters ? threeQuarters : power;
}
