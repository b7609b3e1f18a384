#include "route/RouteMapMenuStates.h"

#include "map/RouteMapTools.h"

#include <initializer_list>

namespace orv {

namespace {

using namespace mapTool;

void enable(MenuModel& menus, std::initializer_list<ToolId> toolIds, bool enabled) {
    for (const ToolId id : toolIds) menus.setEnabled(id, enabled);
}

}  // namespace

void updateRouteMapMenus(const AppState& state, MenuModel& menus) {
    const bool noElevation = state.demUnused == 1;
    const bool hasRoute = state.routeCount != 0;
    const bool hasReference = state.refRouteCount != 0;

    // Without elevation data there is nothing to colour, shade or contour.
    enable(menus,
           {kContours, kContourIntervalMenu, kRidgeValleyMenu, kRidgeValleyNameMenu,
            kBackgroundModes[0], kBackgroundModes[1], kBackgroundColourMenu, kElevationLabels},
           !noElevation);
    if (noElevation) menus.setChecked(kElevationLabels, false);

    // A route can be measured, edited, saved and deleted; a new one is made only after that.
    enable(menus,
           {kProfile, kDeleteRoute, kRouteEdit, kSaveRoutePcx, kSaveRouteGpx, kRouteView, kRouteColour, kCourseTime},
           hasRoute);
    enable(menus, {kRouteFromSheet, kRouteFromMapImage}, !hasRoute);

    enable(menus, {kReferenceRoute, kReferenceColour}, hasReference);

    const bool hasSegments = state.segmentCount != 0;
    enable(menus, {kSegmentPositions, kCumulativeTimes}, hasSegments);
    // The menu loses its check mark; the display flag itself is left as it is.
    if (!hasSegments) menus.setChecked(kCumulativeTimes, false);

    menus.setEnabled(kWaypointNames, state.waypointCount != 0);

    // The visible area is worked out on the shown level of the grid; the stretches of the
    // route from which a peak is seen need a route.
    menus.setEnabled(kSightTint, !noElevation);
    menus.setEnabled(kPeakSeenStretches, hasRoute);

    // A GPS record is reviewed, not planned: no new route and no reference route.
    if (state.gpsMode) {
        enable(menus, {kNewRouteMenu, kReferenceRoute, kReferenceColour}, false);
    } else {
        menus.setEnabled(kNewRouteMenu, true);
    }

    menus.setEnabled(kMouseRoute, !noElevation && !hasRoute);
    menus.setEnabled(kTraceReferenceRoute, !hasRoute && hasReference);
    menus.setEnabled(kReferenceStart, !noElevation && !hasRoute && hasReference);

    if (noElevation) {
        for (const ToolId id : kViewColourSets) menus.setEnabled(id, false);
        return;
    }
    menus.setEnabled(kViewColourSets[0], true);
    for (size_t set = 1; set < kViewColourSets.size(); ++set) {
        const bool registered = state.settings.registeredSets[set] != 0;
        menus.setChecked(kEditColourSets[set], registered);
        menus.setEnabled(kViewColourSets[set], registered);
    }
}

}  // namespace orv
