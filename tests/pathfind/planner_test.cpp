// Hand-made grids that pin the search: neighbour order, ties, reopening, the
// goal test, failures of set-up and what costs the grid turns into.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "grid_fixtures.h"
#include "runtime/pathfind/astar_planner.h"

namespace {

using Path = std::vector<GridPoint>;

const CostGrid kUniform3 = gridFromRows({"555", "555", "555"});

struct OrderCase {
    const char* name;
    GridPoint start;
    GridPoint goal;
    uint8_t diagonals;
    uint8_t diagonalCost;
    Path path;
};

// With weight 0 on a uniform grid many paths cost the same; the first neighbour
// that reaches a cell keeps it, so the order up, right, left, down (and the
// diagonals between them) decides the path.
TEST(AStarPlanner, NeighbourOrderDecidesBetweenEqualPaths) {
    const std::vector<OrderCase> cases = {
        {"right before down", {0, 0}, {2, 2}, 0, 1, {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}},
        {"up before left", {2, 2}, {0, 0}, 0, 1, {{2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}},
        {"left before down", {2, 0}, {0, 2}, 0, 1, {{2, 0}, {1, 0}, {0, 0}, {0, 1}, {0, 2}}},
        {"up before right", {0, 2}, {2, 0}, 0, 1, {{0, 2}, {0, 1}, {0, 0}, {1, 0}, {2, 0}}},
        {"right before down-right", {0, 0}, {2, 1}, 1, 0, {{0, 0}, {1, 0}, {2, 1}}},
        {"left before down-left", {2, 0}, {0, 1}, 1, 0, {{2, 0}, {1, 0}, {0, 1}}},
        {"diagonal steps when cheaper", {0, 0}, {2, 2}, 1, 1, {{0, 0}, {1, 1}, {2, 2}}},
    };
    for (const OrderCase& c : cases) {
        PathRequest r = requestFor(kUniform3, c.start, c.goal, 0.0f);
        r.allowDiagonals = c.diagonals;
        r.diagonalCost = c.diagonalCost;
        const Outcome out = runDense(r);
        ASSERT_TRUE(out.found) << c.name;
        EXPECT_EQ(out.path, c.path) << c.name;
        EXPECT_EQ(out.path, runLiteral(r).path) << c.name;
    }
}

TEST(AStarPlanner, DiagonalCostUsesTheSquareRootFactorOfTheEnteredCell) {
    PathRequest r = requestFor(kUniform3, {0, 0}, {2, 2}, 0.0f);
    r.allowDiagonals = 1;
    const float factor = std::bit_cast<float>(0x3FB504F4u);
    EXPECT_EQ(runDense(r).cost, 2.0f * factor + 2.0f * factor);
    r.diagonalCost = 0;
    EXPECT_EQ(runDense(r).cost, 4.0f);
}

// Weight 1 orders by h alone: all nodes at one distance tie, and the one that
// entered the open list first is expanded first.
TEST(AStarPlanner, TiesInFGoToTheNodeThatEnteredFirst) {
    const Outcome out = runDense(requestFor(kUniform3, {0, 0}, {2, 2}, 1.0f));
    ASSERT_TRUE(out.found);
    EXPECT_EQ(out.path, (Path{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}}));
    EXPECT_EQ(out.closedCount, 5u);
    EXPECT_EQ(out.openCount, 2u);
}

// A heavy weight closes (2, 1) over a dear route first; the cheaper route found
// later takes it back out of the closed set and the path runs through it.
TEST(AStarPlanner, ClosedNodeReachedMoreCheaplyIsReopened) {
    const CostGrid grid = gridFromRows({"1#232", "291#3", "131#2"});
    const PathRequest r = requestFor(grid, {0, 0}, {4, 2}, 0.75f);
    LiteralPlanner literal;
    ASSERT_TRUE(literal.setup(r));
    literal.reset();
    literal.search();
    ASSERT_GT(literal.reopenCount(), 0u);  // the grid does exercise reopening

    const Outcome out = runDense(r);
    ASSERT_TRUE(out.found);
    EXPECT_EQ(out.path, (Path{{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {4, 2}}));
    EXPECT_FLOAT_EQ(out.cost, 10.666667f);
    EXPECT_EQ(out.cost, literal.pathCost());
}

// The goal enters the open list over one parent and gets a cheaper one before it
// is taken; testing it only when taken keeps the cheaper path.
TEST(AStarPlanner, GoalIsTestedWhenTakenNotWhenReached) {
    const CostGrid grid = gridFromRows({"2131", "##22", "3212"});
    const PathRequest r = requestFor(grid, {0, 0}, {3, 2}, 0.3f);
    LiteralPlanner literal;
    ASSERT_TRUE(literal.setup(r));
    literal.reset();
    literal.search();
    ASSERT_GT(literal.goalImprovementCount(), 0u);

    const Outcome out = runDense(r);
    ASSERT_TRUE(out.found);
    EXPECT_EQ(out.path, (Path{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {3, 2}}));
    EXPECT_EQ(out.cost, 8.0f);
}

TEST(AStarPlanner, BlockedStartIsLeftButBlockedGoalNeverEntered) {
    const CostGrid corridor = gridFromRows({"#11"});
    const Outcome fromBlocked = runDense(requestFor(corridor, {0, 0}, {2, 0}, 0.5f));
    ASSERT_TRUE(fromBlocked.found);
    EXPECT_EQ(fromBlocked.path, (Path{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(fromBlocked.cost, 4.0f);

    const Outcome toBlocked = runDense(requestFor(corridor, {2, 0}, {0, 0}, 0.5f));
    ASSERT_TRUE(toBlocked.setUp);
    EXPECT_FALSE(toBlocked.found);
    EXPECT_TRUE(toBlocked.path.empty());
    EXPECT_EQ(toBlocked.cost, -1.0f);
}

TEST(AStarPlanner, WalledInGoalEndsWithNoResultAndAnEmptyOpenList) {
    const CostGrid grid = gridFromRows({"11111", "11#11", "1#1#1", "11#11"});
    for (float weight : {0.0f, 0.5f, 1.0f}) {
        const Outcome out = runDense(requestFor(grid, {0, 0}, {2, 2}, weight));
        ASSERT_TRUE(out.setUp);
        EXPECT_FALSE(out.found) << weight;
        EXPECT_EQ(out.openCount, 0u) << weight;
        EXPECT_EQ(out.closedCount, 15u) << weight;  // every cell outside the wall
    }
}

// A search whose goal cannot be reached stops early, but reports what running
// to its end reports: no path, an empty open list, every reachable cell closed.
// Goals walled in by one ring or a room, a start walled in, a map cut in two, a
// gap only a diagonal step passes, blocked goals and starts; small pools keep
// the search from stopping early and must find the same.
TEST(AStarPlanner, UnreachableGoalsEndAsTheWholeSearchWould) {
    struct Case {
        const char* name;
        std::vector<const char*> rows;
        GridPoint start;
        GridPoint goal;
    };
    const std::vector<Case> cases = {
        {"goal in a ring", {"1111111", "1111111", "11###11", "11#1#11", "11###11", "1111111"}, {0, 0}, {3, 3}},
        {"goal in a room", {"11111111", "1#####11", "1#21#111", "1#13#111", "1####111", "11111111"}, {7, 5}, {2, 2}},
        {"start in a room", {"11111111", "1#####11", "1#21#111", "1#13#111", "1####111", "11111111"}, {2, 3}, {7, 0}},
        {"map cut in two", {"11#1111", "12#1911", "11#1111", "31#1111"}, {0, 3}, {6, 0}},
        {"diagonal gap", {"11111", "11#11", "1#1#1", "11#11", "11111"}, {0, 0}, {2, 2}},
        {"blocked goal", {"11111", "11#11", "11111"}, {0, 0}, {2, 1}},
        {"blocked goal and start", {"#1111", "11#11", "11111"}, {0, 0}, {2, 1}},
        {"blocked start, goal in a ring", {"#1111", "111#1", "11#1#", "111#1"}, {0, 0}, {3, 2}},
    };
    for (const Case& c : cases) {
        const CostGrid grid = gridFromRows(c.rows);
        const uint32_t cells = uint32_t(grid.width * grid.height);
        for (const float weight : {0.0f, 0.5f, 1.0f}) {
            for (const uint8_t diagonals : {0, 1}) {
                for (const uint32_t pool : {0u, cells - 1}) {
                    PathRequest r = requestFor(grid, c.start, c.goal, weight);
                    r.allowDiagonals = diagonals;
                    r.poolSize = pool;
                    const Outcome dense = runDense(r);
                    const Outcome literal = runLiteral(r);
                    const std::string what = std::string(c.name) + " weight " + std::to_string(weight) +
                                             " diagonals " + std::to_string(diagonals) + " pool " +
                                             std::to_string(pool);
                    ASSERT_TRUE(dense.setUp) << what;
                    EXPECT_EQ(dense.found, literal.found) << what;
                    EXPECT_EQ(dense.path, literal.path) << what;
                    EXPECT_EQ(dense.openCount, literal.openCount) << what;
                    EXPECT_EQ(dense.closedCount, literal.closedCount) << what;
                }
            }
        }
    }
    // The cases do reach both ends: the diagonal gap opens with diagonals.
    const CostGrid gap = gridFromRows(cases[4].rows);
    PathRequest r = requestFor(gap, {0, 0}, {2, 2}, 0.5f);
    EXPECT_FALSE(runDense(r).found);
    r.allowDiagonals = 1;
    EXPECT_TRUE(runDense(r).found);
}

TEST(AStarPlanner, FourNeighboursTakeTwoMovesForADiagonalStep) {
    const CostGrid grid = gridFromRows({"11111", "11111", "11111", "11111", "11111"});
    PathRequest r = requestFor(grid, {2, 2}, {3, 3}, 0.5f);
    EXPECT_EQ(runDense(r).path.size(), 3u);
    r.allowDiagonals = 1;
    EXPECT_EQ(runDense(r).path.size(), 2u);
}

struct SetupCase {
    const char* name;
    GridPoint start;
    GridPoint goal;
};

TEST(Planner, SetupRefusesStartOrGoalOutsideAndStartOnGoal) {
    const CostGrid grid = gridFromRows({"111", "111"});
    const std::vector<SetupCase> cases = {
        {"start left of the grid", {-1, 0}, {2, 1}},   {"start right of the grid", {3, 0}, {2, 1}},
        {"start above the grid", {0, -1}, {2, 1}},     {"start below the grid", {0, 2}, {2, 1}},
        {"goal left of the grid", {0, 0}, {-1, 1}},    {"goal right of the grid", {0, 0}, {3, 1}},
        {"goal above the grid", {0, 0}, {2, -1}},      {"goal below the grid", {0, 0}, {2, 2}},
        {"start on the goal", {1, 1}, {1, 1}},
    };
    for (const SetupCase& c : cases) {
        AStarPlanner planner;
        EXPECT_FALSE(planner.setup(requestFor(grid, c.start, c.goal, 0.5f))) << c.name;
        EXPECT_FALSE(planner.reset()) << c.name;
    }
}

TEST(Planner, SetupRefusesMapsWithoutAnOpenCell) {
    const std::vector<std::vector<double>> maps = {
        {0.0, 0.0, 0.0},
        {-1.0, -5.0, 0.0},
        {std::nan(""), -std::numeric_limits<double>::infinity(), 0.0},
        {std::numeric_limits<double>::infinity(), 0.0, std::nan("")},
    };
    for (const std::vector<double>& cells : maps) {
        const CostGrid grid{3, 1, cells};
        AStarPlanner planner;
        EXPECT_FALSE(planner.setup(requestFor(grid, {0, 0}, {2, 0}, 0.5f)));
    }
    PathRequest noCells = requestFor(gridFromRows({"111"}), {0, 0}, {2, 0}, 0.5f);
    noCells.cells = nullptr;
    AStarPlanner planner;
    EXPECT_FALSE(planner.setup(noCells));
}

TEST(Planner, SetupNormalisesCostsIntoOneToTwo) {
    struct Case {
        std::vector<double> cells;
        std::vector<float> costs;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<Case> cases = {
        {{5, 5, 5}, {2.0f, 2.0f, 2.0f}},
        {{1, 4, 0}, {1.25f, 2.0f, Planner::kBlocked}},
        {{-3, 2, 8}, {Planner::kBlocked, 1.25f, 2.0f}},
        // Not numbers and infinite costs block; costs beyond float stay open.
        {{std::nan(""), 4, inf}, {Planner::kBlocked, 2.0f, Planner::kBlocked}},
        {{1e300, 1e-300, 1}, {2.0f, 1.0f, 1.0f}},
    };
    for (const Case& c : cases) {
        const CostGrid grid{3, 1, c.cells};
        AStarPlanner planner;
        ASSERT_TRUE(planner.setup(requestFor(grid, {0, 0}, {1, 0}, 0.5f)));
        for (int32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(planner.getGridCost(x, 0), c.costs[size_t(x)]) << c.cells[size_t(x)];
        }
    }
}

// An infinite cell is a wall: the path goes around it, and the other cells keep
// costs in (1, 2] instead of all collapsing to 1.
TEST(AStarPlanner, InfiniteCostCellIsAWall) {
    CostGrid grid = gridFromRows({"121", "111"});
    grid.at(1, 0) = std::numeric_limits<double>::infinity();
    const Outcome out = runDense(requestFor(grid, {0, 0}, {2, 0}, 0.0f));
    ASSERT_TRUE(out.found);
    EXPECT_EQ(out.path, (Path{{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 0}}));
    EXPECT_EQ(out.cost, 8.0f);
}

TEST(Planner, WeightIsClampedIntoZeroToOne) {
    std::mt19937 rng(99);
    const CostGrid grid = randomGrid(rng, 12, 9, 0.2);
    struct Case {
        float given;
        float same;
    };
    for (const Case c : {Case{-3.0f, 0.0f}, Case{7.0f, 1.0f}, Case{std::nanf(""), 0.0f},
                         Case{-std::numeric_limits<float>::infinity(), 0.0f},
                         Case{std::numeric_limits<float>::infinity(), 1.0f}}) {
        const PathRequest given = requestFor(grid, {0, 0}, {11, 8}, c.given);
        AStarPlanner planner;
        ASSERT_TRUE(planner.setup(given));
        EXPECT_EQ(planner.getRequest().weight, c.same) << c.given;
        const Outcome a = runDense(given);
        const Outcome b = runDense(requestFor(grid, {0, 0}, {11, 8}, c.same));
        EXPECT_EQ(a.path, b.path) << c.given;
        EXPECT_EQ(a.closedCount, b.closedCount) << c.given;
    }
}

TEST(AStarPlanner, OneRowAndOneColumnMaps) {
    for (const bool row : {true, false}) {
        const int32_t n = 7;
        CostGrid grid{row ? n : 1, row ? 1 : n, std::vector<double>(size_t(n), 3.0)};
        const GridPoint goal = row ? GridPoint{n - 1, 0} : GridPoint{0, n - 1};
        const Outcome out = runDense(requestFor(grid, {0, 0}, goal, 0.5f));
        ASSERT_TRUE(out.found);
        ASSERT_EQ(out.path.size(), size_t(n));
        for (int32_t k = 0; k < n; ++k) {
            EXPECT_EQ(out.path[size_t(k)], (row ? GridPoint{k, 0} : GridPoint{0, k}));
        }
        grid.cells[3] = 0.0;
        EXPECT_FALSE(runDense(requestFor(grid, {0, 0}, goal, 0.5f)).found);
    }
}

// A pool or open list smaller than the search needs ends it without a result,
// the same way in the literal search.
TEST(AStarPlanner, ExhaustedPoolOrOpenListEndsWithoutAResult) {
    const CostGrid grid = gridFromRows({"11111", "11111", "11111"});
    struct Case {
        uint32_t pool;
        uint32_t open;
        bool found;
    };
    for (const Case c : {Case{3, 0, false}, Case{0, 1, false}, Case{15, 15, true}, Case{0, 4, true}, Case{9, 0, false}}) {
        PathRequest r = requestFor(grid, {0, 0}, {4, 2}, 0.5f);
        r.poolSize = c.pool;
        r.openCapacity = c.open;
        const Outcome dense = runDense(r);
        const Outcome literal = runLiteral(r);
        EXPECT_EQ(dense.found, c.found) << c.pool << " " << c.open;
        EXPECT_EQ(dense.found, literal.found) << c.pool << " " << c.open;
        EXPECT_EQ(dense.path, literal.path) << c.pool << " " << c.open;
    }
}

TEST(Planner, LifecycleFlagsAndReuse) {
    const CostGrid grid = gridFromRows({"1111", "1#11", "1111"});
    const PathRequest r = requestFor(grid, {0, 0}, {3, 2}, 0.5f);
    AStarPlanner planner;
    EXPECT_TRUE(planner.isDone());
    EXPECT_FALSE(planner.reset());  // nothing set up yet
    EXPECT_TRUE(planner.search());
    EXPECT_FALSE(planner.hasResult());

    ASSERT_TRUE(planner.setup(r));
    EXPECT_TRUE(planner.isDone());
    ASSERT_TRUE(planner.reset());
    EXPECT_FALSE(planner.isDone());
    EXPECT_EQ(planner.getOpenCount(), 1u);
    EXPECT_TRUE(planner.search());
    EXPECT_TRUE(planner.isDone());
    EXPECT_EQ(planner.getSearchCount(), 1u);
    const float cost = planner.getPathCost();
    const uint32_t length = planner.getPathLength();
    EXPECT_EQ(length, 6u);

    planner.clearNodes();
    EXPECT_FALSE(planner.hasResult());
    EXPECT_EQ(planner.getPathLength(), 0u);
    EXPECT_EQ(planner.getPathCost(), -1.0f);
    EXPECT_EQ(planner.getOpenCount(), 0u);
    EXPECT_EQ(planner.getClosedCount(), 0u);

    // A second search over the same set-up, and a reset without a sweep, find the same.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(planner.reset());
        EXPECT_EQ(planner.getSearchCount(), 0u);
        planner.search();
        EXPECT_EQ(planner.getPathCost(), cost);
        EXPECT_EQ(planner.getPathLength(), length);
    }

    planner.releaseGrid();
    EXPECT_EQ(planner.getRequest().width, 0);
    EXPECT_FALSE(planner.hasResult());
    EXPECT_FALSE(planner.reset());
}

}  // namespace
