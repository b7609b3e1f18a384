#include "app/ui/RouteMapWindows.h"

#include "app/Paths.h"
#include "gps/TrackExport.h"
#include "panorama/ui/PanoramaWindow.h"
#include "profile/ui/ProfileWindow.h"
#include "route/RoutePosition.h"
#include "schedule/ui/CourseTimeWindow.h"
#include "sheets/ui/MapImageWindow.h"
#include "sheets/ui/SheetRoutePanel.h"

namespace orv {

void connectRouteMapWindows(RouteMapWindow& map, Dialogs* profileDialogs) {
    map.setCourseTimeWindow(runCourseTimeWindow);
    map.setMapImageWindow(runMapImageWindow);
    // The sheet measurement panel lives over the map as long as it.
    new SheetRoutePanel(map);
    map.setTrackExporter([](TrackFileKind kind, AppState& state, Dialogs& dialogs) {
        if (kind == TrackFileKind::Pcx) exportPcxTrack(state, dialogs);
        else exportGpxTrack(state, dialogs);
    });
    connectProfileWindow(map, *new ProfileWindow(map.logic().state(), profileDialogs, &map));
    // "展望": the panorama and the visible-area map, with the survey's main peaks of all Japan.
    panorama::connectSightCommands(map, {sampleMountainFile(map.logic().state().appFolder)});
}

void connectProfileWindow(RouteMapWindow& map, ProfileWindow& profileWindow) {
    RouteMap& routeMap = map.logic();
    Profile& profile = profileWindow.logic();
    ProfileWindow* window = &profileWindow;
    routeMap.setProfileHook([window] { window->showProfile(); });
    profile.courseTimeWindow = [window] {
        runCourseTimeWindow(window->logic().state(), window->dialogs(), window);
    };
    profile.refreshMap = [&routeMap](bool turnOn) { routeMap.showSegmentPositions(turnOn); };
    // The live link: each side marks the spot of the route the mouse stands on at the other.
    profile.markOnMap = [&map](std::optional<double> distance) {
        map.showRouteMarker(distance ? routePixelAtDistance(map.logic().state(), *distance) : std::nullopt);
    };
    // A route deleted or redrawn on the map shows on the profile at once.
    routeMap.setMapChangedHook([window] {
        if (window->isVisible()) window->logic().followRoute();
    });
    routeMap.setRouteHoverHook([window](std::optional<double> distance) {
        if (window->isVisible()) window->logic().showRoutePosition(distance);
    });
}

}  // namespace orv
