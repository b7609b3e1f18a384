#pragma once
// The colour dialog's pictures: the colour strip (one row per 25 m from −1000 m to 5000 m) and
// the preview that spreads the strip behind a sample mountain profile with its contour lines.
#include "map/ColourProfile.h"
#include "platform/DrawingSurface.h"
#include "state/ColourTable.h"

#include <optional>

namespace orv {

inline constexpr int kStripWidth = 11;
inline constexpr int kStripHeight = 241;
// The preview is drawn in units of 960 × 240; the profile fills its first 480 columns, and
// the background and contour lines are the same in every column, so the picture shows those
// 480 columns.
inline constexpr int kPreviewWidth = 480;
inline constexpr int kPreviewHeight = 240;

// Elevation of strip row j (0..240): 25·j − 1000 m, painted at y = 240 − j.
constexpr float stripElevation(int row) { return static_cast<float>(25 * row - 1000); }

// The bands the strip is painted with: the working colours as they are, or their pale form
// (half way to white, times the background level) while contours are shown.
ColourSet stripBands(const ColourSet& working, bool contoursShown, float backgroundLevel);

// Paints the strip: every row in the colour of its elevation, without shading; the sea is
// every elevation below 0 m. (DrawSTD)
void drawColourStrip(DrawingSurface& strip, const ColourSet& bands);

// Colour of one strip elevation.
Colour stripColour(const ColourSet& bands, float elevation);

// The preview: the strip stretched over the picture, then (when a profile is given) the sky
// above the profile and the profile line, then thin contour lines every 8 pixels in the pale
// contour colour and index lines every 40 pixels in the contour colour, labelled with their
// heights. (ModelOut)
void drawColourPreview(DrawingSurface& preview, const DrawingSurface& strip,
                       const ColourSet& working, float contourTint,
                       const std::optional<ColourProfile>& profile);

}  // namespace orv
