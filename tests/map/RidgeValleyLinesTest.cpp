#include "map/RidgeValleyLines.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace orv {
namespace {

constexpr Colour kRidge = makeColour(200, 0, 10);
constexpr Colour kValley = makeColour(0, 120, 240);
// One arc-second per pixel: a point at (x, y) lies at latitude 600 − y, longitude x.
constexpr LevelBounds kView{0, 600, 0, 600};

LineStyleSetting styleOf(Colour c, int width) {
    return {static_cast<int16_t>(blueOf(c)), static_cast<int16_t>(greenOf(c)),
            static_cast<int16_t>(redOf(c)), static_cast<int16_t>(width)};
}

struct Point {
    int x;
    int y;
    int16_t kind;
};

struct RidgeValleyLinesTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    DrawingSurface picture{600, 600};
    RidgeValleyStyle current = RidgeValleyStyle::Ridge;

    RidgeValleyLinesTest() {
        state->settings.ridgeLine = styleOf(kRidge, 3);
        state->settings.valleyLine = styleOf(kValley, 1);
    }

    void store(const std::vector<Point>& points) {
        state->ridgeValleyCount = 0;
        for (const Point& p : points) {
            RidgeValleyPoint& point = state->ridgeValleyPoints[static_cast<size_t>(state->ridgeValleyCount++)];
            point.latitude = secondsToDms(600 - p.y);
            point.longitude = secondsToDms(p.x);
            point.kind = p.kind;
        }
    }
    void draw() { drawRidgeValleyLines(*state, kView, picture, current); }
    Colour at(int x, int y) const { return picture.pixelAt(x, y); }
    int painted() const {
        int n = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 600; ++x) n += at(x, y) != colours::white;
        return n;
    }
};

TEST_F(RidgeValleyLinesTest, ALineOfThreePointsDrawsTwoSegmentsInItsStyle) {
    store({{100, 100, 1}, {200, 100, 0}, {200, 200, 0}});
    draw();
    EXPECT_EQ(at(150, 100), kRidge);
    EXPECT_EQ(at(150, 101), kRidge);  // width 3
    EXPECT_EQ(at(200, 150), kRidge);
    EXPECT_EQ(at(150, 150), colours::white);
    EXPECT_EQ(picture.drawWidth(), 1);
}

TEST_F(RidgeValleyLinesTest, ANewLineIsNotJoinedToThePreviousOne) {
    store({{100, 100, 1}, {200, 100, 0}, {100, 300, 2}, {200, 300, 0}});
    draw();
    EXPECT_EQ(at(150, 100), kRidge);
    EXPECT_EQ(at(150, 300), kValley);
    EXPECT_EQ(at(151, 301), colours::white);  // width 1
    EXPECT_EQ(at(150, 200), colours::white);  // nothing from (200, 100) down to (100, 300)
    EXPECT_EQ(current, RidgeValleyStyle::Valley);
}

TEST_F(RidgeValleyLinesTest, OnePointLinesDrawNothing) {
    store({{100, 100, 1}});
    draw();
    store({{100, 100, 2}, {300, 300, 1}});
    draw();
    EXPECT_EQ(painted(), 0);
}

TEST_F(RidgeValleyLinesTest, AListStartingInTheMiddleOfALineKeepsTheStyleLastUsed) {
    current = RidgeValleyStyle::Valley;
    store({{100, 100, 0}, {200, 100, 0}});
    draw();
    EXPECT_EQ(at(150, 100), kValley);
}

TEST_F(RidgeValleyLinesTest, LinesLeavingThePictureAreClippedAtItsEdge) {
    store({{300, 300, 1}, {300, -5000, 0}, {-100000, 300, 0}});
    draw();
    EXPECT_EQ(at(300, 0), kRidge);
    EXPECT_EQ(at(300, 599), colours::white);
    EXPECT_GT(painted(), 300);
}

}  // namespace
}  // namespace orv
