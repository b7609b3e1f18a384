#pragma once
// A small walking schedule written straight into the segment table, for the editing, list and
// export tests: entry 0 at the start, one entry per stretch, times from the start text.
#include "schedule/CourseTimeCalculation.h"
#include "schedule/ScheduleEdit.h"
#include "state/AppState.h"

#include <string>
#include <vector>

namespace orv::test {

struct Stretch {
    float minutes = 0;
    float elevation = 0;
    std::string name;
    float walked = 0;
    float slope = 0;
};

inline void setSchedule(AppState& state, const std::vector<Stretch>& stretches,
                        const std::string& start = "07:00", int shortRest = 5,
                        float startElevation = 1000) {
    clearSegments(state);
    CourseSegment& first = state.segments[0];
    first.number = 0;
    first.endPoint = 1;
    first.latitude = "35.2";
    first.longitude = "138.4";
    first.elevation = startElevation;
    first.departure = start;
    first.arrival = kNoTime;
    int k = 0;
    for (const Stretch& s : stretches) {
        ++k;
        CourseSegment& e = state.segments[static_cast<size_t>(k)];
        e.number = static_cast<int16_t>(k);
        e.endPoint = static_cast<int16_t>(10 * k);
        e.latitude = "35.2" + std::to_string(k);
        e.longitude = "138.4" + std::to_string(k);
        e.elevation = s.elevation;
        e.name = s.name;
        e.walkingMinutes = s.minutes;
        e.walkingDistance = s.walked;
        e.horizontalDistance = s.walked - 10;
        e.climbDiff = 100;
        e.meanSlope = s.slope;
    }
    state.segmentCount = static_cast<int16_t>(k);
    retimeSchedule(state, shortRest);
}

// Departure and arrival of every entry, "arrival/departure" as the list shows them.
inline std::vector<std::string> times(const AppState& state) {
    std::vector<std::string> out;
    for (int k = 0; k <= state.segmentCount; ++k) {
        const CourseSegment& e = state.segments[static_cast<size_t>(k)];
        out.push_back(e.arrival + "/" + e.departure);
    }
    return out;
}

}  // namespace orv::test
