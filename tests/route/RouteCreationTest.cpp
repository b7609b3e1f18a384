#include "route/RouteCreation.h"

#include "core/NumberText.h"
#include "map/MapView.h"
#include "route/Measurement.h"
#include "route/RouteMap.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"

#include <QImage>

#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

using Pixel = std::pair<int, int>;

struct RouteCreationTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<RouteMap> routeMap;
    std::vector<std::string> popups;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        state->settings.backgroundMethod = NoBackground;
    }

    RouteMap& open() {
        routeMap = std::make_unique<RouteMap>(*state, dialogs);
        routeMap->setPopupHook([this](const std::string& band) { popups.push_back(band); });
        routeMap->create();
        return *routeMap;
    }
    RouteCreation& creation() { return routeMap->creation(); }
    MenuModel& menus() { return routeMap->menus(); }
    MapState& map() { return routeMap->map(); }
    void left(int x, int y) { routeMap->mouseRelease(MapButton::Left, x, y); }
    void right(int x, int y) { routeMap->mouseRelease(MapButton::Right, x, y); }

    LevelBounds level1() const { return levelBounds(state->levelCorners, 1); }
    DmsText latitudeAt(int y) const { return secondsToDms(pixelLatitude(level1(), y)); }
    DmsText longitudeAt(int x) const { return secondsToDms(pixelLongitude(level1(), x)); }

    // A reference route through the positions of these level-1 pixels.
    void setReference(const std::vector<Pixel>& pixels) {
        clearReferenceRoute(*state);
        for (size_t i = 0; i < pixels.size(); ++i) {
            RoutePoint& point = state->referenceRoute[i + 1];
            point.number = static_cast<int16_t>(i + 1);
            point.latitude = latitudeAt(pixels[i].second);
            point.longitude = longitudeAt(pixels[i].first);
            point.elevation = 1000.0f + static_cast<float>(i);
        }
        state->refRouteCount = static_cast<int16_t>(pixels.size());
    }

    // A route of `count` points two pixels apart along a row: less than two interpolation
    // steps apart, so no point is added between them.
    void traceStraightRoute(int count) {
        std::vector<Pixel> pixels;
        for (int i = 0; i < count; ++i) pixels.emplace_back(100 + 2 * i, 300);
        setReference(pixels);
        open();
        dialogs.answerMessage(Answer::Yes);
        routeMap->dispatch("ActCopyRefRoot");
        ASSERT_EQ(state->routeCount, count);
    }
};

