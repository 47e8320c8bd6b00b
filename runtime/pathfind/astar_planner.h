// pathfind: weighted A* over the normalised cost grid with a Manhattan-distance
// heuristic; f = (h - g) x weight + g, so weight 0 orders by g alone and 1 by h.
#pragma once

#include "runtime/pathfind/planner.h"

class AStarPlanner : public Planner {
public:
    // Clears the last search and puts the start node in the open list.
    bool reset() override;
    bool search() override;

private:
    uint32_t takeBest();
    // Moves the node being expanded into the closed set.
    void close(uint32_t cell);
    // Ends the search, goal reached (cell >= 0) or not (-1).
    bool finish(int32_t cell);
};
