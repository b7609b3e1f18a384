#include "route/Overlays.h"

#include "route/MarkIcons.h"
#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

using test::backgroundAt;

constexpr auto kCone = test::MapWorld::Plan::Cone;

constexpr Colour kRouteColour = makeColour(10, 200, 30);
constexpr Colour kReferenceColour = makeColour(250, 120, 0);
constexpr Colour kLabelColour = makeColour(0, 160, 0);  // text style 3 in these tests

struct Overlays : ::testing::Test, test::MapWorld {
    Overlays() : MapWorld(kCone) {
        state->settings.trackLineColour = kRouteColour;
        state->settings.referenceLineColour = kReferenceColour;
        state->textStyles[3].colour = kLabelColour;
    }
};

TEST_F(Overlays, RouteStoresItsPixelsDrawsItsLinesAndSetsTheMenus) {
    addRoutePoint(100, 100);
    addRoutePoint(200, 100);
    addRoutePoint(200, 250);
    menus.setEnabled("ActChgREFLColor", true);
    menus.setEnabled("ActCalCorseTime", false);
    menus.setEnabled("ActViewSepData", true);

    drawOverlays(ctx);

    EXPECT_EQ(state->route[2].pixelX, 200);
    EXPECT_EQ(state->route[2].pixelY, 100);
    EXPECT_EQ(state->route[3].pixelY, 250);
    EXPECT_EQ(at(150, 100), kRouteColour);
    EXPECT_EQ(at(200, 175), kRouteColour);
    EXPECT_TRUE(untouchedBox(120, 140, 180, 200));
    EXPECT_TRUE(menus.isChecked("ActTRKView"));
    EXPECT_FALSE(menus.isEnabled("ActChgREFLColor"));
    EXPECT_TRUE(menus.isEnabled("ActCalCorseTime"));
    EXPECT_FALSE(menus.isEnabled("ActViewSepData"));

    state->segmentCount = 1;
    drawRoute(ctx);
    EXPECT_TRUE(menus.isEnabled("ActViewSepData"));
}

TEST_F(Overlays, CheckedReferenceRouteIsDrawnOnlyWithoutARoute) {
    addRoutePoint(100, 100);
    addRoutePoint(300, 100);
    addReferencePoint(100, 400);
    addReferencePoint(300, 400).placeName = "分岐";
    menus.setChecked("ActViewRefTRK", true);
    map.statusPanels[0] = "案内";

    drawOverlays(ctx);
    EXPECT_EQ(at(200, 100), kRouteColour);
    EXPECT_TRUE(untouchedBox(100, 395, 320, 405));
    EXPECT_EQ(map.statusPanels[0], "案内");

    state->routeLoaded = false;
    clearMapPicture(ctx);
    drawOverlays(ctx);
    EXPECT_TRUE(untouched(200, 100));
    EXPECT_EQ(at(200, 400), kReferenceColour);
    EXPECT_EQ(state->referenceRoute[2].pixelX, 300);
    EXPECT_EQ(state->referenceRoute[2].pixelY, 400);
    // The place name's point marker has the route colour as its rim.
    EXPECT_EQ(at(303, 400), kRouteColour);
    EXPECT_EQ(map.statusPanels[0], "");
}

TEST_F(Overlays, MountainNameTakesThePlaceOfThePlaceNameOnItsPoint) {
    const auto drawPoint = [](const std::string& mountain, const std::string& place) {
        test::MapWorld world{kCone};
        RoutePoint& point = world.addRoutePoint(300, 300);
        point.mountainName = mountain;
        point.placeName = place;
        drawOverlays(world.ctx);
        return world.pictures.map.image();
    };
    const QImage both = drawPoint("幌尻岳", "山頂");
    EXPECT_EQ(both, drawPoint("幌尻岳", ""));
    EXPECT_NE(both, drawPoint("", "山頂"));

    test::MapWorld world{kCone};
    world.addRoutePoint(300, 300).mountainName = "幌尻岳";
    drawOverlays(world.ctx);
    EXPECT_EQ(world.at(300, 301), colours::red);    // inside the triangle
    EXPECT_EQ(world.at(300, 297), colours::black);  // its top corner
    EXPECT_EQ(world.at(297, 303), colours::black);
    // The name is blue (text style 0) over a white halo.
    EXPECT_GE(world.leftmost(colours::white, 305, 290, 380, 312), 305);
    EXPECT_GE(world.leftmost(colours::blue, 305, 290, 380, 312), 305);
    EXPECT_EQ(world.pictures.map.fillColour(), colours::red);
}

