#include "route/RouteMapMenuStates.h"
#include "map/RouteMapTools.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

struct Plan {
    int16_t demUnused = 0;
    int16_t routeCount = 0;
    int16_t refRouteCount = 0;
    int16_t segmentCount = 0;
    int16_t waypointCount = 0;
    int16_t gpsMode = 0;
    std::array<int16_t, 5> registered{1, 0, 0, 0, 0};
};

void apply(AppState& state, const Plan& plan) {
    state.demUnused = plan.demUnused;
    state.routeCount = plan.routeCount;
    state.refRouteCount = plan.refRouteCount;
    state.segmentCount = plan.segmentCount;
    state.waypointCount = plan.waypointCount;
    state.gpsMode = plan.gpsMode;
    state.settings.registeredSets = plan.registered;
}

struct Case {
    const char* name;
    Plan plan;
    std::vector<const char*> enabled;
    std::vector<const char*> disabled;
};

const std::vector<Case> kCases{
    {"new plan with elevation data",
     {},
     {"ActDispContor", "ActViewRV", "ActRVName", "ActStpColSMode", "ActStpColMode", "ActBColorSet",
      "ActHDdispON", "ActMakeRoot", "ActMakeNewTRKdata", "ActViewBCDef", "ActBMPMapMakeRoot", "ActMakeMapRoot"},
     {"ActVView", "ActDelRoot", "ActEditRootData", "ActSaveRootPCX", "ActSaveRootGPX", "ActTRKView", "ActChgTRKColor",
      "ActCalCorseTime", "ActViewRefTRK", "ActChgREFLColor", "ActViewSepData", "ActSumTimeOut",
      "ActWPnameDisp", "ActCopyRefRoot", "ActTPStartRoot", "ActViewBCU1", "ActViewBCU2",
      "ActViewBCU3", "ActViewBCU4"}},
    {"route with course segments and waypoints",
     {.routeCount = 40, .segmentCount = 3, .waypointCount = 2},
     {"ActVView", "ActDelRoot", "ActEditRootData", "ActSaveRootPCX", "ActSaveRootGPX", "ActTRKView", "ActChgTRKColor",
      "ActCalCorseTime", "ActViewSepData", "ActSumTimeOut", "ActWPnameDisp"},
     {"ActMakeMapRoot", "ActBMPMapMakeRoot", "ActMakeNewTRKdata", "ActCopyRefRoot", "ActTPStartRoot"}},
    {"GPS record with a reference route",
     {.routeCount = 40, .refRouteCount = 25, .gpsMode = 1},
     {"ActVView", "ActCalCorseTime"},
     {"ActMakeRoot", "ActViewRefTRK", "ActChgREFLColor", "ActCopyRefRoot", "ActTPStartRoot"}},
    {"route deleted, reference route kept",
     {.refRouteCount = 25},
     {"ActMakeNewTRKdata", "ActCopyRefRoot", "ActTPStartRoot", "ActViewRefTRK", "ActChgREFLColor",
      "ActBMPMapMakeRoot", "ActMakeMapRoot"},
     {"ActDelRoot", "ActCalCorseTime"}},
    {"route deleted, no reference route",
     {},
     {"ActMakeNewTRKdata"},
     {"ActCopyRefRoot", "ActTPStartRoot"}},
    {"route deleted without elevation data",
     {.demUnused = 1, .refRouteCount = 25, .registered = {1, 1, 1, 1, 1}},
     {"ActCopyRefRoot", "ActMakeRoot", "ActBMPMapMakeRoot", "ActMakeMapRoot"},
     {"ActMakeNewTRKdata", "ActTPStartRoot", "ActDispContor", "ActDispContorMenu", "ActViewRV",
      "ActRVName", "ActStpColSMode", "ActStpColMode", "ActBColorSet", "ActHDdispON", "ActViewBCDef",
      "ActViewBCU1", "ActViewBCU4"}},
    {"registered user colour sets",
     {.registered = {1, 1, 0, -1, 0}},
     {"ActViewBCDef", "ActViewBCU1", "ActViewBCU3"},
     {"ActViewBCU2", "ActViewBCU4"}},
};

struct RouteMapMenuStatesTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
};

TEST_F(RouteMapMenuStatesTest, EnablingFollowsThePlan) {
    // Each case on a fresh model and on one left by the opposite kind of plan: nothing of the
    // earlier state may survive.
    const Plan everything{.routeCount = 40, .refRouteCount = 25, .segmentCount = 3,
                          .waypointCount = 2, .registered = {1, 1, 1, 1, 1}};
    const Plan nothing{.demUnused = 1, .gpsMode = 1};
    for (const Case& c : kCases) {
        for (const Plan* before : {static_cast<const Plan*>(nullptr), &everything, &nothing}) {
            SCOPED_TRACE(c.name);
            MenuModel menus;
            buildRouteMapMenus(menus);
            if (before != nullptr) {
                apply(*state, *before);
                updateRouteMapMenus(*state, menus);
            }
            apply(*state, c.plan);
            updateRouteMapMenus(*state, menus);
            for (const char* id : c.enabled) EXPECT_TRUE(menus.isEnabled(ToolId{id})) << id;
            for (const char* id : c.disabled) EXPECT_FALSE(menus.isEnabled(ToolId{id})) << id;
        }
    }
}

TEST_F(RouteMapMenuStatesTest, CheckMarksItTakesAway) {
    MenuModel menus;
    buildRouteMapMenus(menus);
    for (const char* id : {"ActSumTimeOut", "ActHDdispON", "ActBCUser1", "ActBCUser2"})
        menus.setChecked(ToolId{id}, true);
    state->cumulativeTimesShown = true;

    // With segments and elevation data the marks stay; registered sets get theirs.
    apply(*state, {.routeCount = 40, .segmentCount = 3, .registered = {1, 0, 1, 0, 1}});
    updateRouteMapMenus(*state, menus);
    EXPECT_TRUE(menus.isChecked("ActSumTimeOut"));
    EXPECT_TRUE(menus.isChecked("ActHDdispON"));
    EXPECT_FALSE(menus.isChecked("ActBCUser1"));
    EXPECT_TRUE(menus.isChecked("ActBCUser2"));
    EXPECT_TRUE(menus.isChecked("ActBCUser4"));

    // Without segments the cumulative times lose their mark, but the display flag stays.
    apply(*state, {.routeCount = 40, .registered = {1, 0, 1, 0, 1}});
    updateRouteMapMenus(*state, menus);
    EXPECT_FALSE(menus.isChecked("ActSumTimeOut"));
    EXPECT_FALSE(menus.isEnabled("ActSumTimeOut"));
    EXPECT_TRUE(state->cumulativeTimesShown);

    // Without elevation data the elevation labels lose theirs; the colour-set marks are kept.
    apply(*state, {.demUnused = 1, .routeCount = 40, .registered = {1, 0, 1, 0, 1}});
    updateRouteMapMenus(*state, menus);
    EXPECT_FALSE(menus.isChecked("ActHDdispON"));
    EXPECT_TRUE(menus.isChecked("ActBCUser2"));
}

}  // namespace
}  // namespace orv
