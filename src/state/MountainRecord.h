#pragma once
// One mountain of a mountain-name file.
#include "geo/Angles.h"

#include <array>
#include <cstdint>
#include <string>

namespace orv {

struct MountainRecord {
    std::string name;
    DmsText latitude;
    DmsText longitude;
    std::string elevation;  // metres, as written in the file
    std::string reading;
    std::string kind;       // always "A" when read
    bool onRoute = false;   // a route point carries this name
    std::string extra;
};

inline constexpr int kMaxMountains = 10000;
using MountainTable = std::array<MountainRecord, kMaxMountains + 1>;  // entries 1..count

}  // namespace orv
