#include "app/PlanReset.h"

namespace orv {

void resetPlanState(AppState& state, StartMenuModel& menu) {
    // 1. Preview picture and sheet caption.
    menu.preview.clear();
    menu.sheetCaption.clear();

    // 2. The plan's tables.
    clearSegments(state);
    clearRawRoute(state);
    clearRoute(state);
    clearReferenceRoute(state);
    clearWaypoints(state);
    clearMountains(state);
    state.destinationLineAsRead.clear();

    // 3. No plan name; the caption is the bare region caption.
    state.planName.clear();
    menu.caption = state.regionCaption;

    // 4. Overview drawing, markers, progress strip and buttons. The status line goes too: it
    // names the step of a sequence, and none is running any more.
    menu.status.clear();
    menu.overviewDestination.reset();
    menu.routeMarkerVisible = false;
    menu.progressVisible = false;
    menu.trkIndicators = {false, false};
    menu.meshButtonsEnabled = false;

    // 5. Start sequence flag and the overview map's start position.
    state.startCancelled = 0;
    menu.hScroll = StartMenuModel::kInitialHScroll;
    menu.vScroll = StartMenuModel::kInitialVScroll;

    // 6. Route and name flags; the route map's label displays off.
    state.routeLoaded = 0;
    state.mountainFileLoaded = 0;
    state.mountainConfirmed = 0;
    state.elevationLabelsShown = 0;
    state.cumulativeTimesShown = 0;

    // 7. Ridge and valley points.
    state.ridgeValleyCount = 0;
    state.ridgeValleyLoaded = 0;
    state.ridgeValleyPresent = 0;
    state.ridgeValleyLinesShown = false;

    menu.notify();
}

}  // namespace orv
