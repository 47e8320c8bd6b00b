// pathfind: one search node of the A* planner, as the node pool hands it out.
#pragma once

#include <cstdint>  // Required for: int32_t

struct Node {
    Node* parent;  // node this one was reached from; null for the start node
    int32_t x;
    int32_t y;
    float f;       // open-list sort key
    float g;       // cost of the path from the start to this node
    Node* next;    // next node in the same NodeHashTable chain
};