TEST_F(RouteCreationTest, MouseRouteFromFirstClickToMeasuredRoute) {
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    EXPECT_EQ(map().statusPanels[0], "任意の位置でマウスを左クリックして下さい。 右クリックで終了。");
    EXPECT_EQ(creation().drawing, RouteDrawing::Armed);

    // Armed but not drawing: the right click opens the main menu and ends nothing.
    right(50, 50);
    EXPECT_EQ(popups, std::vector<std::string>{"PopupMenu"});
    EXPECT_EQ(creation().drawing, RouteDrawing::Armed);
    EXPECT_TRUE(dialogs.asked().empty());

    left(100, 100);
    EXPECT_EQ(creation().drawing, RouteDrawing::Drawing);
    const Colour before = routeMap->pictures().map.pixelAt(130, 100);
    routeMap->mouseMove(160, 100);
    EXPECT_NE(routeMap->pictures().map.pixelAt(130, 100), before);  // the rubber band
    // While drawing, the position read-out follows the mouse.
    EXPECT_EQ(map().statusPanels[0], cursorReadout(level1(), state->elevationGrid, 1, 160, 100));
    routeMap->mouseMove(100, 160);
    EXPECT_EQ(routeMap->pictures().map.pixelAt(130, 100), before);  // moved away, erased
    routeMap->mouseMove(160, 100);
    left(160, 100);
    EXPECT_EQ(routeMap->pictures().map.pixelAt(130, 100), colours::red);  // fixed stretch

    // The right click at the last left-click position still adds a final, equal point.
    dialogs.answerMessage(Answer::Yes);
    right(160, 100);
    const auto& raw = state->rawRoute;
    EXPECT_EQ(raw[0].number, 3);
    EXPECT_EQ(raw[1].latitude, latitudeAt(100));
    EXPECT_EQ(raw[1].longitude, longitudeAt(100));
    EXPECT_EQ(raw[2].latitude, raw[3].latitude);
    EXPECT_EQ(raw[2].longitude, raw[3].longitude);
    EXPECT_EQ(raw[3].number, 3);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    const test::Asked question = dialogs.messages()[0];
    EXPECT_EQ(question.text, "作成したルートは片道として処理しますか");
    EXPECT_EQ(question.title, "片道・往復処理の決定");
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.icon, Icon::Question);

    EXPECT_FALSE(state->roundTrip);
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_GT(state->routeCount, 3);
    EXPECT_NE(creation().drawing, RouteDrawing::Drawing);
    EXPECT_EQ(creation().drawing, RouteDrawing::Idle);
    for (const std::string& readout : map().readouts) EXPECT_FALSE(readout.empty());
    // A route exists: creation is closed, editing and deleting are open.
    for (const char* id : {"ActMakeNewTRKdata", "ActCopyRefRoot", "ActTPStartRoot", "ActMakeMapRoot",
                           "ActChgREFLColor"})
        EXPECT_FALSE(menus().isEnabled(ToolId{id})) << id;
    for (const char* id : {"ActDelRoot", "ActEditRootData", "ActCalCorseTime", "ActChgTRKColor"})
        EXPECT_TRUE(menus().isEnabled(ToolId{id})) << id;
    EXPECT_FALSE(menus().isChecked("ActViewRefTRK"));

    // Further clicks add nothing to the finished route.
    const int16_t count = state->routeCount;
    left(300, 300);
    right(300, 300);
    EXPECT_EQ(state->routeCount, count);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(RouteCreationTest, GpsRecordRightClickEndsNothing) {
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    state->gpsMode = true;
    left(100, 100);
    right(150, 100);
    EXPECT_EQ(creation().drawing, RouteDrawing::Drawing);
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_TRUE(popups.empty());
    EXPECT_FALSE(state->routeLoaded);
}

TEST_F(RouteCreationTest, RawPointsStopAtOneThousand) {
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    // Neighbouring pixels are less than one step apart: the route keeps every raw point.
    for (int i = 0; i < kMaxRawPoints; ++i) left(100 + i % 2, 100);
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(creation().nextRawNumber, 1001);

    left(300, 300);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "ルートの点は1000点までです。右クリックでルートを終了して下さい。");
    EXPECT_EQ(dialogs.messages()[0].title, "ルート作成");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Warning);
    EXPECT_EQ(creation().nextRawNumber, 1001);
    EXPECT_EQ(state->rawRoute[1000].longitude, longitudeAt(101));

    // The right click ends the route at the points already fixed.
    dialogs.answerMessage(Answer::Yes);
    right(300, 300);
    EXPECT_EQ(state->rawRoute[0].number, 1000);
    EXPECT_EQ(state->routeCount, 1000);
    EXPECT_TRUE(state->routeLoaded);
}

