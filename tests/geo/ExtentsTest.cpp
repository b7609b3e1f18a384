#include "geo/Extents.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

struct PointData {
    const char* latitude;
    const char* longitude;
    float elevation;
};

std::unique_ptr<RouteTable> makeRoute(std::initializer_list<PointData> points) {
    auto route = std::make_unique<RouteTable>();
    size_t i = 1;
    for (const auto& p : points) {
        (*route)[i].latitude = p.latitude;
        (*route)[i].longitude = p.longitude;
        (*route)[i].elevation = p.elevation;
        ++i;
    }
    return route;
}

TEST(RouteExtents, EdgesAndElevationsOverPointsOneToCount) {
    const auto route = makeRoute({
        {"35.2", "139.453", 1200.4f},
        {"35.1959", "139.5", 1234.5f},   // south-most; 1234.5 rounds to 1234
        {"35.2501", "139.4459", 1235.5f},  // north-most, west-most; 1235.5 rounds to 1236
        {"35.21", "139.51", 980.5f},     // east-most, lowest; 980.5 rounds to 980
        {"34", "138", 5000.0f},          // beyond the count
    });
    EXPECT_EQ(routeSouth(*route, 4), 127199);
    EXPECT_EQ(routeNorth(*route, 4), 127501);
    EXPECT_EQ(routeWest(*route, 4), 503099);
    EXPECT_EQ(routeEast(*route, 4), 503460);
    EXPECT_EQ(routeMaxElevation(*route, 4), 1236);
    EXPECT_EQ(routeMinElevation(*route, 4), 980);
}

TEST(RouteExtents, EmptyRouteGivesPointOne) {
    const auto route = makeRoute({{"35.2", "139.453", 1200.5f}, {"34", "138", 10.0f}});
    for (int count : {0, -5, 1}) {
        EXPECT_EQ(routeSouth(*route, count), 127200) << count;
        EXPECT_EQ(routeEast(*route, count), 503130) << count;
        EXPECT_EQ(routeMaxElevation(*route, count), 1200) << count;
        EXPECT_EQ(routeMinElevation(*route, count), 1200) << count;
    }
}

TEST(RouteExtents, CountBeyondTheTableIsClamped) {
    auto route = makeRoute({{"35.2", "139.453", 100.0f}});
    (*route)[kMaxRoutePoints].latitude = "36";
    (*route)[kMaxRoutePoints].elevation = 3000.0f;
    EXPECT_EQ(routeNorth(*route, 100000), 129600);
    EXPECT_EQ(routeMaxElevation(*route, 100000), 3000);
}

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
