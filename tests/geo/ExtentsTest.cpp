#include "geo/Extents.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace orv {
namespace {

class EightNodesTest : public ::testing::Test {
protected:
    static constexpr int kLevel = 1;

    // Nodes 1..8 around (100, 100), numbered row by row from the north-west; their
    // elevations are set per test.
    EightNodes nodes{{{0, 0},
                      {99, 99}, {100, 99}, {101, 99},
                      {99, 100}, {101, 100},
                      {99, 101}, {100, 101}, {101, 101}}};

    void setElevations(std::initializer_list<float> metres, int level = kLevel) {
        size_t i = 1;
        for (float m : metres) {
            grid->set(nodes[i].row, nodes[i].column, level, m);
            ++i;
        }
    }

    std::unique_ptr<ElevationGrid> grid = std::make_unique<ElevationGrid>();
};

TEST_F(EightNodesTest, ChoosesLowestAndHighestKeepingTheEarlierOnTies) {
    setElevations({820, 810.4f, 830, 809.6f, 850.5f, 810, 850, 850.4f});
    // 810.4 and 809.6 both round to 810: the earlier node (2) is kept.
    EXPECT_EQ(lowestOfEight(*grid, kLevel, nodes), 2);
    // 850.5 rounds to 850 and ties with 850 and 850.4: node 5 comes first.
    EXPECT_EQ(highestOfEight(*grid, kLevel, nodes), 5);
}

TEST_F(EightNodesTest, ReadsOnlyTheGivenLevel) {
    setElevations({500, 500, 500, 500, 500, 500, 500, 500});
    setElevations({500, 500, 10, 500, 500, 900, 500, 500}, 2);
    EXPECT_EQ(lowestOfEight(*grid, kLevel, nodes), 1);
    EXPECT_EQ(highestOfEight(*grid, kLevel, nodes), 1);
    EXPECT_EQ(lowestOfEight(*grid, 2, nodes), 3);
    EXPECT_EQ(highestOfEight(*grid, 2, nodes), 6);
}

TEST_F(EightNodesTest, NoNodePassingTheTestGivesZero) {
    setElevations({9999, 10000, 9999.4f, 12000, 9999, 9999, 9999, 9999});
    EXPECT_EQ(lowestOfEight(*grid, kLevel, nodes), 0);
    setElevations({0, -5, 0.4f, ElevationGrid::kNoData, 0, 0, 0, 0});
    EXPECT_EQ(highestOfEight(*grid, kLevel, nodes), 0);
}

TEST_F(EightNodesTest, NodesOutsideTheGridReadAsNoData) {
    setElevations({800, 800, 800, 800, 800, 800, 800, 800});
    nodes[7] = {-1, 50};
    nodes[8] = {ElevationGrid::kColumns, 50};
    // No data counts as -1000 m: the lowest of the eight.
    EXPECT_EQ(lowestOfEight(*grid, kLevel, nodes), 7);
    EXPECT_EQ(highestOfEight(*grid, kLevel, nodes), 1);
    EXPECT_EQ(lowestOfEight(*grid, 99, nodes), 1);  // a level outside the grid: all no data
}

}  // namespace
}  // namespace orv
