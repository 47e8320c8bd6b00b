#include "bench_grids.h"

namespace {

void carveMaze(BenchMap& map, std::mt19937& rng) {
    const int32_t n = map.size;
    auto at = [&](int32_t x, int32_t y) -> double& { return map.cells[size_t(y) * size_t(n) + size_t(x)]; };
    std::vector<std::pair<int32_t, int32_t>> stack{{1, 1}};
    at(1, 1) = 1.0;
    const int32_t steps[4][2] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}};
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        int32_t options[4][2];
        int count = 0;
        for (const auto& s : steps) {
            const int32_t nx = x + s[0];
            const int32_t ny = y + s[1];
            if (nx > 0 && nx < n - 1 && ny > 0 && ny < n - 1 && at(nx, ny) == 0.0) {
                options[count][0] = nx;
                options[count][1] = ny;
                ++count;
            }
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const auto& pick = options[rng() % unsigned(count)];
        at((x + pick[0]) / 2, (y + pick[1]) / 2) = 1.0;
        at(pick[0], pick[1]) = 1.0;
        stack.push_back({pick[0], pick[1]});
    }
}

}  // namespace

BenchMap makeBenchMap(MapKind kind, int32_t size) {
    BenchMap map;
    map.size = size;
    std::mt19937 rng(uint32_t(size) * 7u + uint32_t(kind));
    switch (kind) {
        case MapKind::Open:
            map.cells.assign(size_t(size) * size_t(size), 1.0);
            map.goalX = map.goalY = size - 1;
            break;
        case MapKind::RandomCosts: {
            map.cells.resize(size_t(size) * size_t(size));
            std::uniform_int_distribution<int> cost(1, 9);
            for (double& c : map.cells) {
                c = rng() % 10 == 0 ? 0.0 : double(cost(rng));
            }
            map.goalX = map.goalY = size - 1;
            map.cells.front() = 1.0;
            map.cells.back() = 1.0;
            break;
        }
        case MapKind::Maze:
            map.cells.assign(size_t(size) * size_t(size), 0.0);
            carveMaze(map, rng);
            map.startX = map.startY = 1;
            // The carved rooms lie at odd positions.
            map.goalX = map.goalY = (size - 2) | 1;
            if (map.goalX >= size - 1) {
                map.goalX = map.goalY = size - 3;
            }
            break;
    }
    return map;
}
