// Positions along the route on the map picture for the live link with the profile.
#include "route/RoutePosition.h"

#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace orv {
namespace {

TEST(RoutePositionTest, DistanceNearTheLineAndPixelAtADistance) {
    test::MapWorld world;
    AppState& state = *world.state;
    world.addRoutePoint(100, 100);
    world.addRoutePoint(200, 100).mapDistance = 1000;
    world.addRoutePoint(200, 300).mapDistance = 3000;

    struct Case {
        int x, y;
        std::optional<double> along;
    };
    for (const Case c : {Case{100, 100, 0.0}, Case{150, 100, 500.0}, Case{150, 103, 500.0}, Case{150, 105, std::nullopt},
                         Case{200, 200, 2500.0}, Case{197, 250, 3250.0}, Case{300, 300, std::nullopt}}) {
        const std::optional<double> along = routeDistanceNear(state, c.x, c.y);
        ASSERT_EQ(along.has_value(), c.along.has_value()) << c.x << "," << c.y;
        if (along) {
            EXPECT_NEAR(*along, *c.along, 1e-9) << c.x << "," << c.y;
        }
    }
    for (const auto& [distance, x, y] : {std::tuple{0.0, 100, 100}, std::tuple{500.0, 150, 100},
                                         std::tuple{2500.0, 200, 200}, std::tuple{9999.0, 200, 300}}) {
        const std::optional<PixelPoint> p = routePixelAtDistance(state, distance);
        ASSERT_TRUE(p);
        EXPECT_EQ(*p, (PixelPoint{x, y})) << distance;
    }
    state.routeCount = 0;
    EXPECT_FALSE(routeDistanceNear(state, 100, 100));
    EXPECT_FALSE(routePixelAtDistance(state, 0));
}

}  // namespace
}  // namespace orv
