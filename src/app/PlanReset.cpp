#include "app/PlanReset.h"

namespace orv {

void resetPlanState(AppState& state, StartMenuModel& menu) {
    resetPlanState(state);

    menu.preview.clear();
    menu.sheetCaption.clear();
    menu.caption = state.regionCaption;
    // The status line goes too: it names the step of a sequence, and none is running any more.
    menu.status.clear();
    menu.overviewDestination.reset();
    menu.routeMarkerVisible = false;
    menu.progressVisible = false;
    menu.trkIndicators = {false, false};
    menu.meshButtonsEnabled = false;
    menu.hScroll = StartMenuModel::kInitialHScroll;
    menu.vScroll = StartMenuModel::kInitialVScroll;
    menu.notify();
}

}  // namespace orv
