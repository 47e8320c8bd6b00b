// The per-cell records kept between searches: made on first touch with the
// cost the map gives, forgotten by a new generation, and never taken for
// records of a later search once the generations wrap.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/pathfind/grid_steps.h"
#include "runtime/pathfind/search_grid.h"

namespace {

TEST(SearchGrid, TouchMakesARecordOncePerGeneration) {
    std::vector<double> map = {4.0, 0.0, 2.0};
    SearchGrid grid;
    grid.prepare(map.data(), 3, 4.0f);
    SearchGrid::Cell& c = grid.touch(2);
    EXPECT_EQ(c.cost, 1.5f);
    EXPECT_EQ(SearchGrid::stateOf(c), cell_state::kNoNode);
    EXPECT_EQ(grid.touch(1).cost, cell_cost::kBlocked);

    SearchGrid::setState(c, cell_state::make(cell_state::kOpen, 3));
    c.g = 7.0f;
    map[2] = 4.0;  // read again only by a later generation
    EXPECT_EQ(grid.touch(2).cost, 1.5f);
    EXPECT_EQ(SearchGrid::stateOf(grid.touch(2)), cell_state::make(cell_state::kOpen, 3));

    grid.forgetNodes();
    EXPECT_EQ(SearchGrid::stateOf(grid.touch(2)), cell_state::kNoNode);
    EXPECT_EQ(grid.touch(2).cost, 2.0f);
}

// Each cell is touched every eighth generation; with four generations to a
// round a record left from the round before would otherwise look current.
TEST(SearchGrid, RecordsOfAnEarlierRoundOfGenerationsAreNeverCurrent) {
    const std::vector<double> map(8, 1.0);
    SearchGrid grid(4);
    grid.prepare(map.data(), 8, 1.0f);
    for (uint32_t generation = 0; generation < 40; ++generation) {
        SearchGrid::Cell& c = grid.touch(generation % 8);
        ASSERT_EQ(SearchGrid::stateOf(c), cell_state::kNoNode) << generation;
        SearchGrid::setState(c, cell_state::make(cell_state::kClosed, 1));
        grid.forgetNodes();
    }
}

// A larger map makes the records anew; a smaller one reuses them, and what the
// larger one left there is forgotten.
TEST(SearchGrid, MapsOfOtherSizesStartWithNothingTouched) {
    const std::vector<double> big(64, 3.0);
    const std::vector<double> small(4, 1.0);
    SearchGrid grid;
    grid.prepare(small.data(), 4, 1.0f);
    SearchGrid::setState(grid.touch(3), cell_state::make(cell_state::kOpen, 0));
    grid.prepare(big.data(), 64, 3.0f);
    EXPECT_EQ(grid.size(), 64u);
    for (uint32_t i = 0; i < 64; ++i) {
        ASSERT_EQ(SearchGrid::stateOf(grid.touch(i)), cell_state::kNoNode) << i;
        SearchGrid::setState(grid.touch(i), cell_state::make(cell_state::kClosed, 2));
    }
    grid.prepare(small.data(), 4, 1.0f);
    EXPECT_EQ(grid.size(), 4u);
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(SearchGrid::stateOf(grid.touch(i)), cell_state::kNoNode) << i;
        EXPECT_EQ(grid.touch(i).cost, 2.0f) << i;
    }
}

}  // namespace
