#pragma once
// Returns the application and the start menu to the state without a plan: after a cancelled
// start sequence, when the route map closes, and when the start menu is created.
#include "state/AppState.h"
#include "app/StartMenuModel.h"

namespace orv {

void resetPlanState(AppState& state, StartMenuModel& menu);

}  // namespace orv
