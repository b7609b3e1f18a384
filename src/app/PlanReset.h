#pragma once
// Returns the application and the start menu to the state without a plan: after a cancelled
// start sequence, when the route map closes, and when the start menu is created.
#include "app/StartMenuModel.h"
#include "state/AppState.h"

namespace orv {

// The state's part (resetPlanState of the state), then the start menu's: no preview, no sheet
// caption, the bare region caption, the overview map at its start position without markers.
void resetPlanState(AppState& state, StartMenuModel& menu);

}  // namespace orv
