#pragma once
// The windows of the areas above the route map that its commands open. The route map window
// cannot know them; the start menu, which opens the route map, gives them to it here.
#include "route/ui/RouteMapWindow.h"

namespace orv {

class ProfileWindow;

// "ｺｰｽﾀｲﾑ" opens the course-time window; "PCX形式でルート保存" and "GPX形式でルート保存" write
// the route's GPS file; "展望" runs the panorama and the visible-area map; the profile window
// is created hidden beside the map and lives as long as it, asking through profileDialogs (the
// desktop's dialogs without them).
void connectRouteMapWindows(RouteMapWindow& map, Dialogs* profileDialogs = nullptr);

// "ﾙｰﾄ断面図" shows the profile window; its "ｺｰｽﾀｲﾑ" opens the course-time window and refreshes
// the map's segment positions; the mouse on either window marks the same spot of the route on
// the other.
void connectProfileWindow(RouteMapWindow& map, ProfileWindow& profile);

}  // namespace orv