struct NamedPoint {
    int x;
    int y;
    std::string mountain;
    std::string place;
};

struct LabelCase {
    const char* what;
    std::vector<NamedPoint> points;  // the first is the reference: the first named point
    int shift;                       // base − x of the last point's labels
};

TEST_F(Overlays, LabelsOfANamedPointRightOfThePreviousOneMoveByThePlaceNameWidth) {
    // Text style 1 is 9 points: base = x − (w − 2) × 9 for a place name w half-width units wide.
    const std::vector<LabelCase> cases{
        {"right, full-width place name", {{200, 100, "", "長い地名です"}, {300, 400, "", "ＡＢＣ"}}, -36},
        {"right, mountain and place name", {{200, 100, "", "x"}, {300, 400, "山", "ＡＢ"}}, -18},
        {"right, mountain name only", {{200, 100, "", "x"}, {300, 400, "山", ""}}, 18},
        {"right, half-width letters", {{200, 100, "", "x"}, {300, 400, "", "abcd"}}, -18},
        {"right, half-width katakana", {{200, 100, "", "x"}, {300, 400, "", "ｱｲｳ"}}, -9},
        {"directly below", {{200, 100, "", "x"}, {200, 400, "", "ＡＢＣ"}}, 0},
        {"left", {{200, 100, "", "x"}, {100, 400, "", "ＡＢＣ"}}, 0},
        {"compared with the previous named point only",
         {{200, 100, "", "x"}, {100, 250, "", "y"}, {150, 400, "", "ＡＢＣ"}}, -36},
    };
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::MapWorld world{kCone};
        world.state->textStyles[3].colour = kLabelColour;
        world.state->elevationLabelsShown = true;
        for (const NamedPoint& p : c.points) {
            RoutePoint& point = world.addRoutePoint(p.x, p.y);
            point.mountainName = p.mountain;
            point.placeName = p.place;
            point.elevation = 1500.5f;
            // An unnamed point between named ones does not count.
            world.addRoutePoint(p.x, p.y + 30);
        }
        drawOverlays(world.ctx);

        const NamedPoint& first = c.points.front();
        const NamedPoint& last = c.points.back();
        const int firstLabel = world.leftmost(kLabelColour, 0, first.y, 599, first.y + 30);
        const int lastLabel = world.leftmost(kLabelColour, 0, last.y, 599, last.y + 30);
        ASSERT_GE(firstLabel, 0);
        ASSERT_GE(lastLabel, 0);
        EXPECT_EQ(lastLabel - (last.x + c.shift), firstLabel - first.x);
    }
}

TEST_F(Overlays, TimeLabelShowsHoursAndMinutes) {
    const auto drawTime = [](const std::string& timeText) {
        test::MapWorld world{kCone};
        RoutePoint& point = world.addRoutePoint(300, 300);
        point.placeName = "登山口";
        point.timeText = timeText;
        world.state->cumulativeTimesShown = true;
        drawOverlays(world.ctx);
        return world.pictures.map.image();
    };
    const QImage start = drawTime("00:00:00");
    EXPECT_EQ(start, drawTime("00:00"));
    EXPECT_NE(start, drawTime("00:01:00"));
    EXPECT_NE(start, drawTime(""));
}

