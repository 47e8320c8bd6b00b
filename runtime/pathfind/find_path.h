// pathfind: the language's find-path command over a two-dimensional map array.
// Element (x, y) of the map is the cost of cell (x, y); 0 or below blocks it.
// The path goes into the solution as rows (x, y): dimensions (count, 2), row 0
// the start, row count-1 the goal. Four neighbours; weight clamped to [0, 1].
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_array.h"

// The number of points of the path, 0 when there is none. Start or goal outside
// the map, start on the goal or a map without a positive cell leave the solution
// as it was; an unreachable goal leaves it empty.
int32_t findPath(const RtArray<double>& map, RtArray<int32_t>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY);
// As above with the points stored as doubles; the solution is emptied on any failure.
int32_t findPath(const RtArray<double>& map, RtArray<double>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY);
// As the first form with the map's ints taken as doubles.
int32_t findPath(const RtArray<int32_t>& map, RtArray<int32_t>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY);
