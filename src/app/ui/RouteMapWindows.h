#pragma once
// The windows of the areas above the route map that its commands open. The route map window
// cannot know them; the start menu, which opens the route map, gives them to it here.
#include "route/ui/RouteMapWindow.h"

namespace orv {

// "ｺｰｽﾀｲﾑ" opens the course-time window; "PCX形式でルート保存" and "GPX形式でルート保存" write
// the route's GPS file.
void connectRouteMapWindows(RouteMapWindow& map);

}  // namespace orv
