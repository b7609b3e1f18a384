#pragma once
// The latitude and longitude labels along the overview map's viewport, renewed whenever a
// scroll bar moves.
#include <string>

namespace orv {

inline constexpr int kOverviewLatitudeLabels = 5;
inline constexpr int kOverviewLongitudeLabels = 8;

// Label i (0..4) from the top: 46° − (v / 80) × 40′ − 40′ × i, whole minutes, D.MM written
// over "00.0" ("46.0", "45.2", 45°37′ -> "45.3").
std::string overviewLatitudeLabel(int verticalScroll, int i);

// Label i (0..7) from the left: " " + (round(h / 80 + 28) + 100 + i) + ".0".
std::string overviewLongitudeLabel(int horizontalScroll, int i);

}  // namespace orv