// A place passed out and back is labelled once, with the time of the way out; a name the way
// back alone carries is still shown, and a route that does not retrace itself labels each
// named point.
TEST_F(Overlays, RoundTripLabelsAPlaceOnceWithItsOutwardTime) {
    struct Leg {
        int x;
        const char* name;
        const char* time;
    };
    const auto draw = [](const std::vector<Leg>& legs) {
        test::MapWorld world{kCone};
        world.state->cumulativeTimesShown = true;
        world.state->elevationLabelsShown = true;
        for (const Leg& leg : legs) {
            RoutePoint& point = world.addRoutePoint(leg.x, 300);
            point.placeName = leg.name;
            point.timeText = leg.time;
            point.elevation = 1200;
        }
        drawOverlays(world.ctx);
        return world.pictures.map.image();
    };
    const auto roundTrip = [](const char* outName, const char* backName) {
        return std::vector<Leg>{{100, "", "00:00:00"}, {200, outName, "04:13:00"}, {300, "", "07:00:00"},
                                {200, backName, "14:14:00"}, {100, "", "18:00:00"}};
    };
    const QImage both = draw(roundTrip("取水ダム分岐", "取水ダム分岐"));
    EXPECT_EQ(both, draw(roundTrip("取水ダム分岐", "")));

    const QImage backOnly = draw(roundTrip("", "取水ダム分岐"));
    EXPECT_NE(backOnly, draw(roundTrip("", "")));

    std::vector<Leg> notBack = roundTrip("取水ダム分岐", "取水ダム分岐");
    notBack.back().x = 120;
    std::vector<Leg> notBackOutwardOnly = notBack;
    notBackOutwardOnly[3].name = "";
    EXPECT_NE(draw(notBack), draw(notBackOutwardOnly));
}

TEST_F(Overlays, MarksShowTheirIconOverTheMapAndOtherKindsNothing) {
    for (int kind : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 100}) {
        SCOPED_TRACE(kind);
        test::MapWorld world{kCone};
        world.addRoutePoint(300, 300).markKind = static_cast<int16_t>(kind);
        drawOverlays(world.ctx);
        if (!isMarkKind(kind)) {
            EXPECT_TRUE(world.untouchedBox(280, 280, 320, 320));
            continue;
        }
        const QImage& mask = markMask(kind);
        const QImage& icon = markIcon(kind);
        int wrong = 0;
        for (int y = 0; y < kMarkSize; ++y)
            for (int x = 0; x < kMarkSize; ++x) {
                const int mapX = 292 + x;
                const int mapY = 292 + y;
                const QRgb iconPixel = icon.pixel(x, y);
                const Colour expected =
                    mask.pixel(x, y) == qRgb(255, 255, 255)
                        ? backgroundAt(mapX, mapY)
                        : makeColour(qRed(iconPixel), qGreen(iconPixel), qBlue(iconPixel));
                if (world.at(mapX, mapY) != expected) ++wrong;
            }
        EXPECT_EQ(wrong, 0);
        // Nothing around the icon's square changes.
        EXPECT_TRUE(world.untouchedBox(291, 291, 308, 291));
        EXPECT_TRUE(world.untouchedBox(291, 308, 308, 308));
        EXPECT_TRUE(world.untouchedBox(291, 291, 291, 308));
        EXPECT_TRUE(world.untouchedBox(308, 291, 308, 308));
    }
}

TEST(MarkIcons, EveryKindHasItsOwnShapeWithATransparentSurround) {
    for (int kind = 1; kind <= kMarkKinds; ++kind) {
        SCOPED_TRACE(kind);
        const QImage& mask = markMask(kind);
        const QImage& icon = markIcon(kind);
        ASSERT_EQ(mask.size(), QSize(kMarkSize, kMarkSize));
        ASSERT_EQ(icon.size(), QSize(kMarkSize, kMarkSize));
        int shape = 0;
        int leaks = 0;
        for (int y = 0; y < kMarkSize; ++y)
            for (int x = 0; x < kMarkSize; ++x) {
                const QRgb m = mask.pixel(x, y) & 0xFFFFFFu;
                EXPECT_TRUE(m == 0u || m == 0xFFFFFFu);
                if (m == 0u) ++shape;
                // Where the map shows through, the icon must not change it.
                if (m != 0u && (icon.pixel(x, y) & 0xFFFFFFu) != 0u) ++leaks;
            }
        EXPECT_GT(shape, 40);
        EXPECT_EQ(leaks, 0);
        for (int other = 1; other < kind; ++other) EXPECT_NE(icon, markIcon(other)) << other;
    }
    EXPECT_EQ(markMask(0), markMask(7));
}

