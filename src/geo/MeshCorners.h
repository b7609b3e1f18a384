#pragma once
// Corners, code and printed-sheet frame sizes of one mesh of the 3 × 3 block.
#include "geo/Angles.h"
#include "geo/MeshCode.h"

#include <array>

namespace orv {

struct MeshCornerTable {
    DmsText southLatitude;
    DmsText northLatitude;
    DmsText westLongitude;
    DmsText eastLongitude;
    MeshCode meshCode;
    // Frame of the printed sheet in mm: top width, bottom width, right height, left height.
    std::array<float, 4> frame{};
};

}  // namespace orv
