// Random grids: the dense planner against the literal search node for node,
// the shape of every path, and optimality where the weight keeps the
// heuristic admissible.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>

#include "grid_fixtures.h"

namespace {

struct Scenario {
    CostGrid grid;
    PathRequest request;
};

Scenario randomScenario(std::mt19937& rng) {
    Scenario s;
    const int32_t width = 1 + int32_t(rng() % 24);
    const int32_t height = 1 + int32_t(rng() % 24);
    const double blocked = (rng() % 5) * 0.1;
    s.grid = randomGrid(rng, width, height, blocked);
    const GridPoint start{int32_t(rng() % unsigned(width)), int32_t(rng() % unsigned(height))};
    const GridPoint goal{int32_t(rng() % unsigned(width)), int32_t(rng() % unsigned(height))};
    static const float kWeights[] = {0.0f, 0.1f, 0.25f, 0.3f, 0.5f, 0.6f, 0.75f, 0.9f, 1.0f, -2.0f, 3.0f};
    s.request = requestFor(s.grid, start, goal, kWeights[rng() % std::size(kWeights)]);
    s.request.allowDiagonals = uint8_t(rng() % 2);
    s.request.diagonalCost = uint8_t(rng() % 2);
    s.request.hashBits = rng() % 12;
    return s;
}

std::string describe(const PathRequest& r) {
    return std::to_string(r.width) + "x" + std::to_string(r.height) + " from " + std::to_string(r.startX) +
           "," + std::to_string(r.startY) + " to " + std::to_string(r.goalX) + "," + std::to_string(r.goalY) +
           " weight " + std::to_string(r.weight) + " diagonals " + std::to_string(r.allowDiagonals) +
           "/" + std::to_string(r.diagonalCost);
}

TEST(PlannerRandom, MatchesTheLiteralSearchNodeForNode) {
    std::mt19937 rng(2024);
    int searched = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        Scenario s = randomScenario(rng);
        s.request.cells = s.grid.cells.data();
        const Outcome dense = runDense(s.request);
        const Outcome literal = runLiteral(s.request);
        ASSERT_EQ(dense.setUp, literal.setUp) << describe(s.request);
        if (!dense.setUp) {
            continue;
        }
        ++searched;
        ASSERT_EQ(dense.found, literal.found) << describe(s.request);
        ASSERT_EQ(dense.path, literal.path) << describe(s.request);
        ASSERT_EQ(std::bit_cast<uint32_t>(dense.cost), std::bit_cast<uint32_t>(literal.cost))
            << describe(s.request);
        ASSERT_EQ(dense.openCount, literal.openCount) << describe(s.request);
        ASSERT_EQ(dense.closedCount, literal.closedCount) << describe(s.request);
    }
    EXPECT_GT(searched, 2000);
}

TEST(PlannerRandom, PathsAreConnectedAvoidWallsAndAddUpToTheirCost) {
    std::mt19937 rng(77);
    const float factor = std::bit_cast<float>(0x3FB504F4u);
    for (int trial = 0; trial < 2000; ++trial) {
        Scenario s = randomScenario(rng);
        s.request.cells = s.grid.cells.data();
        const PathRequest& r = s.request;
        const Outcome out = runDense(r);
        if (!out.found) {
            continue;
        }
        ASSERT_GE(out.path.size(), 2u);
        EXPECT_EQ(out.path.front(), (GridPoint{r.startX, r.startY})) << describe(r);
        EXPECT_EQ(out.path.back(), (GridPoint{r.goalX, r.goalY})) << describe(r);
        const std::vector<float> costs = normalisedCosts(r);
        float g = 0.0f;
        for (size_t k = 1; k < out.path.size(); ++k) {
            const GridPoint a = out.path[k - 1];
            const GridPoint b = out.path[k];
            const int dx = std::abs(a.x - b.x);
            const int dy = std::abs(a.y - b.y);
            ASSERT_TRUE(dx <= 1 && dy <= 1 && dx + dy > 0) << describe(r);
            const bool diagonal = dx + dy == 2;
            ASSERT_TRUE(!diagonal || r.allowDiagonals) << describe(r);
            const float value = costs[size_t(b.y) * size_t(r.width) + size_t(b.x)];
            ASSERT_GT(value, 1.0f) << "path enters a wall: " << describe(r);
            g = diagonal ? g + value * (r.diagonalCost ? factor : 1.0f) : g + value;
        }
        EXPECT_EQ(g, out.cost) << describe(r);
    }
}

// f = (1 - w) g + w h orders as g + h w / (1 - w); each step costs at least 1 and,
// with diagonals, covers at most 2 of h, so these weights keep the search optimal.
TEST(PlannerRandom, AdmissibleWeightsFindTheCheapestPath) {
    std::mt19937 rng(4242);
    int reachable = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        Scenario s = randomScenario(rng);
        s.request.cells = s.grid.cells.data();
        PathRequest& r = s.request;
        static const float kFourWay[] = {0.0f, 0.25f, 0.5f};
        static const float kEightWay[] = {0.0f, 0.2f, 0.3f};
        r.weight = r.allowDiagonals ? kEightWay[rng() % 3] : kFourWay[rng() % 3];
        const Outcome out = runDense(r);
        if (!out.setUp) {
            continue;
        }
        const double best = dijkstraCost(r);
        ASSERT_EQ(out.found, best >= 0.0) << describe(r);
        if (out.found) {
            ++reachable;
            EXPECT_NEAR(out.cost, best, 1e-4 * best) << describe(r);
        }
    }
    EXPECT_GT(reachable, 500);
}

TEST(PlannerRandom, MazesMatchTheLiteralSearch) {
    std::mt19937 rng(5);
    for (int trial = 0; trial < 40; ++trial) {
        const int32_t size = 11 + 2 * int32_t(rng() % 8);
        const CostGrid maze = mazeGrid(rng, size, size);
        for (float weight : {0.0f, 0.5f, 0.9f}) {
            const PathRequest r = requestFor(maze, {1, 1}, {size - 2, size - 2}, weight);
            const Outcome dense = runDense(r);
            const Outcome literal = runLiteral(r);
            ASSERT_TRUE(dense.found);
            ASSERT_EQ(dense.path, literal.path);
            ASSERT_EQ(dense.closedCount, literal.closedCount);
        }
    }
}

}  // namespace