TEST_F(RouteCreationTest, ContinuingFromTheLastReferencePoint) {
    setReference({{100, 100}, {120, 100}, {140, 100}, {160, 100}, {180, 100}});
    state->referenceRoute[3].placeName = "分岐";
    state->referenceRoute[3].markKind = 4;
    open();
    routeMap->dispatch("ActTPStartRoot");
    EXPECT_TRUE(creation().choosingReferenceStart);
    EXPECT_TRUE(creation().takesSteppingKeys);
    EXPECT_TRUE(creation().referenceStartPanel.visible);
    EXPECT_EQ(creation().referenceStartPanel.value, 1);
    EXPECT_EQ(creation().referenceStartPanel.maximum, 5);

    routeMap->stepPointNumber(StepKey::PageUp);  // 11 is past the end
    EXPECT_EQ(creation().referenceStartPanel.value, 5);
    EXPECT_EQ(creation().referenceStartPanel.labels[0], "緯度：  " + latitudeAt(100));

    // "ﾙｰﾄ作成中断" only redraws; the choice stays open.
    routeMap->dispatch("ActStopMaking");
    EXPECT_TRUE(creation().choosingReferenceStart);
    right(10, 10);
    EXPECT_EQ(popups, std::vector<std::string>{"RefPointSetMenu"});
    EXPECT_EQ(menus().command("ActMakeRootPos")->caption, "No 5 からﾙｰﾄ作成");

    routeMap->dispatch("ActMakeRootPos");
    EXPECT_EQ(creation().drawing, RouteDrawing::Drawing);
    EXPECT_EQ(creation().nextRawNumber, 6);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(state->rawRoute[i].latitude, state->referenceRoute[i].latitude) << i;
        EXPECT_EQ(state->rawRoute[i].longitude, state->referenceRoute[i].longitude) << i;
        EXPECT_EQ(state->rawRoute[i].elevation, state->referenceRoute[i].elevation) << i;
        EXPECT_EQ(state->rawRoute[i].number, i);
    }
    EXPECT_EQ(state->rawRoute[3].placeName, "分岐");
    EXPECT_EQ(state->rawRoute[3].markKind, 4);
    const MapPixel last = positionToPixel(level1(), dmsToSeconds(state->referenceRoute[5].latitude),
                                          dmsToSeconds(state->referenceRoute[5].longitude));
    EXPECT_EQ(creation().lastFixedPixel[0], static_cast<float>(last.x));
    EXPECT_EQ(creation().lastFixedPixel[1], static_cast<float>(last.y));

    // The first click adds point n + 1; the right click ends as in mouse creation.
    left(180, 200);
    EXPECT_EQ(state->rawRoute[6].latitude, latitudeAt(200));
    dialogs.answerMessage(Answer::Yes);
    right(200, 200);
    EXPECT_EQ(state->rawRoute[0].number, 7);
    EXPECT_FALSE(creation().choosingReferenceStart);
    EXPECT_FALSE(creation().referenceStartPanel.visible);
    EXPECT_FALSE(creation().takesSteppingKeys);
    EXPECT_TRUE(state->routeLoaded);
}

TEST_F(RouteCreationTest, HoverAndKeysInReferenceStartMode) {
    setReference({{100, 100}, {102, 100}, {200, 200}});
    open();
    routeMap->dispatch("ActTPStartRoot");
    // Points hit within ±1 pixel; on the boundary of two points the lower number wins.
    state->referenceRoute[1].pixelX = 100;
    state->referenceRoute[1].pixelY = 100;
    state->referenceRoute[2].pixelX = 102;
    state->referenceRoute[2].pixelY = 100;
    struct Case {
        Pixel mouse;
        int number;  // 0: nothing hit
    };
    const std::vector<Case> cases{{{101, 100}, 1}, {{103, 101}, 2}, {{99, 99}, 1},
                                  {{104, 100}, 0}, {{102, 102}, 0}};
    routeMap->choosePointNumber(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mouse.first);
        routeMap->mouseMove(c.mouse.first, c.mouse.second);
        if (c.number == 0) {
            EXPECT_EQ(map().statusPanels[0], "");
            continue;
        }
        EXPECT_EQ(creation().referenceStartPanel.value, c.number);
        EXPECT_EQ(creation().currentPointNumber, c.number);
        EXPECT_EQ(map().statusPanels[0],
                  cursorReadout(level1(), state->elevationGrid, 1, c.mouse.first, c.mouse.second));
    }

    // Keys step the box within 1..refRouteCount.
    struct Step {
        StepKey key;
        int value;
    };
    routeMap->choosePointNumber(2);
    for (const Step& s : std::vector<Step>{{StepKey::Up, 3}, {StepKey::Up, 3}, {StepKey::Down, 2},
                                           {StepKey::PageDown, 1}, {StepKey::PageUp, 3}}) {
        routeMap->stepPointNumber(s.key);
        EXPECT_EQ(creation().referenceStartPanel.value, s.value);
    }
    routeMap->choosePointNumber(99);
    EXPECT_EQ(creation().referenceStartPanel.value, 3);
    routeMap->choosePointNumber(-4);
    EXPECT_EQ(creation().referenceStartPanel.value, 1);
}

