// The find-path command over the language's number arrays: the three forms,
// the solution layout, and what each form leaves in the solution on failure.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "runtime/pathfind/find_path.h"

namespace {

using Points = std::vector<std::pair<int32_t, int32_t>>;

// Rows of text, one character per cell: '#' is 0 (blocked), a digit its cost.
template <typename T>
void fillMap(RtArray<T>& map, const std::vector<const char*>& rows) {
    const int32_t width = int32_t(std::strlen(rows.front()));
    map.dim(width, int32_t(rows.size()));
    for (int32_t y = 0; y < int32_t(rows.size()); ++y) {
        for (int32_t x = 0; x < width; ++x) {
            map.at(x, y) = rows[size_t(y)][x] == '#' ? T(0) : T(rows[size_t(y)][x] - '0');
        }
    }
}

template <typename T>
Points pointsOf(const RtArray<T>& solution) {
    Points points;
    EXPECT_EQ(solution.bounds(1), solution.bounds(0) > 0 ? 2 : solution.bounds(1));
    for (int32_t k = 0; k < solution.bounds(0); ++k) {
        points.push_back({int32_t(solution.at(k, 0)), int32_t(solution.at(k, 1))});
    }
    return points;
}

TEST(FindPath, ThreeCellRowGivesThreePoints) {
    RtArray<double> map;
    fillMap(map, {"111"});
    RtArray<int32_t> solution;
    EXPECT_EQ(findPath(map, solution, 0.5, 0, 0, 2, 0), 3);
    EXPECT_EQ(solution.bounds(0), 3);
    EXPECT_EQ(solution.bounds(1), 2);
    EXPECT_EQ(pointsOf(solution), (Points{{0, 0}, {1, 0}, {2, 0}}));
}

TEST(FindPath, FirstDimensionIsXAndSecondIsY) {
    RtArray<double> map;
    fillMap(map, {"11111", "###1#", "11111"});
    ASSERT_EQ(map.bounds(0), 5);
    RtArray<int32_t> solution;
    EXPECT_EQ(findPath(map, solution, 0.5, 0, 0, 0, 2), 9);
    EXPECT_EQ(pointsOf(solution),
              (Points{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}}));
}

TEST(FindPath, DiagonalGoalIsReachedByOrthogonalStepsOnly) {
    RtArray<double> map;
    fillMap(map, {"1111111", "1111111", "1111111", "1111111", "1111111"});
    RtArray<int32_t> solution;
    const int32_t count = findPath(map, solution, 0.5, 1, 1, 5, 4);
    EXPECT_EQ(count, 4 + 3 + 1);
    const Points points = pointsOf(solution);
    ASSERT_EQ(points.size(), size_t(count));
    EXPECT_EQ(points.front(), std::make_pair(1, 1));
    EXPECT_EQ(points.back(), std::make_pair(5, 4));
    for (size_t k = 1; k < points.size(); ++k) {
        EXPECT_EQ(std::abs(points[k].first - points[k - 1].first) + std::abs(points[k].second - points[k - 1].second),
                  1);
    }
}

TEST(FindPath, TheThreeFormsFindTheSamePath) {
    const std::vector<const char*> rows = {"1#2315", "13#119", "21#9#1", "111111"};
    RtArray<double> doubleMap;
    RtArray<int32_t> intMap;
    fillMap(doubleMap, rows);
    fillMap(intMap, rows);
    RtArray<int32_t> intSolution;
    RtArray<double> doubleSolution;
    RtArray<int32_t> fromIntMap;
    const int32_t count = findPath(doubleMap, intSolution, 0.3, 0, 0, 5, 0);
    ASSERT_GT(count, 0);
    EXPECT_EQ(findPath(doubleMap, doubleSolution, 0.3, 0, 0, 5, 0), count);
    EXPECT_EQ(findPath(intMap, fromIntMap, 0.3, 0, 0, 5, 0), count);
    EXPECT_EQ(pointsOf(doubleSolution), pointsOf(intSolution));
    EXPECT_EQ(pointsOf(fromIntMap), pointsOf(intSolution));
}

TEST(FindPath, SolutionIsReshapedWhateverItHeldBefore) {
    RtArray<double> map;
    fillMap(map, {"11", "11"});
    RtArray<int32_t> solution;
    solution.dim(50, 3, 2);
    solution.at(7, 2, 1) = 99;
    EXPECT_EQ(findPath(map, solution, 0.0, 0, 0, 1, 1), 3);
    EXPECT_EQ(solution.dimensions, 2);
    EXPECT_EQ(solution.bounds(0), 3);
    EXPECT_EQ(solution.bounds(1), 2);
    EXPECT_EQ(solution.bounds(2), 0);
}

