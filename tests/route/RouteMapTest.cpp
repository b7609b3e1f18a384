#include "route/RouteMap.h"

#include "map/MapView.h"
#include "map/RouteMapTools.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"
#include "support/UnknownTools.h"

#include <QCoreApplication>
#include <QImage>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

struct RouteMapTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<RouteMap> routeMap;
    // (background mode, colour set, level) at every overlay redraw, the last step of a redraw.
    std::vector<std::tuple<int, int, int>> redraws;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        state->settings.backgroundMethod = BandColour;
    }

    RouteMap& open() {
        routeMap = std::make_unique<RouteMap>(*state, dialogs);
        routeMap->context().drawOverlays = [this] {
            redraws.emplace_back(state->settings.backgroundMethod, state->settings.colourSetIndex,
                                 state->currentLevel);
        };
        routeMap->create();
        return *routeMap;
    }
    MenuModel& menus() { return routeMap->menus(); }
    Colour centrePixel() { return routeMap->pictures().map.pixelAt(300, 300); }
};

TEST_F(RouteMapTest, CreationSetsPanelsZoomStateAndChecks) {
    state->settings.registeredSets[2] = 1;
    state->settings.colourSetIndex = 2;
    RouteMap& map = open();

    EXPECT_EQ(map.title(), std::string(test::kConePlanName) + "  ルート平面図");
    EXPECT_EQ(map.map().statusPanels[1], "Level:1");
    EXPECT_FALSE(map.map().statusEnabled[2]);
    EXPECT_FALSE(map.map().statusEnabled[3]);
    EXPECT_EQ(map.map().mapToolTip, "右クリックでメニュー");
    EXPECT_EQ(map.map().hScroll, 50);
    EXPECT_EQ(map.map().vScroll, 50);
    EXPECT_EQ(map.map().halfSize, 150.0f);
    EXPECT_FALSE(map.map().selecting);
    EXPECT_FALSE(state->contoursShown);
    EXPECT_EQ(state->backgroundLevel, 1.0f);

    // The mode and colour set of the settings, the destination's name, level 1 only.
    for (const char* id : {"ActStpColMode", "ActViewBCU2", "ActMtName"})
        EXPECT_TRUE(menus().isChecked(ToolId{id})) << id;
    for (const char* id : {"ActStpColSMode", "ActDegLineMode", "ActNoBGMode", "ActViewBCDef",
                           "ActALLMtNameOutput", "ActViewRefTRK", "ActWPnameDisp", "ActCNTPdata1"})
        EXPECT_FALSE(menus().isChecked(ToolId{id})) << id;
    EXPECT_FALSE(menus().isEnabled("ActZoutMode"));
    EXPECT_TRUE(menus().isEnabled("ActZupMode"));
    EXPECT_TRUE(menus().isEnabled("ActVlv1"));
    for (const char* id : {"ActVlv2", "ActVlv3", "ActVlv4", "ActVlv5", "ActReturnRef", "ActViewRVout",
                           "ActChgTRKColor"})
        EXPECT_FALSE(menus().isEnabled(ToolId{id})) << id;
    EXPECT_TRUE(menus().isEnabled("ActMakeOneSuji"));

    // The first background is drawn, then the overlays.
    ASSERT_EQ(redraws.size(), 1u);
    EXPECT_EQ(redraws[0], std::make_tuple(1, 2, 1));
    EXPECT_NE(centrePixel(), colours::white);
}

TEST_F(RouteMapTest, CreationFollowsWhatThePlanBrought) {
    state->routeLoaded = true;
    state->mountainFileLoaded = true;
    state->refRouteCount = 30;
    state->waypointCount = 4;
    state->ridgeValleyPresent = true;
    state->settings.colourSetIndex = 3;  // not registered: its view command stays unchecked
    open();
    EXPECT_TRUE(routeMap->map().statusEnabled[2]);
    EXPECT_TRUE(routeMap->map().statusEnabled[3]);
    EXPECT_TRUE(menus().isEnabled("ActChgTRKColor"));
    EXPECT_TRUE(menus().isChecked("ActViewRefTRK"));  // no route of its own yet
    EXPECT_TRUE(menus().isChecked("ActWPnameDisp"));
    EXPECT_TRUE(menus().isEnabled("ActViewRVout"));
    EXPECT_FALSE(menus().isEnabled("ActViewBCU3"));
    for (const char* id : {"ActViewBCDef", "ActViewBCU3"}) EXPECT_FALSE(menus().isChecked(ToolId{id})) << id;

    // With a route of its own the reference route starts hidden.
    state->routeCount = 30;
    open();
    EXPECT_FALSE(menus().isChecked("ActViewRefTRK"));
    EXPECT_EQ(routeMap->map().statusPanels[2], "ＴＲＫ");
}