// The course-time window re-measures the route ("逆ルート" turns it round): when it closes, the
// map's read-outs follow at once.
TEST_F(RouteCreationTest, ReadoutsFollowTheCourseTimeWindowsReversedRoute) {
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    left(100, 100);
    left(300, 300);
    dialogs.answerMessage(Answer::Yes);  // one way
    right(300, 300);
    const std::array<std::string, 5> before = map().readouts;
    ASSERT_NE(before[3], before[4]);  // up the cone takes longer than down

    routeMap->setCourseTimeHook([this] {
        std::reverse(state->route.begin() + 1, state->route.begin() + 1 + state->routeCount);
        for (int i = 1; i <= state->routeCount; ++i) state->route[static_cast<size_t>(i)].number = static_cast<int16_t>(i);
        measureRoute(*state);
    });
    routeMap->dispatch("ActCalCorseTime");
    EXPECT_EQ(map().readouts[3], before[4]);
    EXPECT_EQ(map().readouts[4], before[3]);
    EXPECT_EQ(map().readouts, routeReadouts(state->route, state->routeCount));
}

TEST_F(RouteCreationTest, TracingWithRoundTripAndOnePoint) {
    setReference({{100, 100}, {300, 300}});
    open();
    dialogs.answerMessage(Answer::No);
    routeMap->dispatch("ActCopyRefRoot");
    EXPECT_TRUE(state->roundTrip);
    EXPECT_EQ(state->rawRoute[0].number, 2);
    const int count = state->routeCount;
    ASSERT_GT(count, 3);
    EXPECT_EQ(count % 2, 1);  // 2c − 1 points
    EXPECT_EQ(state->route[static_cast<size_t>(count)].latitude, state->route[1].latitude);
    EXPECT_EQ(state->route[static_cast<size_t>(count)].longitude, state->route[1].longitude);
    EXPECT_EQ(map().statusPanels[0], "");
    EXPECT_TRUE(state->routeLoaded);

    // A single reference point gives a route of one point.
    routeMap->dispatch("ActDelRoot");
    setReference({{250, 250}});
    dialogs.answerMessage(Answer::Yes);
    routeMap->dispatch("ActCopyRefRoot");
    EXPECT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].latitude, latitudeAt(250));
    EXPECT_TRUE(state->routeLoaded);
}

