#pragma once
// Corners, code and printed-sheet frame sizes of one mesh of the 3 × 3 block.
#include "geo/Angles.h"
#include "geo/MeshCode.h"

namespace orv {

struct MeshCornerTable {
    DmsText southLatitude;
    DmsText northLatitude;
    DmsText westLongitude;
    DmsText eastLongitude;
    MeshCode meshCode;
    // Sides of the printed sheet's frame in mm, 0 while not entered. They are kept for the whole
    // run: a new plan refills the corners and the code but leaves the sides as they were.
    float topWidth = 0;
    float bottomWidth = 0;
    float rightHeight = 0;
    float leftHeight = 0;
};

}  // namespace orv
