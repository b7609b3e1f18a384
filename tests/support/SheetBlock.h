#pragma once
// A block whose nine sheets share one set of corners (42°40′..42°45′ N, 142°30′..142°37′30″ E)
// and carry the codes 644201..644209: enough for the sheet and map-image tests, whose
// positions are measured from the north-west corner of the sheet in use.
#include "state/AppState.h"

#include <string>

namespace orv::test {

inline void fillSheetBlock(AppState& state) {
    for (int j = 1; j <= 9; ++j) {
        MeshCornerTable& sheet = state.meshCorners[static_cast<size_t>(j)];
        sheet.meshCode = "64420" + std::to_string(j);
        sheet.northLatitude = "42.45";
        sheet.southLatitude = "42.40";
        sheet.westLongitude = "142.30";
        sheet.eastLongitude = "142.3730";
    }
}

}  // namespace orv::test
