#pragma once
// Loads the bundled sample block (the nine meshes around 幌尻岳, centre 644205) into level 1
// of the grid, with the mesh codes and the corners of levels 0 and 1, as the start menu leaves
// them after loading.
#include "state/AppState.h"

namespace orv::test {

inline constexpr const char* kSampleCentreMesh = "644205";

// False when the sample files are not found.
bool loadSampleBlock(AppState& state);

}  // namespace orv::test
