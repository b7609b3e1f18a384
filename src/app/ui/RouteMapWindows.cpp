#include "app/ui/RouteMapWindows.h"

#include "schedule/ui/CourseTimeWindow.h"

namespace orv {

void connectRouteMapWindows(RouteMapWindow& map) { map.setCourseTimeWindow(runCourseTimeWindow); }

}  // namespace orv
