#pragma once
// The 3 × 3 block of elevation meshes for orvane-cli's drawing commands.
#include "state/AppState.h"

#include <filesystem>

namespace orv::cli {

// The nine meshes around the centre mesh into level 1, as the start menu loads them from a
// folder but without its questions: a missing or unreadable file is sea. The number of files read.
int loadBlock(AppState& state, const std::filesystem::path& folder);

}  // namespace orv::cli