// What a failed call leaves: the set-up failures keep the solution of the int
// forms untouched; an unreachable goal empties it; the double form empties it always.
TEST(FindPath, FailuresReturnZeroAndLeaveTheSolutionAsDescribed) {
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        int32_t startX, startY, goalX, goalY;
        bool setupFails;
    };
    const std::vector<Case> cases = {
        {"start outside", {"111", "111"}, -1, 0, 2, 1, true},
        {"goal outside", {"111", "111"}, 0, 0, 2, 2, true},
        {"start on the goal", {"111", "111"}, 1, 1, 1, 1, true},
        {"no positive cell", {"###", "###"}, 0, 0, 2, 1, true},
        {"goal walled in", {"11#1", "11#1"}, 0, 0, 3, 1, false},
        {"goal blocked", {"111", "11#"}, 0, 0, 2, 1, false},
    };
    for (const Case& c : cases) {
        RtArray<double> doubleMap;
        RtArray<int32_t> intMap;
        fillMap(doubleMap, c.rows);
        fillMap(intMap, c.rows);

        RtArray<int32_t> mainSolution;
        mainSolution.dim(4, 2);
        mainSolution.at(3, 1) = 42;
        EXPECT_EQ(findPath(doubleMap, mainSolution, 0.5, c.startX, c.startY, c.goalX, c.goalY), 0) << c.name;
        RtArray<int32_t> intMapSolution;
        intMapSolution.dim(4, 2);
        intMapSolution.at(3, 1) = 42;
        EXPECT_EQ(findPath(intMap, intMapSolution, 0.5, c.startX, c.startY, c.goalX, c.goalY), 0) << c.name;
        for (const RtArray<int32_t>* s : {&mainSolution, &intMapSolution}) {
            if (c.setupFails) {
                ASSERT_EQ(s->bounds(0), 4) << c.name;
                EXPECT_EQ(s->at(3, 1), 42) << c.name;
            } else {
                EXPECT_EQ(s->bounds(0), 0) << c.name;
                EXPECT_EQ(s->dimensions, 0) << c.name;
            }
        }

        RtArray<double> doubleSolution;
        doubleSolution.dim(4, 2);
        EXPECT_EQ(findPath(doubleMap, doubleSolution, 0.5, c.startX, c.startY, c.goalX, c.goalY), 0) << c.name;
        EXPECT_EQ(doubleSolution.bounds(0), 0) << c.name;
    }
}

TEST(FindPath, OneDimensionalOrUndimensionedMapsFindNothing) {
    RtArray<double> row;
    row.dim(5);
    for (int32_t x = 0; x < 5; ++x) {
        row.at(x) = 1.0;
    }
    RtArray<double> never;
    RtArray<int32_t> intRow;
    intRow.dim(5);
    RtArray<int32_t> solution;
    solution.dim(1, 2);
    EXPECT_EQ(findPath(row, solution, 0.5, 0, 0, 4, 0), 0);
    EXPECT_EQ(findPath(never, solution, 0.5, 0, 0, 4, 0), 0);
    EXPECT_EQ(findPath(intRow, solution, 0.5, 0, 0, 4, 0), 0);
    EXPECT_EQ(solution.bounds(0), 1);
}

// Weights outside [0, 1] act as the nearer end; a NaN weight takes the upper
// end through the runtime's min, which yields its second argument then.
TEST(FindPath, WeightIsClampedBeforeTheSearch) {
    RtArray<double> map;
    fillMap(map, {"1119", "1919", "1111", "9991"});
    auto path = [&](double weight) {
        RtArray<int32_t> solution;
        findPath(map, solution, weight, 0, 0, 3, 3);
        return pointsOf(solution);
    };
    ASSERT_NE(path(0.0), path(1.0));  // the grid tells the two ends apart
    EXPECT_EQ(path(-3.0), path(0.0));
    EXPECT_EQ(path(7.0), path(1.0));
    EXPECT_EQ(path(std::numeric_limits<double>::infinity()), path(1.0));
    EXPECT_EQ(path(std::nan("")), path(1.0));
}

TEST(FindPath, NotANumberAndInfiniteCostsAreWalls) {
    RtArray<double> map;
    fillMap(map, {"111", "111"});
    map.at(1, 0) = std::nan("");
    RtArray<int32_t> solution;
    EXPECT_EQ(findPath(map, solution, 0.0, 0, 0, 2, 0), 5);
    map.at(1, 0) = std::numeric_limits<double>::infinity();
    EXPECT_EQ(findPath(map, solution, 0.0, 0, 0, 2, 0), 5);
    map.at(1, 1) = -std::numeric_limits<double>::infinity();
    EXPECT_EQ(findPath(map, solution, 0.0, 0, 0, 2, 0), 0);
    EXPECT_EQ(solution.bounds(0), 0);
}

// The command keeps its search storage between calls, one store per thread:
// threads calling at once over maps of different sizes find what one thread
// finds calling alone.
TEST(FindPath, ThreadsCallingAtOnceFindWhatOneThreadFinds) {
    struct Query {
        RtArray<double> map;
        int32_t startX, startY, goalX, goalY;
        double weight;
        Points expected;
    };
    std::mt19937 rng(35);
    std::vector<Query> queries(48);
    for (Query& q : queries) {
        const int32_t width = 2 + int32_t(rng() % 60);
        const int32_t height = 2 + int32_t(rng() % 60);
        q.map.dim(width, height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                q.map.at(x, y) = rng() % 4 == 0 ? 0.0 : double(1 + rng() % 9);
            }
        }
        q.startX = int32_t(rng() % uint32_t(width));
        q.startY = int32_t(rng() % uint32_t(height));
        q.goalX = int32_t(rng() % uint32_t(width));
        q.goalY = int32_t(rng() % uint32_t(height));
        q.weight = double(rng() % 5) / 4.0;
        RtArray<int32_t> solution;
        findPath(q.map, solution, q.weight, q.startX, q.startY, q.goalX, q.goalY);
        q.expected = pointsOf(solution);
    }
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < mismatches.size(); ++t) {
        threads.emplace_back([&queries, &mismatches, t] {
            for (int round = 0; round < 3; ++round) {
                for (size_t k = 0; k < queries.size(); ++k) {
                    const Query& q = queries[(k * 7 + t * 13 + size_t(round)) % queries.size()];
                    RtArray<int32_t> solution;
                    findPath(q.map, solution, q.weight, q.startX, q.startY, q.goalX, q.goalY);
                    Points points;
                    for (int32_t i = 0; i < solution.bounds(0); ++i) {
                        points.push_back({solution.at(i, 0), solution.at(i, 1)});
                    }
                    mismatches[t] += points == q.expected ? 0 : 1;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t t = 0; t < mismatches.size(); ++t) {
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    }
}

}  // namespace
