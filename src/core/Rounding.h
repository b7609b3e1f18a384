#pragma once
// The two ways numbers become whole numbers in Orvane: "round" (nearest, halves to even)
// and "floor" (towards minus infinity). Every computation uses one of these helpers.
#include <cmath>
#include <cstdint>
#include <limits>

namespace orv {

// Nearest integer, halves to even (3.5 -> 4, 2.5 -> 2, -2.5 -> -2). Values beyond the
// int32 range saturate; NaN gives 0, so no caller can meet undefined behaviour.
inline int32_t roundHalfEven(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// Largest integer not above v, saturating like roundHalfEven.
inline int32_t floorToInt(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::floor(v);
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// Nearest int16 with halves to even, clamped to the int16 range.
inline int16_t roundToInt16(double v) {
    const int32_t r = roundHalfEven(v);
    if (r > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (r < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(r);
}

}  // namespace orv
