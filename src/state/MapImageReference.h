#pragma once
// A scanned map image of one mesh slot and where the sheet's frame lies in it.
#include <array>
#include <cstdint>
#include <string>

namespace orv {

struct MapImageReference {
    float lonScale = 0;  // arc-seconds of longitude per image pixel: 450 / (frameRight − frameLeft)
    float latScale = 0;  // arc-seconds of latitude per image pixel: 300 / (frameBottom − frameTop)
    float originX = 0;   // image x of the frame's top-left corner
    float originY = 0;   // image y of the frame's top-left corner
    float frameLeft = 0, frameTop = 0;       // first corner click
    float frameRight = 0, frameBottom = 0;   // second corner click
    bool referenced = false;                 // both corners were clicked
    std::string imagePath;                   // "" when no image was chosen for the slot
    std::string meshCode;                    // the slot's mesh code when the image was chosen
};

// Slots 1..9 in mesh-code order; slot 0 is not used.
using MapImageReferenceTable = std::array<MapImageReference, 10>;

}  // namespace orv
