#include "route/RouteMapMenuStates.h"

#include "route/RouteMapMenus.h"

#include <array>
#include <string>

namespace orv {

namespace {

void enable(MenuModel& menus, std::initializer_list<const char*> toolIds, bool enabled) {
    for (const char* id : toolIds) menus.setEnabled(id, enabled);
}

const std::array<std::string, 5> kViewSetTools{"ActViewBCDef", "ActViewBCU1", "ActViewBCU2",
                                               "ActViewBCU3", "ActViewBCU4"};
const std::array<std::string, 5> kEditSetTools{"ActBCDefColor", "ActBCUser1", "ActBCUser2",
                                               "ActBCUser3", "ActBCUser4"};

}  // namespace

void updateRouteMapMenus(const AppState& state, MenuModel& menus) {
    const bool noElevation = state.demUnused == 1;
    const bool hasRoute = state.routeCount != 0;
    const bool hasReference = state.refRouteCount != 0;

    // Without elevation data there is nothing to colour, shade or contour.
    enable(menus,
           {"ActDispContor", kContourIntervalEntry, "ActViewRV", "ActRVName", "ActStpColSMode",
            "ActStpColMode", "ActBColorSet", "ActHDdispON"},
           !noElevation);
    if (noElevation) menus.setChecked("ActHDdispON", false);

    // A route can be measured, edited, saved and deleted; a new one is made only after that.
    enable(menus,
           {"ActVView", "ActDelRoot", "ActEditRootData", "ActSaveRootPCX", "ActSaveRootGPX", "ActTRKView",
            "ActChgTRKColor", "ActCalCorseTime"},
           hasRoute);
    enable(menus, {"ActMakeMapRoot", "ActBMPMapMakeRoot"}, !hasRoute);

    enable(menus, {"ActViewRefTRK", "ActChgREFLColor"}, hasReference);

    const bool hasSegments = state.segmentCount != 0;
    enable(menus, {"ActViewSepData", "ActSumTimeOut"}, hasSegments);
    // The menu loses its check mark; the display flag itself is left as it is.
    if (!hasSegments) menus.setChecked("ActSumTimeOut", false);

    menus.setEnabled("ActWPnameDisp", state.waypointCount != 0);

    // A GPS record is reviewed, not planned: no new route and no reference route.
    if (state.gpsMode != 0) {
        enable(menus, {"ActMakeRoot", "ActViewRefTRK", "ActChgREFLColor"}, false);
    } else {
        menus.setEnabled("ActMakeRoot", true);
    }

    menus.setEnabled("ActMakeNewTRKdata", !noElevation && !hasRoute);
    menus.setEnabled("ActCopyRefRoot", !hasRoute && hasReference);
    menus.setEnabled("ActTPStartRoot", !noElevation && !hasRoute && hasReference);

    if (noElevation) {
        for (const std::string& id : kViewSetTools) menus.setEnabled(id, false);
        return;
    }
    menus.setEnabled(kViewSetTools[0], true);
    for (size_t set = 1; set < kViewSetTools.size(); ++set) {
        const bool registered = state.settings.registeredSets[set] != 0;
        menus.setChecked(kEditSetTools[set], registered);
        menus.setEnabled(kViewSetTools[set], registered);
    }
}

}  // namespace orv
