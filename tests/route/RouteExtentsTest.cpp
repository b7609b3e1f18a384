#include "route/RouteExtents.h"

#include <gtest/gtest.h>

#include <initializer_list>
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

}  // namespace
}  // namespace orv
