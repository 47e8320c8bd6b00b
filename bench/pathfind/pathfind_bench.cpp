// Time per search of the A* planner next to a plain binary-heap A*, on open
// maps, random costs and mazes of 256, 1024 and 2048 cells a side. Both include
// turning the map into normalised costs, which every search of the command does.
#include <benchmark/benchmark.h>

#include <map>

#include "bench_grids.h"
#include "heap_astar.h"
#include "runtime/pathfind/astar_planner.h"

namespace {

constexpr float kWeight = 0.5f;  // plain A*: f = (g + h) / 2

const BenchMap& cachedMap(MapKind kind, int32_t size) {
    static std::map<std::pair<int, int32_t>, BenchMap> maps;
    auto key = std::make_pair(int(kind), size);
    auto it = maps.find(key);
    if (it == maps.end()) {
        it = maps.emplace(key, makeBenchMap(kind, size)).first;
    }
    return it->second;
}

void planner(benchmark::State& state, MapKind kind) {
    const BenchMap& map = cachedMap(kind, int32_t(state.range(0)));
    PathRequest request;
    request.startX = map.startX;
    request.startY = map.startY;
    request.goalX = map.goalX;
    request.goalY = map.goalY;
    request.diagonalCost = 1;
    request.hashBits = 8;
    request.weight = kWeight;
    request.width = map.size;
    request.height = map.size;
    request.cells = map.cells.data();
    uint32_t length = 0;
    uint32_t expanded = 0;
    for (auto _ : state) {
        AStarPlanner p;
        p.setup(request);
        p.reset();
        p.search();
        length = p.getPathLength();
        expanded = p.getClosedCount();
        p.clearNodes();
        benchmark::DoNotOptimize(length);
    }
    state.counters["path"] = length;
    state.counters["expanded"] = expanded;
}

void heapBaseline(benchmark::State& state, MapKind kind) {
    const BenchMap& map = cachedMap(kind, int32_t(state.range(0)));
    uint32_t length = 0;
    for (auto _ : state) {
        const HeapAStarResult r = heapAStar(map.cells, map.size, map.size, map.startX, map.startY, map.goalX,
                                            map.goalY, kWeight);
        length = r.pathLength;
        benchmark::DoNotOptimize(length);
    }
    state.counters["path"] = length;
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(256)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK_CAPTURE(planner, open, MapKind::Open)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, open, MapKind::Open)->Apply(sizes);
BENCHMARK_CAPTURE(planner, random_costs, MapKind::RandomCosts)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, random_costs, MapKind::RandomCosts)->Apply(sizes);
BENCHMARK_CAPTURE(planner, maze, MapKind::Maze)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, maze, MapKind::Maze)->Apply(sizes);
