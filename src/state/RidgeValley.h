#pragma once
// Traced ridge and valley lines: points in drawing order, a line starting at kind 1 or 2.
#include "geo/Angles.h"

#include <array>
#include <cstdint>

namespace orv {

struct RidgeValleyPoint {
    DmsText latitude;
    DmsText longitude;
    int16_t kind = 0;  // 0 continues the line, 1 starts a ridge line, 2 starts a valley line
};

// The two line styles; a point of kind 1 starts a ridge line, kind 2 a valley line.
enum class RidgeValleyStyle : int16_t { Ridge = 0, Valley = 1 };

inline constexpr int kMaxRidgeValleyPoints = 4001;  // entries 0..4000
using RidgeValleyTable = std::array<RidgeValleyPoint, kMaxRidgeValleyPoints>;

// One line style (ridge = 0, valley = 1): colour as blue, green, red and width in pixels.
struct LineStyleSetting {
    int16_t blue = 0;
    int16_t green = 0;
    int16_t red = 0;
    int16_t width = 1;
};

}  // namespace orv