TEST_F(Overlays, PositionsOutsideThePictureAreDrawnInPartOrNotAtAll) {
    // A waypoint just left of the picture shows the right part of its marker.
    Waypoint& waypoint = state->waypoints[1];
    place(waypoint, 0, 300);
    waypoint.longitude = secondsToDms(dmsToSeconds(waypoint.longitude) - 3);  // x = -1
    waypoint.name = "水場";
    state->waypointCount = 1;
    map.showWaypointNames = true;
    addRoutePoint(0, 300);
    drawOverlays(ctx);
    EXPECT_FALSE(untouched(0, 300));
    EXPECT_FALSE(untouched(1, 300));

    // Hostile positions and counts: far away, nonsense texts, counts beyond the tables.
    for (const char* text : {"0", "-999", "999.9999", "abc", ""}) {
        test::MapWorld world{kCone};
        for (int i = 1; i <= 3; ++i) {
            RoutePoint& point = world.state->route[static_cast<size_t>(i)];
            point.latitude = text;
            point.longitude = i == 2 ? "139" : text;
            point.mountainName = "遠い山";
            point.markKind = 6;
            world.state->waypoints[static_cast<size_t>(i)].latitude = text;
            world.state->segments[static_cast<size_t>(i)].longitude = text;
            world.state->mountainTable[static_cast<size_t>(i)].latitude = text;
        }
        world.state->routeLoaded = true;
        world.state->routeCount = 32767;
        world.state->refRouteCount = -5;
        world.state->waypointCount = 30000;
        world.state->segmentCount = 30000;
        world.state->mountainCount = 100000;
        world.state->selectedMountain = 32767;
        world.state->mountainConfirmed = true;
        world.state->elevationLabelsShown = true;
        world.state->cumulativeTimesShown = true;
        world.menus.setChecked("ActViewSepData", true);
        drawOverlays(world.ctx);
        world.menus.setChecked("ActALLMtNameOutput", true);
        drawOverlays(world.ctx);
        drawReferenceRoute(world.ctx);
    }

    // A level without corners puts everything at its origin, without error.
    test::MapWorld world{kCone};
    world.addRoutePoint(10, 10).placeName = "起点";
    world.state->levelCorners[1] = {};
    drawOverlays(world.ctx);
}

TEST_F(Overlays, AllMountainsLayerSkipsTheAreaEdgeAndRouteMountains) {
    const LevelBounds area = levelBounds(state->levelCorners, 1);
    MountainRecord& north = addMountain("北端", 100, 100);
    north.latitude = secondsToDms(area.north);  // y = 0
    MountainRecord& west = addMountain("西端", 100, 200);
    west.longitude = secondsToDms(area.west);  // x = 0
    addMountain("中央", 300, 300);
    addMountain("縦走路", 400, 450).onRoute = true;
    state->mountainConfirmed = true;
    menus.setChecked("ActALLMtNameOutput", true);

    drawOverlays(ctx);
    EXPECT_EQ(at(300, 301), colours::red);
    EXPECT_TRUE(untouched(100, 1));
    EXPECT_TRUE(untouched(0, 201));
    EXPECT_TRUE(untouched(400, 451));

    // The destination alone is drawn wherever it lies, unless the route names it.
    menus.setChecked("ActALLMtNameOutput", false);
    state->selectedMountain = 1;
    clearMapPicture(ctx);
    drawOverlays(ctx);
    EXPECT_EQ(at(100, 1), colours::red);
    EXPECT_TRUE(untouched(300, 301));

    state->selectedMountain = 4;
    clearMapPicture(ctx);
    drawOverlays(ctx);
    EXPECT_TRUE(untouchedBox(380, 430, 460, 470));

    // Nothing without a confirmed destination.
    state->selectedMountain = 1;
    state->mountainConfirmed = false;
    clearMapPicture(ctx);
    drawOverlays(ctx);
    EXPECT_TRUE(untouched(100, 1));
}

