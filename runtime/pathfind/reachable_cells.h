// pathfind: how many cells a search from the start can reach. Standard C++ only.
#pragma once

#include <cstdint>  // Required for: fixed-width integers

#include "runtime/pathfind/path_request.h"

// The start cell, blocked or not, and every open cell joined to it by steps
// through open cells: the cells a search closes when it cannot find its goal.
uint32_t countReachableCells(const PathRequest& request);
