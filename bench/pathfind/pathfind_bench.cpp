// Time per search of the A* planner next to a plain binary-heap A*, on open
// maps, random costs and mazes of 256, 1024 and 2048 cells a side. Both include
// turning the map into normalised costs, which every search of the command does.
// Also timed: the find-path command over a number array (the planner plus the
// solution array), and on the small maps the literal search of the tests, whose
// sorted open list and linear membership scans the planner replaces.
#include <benchmark/benchmark.h>

#include <map>

#include "bench_grids.h"
#include "heap_astar.h"
#include "literal_planner.h"
#include "runtime/pathfind/astar_planner.h"
#include "runtime/pathfind/find_path.h"

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

PathRequest requestFor(const BenchMap& map) {
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
    return request;
}

void planner(benchmark::State& state, MapKind kind) {
    const BenchMap& map = cachedMap(kind, int32_t(state.range(0)));
    const PathRequest request = requestFor(map);
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

void literal(benchmark::State& state, MapKind kind) {
    const BenchMap& map = cachedMap(kind, int32_t(state.range(0)));
    const PathRequest request = requestFor(map);
    size_t length = 0;
    for (auto _ : state) {
        LiteralPlanner p;
        p.setup(request);
        p.reset();
        p.search();
        length = p.path().size();
        p.clearNodes();
        benchmark::DoNotOptimize(length);
    }
    state.counters["path"] = double(length);
}

void command(benchmark::State& state, MapKind kind) {
    const BenchMap& source = cachedMap(kind, int32_t(state.range(0)));
    RtArray<double> map;
    map.dim(source.size, source.size);
    for (int32_t y = 0; y < source.size; ++y) {
        for (int32_t x = 0; x < source.size; ++x) {
            map.at(x, y) = source.cells[size_t(y) * size_t(source.size) + size_t(x)];
        }
    }
    RtArray<int32_t> solution;
    int32_t length = 0;
    for (auto _ : state) {
        length = findPath(map, solution, kWeight, source.startX, source.startY, source.goalX, source.goalY);
        benchmark::DoNotOptimize(length);
    }
    state.counters["path"] = length;
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(256)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);
}

void smallOnly(benchmark::internal::Benchmark* b) { b->Arg(256)->Unit(benchmark::kMillisecond); }

}  // namespace

BENCHMARK_CAPTURE(planner, open, MapKind::Open)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, open, MapKind::Open)->Apply(sizes);
BENCHMARK_CAPTURE(command, open, MapKind::Open)->Apply(sizes);
BENCHMARK_CAPTURE(literal, open, MapKind::Open)->Apply(smallOnly);
BENCHMARK_CAPTURE(planner, random_costs, MapKind::RandomCosts)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, random_costs, MapKind::RandomCosts)->Apply(sizes);
BENCHMARK_CAPTURE(command, random_costs, MapKind::RandomCosts)->Apply(sizes);
BENCHMARK_CAPTURE(literal, random_costs, MapKind::RandomCosts)->Apply(smallOnly);
BENCHMARK_CAPTURE(planner, maze, MapKind::Maze)->Apply(sizes);
BENCHMARK_CAPTURE(heapBaseline, maze, MapKind::Maze)->Apply(sizes);
BENCHMARK_CAPTURE(command, maze, MapKind::Maze)->Apply(sizes);
BENCHMARK_CAPTURE(literal, maze, MapKind::Maze)->Apply(smallOnly);
