#pragma once
// The block preview of the start menu: a 150 × 150 picture of the 3 × 3 mesh block with the
// nine mesh codes, the destination and the route, drawn after every change of the centre mesh
// and after a route has been read; with it the sheet caption and the centre mesh's corner.
#include "app/StartMenuModel.h"
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <array>

namespace orv {

// The block's edges in arc-seconds and its scale in arc-seconds per preview pixel.
struct BlockFrame {
    ArcSeconds north = 0;
    ArcSeconds south = 0;
    ArcSeconds west = 0;
    ArcSeconds east = 0;
    double sx = 1;  // longitude
    double sy = 1;  // latitude
};

// The frame of the block in slots 1..9 of `meshCodes`: north = the north-west mesh's south
// edge + 300″, south = the south-west mesh's south edge, west = the north-west mesh's west
// edge, east = the north-east mesh's west edge + 450″.
BlockFrame blockFrame(const std::array<MeshCode, 10>& meshCodes);

// The preview pixel of a position: floor((longitude − west) / sx), floor((north − latitude) / sy).
PixelPoint blockPixel(const BlockFrame& frame, ArcSeconds latitude, ArcSeconds longitude);

// The destination mark: a triangle (x − 3, y + 3), (x, y − 3), (x + 3, y + 3) with a black
// outline and a red inside.
void drawDestinationMark(DrawingSurface& surface, int x, int y);

// Draws the preview for centreMeshCode: meshCodes become its neighbours; the nine codes in
// 8-point black, the destination mountain with its name in text style 0, the route in the
// route line colour 2 pixels wide (each point's pixel fields take its preview pixel). Then the
// centre values and the sheet caption ("6442  夕張岳", or "" for a code not in the table).
void drawBlockPreview(AppState& state, StartMenuModel& menu);

}  // namespace orv
