#pragma once
// The five colour sets (0 = default, 1..4 = user sets) of seven bands: bands 0..5 colour the
// heights, band 6 is the contour colour.
#include <array>
#include <cstdint>

namespace orv {

struct ColourBand {
    int16_t blue = 0;
    int16_t green = 0;
    int16_t red = 0;
    float elevation = 0;
    bool operator==(const ColourBand&) const = default;
};

inline constexpr int kColourSets = 5;
inline constexpr int kColourBands = 7;
using ColourSet = std::array<ColourBand, kColourBands>;
using ColourTable = std::array<ColourSet, kColourSets>;

// The built-in default set (set 0), filled at every start.
inline constexpr ColourSet kDefaultColourSet{{
    {234, 180, 126, -1.0f},
    {20, 150, 20, 0.0f},
    {0, 200, 200, 1000.0f},
    {0, 71, 135, 2000.0f},
    {6, 47, 83, 3000.0f},
    {0, 94, 103, 4000.0f},
    {82, 105, 116, 0.0f},
}};

}  // namespace orv