// A GPS record whose clock went back by less than half a day: the track indicator says how
// often, and the stretches take no time.
TEST_F(RouteMapTest, TrackIndicatorCountsWhereTheRecordedClockWentBack) {
    state->routeLoaded = true;
    state->gpsMode = true;
    const char* times[] = {"18:34:00", "18:34:50", "18:34:25", "18:40:00", "18:39:00"};
    state->routeCount = 5;
    for (int i = 1; i <= 5; ++i) state->route[static_cast<size_t>(i)].timeText = times[i - 1];
    open();
    EXPECT_EQ(routeMap->map().statusPanels[2], "ＴＲＫ（時刻が戻った箇所: 2）");
    EXPECT_EQ(routeMap->map().readouts[3], "0.1 時間");  // 50 s + 5 min 35 s
}

// A route that runs past the block says on the status line how much of it lies outside the
// elevation data; deleting the route takes the note away.
TEST_F(RouteMapTest, ARouteBeyondTheBlockIsNotedOnTheStatusLine) {
    // The cone plan's level 1 ends at 514350″ east; the route runs 90″ beyond.
    for (int i = 1; i <= 4; ++i) {
        RoutePoint& p = state->route[static_cast<size_t>(i)];
        p.number = static_cast<int16_t>(i);
        p.latitude = secondsToDms(153750);
        p.longitude = secondsToDms(514350 - 90 + 60 * (i - 1));
    }
    state->routeCount = 4;
    state->routeLoaded = true;
    open();
    EXPECT_TRUE(state->route[3].outsideData);
    // Two stretches of 60″ of longitude at 22.81 m a second touch the points beyond.
    EXPECT_EQ(routeMap->map().routeNote, "（うち 2.7 km は標高データの範囲外）");

    routeMap->dispatch(mapTool::kDeleteRoute.text());
    EXPECT_EQ(routeMap->map().routeNote, "");
}

// The contour interval starts at 0 once per run and lives for the run: the next plan's map
// opens with contours off and no interval tool checked, and "等高線" shows the kept interval.
TEST_F(RouteMapTest, ContourIntervalLivesForTheRun) {
    EXPECT_EQ(state->contourInterval, 0);
    open();
    routeMap->dispatch("ActCNTPdata5");  // 100 m
    EXPECT_EQ(state->contourInterval, 100);

    resetPlanState(*state);
    test::loadConePlan(*state);
    open();
    EXPECT_EQ(state->contourInterval, 100);
    EXPECT_FALSE(state->contoursShown);
    EXPECT_FALSE(menus().isChecked("ActCNTPdata5"));
    routeMap->dispatch("ActDispContor");
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(state->contourInterval, 100);
}

