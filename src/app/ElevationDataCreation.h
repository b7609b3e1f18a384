#pragma once
// "標高データの作成" as the start menu, the plan start dialog and the loading of a block without
// data open it: the window gets the block's centre mesh and the tile URL setting, and the
// setting it comes back with is kept when it names a usable tile template. The window itself
// (terrain/ui) is handed in by the owner of the start menu.
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

// Shows the window modally: centreMesh fills the centre box (empty for typing), tileSetting is
// the tile URL setting the user may edit there. Returns the output folder when meshes were
// written into it, nothing after cancel, failure or closing without a build.
using DemCreationWindow =
    std::function<std::optional<std::string>(const std::string& centreMesh, std::string& tileSetting)>;

// The output folder the window proposes: "dem" in the data folder. The mesh files are named by
// their codes, so the blocks of every plan can share it (neighbouring blocks share meshes).
std::string proposedDemFolder(const AppState& state);

// The centre mesh the window opens with: the block's centre mesh (the chosen destination's
// mesh, or where the mesh buttons moved it), empty while there is none.
std::string demCreationCentre(const AppState& state);

// Runs the window (a missing one counts as cancelled) and returns its output folder when
// meshes were written. The edited tile URL setting replaces the stored one when it is usable;
// the survey's own servers are stored as the empty setting.
std::optional<std::string> createElevationData(AppState& state, const DemCreationWindow& window);

}  // namespace orv
