#pragma once
// Converts a point measured in millimetres on a printed topographic sheet (a trapezoid frame)
// into latitude and longitude.
#include "geo/Angles.h"

namespace orv {

enum class SheetCorner { TopLeft, TopRight, BottomLeft, BottomRight };

struct SheetFrame {
    DmsText south, north, west, east;  // the sheet's edges
    float topWidth = 0, bottomWidth = 0, leftHeight = 0, rightHeight = 0;  // mm
};

struct LatLonText {
    DmsText latitude;
    DmsText longitude;
};

// dy: mm from the reference corner's horizontal edge (latitude direction);
// dx: mm from the reference corner's vertical edge (longitude direction).
// Callers pass dx, dy > 0 and frame sizes > 0.
LatLonText sheetPositionToLatLon(const SheetFrame& frame, SheetCorner corner, float dy, float dx);

}  // namespace orv
