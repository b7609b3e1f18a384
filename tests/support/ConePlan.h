#pragma once
// A plan as the start sequence leaves it just before the route map opens: centre mesh 644205,
// the corners of level 0 and level 1, and level 1 of the grid holding a synthetic cone.
#include "state/AppState.h"

namespace orv::test {

inline constexpr const char* kConeCentreMesh = "644205";
inline constexpr const char* kConePlanName = "円錐山";

// The cone stands at pixel (300, 300) with `peak` metres and falls `slope` metres per cell;
// where it would go below 0 the cells are sea at -10 m.
float coneElevation(int row, int column, float peak, float slope);

// Fills the plan name, centre mesh, mesh codes, level 0 and 1 corners, current level 1, grid
// level 1, and the default colour set as the settings leave it.
void loadConePlan(AppState& state, float peak = 1800.0f, float slope = 6.0f);

}  // namespace orv::test
