#pragma once
// The route model: route points, raw points of a creation in progress, GPS waypoints.
#include "geo/Angles.h"

#include <array>
#include <cstdint>
#include <string>

namespace orv {

struct RoutePoint {
    int16_t number = 0;
    DmsText latitude;
    DmsText longitude;
    float elevation = 0;
    std::string dateText;
    std::string timeText;
    std::string mountainName;
    std::string placeName;
    int16_t markKind = 0;
    float mapDistance = 0;
    float walkDistance = 0;
    float slopeAngle = 0;
    float minutesOut = 0;
    float minutesBack = 0;
    std::string label;
    int32_t pixelX = 0;
    int32_t pixelY = 0;
    // Set by each measurement: the point lies outside the loaded elevation data (beyond the
    // block or on a cell without data), so its elevation is not the ground's.
    bool outsideData = false;
};

struct RawPoint {
    int16_t number = 0;
    std::string sheetCode;
    DmsText latitude;
    DmsText longitude;
    float elevation = 0;
    std::string placeName;
    std::string mountainName;  // taken over from a traced reference point
    int16_t markKind = 0;
    float imageY = 0;
    float imageX = 0;
    int16_t extra = 0;
};

struct Waypoint {
    int16_t number = 0;
    std::string name;
    DmsText latitude;
    DmsText longitude;
};

inline constexpr int kMaxRoutePoints = 2048;
inline constexpr int kMaxRawPoints = 1000;
inline constexpr int kMaxWaypoints = 250;

// Slots 0..2048; points 1..count; slot 0 holds the route totals.
using RouteTable = std::array<RoutePoint, kMaxRoutePoints + 1>;
using RawRouteTable = std::array<RawPoint, kMaxRawPoints + 1>;
using WaypointTable = std::array<Waypoint, kMaxWaypoints + 1>;

}  // namespace orv
