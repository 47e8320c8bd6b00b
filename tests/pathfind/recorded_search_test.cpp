// Searches recorded from the planner before its storage was kept between calls
// and unreachable goals were told early: ties, weights, walls, costs, blocked
// and walled-in goals, with and without diagonals. Every one must come out the
// same, point for point and bit for bit, from the planner and, where the
// request is the command's, from the find-path command. The calls run one
// after another over maps of many sizes, so storage left by one call meets the
// next.
//
// A line of recorded_searches.txt: width height cells ('#' blocked, a digit the
// cost, rows one after another) startX startY goalX goalY weight diagonals
// diagonalCost, then "refused" (set-up fails) or found|none, the cost's float
// bits in hexadecimal, the open and closed counts and the path's points x,y.
#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "grid_fixtures.h"
#include "runtime/pathfind/find_path.h"

namespace {

struct Recorded {
    std::string line;
    CostGrid grid;
    GridPoint start{};
    GridPoint goal{};
    float weight = 0.0f;
    int diagonals = 0;
    int diagonalCost = 0;
    Outcome outcome;
};

Recorded parse(const std::string& line) {
    Recorded r;
    r.line = line;
    std::istringstream in(line);
    std::string cells;
    in >> r.grid.width >> r.grid.height >> cells >> r.start.x >> r.start.y >> r.goal.x >> r.goal.y >> r.weight >>
        r.diagonals >> r.diagonalCost;
    for (const char c : cells) {
        r.grid.cells.push_back(c == '#' ? 0.0 : double(c - '0'));
    }
    std::string verdict;
    in >> verdict;
    if (verdict == "refused") {
        return r;
    }
    r.outcome.setUp = true;
    r.outcome.found = verdict == "found";
    std::string bits;
    in >> bits >> r.outcome.openCount >> r.outcome.closedCount;
    r.outcome.cost = std::bit_cast<float>(uint32_t(std::stoul(bits, nullptr, 16)));
    std::string point;
    while (in >> point) {
        const size_t comma = point.find(',');
        r.outcome.path.push_back({std::stoi(point.substr(0, comma)), std::stoi(point.substr(comma + 1))});
    }
    return r;
}

std::vector<Recorded> loadRecorded() {
    std::ifstream file(PATHFIND_TEST_DATA "/recorded_searches.txt");
    std::vector<Recorded> all;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty()) {
            all.push_back(parse(line));
        }
    }
    return all;
}

PathRequest requestOf(const Recorded& r) {
    PathRequest request = requestFor(r.grid, r.start, r.goal, r.weight);
    request.allowDiagonals = uint8_t(r.diagonals);
    request.diagonalCost = uint8_t(r.diagonalCost);
    return request;
}

TEST(RecordedSearches, ThePlannerFindsWhatItFoundBefore) {
    const std::vector<Recorded> all = loadRecorded();
    ASSERT_GT(all.size(), 2800u);
    size_t unreachable = 0;
    for (const Recorded& r : all) {
        const Outcome out = runDense(requestOf(r));
        ASSERT_EQ(out.setUp, r.outcome.setUp) << r.line;
        if (!out.setUp) {
            continue;
        }
        unreachable += r.outcome.found ? 0 : 1;
        ASSERT_EQ(out.found, r.outcome.found) << r.line;
        ASSERT_EQ(out.path, r.outcome.path) << r.line;
        ASSERT_EQ(std::bit_cast<uint32_t>(out.cost), std::bit_cast<uint32_t>(r.outcome.cost)) << r.line;
        ASSERT_EQ(out.openCount, r.outcome.openCount) << r.line;
        ASSERT_EQ(out.closedCount, r.outcome.closedCount) << r.line;
    }
    EXPECT_GT(unreachable, 200u);  // blocked and walled-in goals are among them
}

TEST(RecordedSearches, TheCommandFindsWhatItFoundBefore) {
    size_t compared = 0;
    for (const Recorded& r : loadRecorded()) {
        if (r.diagonals != 0 || r.diagonalCost != 1 || r.weight < 0.0f || r.weight > 1.0f) {
            continue;  // not a request the command makes
        }
        ++compared;
        RtArray<double> map;
        map.dim(r.grid.width, r.grid.height);
        for (int32_t y = 0; y < r.grid.height; ++y) {
            for (int32_t x = 0; x < r.grid.width; ++x) {
                map.at(x, y) = r.grid.cells[size_t(y) * size_t(r.grid.width) + size_t(x)];
            }
        }
        RtArray<int32_t> solution;
        solution.dim(1, 1);
        solution.at(0, 0) = 77;
        const int32_t count = findPath(map, solution, r.weight, r.start.x, r.start.y, r.goal.x, r.goal.y);
        ASSERT_EQ(count, int32_t(r.outcome.path.size())) << r.line;
        if (!r.outcome.setUp) {
            ASSERT_EQ(solution.bounds(0), 1) << r.line;  // left as it was
            ASSERT_EQ(solution.at(0, 0), 77) << r.line;
            continue;
        }
        ASSERT_EQ(solution.bounds(0), count) << r.line;
        for (int32_t k = 0; k < count; ++k) {
            ASSERT_EQ((GridPoint{solution.at(k, 0), solution.at(k, 1)}), r.outcome.path[size_t(k)]) << r.line;
        }
    }
    EXPECT_GT(compared, 700u);
}

}  // namespace