TEST_F(RouteMapTest, DrawingCommandsRedraw) {
    state->settings.registeredSets[1] = 1;
    open();
    struct Case {
        const char* toolId;
        std::tuple<int, int, int> redrawn;  // mode, set, level
        const char* checked;
    };
    const std::vector<Case> cases{
        {"ActStpColSMode", {0, 0, 1}, "ActStpColSMode"},
        {"ActDegLineMode", {2, 0, 1}, "ActDegLineMode"},
        {"ActViewBCU1", {2, 1, 1}, "ActViewBCU1"},
        {"ActNoBGMode", {3, 1, 1}, "ActNoBGMode"},
        {"ActViewBCDef", {3, 0, 1}, "ActViewBCDef"},
        {"ActStpColMode", {1, 0, 1}, "ActStpColMode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toolId);
        redraws.clear();
        routeMap->dispatch(c.toolId);
        ASSERT_EQ(redraws.size(), 1u);
        EXPECT_EQ(redraws[0], c.redrawn);
        EXPECT_TRUE(menus().isChecked(ToolId{c.checked}));
    }
    // The graticule labels are there only with the graticule background.
    routeMap->dispatch("ActDegLineMode");
    EXPECT_TRUE(routeMap->map().latitudeLabels[1].visible);
    routeMap->dispatch("ActStpColSMode");
    EXPECT_FALSE(routeMap->map().latitudeLabels[1].visible);

    // Choosing what is already shown, an entry that opens a band or an unknown id draws nothing.
    redraws.clear();
    test::UnknownToolCatcher unknown;
    for (const char* id : {"ActStpColSMode", "ActViewBCDef", "ActVlv1", "ActZoutMode", "ActDispOut",
                           "ActDispContorMenu", "ActNoSuchTool", "ActMakeNewTRKdata"})
        routeMap->dispatch(id);
    EXPECT_TRUE(redraws.empty());
    EXPECT_EQ(unknown.reports(), std::vector<std::string>{"RouteMap: ActNoSuchTool"});
}

TEST_F(RouteMapTest, RangeZoomThroughTheMouseAndBackToLevelOne) {
    open();
    redraws.clear();
    routeMap->dispatch("ActZupMode");
    EXPECT_TRUE(routeMap->map().selecting);
    EXPECT_EQ(routeMap->map().mapToolTip, "");
    EXPECT_EQ(routeMap->map().statusPanels[0],
              "マウスで範囲を選択して下さい。左クリックで確定　右クリックで倍率調整");

    // While choosing, the mouse drives the square; a right click is no menu.
    std::vector<std::string> popups;
    routeMap->setPopupHook([&](const std::string& band) { popups.push_back(band); });
    routeMap->mouseMove(320, 310);
    routeMap->mouseRelease(MapButton::Right, 320, 310);
    EXPECT_EQ(routeMap->map().halfSize, 75.0f);
    EXPECT_TRUE(popups.empty());
    routeMap->mouseRelease(MapButton::Left, 320, 310);
    EXPECT_FALSE(routeMap->map().selecting);
    EXPECT_EQ(state->currentLevel, 3);  // a 150-pixel square is enlarged four times
    EXPECT_EQ(routeMap->map().statusPanels[1], "Level:3");
    EXPECT_EQ(routeMap->map().mapToolTip, "右クリックでメニュー");
    EXPECT_TRUE(menus().isEnabled("ActVlv3"));
    EXPECT_TRUE(menus().isEnabled("ActZoutMode"));
    ASSERT_EQ(redraws.size(), 1u);
    EXPECT_EQ(std::get<2>(redraws[0]), 3);

    routeMap->dispatch("ActVlv1");
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_EQ(routeMap->map().statusPanels[1], "Level:1");
    EXPECT_FALSE(menus().isEnabled("ActVlv3"));
    EXPECT_FALSE(menus().isEnabled("ActZoutMode"));
    EXPECT_EQ(redraws.size(), 2u);

    // Not choosing: the mouse reads out the position, the right button asks for the menu.
    routeMap->mouseMove(123, 456);
    EXPECT_EQ(routeMap->map().statusPanels[0],
              cursorReadout(levelBounds(state->levelCorners, 1), state->elevationGrid, 1, 123,
                            456));
    routeMap->mouseRelease(MapButton::Right, 123, 456);
    EXPECT_EQ(popups, std::vector<std::string>{"PopupMenu"});
}

// The wheel scrolls (across with Shift); Ctrl+wheel goes a level deeper or up a whole notch at
// a time, only where the menus offer it; the middle button pans without reaching the modes.
TEST_F(RouteMapTest, WheelAndMiddleButtonOnTheMap) {
    open();
    const MapState& map = routeMap->map();
    routeMap->wheel(300, 300, 0, -120, false, false);
    routeMap->wheel(300, 300, 0, 120, true, false);
    EXPECT_EQ(map.hScroll, 20);
    EXPECT_EQ(map.vScroll, 80);

    redraws.clear();
    routeMap->wheel(300, 300, 0, 60, false, true);  // half a notch: not yet
    EXPECT_EQ(state->currentLevel, 1);
    routeMap->wheel(300, 300, 0, 60, false, true);
    EXPECT_EQ(state->currentLevel, 2);
    EXPECT_EQ(map.statusPanels[1], "Level:2");
    EXPECT_EQ(redraws.size(), 1u);
    routeMap->wheel(300, 300, 0, -120, false, true);
    EXPECT_EQ(state->currentLevel, 1);
    routeMap->wheel(300, 300, 0, -120, false, true);  // level 1 is the top
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_EQ(redraws.size(), 2u);

    // The zoom square goes before a Ctrl+wheel zoom, leaving no guide behind.
    routeMap->dispatch("ActZupMode");
    routeMap->wheel(300, 300, 0, 120, false, true);
    EXPECT_FALSE(map.selecting);
    EXPECT_EQ(state->currentLevel, 2);
    EXPECT_EQ(map.statusPanels[0], "");

    // While a route is drawn only leaving the map is offered: no zoom.
    routeMap->dispatch("ActMakeNewTRKdata");
    routeMap->mouseRelease(MapButton::Left, 300, 300);
    ASSERT_TRUE(menus().isHeld("ActZupMode"));
    routeMap->wheel(300, 300, 0, 120, false, true);
    routeMap->wheel(300, 300, 0, -120, false, true);
    EXPECT_EQ(state->currentLevel, 2);

    // A middle drag pans; the route being drawn gets no point from it.
    const int nextPoint = routeMap->creation().nextRawNumber;
    const int hScroll = map.hScroll;
    routeMap->mousePress(MapButton::Middle, 200, 200);
    routeMap->mouseMove(190, 210);
    EXPECT_TRUE(map.panning);
    EXPECT_EQ(map.hScroll, hScroll + 10);
    routeMap->mouseRelease(MapButton::Middle, 190, 210);
    EXPECT_FALSE(map.panning);
    EXPECT_EQ(routeMap->creation().nextRawNumber, nextPoint);
}

// A command chosen from the menu bar while the zoom square shows ends the square first: it is
// erased before the command draws anything, so no XOR drawing is left behind, neither by the
// command nor by the next mouse move.
TEST_F(RouteMapTest, ACommandEndsTheZoomSquareFirst) {
    open();
    DrawingSurface& picture = routeMap->pictures().map;
    for (const char* command : {"ActStpColMode" /* chosen already: draws nothing */,
                                "ActStpColSMode" /* redraws the map */}) {
        SCOPED_TRACE(command);
        const QImage before = picture.image().copy();
        routeMap->dispatch("ActZupMode");
        routeMap->mouseMove(200, 220);
        ASSERT_TRUE(routeMap->map().selecting);
        ASSERT_NE(picture.image(), before);

        routeMap->dispatch(command);
        EXPECT_FALSE(routeMap->map().selecting);
        EXPECT_EQ(picture.drawMode(), DrawMode::Copy);
        EXPECT_EQ(routeMap->map().statusPanels[0], "");
        EXPECT_EQ(routeMap->map().mapToolTip, "右クリックでメニュー");
        const QImage after = picture.image().copy();
        if (std::string(command) == "ActStpColMode") {
            EXPECT_EQ(after, before);
        }
        routeMap->mouseMove(260, 240);
        routeMap->mouseMove(300, 300);
        EXPECT_EQ(picture.image(), after);
    }
    // The same redraw without any square gives the same picture.
    const QImage shaded = picture.image().copy();
    routeMap->dispatch("ActStpColMode");
    routeMap->dispatch("ActStpColSMode");
    EXPECT_EQ(picture.image(), shaded);
}

// Escape ends the zoom square as a cancel: the square is erased, the level stays, the guide line
// goes and the tool tip is back; later mouse moves draw nothing. Without a square it is no one's.
TEST_F(RouteMapTest, EscapeCancelsTheZoomSquare) {
    open();
    DrawingSurface& picture = routeMap->pictures().map;
    EXPECT_FALSE(routeMap->escapeKey());
    const QImage before = picture.image().copy();
    redraws.clear();
    routeMap->dispatch("ActZupMode");
    routeMap->mouseMove(200, 220);
    routeMap->mouseRelease(MapButton::Right, 200, 220);
    ASSERT_TRUE(routeMap->map().selecting);

    EXPECT_TRUE(routeMap->escapeKey());
    EXPECT_FALSE(routeMap->map().selecting);
    EXPECT_EQ(picture.image(), before);
    EXPECT_EQ(picture.drawMode(), DrawMode::Copy);
    EXPECT_EQ(routeMap->map().statusPanels[0], "");
    EXPECT_EQ(routeMap->map().mapToolTip, "右クリックでメニュー");
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_TRUE(redraws.empty());
    EXPECT_FALSE(routeMap->escapeKey());

    routeMap->mouseMove(260, 240);
    routeMap->mouseRelease(MapButton::Left, 260, 240);
    EXPECT_EQ(picture.image(), before);
    EXPECT_EQ(state->currentLevel, 1);
    // The square comes back at its full size.
    routeMap->dispatch("ActZupMode");
    EXPECT_EQ(routeMap->map().halfSize, 150.0f);
}

// A mode added by another area takes the mouse before route creation and may hold the menus.
TEST_F(RouteMapTest, AnAddedModeTakesTheMouseBeforeRouteCreation) {
    struct PickMode : MapMode {
        bool on = true;
        std::vector<std::pair<int, int>> picks;
        bool active() const override { return on; }
        bool leftRelease(int x, int y) override {
            picks.emplace_back(x, y);
            on = false;
            return true;
        }
        std::optional<std::vector<ToolId>> keptCommands() const override {
            return std::vector<ToolId>{"ActTViewExit"};
        }
    };
    open();
    routeMap->dispatch("ActMakeNewTRKdata");
    auto added = std::make_unique<PickMode>();
    PickMode& pick = *added;
    routeMap->addMode(std::move(added));
    EXPECT_EQ(&routeMap->activeMode(), &pick);
    EXPECT_FALSE(menus().isAvailable("ActStpColSMode"));
    EXPECT_TRUE(menus().isAvailable("ActTViewExit"));

    routeMap->mouseRelease(MapButton::Left, 10, 20);
    EXPECT_EQ(pick.picks, (std::vector<std::pair<int, int>>{{10, 20}}));
    EXPECT_EQ(routeMap->creation().drawing, RouteDrawing::Armed);
    EXPECT_FALSE(menus().held());
    routeMap->mouseRelease(MapButton::Left, 30, 40);
    EXPECT_EQ(routeMap->creation().drawing, RouteDrawing::Drawing);
}

TEST_F(RouteMapTest, CommandDuringARedrawWaitsForIt) {
    state->settings.registeredSets[1] = 1;
    open();
    redraws.clear();
    bool asked = false;
    routeMap->context().drawOverlays = [&] {
        redraws.emplace_back(state->settings.backgroundMethod, state->settings.colourSetIndex,
                             state->currentLevel);
        if (asked) return;
        asked = true;
        ASSERT_TRUE(routeMap->map().redrawing);
        routeMap->dispatch("ActViewBCU1");
        routeMap->dispatch("ActNoBGMode");
        EXPECT_EQ(routeMap->pendingCommands(), 2u);
        EXPECT_EQ(state->settings.colourSetIndex, 0);
    };
    routeMap->dispatch("ActStpColSMode");
    EXPECT_EQ(routeMap->pendingCommands(), 0u);
    EXPECT_EQ(redraws, (std::vector<std::tuple<int, int, int>>{{0, 0, 1}, {0, 1, 1}, {3, 1, 1}}));
}

TEST_F(RouteMapTest, WindowEventsDuringACommandAreQueued) {
    // A background mode change lets window events run before and while it draws; a menu
    // command delivered then runs after it.
    state->settings.registeredSets[1] = 1;
    open();
    redraws.clear();
    size_t pendingThen = 0;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            routeMap->dispatch("ActViewBCU1");
            pendingThen = routeMap->pendingCommands();
        },
        Qt::QueuedConnection);
    routeMap->dispatch("ActStpColSMode");
    EXPECT_EQ(pendingThen, 1u);
    EXPECT_EQ(redraws, (std::vector<std::tuple<int, int, int>>{{0, 0, 1}, {0, 1, 1}}));
}

