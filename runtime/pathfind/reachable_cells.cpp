// pathfind: a flood from the start that counts what it reaches. Standard C++ only.
#include "runtime/pathfind/reachable_cells.h"

#include <cstddef>  // Required for: size_t
#include <vector>   // Required for: std::vector

#include "runtime/pathfind/cell_cost.h"
#include "runtime/pathfind/grid_steps.h"

uint32_t countReachableCells(const PathRequest& request) {
    const int32_t width = request.width;
    const int32_t height = request.height;
    std::vector<uint8_t> seen(size_t(width) * size_t(height), 0);
    std::vector<uint32_t> queue;
    const uint32_t start = uint32_t(request.startY) * uint32_t(width) + uint32_t(request.startX);
    seen[start] = 1;
    queue.push_back(start);
    for (size_t head = 0; head < queue.size(); ++head) {
        const int32_t x = int32_t(queue[head] % uint32_t(width));
        const int32_t y = int32_t(queue[head] / uint32_t(width));
        for (const GridStep& s : kGridSteps) {
            if (s.diagonal && request.allowDiagonals == 0) {
                continue;
            }
            const int32_t nx = x + s.dx;
            const int32_t ny = y + s.dy;
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) {
                continue;
            }
            const uint32_t next = uint32_t(ny) * uint32_t(width) + uint32_t(nx);
            if (!seen[next] && cell_cost::isOpen(request.cells[next])) {
                seen[next] = 1;
                queue.push_back(next);
            }
        }
    }
    return uint32_t(queue.size());
}
