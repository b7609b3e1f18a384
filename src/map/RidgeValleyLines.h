#pragma once
// Drawing the traced ridge and valley lines on a picture, in the two line styles of the
// settings (ridge = style 0, valley = style 1).
#include "map/MapGeometry.h"
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <cstdint>

namespace orv {

// The colour of a line style.
Colour lineStyleColour(const LineStyleSetting& style);
// The setting of a style (ridge or valley).
const LineStyleSetting& lineStyleOf(const SettingsValues& settings, RidgeValleyStyle style);
LineStyleSetting& lineStyleOf(SettingsValues& settings, RidgeValleyStyle style);

// Draws every segment of the stored points 0..ridgeValleyCount − 1 on the picture, in copy
// mode, at the map pixels of the level with these corners; a point of kind 1 or 2 starts a new
// line (no segment leads to it) and switches `current` to ridge or valley. `current` is kept
// between calls, so a list whose first point continues a line is drawn in the style last used.
// Segments leaving the picture are clipped by it; the picture's line width is 1 afterwards.
// (DrawRidV)
void drawRidgeValleyLines(const AppState& state, const LevelBounds& view, DrawingSurface& picture,
                          RidgeValleyStyle& current);

}  // namespace orv