TEST_F(Overlays, MountainElevationAppearsBelowTheNameWhenShown) {
    addMountain("中央", 300, 300);
    state->selectedMountain = 1;
    state->mountainConfirmed = true;
    const auto elevationRowsDrawn = [this] {
        return leftmost(state->textStyles[0].colour, 305, 314, 380, 330) >= 0;
    };
    drawOverlays(ctx);
    EXPECT_FALSE(elevationRowsDrawn());
    EXPECT_GE(leftmost(state->textStyles[0].colour, 305, 295, 380, 310), 0);  // the name

    state->elevationLabelsShown = true;
    drawOverlays(ctx);
    EXPECT_TRUE(elevationRowsDrawn());
}

TEST_F(Overlays, RouteMountainsAreFlaggedByExactName) {
    for (const char* name : {"A岳", "A岳", "A岳北峰", "B山"}) addMountain(name, 300, 300);
    addRoutePoint(100, 100).mountainName = "A岳";
    addRoutePoint(110, 100);
    addRoutePoint(120, 100).placeName = "B山";

    flagRouteMountains(*state);
    EXPECT_TRUE(state->mountainTable[1].onRoute);
    EXPECT_TRUE(state->mountainTable[2].onRoute);
    EXPECT_FALSE(state->mountainTable[3].onRoute);
    EXPECT_FALSE(state->mountainTable[4].onRoute);
}

TEST_F(Overlays, WaypointsShowTheirNamesOnlyWhenAsked) {
    state->textStyles[1].colour = kLabelColour;
    Waypoint& waypoint = state->waypoints[1];
    place(waypoint, 300, 300);
    waypoint.name = "WP01";
    state->waypointCount = 1;
    addRoutePoint(100, 100);

    drawOverlays(ctx);
    EXPECT_EQ(at(300, 300), colours::blue);
    EXPECT_EQ(at(303, 300), kRouteColour);
    EXPECT_EQ(leftmost(kLabelColour, 302, 302, 360, 320), -1);

    map.showWaypointNames = true;
    drawOverlays(ctx);
    EXPECT_GE(leftmost(kLabelColour, 302, 302, 360, 320), 302);

    // Waypoints belong to the route: without a drawn route they are not shown.
    state->routeLoaded = false;
    clearMapPicture(ctx);
    drawOverlays(ctx);
    EXPECT_TRUE(untouched(300, 300));
}

TEST_F(Overlays, SectionPositionsMarkSegmentsZeroToCountWhenChecked) {
    for (int i = 0; i <= 3; ++i) place(state->segments[static_cast<size_t>(i)], 100 + 100 * i, 200);
    state->segmentCount = 2;

    drawOverlays(ctx);
    EXPECT_TRUE(untouched(100, 200));

    menus.setChecked("ActViewSepData", true);
    drawOverlays(ctx);
    for (int x : {100, 200, 300}) {
        EXPECT_EQ(at(x, 200), colours::white) << x;
        EXPECT_EQ(at(x + 3, 200), kRouteColour) << x;
    }
    EXPECT_TRUE(untouched(400, 200));
}

TEST_F(Overlays, DrawsInCopyModeAndGivesThePictureItsModeBack) {
    addRoutePoint(100, 100);
    addRoutePoint(300, 100);
    pictures.map.setDrawMode(DrawMode::Xor);
    drawOverlays(ctx);
    EXPECT_EQ(at(200, 100), kRouteColour);
    EXPECT_EQ(pictures.map.drawMode(), DrawMode::Xor);
}

TEST_F(Overlays, ClearingReturnsTheMapToItsBackground) {
    addRoutePoint(100, 100);
    addRoutePoint(300, 100);
    drawOverlays(ctx);
    ASSERT_FALSE(untouched(200, 100));

    clearMapPicture(ctx);
    EXPECT_EQ(pictures.map.image(), pictures.buffer.image());

    state->routeLoaded = false;
    pictures.map.pixel(5, 5, colours::white);
    redrawOverlays(ctx);
    EXPECT_TRUE(untouched(5, 5));
    EXPECT_TRUE(untouched(200, 100));
}

}  // namespace
}  // namespace orv