// A round trip saved with a plan comes back as the reference route. Traced as a round trip
// again, it is said to be one already and traced as it is, with the names of its points.
TEST_F(RouteCreationTest, ARoundTripTracedAgainStaysTheSameRoundTrip) {
    setReference({{100, 100}, {300, 300}});
    open();
    dialogs.answerMessage(Answer::No);
    routeMap->dispatch("ActCopyRefRoot");
    const int count = state->routeCount;
    const int turn = (count + 1) / 2;
    ASSERT_GT(count, 5);
    const std::array<std::string, 5> readouts = map().readouts;
    state->route[2].placeName = "取水ダム分岐";
    state->route[static_cast<size_t>(count - 1)].placeName = "取水ダム分岐";
    state->route[static_cast<size_t>(turn)].mountainName = "山頂";
    state->route[static_cast<size_t>(turn)].markKind = 7;

    // Saved and opened again: the route is the reference route, and there is no route.
    for (int i = 0; i <= count; ++i)
        state->referenceRoute[static_cast<size_t>(i)] = state->route[static_cast<size_t>(i)];
    state->refRouteCount = static_cast<int16_t>(count);
    routeMap->dispatch("ActDelRoot");
    state->roundTrip = false;

    const size_t before = dialogs.messages().size();
    dialogs.answerMessage(Answer::No);
    routeMap->dispatch("ActCopyRefRoot");
    const std::vector<test::Asked> asked = dialogs.messages();
    ASSERT_EQ(asked.size(), before + 2);
    EXPECT_EQ(asked[before].text, "作成したルートは片道として処理しますか");
    EXPECT_EQ(asked[before + 1].text, "このルートは既に往復ルートです。そのままトレースします。");
    EXPECT_EQ(asked[before + 1].title, "片道・往復処理の決定");
    EXPECT_EQ(asked[before + 1].icon, Icon::Information);
    EXPECT_EQ(asked[before + 1].buttons, Buttons::Ok);
    EXPECT_TRUE(state->roundTrip);
    ASSERT_EQ(state->routeCount, count);
    EXPECT_EQ(map().readouts, readouts);
    for (int i = 1; i <= count; ++i) {
        EXPECT_EQ(state->route[static_cast<size_t>(i)].latitude, state->referenceRoute[static_cast<size_t>(i)].latitude);
        EXPECT_EQ(state->route[static_cast<size_t>(i)].longitude, state->referenceRoute[static_cast<size_t>(i)].longitude);
    }
    EXPECT_EQ(state->route[2].placeName, "取水ダム分岐");
    EXPECT_EQ(state->route[static_cast<size_t>(count - 1)].placeName, "取水ダム分岐");
    EXPECT_EQ(state->route[static_cast<size_t>(turn)].mountainName, "山頂");
    EXPECT_EQ(state->route[static_cast<size_t>(turn)].markKind, 7);

    // Traced as one way, it is the same points without a word more.
    routeMap->dispatch("ActDelRoot");
    dialogs.answerMessage(Answer::Yes);
    routeMap->dispatch("ActCopyRefRoot");
    EXPECT_EQ(dialogs.messages().size(), before + 3);
    EXPECT_FALSE(state->roundTrip);
    EXPECT_EQ(state->routeCount, count);
    EXPECT_EQ(state->route[static_cast<size_t>(turn)].mountainName, "山頂");
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(RouteCreationTest, ReferenceTooLongForTheRawTableIsRefused) {
    std::vector<Pixel> pixels(kMaxRawPoints + 1, Pixel{100, 100});
    setReference(pixels);
    open();
    state->rawRoute[1].placeName = "前のまま";
    routeMap->dispatch("ActCopyRefRoot");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "参照ルートの点が1000点を超えているため、トレースできません。");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Warning);
    EXPECT_EQ(state->rawRoute[1].placeName, "前のまま");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_FALSE(state->routeLoaded);

    // Continuing from a point past the 1000th cannot fit either.
    routeMap->dispatch("ActTPStartRoot");
    routeMap->choosePointNumber(kMaxRawPoints + 1);
    routeMap->dispatch("ActMakeRootPos");
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "ルートの点は1000点までです。1000番以前のポイントから作成して下さい。");
    EXPECT_NE(creation().drawing, RouteDrawing::Drawing);
    EXPECT_EQ(state->rawRoute[1].placeName, "前のまま");
}

TEST_F(RouteCreationTest, RefusedInterpolationLeavesNoRoute) {
    // Corner to corner and back is far more than the route table holds as a round trip.
    setReference({{0, 0}, {599, 599}, {0, 599}});
    open();
    dialogs.answerMessage(Answer::No);
    routeMap->dispatch("ActCopyRefRoot");
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, kRoundTripTooLongMessage);
    EXPECT_EQ(dialogs.messages()[1].title, "ルート作成");
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Warning);
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_FALSE(state->routeLoaded);
    EXPECT_EQ(state->rawRoute[0].number, 0);
    EXPECT_NE(creation().drawing, RouteDrawing::Drawing);
    // The reference route is shown again and can be traced once more.
    EXPECT_TRUE(menus().isChecked("ActViewRefTRK"));
    EXPECT_TRUE(menus().isEnabled("ActCopyRefRoot"));
    EXPECT_TRUE(menus().isEnabled("ActMakeNewTRKdata"));
}

