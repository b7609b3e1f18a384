#pragma once
// The enabling rule of the route map's commands.
#include "platform/MenuModel.h"
#include "state/AppState.h"

namespace orv {

// Sets enabled states and some check marks from the state of the plan (elevation data used or
// not, route, reference route, course segments, waypoints, GPS record, registered colour sets).
// Run when the map window is created, after a route is created or deleted, after the
// course-time window closes, and by the profile window. (MainMenuSet)
void updateRouteMapMenus(const AppState& state, MenuModel& menus);

}  // namespace orv
