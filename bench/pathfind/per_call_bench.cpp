// What one call of the find-path command costs beyond its search, beside the
// one pass over the map that finding the largest cost takes: a one-step path,
// a blocked goal, and a goal walled in by its eight neighbours on an open map
// (the whole map is explored either way), at weights 0.5 and 1, with the
// kept-storage binary-heap A* beside the last two. A first call outside the
// timing makes each side's storage.
#include <benchmark/benchmark.h>

#include <map>

#include "kept_heap_astar.h"
#include "runtime/pathfind/find_path.h"

namespace {

// An open map of 1s; with walledIn the eight neighbours of (size/2, size/2) are walls.
const RtArray<double>& openMap(int32_t size, bool walledIn) {
    static std::map<std::pair<int32_t, bool>, RtArray<double>> maps;
    auto [it, made] = maps.try_emplace({size, walledIn});
    RtArray<double>& map = it->second;
    if (made) {
        map.dim(size, size);
        for (int32_t y = 0; y < size; ++y) {
            for (int32_t x = 0; x < size; ++x) {
                map.at(x, y) = 1.0;
            }
        }
        const int32_t c = size / 2;
        for (int32_t dy = -1; dy <= 1; ++dy) {
            for (int32_t dx = -1; dx <= 1; ++dx) {
                if (walledIn && (dx != 0 || dy != 0)) {
                    map.at(c + dx, c + dy) = 0.0;
                }
            }
        }
    }
    return map;
}

void onePass(benchmark::State& state) {
    const RtArray<double>& map = openMap(int32_t(state.range(0)), false);
    const size_t n = size_t(map.bounds(0)) * size_t(map.bounds(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(plainLargestCost(map.data, n));
    }
}

void oneStep(benchmark::State& state) {
    const int32_t size = int32_t(state.range(0));
    const RtArray<double>& map = openMap(size, false);
    RtArray<int32_t> solution;
    findPath(map, solution, 0.5, 10, 10, 11, 10);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findPath(map, solution, 0.5, 10, 10, 11, 10));
    }
}

void blockedGoal(benchmark::State& state) {
    const int32_t size = int32_t(state.range(0));
    const RtArray<double>& map = openMap(size, true);
    const int32_t c = size / 2;
    RtArray<int32_t> solution;
    findPath(map, solution, 0.5, 10, 10, c + 1, c);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findPath(map, solution, 0.5, 10, 10, c + 1, c));
    }
}

void walledInGoal(benchmark::State& state) {
    const int32_t size = int32_t(state.range(0));
    const double weight = double(state.range(1)) / 100.0;
    const RtArray<double>& map = openMap(size, true);
    const int32_t c = size / 2;
    RtArray<int32_t> solution;
    findPath(map, solution, weight, 10, 10, c, c);
    for (auto _ : state) {
        benchmark::DoNotOptimize(findPath(map, solution, weight, 10, 10, c, c));
    }
}

void walledInGoalHeap(benchmark::State& state) {
    const int32_t size = int32_t(state.range(0));
    const float weight = float(state.range(1)) / 100.0f;
    const RtArray<double>& map = openMap(size, true);
    const int32_t c = size / 2;
    KeptHeapAStar heap;
    heap.find(map.data, size, size, 10, 10, c, c, weight);
    for (auto _ : state) {
        benchmark::DoNotOptimize(heap.find(map.data, size, size, 10, 10, c, c, weight).found);
    }
}

}  // namespace

BENCHMARK(onePass)->Arg(1024)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(oneStep)->Arg(1024)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(blockedGoal)->Arg(1024)->Arg(2048)->Unit(benchmark::kMicrosecond);
BENCHMARK(walledInGoal)->ArgNames({"size", "weight%"})->Args({1024, 50})->Args({1024, 100})->Args({2048, 100})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(walledInGoalHeap)->ArgNames({"size", "weight%"})->Args({1024, 50})->Args({1024, 100})
    ->Unit(benchmark::kMillisecond);
