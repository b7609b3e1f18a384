#pragma once
// One entry of the walking schedule. Entry 0 is the start; entries 1..segmentCount the stretches.
#include "geo/Angles.h"

#include <array>
#include <cstdint>
#include <string>

namespace orv {

struct CourseSegment {
    int16_t number = 0;
    int16_t endPoint = 0;
    DmsText latitude;
    DmsText longitude;
    float elevation = 0;
    float climbDiff = 0;
    std::string name;
    float horizontalDistance = 0;
    float walkingDistance = 0;
    float walkingMinutes = 0;
    std::string departure;
    std::string arrival;
    float meanSlope = 0;
};

inline constexpr int kMaxSegments = 120;
using CourseSegmentTable = std::array<CourseSegment, kMaxSegments + 1>;

}  // namespace orv