// A clicked route refused as too long keeps its points and asks again: one way, round trip,
// or drawing on from the last point.
TEST_F(RouteCreationTest, ClickedRouteTooLongKeepsItsPointsAndAsksAgain) {
    const auto clickRoundTrip = [this] {
        open();
        routeMap->dispatch("ActMakeNewTRKdata");
        left(0, 0);
        left(599, 599);
        dialogs.answerMessage(Answer::No);  // round trip: far beyond the table
        dialogs.answerMessage(Answer::Ok);
    };

    // "キャンセル": drawing goes on with the three points; a later end makes the route.
    clickRoundTrip();
    dialogs.answerMessage(Answer::Cancel);
    right(0, 599);
    ASSERT_EQ(dialogs.messages().size(), 3u);
    EXPECT_EQ(dialogs.messages()[1].text, kRoundTripTooLongMessage);
    EXPECT_EQ(dialogs.messages()[2].text,
              "クリックした点はそのまま残っています。\r\n片道として処理しますか？\r\n"
              "（はい：片道　いいえ：往復　キャンセル：ルートの作成を続ける）");
    EXPECT_EQ(dialogs.messages()[2].title, "片道・往復処理の決定");
    EXPECT_EQ(dialogs.messages()[2].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(creation().drawing, RouteDrawing::Drawing);
    EXPECT_EQ(state->rawRoute[0].number, 3);
    EXPECT_EQ(state->rawRoute[3].longitude, longitudeAt(0));
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(routeMap->pictures().map.pixelAt(300, 300), colours::red);  // the kept stretch
    dialogs.answerMessage(Answer::Yes);
    right(599, 0);
    EXPECT_EQ(state->rawRoute[0].number, 4);
    EXPECT_FALSE(state->roundTrip);
    EXPECT_GT(state->routeCount, 3);
    EXPECT_EQ(creation().drawing, RouteDrawing::Idle);

    // "はい": the same points one way.
    dialogs = {};
    clickRoundTrip();
    dialogs.answerMessage(Answer::Yes);
    right(0, 599);
    EXPECT_EQ(dialogs.messages().size(), 3u);
    EXPECT_FALSE(state->roundTrip);
    EXPECT_EQ(state->rawRoute[0].number, 3);
    EXPECT_GT(state->routeCount, 3);
    EXPECT_TRUE(state->routeLoaded);
}

TEST_F(RouteCreationTest, DeletingTheRouteOpensCreationAgain) {
    struct Case {
        bool withReference;
        bool referenceCommands;  // ActCopyRefRoot, ActTPStartRoot and the ActViewRefTRK check
    };
    for (const Case& c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.withReference);
        dialogs = {};
        setReference({{100, 100}, {140, 120}});
        open();
        dialogs.answerMessage(Answer::Yes);
        routeMap->dispatch("ActCopyRefRoot");
        ASSERT_TRUE(state->routeLoaded);
        if (!c.withReference) clearReferenceRoute(*state);
        state->segmentCount = 3;
        routeMap->dispatch("ActEditRootData");
        ASSERT_TRUE(map().pointMarkerVisible);

        routeMap->dispatch("ActDelRoot");
        EXPECT_EQ(state->routeCount, 0);
        EXPECT_FALSE(state->routeLoaded);
        EXPECT_EQ(state->segmentCount, 0);
        EXPECT_EQ(state->rawRoute[1].latitude, "");
        EXPECT_EQ(state->route[1].latitude, "");
        EXPECT_FALSE(map().pointMarkerVisible);
        EXPECT_FALSE(creation().editing);
        for (const std::string& readout : map().readouts) EXPECT_EQ(readout, "");
        EXPECT_TRUE(menus().isEnabled("ActMakeNewTRKdata"));
        EXPECT_TRUE(menus().isEnabled("ActMakeMapRoot"));
        EXPECT_FALSE(menus().isEnabled("ActDelRoot"));
        EXPECT_EQ(menus().isEnabled("ActCopyRefRoot"), c.referenceCommands);
        EXPECT_EQ(menus().isEnabled("ActTPStartRoot"), c.referenceCommands);
        EXPECT_EQ(menus().isChecked("ActViewRefTRK"), c.referenceCommands);
        EXPECT_FALSE(menus().isChecked("ActTRKView"));
        EXPECT_FALSE(menus().isEnabled("ActTRKView"));
        EXPECT_FALSE(menus().isChecked("ActViewSepData"));
    }
}

