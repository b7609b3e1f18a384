#include "app/ui/RouteMapWindows.h"

#include "gps/TrackExport.h"
#include "schedule/ui/CourseTimeWindow.h"

namespace orv {

void connectRouteMapWindows(RouteMapWindow& map) {
    map.setCourseTimeWindow(runCourseTimeWindow);
    map.setTrackExporter([](TrackFileKind kind, AppState& state, Dialogs& dialogs) {
        if (kind == TrackFileKind::Pcx) exportPcxTrack(state, dialogs);
        else exportGpxTrack(state, dialogs);
    });
}

}  // namespace orv
