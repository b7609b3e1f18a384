#pragma once
// Ridge and valley names on a picture: a rotated, scaled text in the face and size of the
// place-name text style, and every stored label inside the view with a white outline.
#include "map/MapGeometry.h"
#include "map/RidgeValleyNameFile.h"
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <string_view>

namespace orv {

// The text styles a label takes its font (place names) and its colour (ridge and valley names) from.
inline constexpr size_t kLabelFontStyle = 1;
inline constexpr size_t kLabelColourStyle = 9;

// The font of a label: height round(size × magnification), angle in tenths of a degree.
RotatedTextSpec labelFont(const TextStyle& fontStyle, float magnification, int angle);

// Draws a label with its unrotated top-left corner at (x, y), in the picture's fore colour.
// (DrawRVDTextSet, DrawDemoSet)
void drawLabel(DrawingSurface& picture, int x, int y, int angle, std::string_view text,
               float magnification, const TextStyle& fontStyle);

// Draws every label of the list whose anchor lies inside the view (edges included): four white
// copies one pixel away diagonally, then the label in the colour of style 9. Broken lines are
// skipped.
void drawLabels(const AppState& state, const LevelBounds& view, DrawingSurface& picture,
                const RidgeValleyNames& names);

// The same for the names file of the data folder; nothing when it does not exist.
// (DrawAllRVNdata)
void drawRidgeValleyNames(const AppState& state, const LevelBounds& view, DrawingSurface& picture);

}  // namespace orv