TEST_F(RouteCreationTest, EditModeStepsShowsAndDeletesPoints) {
    traceStraightRoute(6);
    state->route[4].mountainName = "円錐山";
    state->route[4].timeText = "01:30:00";

    routeMap->dispatch("ActEditRootData");
    RouteCreation& edit = creation();
    EXPECT_TRUE(edit.editing);
    EXPECT_TRUE(edit.routePointPanel.visible);
    EXPECT_TRUE(edit.takesSteppingKeys);
    EXPECT_EQ(edit.routePointPanel.maximum, 6);
    EXPECT_EQ(map().mapToolTip, "");
    const MapPixel first = positionToPixel(level1(), dmsToSeconds(state->route[1].latitude),
                                           dmsToSeconds(state->route[1].longitude));
    EXPECT_TRUE(map().pointMarkerVisible);
    EXPECT_EQ(map().pointMarkerX, first.x);
    EXPECT_EQ(map().pointMarkerY, first.y - 34);

    // The keys clamp to 1..routeCount.
    struct Step {
        StepKey key;
        int value;
    };
    for (const Step& s : std::vector<Step>{{StepKey::Down, 1}, {StepKey::PageUp, 6}, {StepKey::Up, 6},
                                           {StepKey::PageDown, 1}, {StepKey::Up, 2}, {StepKey::Up, 3},
                                           {StepKey::Up, 4}})
    {
        routeMap->stepPointNumber(s.key);
        EXPECT_EQ(edit.routePointPanel.value, s.value);
    }
    const RoutePoint& fourth = state->route[4];
    EXPECT_EQ(edit.routePointPanel.labels,
              (std::array<std::string, 6>{"緯度：  " + fourth.latitude, "経度： " + fourth.longitude,
                                          "標高： " + shortestText(fourth.elevation),
                                          "時間： 01:30:00", "山名： 円錐山", "地名： "}));

    // Hovering in edit mode keeps the position read-out live and picks the point under the
    // mouse.
    map().statusPanels[0] = "x";
    routeMap->mouseMove(state->route[2].pixelX, state->route[2].pixelY);
    EXPECT_EQ(map().statusPanels[0], cursorReadout(level1(), state->elevationGrid, 1,
                                                   state->route[2].pixelX, state->route[2].pixelY));
    EXPECT_EQ(edit.routePointPanel.value, 2);

    // A right click offers the point commands; the mark goes on the current point.
    right(400, 400);
    EXPECT_EQ(popups.back(), "RootEditMenu");
    routeMap->dispatch("ActSetCamp");
    EXPECT_EQ(state->route[2].markKind, 1);

    // Deleting point 3 moves the later points down.
    const DmsText fourthLongitude = state->route[4].longitude;
    routeMap->choosePointNumber(3);
    routeMap->deleteKey();
    EXPECT_EQ(state->routeCount, 5);
    EXPECT_EQ(state->route[3].longitude, fourthLongitude);
    EXPECT_EQ(state->route[3].mountainName, "円錐山");
    EXPECT_EQ(state->route[3].number, 3);
    EXPECT_EQ(edit.routePointPanel.value, 3);
    EXPECT_EQ(edit.routePointPanel.labels[4], "山名： 円錐山");

    // Deleting the last point only shortens the route.
    const DmsText before = state->route[4].longitude;
    routeMap->choosePointNumber(5);
    routeMap->dispatch("ActDelTRKPoint");
    EXPECT_EQ(state->routeCount, 4);
    EXPECT_EQ(state->route[4].longitude, before);
    EXPECT_EQ(edit.routePointPanel.value, 4);
    EXPECT_EQ(edit.routePointPanel.maximum, 4);

    routeMap->dispatch("ActExitRootEdit");
    EXPECT_FALSE(edit.editing);
    EXPECT_FALSE(edit.routePointPanel.visible);
    EXPECT_FALSE(edit.takesSteppingKeys);
    EXPECT_FALSE(map().pointMarkerVisible);
    EXPECT_EQ(map().mapToolTip, "右クリックでメニュー");
    // Outside edit mode the Delete key and the mark commands do nothing.
    routeMap->deleteKey();
    routeMap->dispatch("ActSetWPoint");
    EXPECT_EQ(state->routeCount, 4);
    EXPECT_EQ(state->route[1].markKind, 0);
}