TEST_F(RouteMapTest, ColourEditingContoursHelpAndExit) {
    open();
    // A registered edit enables and checks the set.
    routeMap->context().openColourDialog = [this] {
        state->settings.registeredSets[2] = 1;
        return DialogOutcome::Accepted;
    };
    redraws.clear();
    routeMap->dispatch("ActBCUser2");
    EXPECT_TRUE(menus().isChecked("ActBCUser2"));
    EXPECT_TRUE(menus().isEnabled("ActViewBCU2"));
    EXPECT_TRUE(menus().isChecked("ActViewBCU2"));
    EXPECT_EQ(redraws.size(), 1u);

    // A cancelled edit leaves the map as it is.
    routeMap->context().openColourDialog = [] { return DialogOutcome::Cancelled; };
    redraws.clear();
    routeMap->dispatch("ActBCUser3");
    EXPECT_TRUE(redraws.empty());

    // An interval turns contours on; clearing turns them off again.
    routeMap->dispatch("ActCNTPdata5");
    EXPECT_TRUE(state->contoursShown);
    EXPECT_TRUE(menus().isChecked("ActCNTPdata5"));
    routeMap->dispatch("ActDelCnt");
    EXPECT_FALSE(state->contoursShown);
    EXPECT_FALSE(menus().isChecked("ActCNTPdata5"));
    routeMap->dispatch("ActDispContor");
    EXPECT_TRUE(state->contoursShown);
    routeMap->dispatch("ActVView");
    EXPECT_FALSE(state->contoursShown);

    routeMap->showHelp();
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().back().kind, "help");
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE4.hlp");

    int exits = 0;
    routeMap->setExitHook([&] { ++exits; });
    routeMap->dispatch("ActTViewExit");
    EXPECT_EQ(exits, 1);
}

}  // namespace
}  // namespace orv
