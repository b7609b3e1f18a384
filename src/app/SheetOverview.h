#pragma once
// A schematic overview of Japan drawn from the first-level sheets: each sheet of the region
// table as a labelled square at 80 pixels per degree of longitude and per 40′ of latitude over
// 128°–149° E, 30°–46° N (1679 × 1919 pixels).
#include "platform/DrawingSurface.h"

namespace orv {

inline constexpr int kOverviewWidth = 1679;
inline constexpr int kOverviewHeight = 1919;

void drawSheetOverview(DrawingSurface& overview);

}  // namespace orv