TEST_F(RouteCreationTest, TheLastRemainingPointIsKept) {
    traceStraightRoute(1);
    routeMap->dispatch("ActEditRootData");
    routeMap->dispatch("ActDelTRKPoint");
    EXPECT_EQ(state->routeCount, 1);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "ルートの最後の1点は削除できません。ルート全体は「作成ﾙｰﾄ削除」で削除して下さい。");
    EXPECT_EQ(dialogs.messages()[1].title, "ルート編集");
}

TEST_F(RouteCreationTest, PlanRouteAndWaypointsWhenTheMapOpens) {
    setReference({{100, 100}, {150, 150}});
    // A route read with the plan: the reference table stands in for it here.
    state->route = state->referenceRoute;
    state->routeCount = 2;
    state->routeLoaded = true;
    state->waypointCount = 2;
    open();
    EXPECT_TRUE(map().statusEnabled[2]);
    EXPECT_TRUE(menus().isEnabled("ActChgTRKColor"));
    EXPECT_FALSE(map().readouts[0].empty());
    EXPECT_TRUE(map().showWaypointNames);
    EXPECT_TRUE(menus().isChecked("ActWPnameDisp"));
}

// While a route is drawn a redraw would wipe the lines drawn so far and leave the rubber band
// behind: every command but leaving the map is held until the right click ends the route.
TEST_F(RouteCreationTest, WhileARouteIsDrawnOnlyLeavingTheMapStaysEnabled) {
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    EXPECT_FALSE(menus().held());  // armed, nothing drawn yet
    left(100, 100);
    left(150, 120);
    routeMap->mouseMove(200, 150);
    const QImage drawn = routeMap->pictures().map.image().copy();
    EXPECT_TRUE(menus().held());
    for (const char* id : {"ActStpColMode", "ActZupMode", "ActDispOut", "ActDelRoot"})
        EXPECT_FALSE(menus().isAvailable(ToolId{id})) << id;
    EXPECT_TRUE(menus().isAvailable("ActTViewExit"));

    routeMap->dispatch("ActStpColMode");
    routeMap->dispatch("ActZupMode");
    EXPECT_EQ(state->settings.backgroundMethod, NoBackground);
    EXPECT_FALSE(map().selecting);
    EXPECT_EQ(routeMap->pictures().map.image(), drawn);
    EXPECT_EQ(routeMap->pendingCommands(), 0u);

    dialogs.answerMessage(Answer::Yes);
    right(220, 160);
    EXPECT_EQ(creation().drawing, RouteDrawing::Idle);
    EXPECT_FALSE(menus().held());
    EXPECT_TRUE(menus().isAvailable("ActStpColMode"));
}

// "地図画像からﾙｰﾄ作成": the window's traced points become the route through the one-way
// question; a cancelled window leaves no route.
TEST_F(RouteCreationTest, MapImageWindowPointsBecomeTheRouteOrNothing) {
    for (const bool wanted : {true, false}) {
        clearRoute(*state);
        clearRawRoute(*state);
        test::ScriptedDialogs asked;
        routeMap = std::make_unique<RouteMap>(*state, asked);
        routeMap->create();
        ASSERT_TRUE(menus().isEnabled("ActBMPMapMakeRoot"));
        routeMap->setMapImageRouteHook([&] {
            for (int i = 1; i <= 3; ++i) {
                RawPoint& point = state->rawRoute[static_cast<size_t>(i)];
                point.number = static_cast<int16_t>(i);
                point.latitude = latitudeAt(300);
                point.longitude = longitudeAt(100 + 2 * i);
            }
            state->rawRoute[0].number = 3;
            return wanted;
        });
        if (wanted) asked.answerMessage(Answer::Yes);
        routeMap->dispatch("ActBMPMapMakeRoot");
        if (wanted) {
            ASSERT_EQ(asked.messages().size(), 1u);
            EXPECT_EQ(asked.messages()[0].text, "作成したルートは片道として処理しますか");
            EXPECT_GE(state->routeCount, 3);
            EXPECT_FALSE(menus().isEnabled("ActBMPMapMakeRoot"));
        } else {
            EXPECT_TRUE(asked.messages().empty());
            EXPECT_EQ(state->routeCount, 0);
            EXPECT_EQ(state->rawRoute[0].number, 0);
        }
        routeMap.reset();
    }
}

}  // namespace
}  // namespace orv
