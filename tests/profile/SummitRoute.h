#pragma once
// A planned route on the bundled sample block: from the valley of the 額平川 up to the summit of
// 幌尻岳, clicked as four raw points, interpolated over the grid and measured as the
// route map does it; a named start and summit, a water mark half way. scheduleRoute adds the
// course-time schedule the course-time window would compute.
#include "route/Measurement.h"
#include "schedule/CourseTimeCalculation.h"
#include "state/AppState.h"
#include "state/ColourTable.h"
#include "support/SampleBlock.h"

#include <gtest/gtest.h>

namespace orv::test {

inline void planSummitRoute(AppState& state) {
    setStartValues(state);
    ASSERT_TRUE(loadSampleBlock(state));
    state.settings.colourTable[0] = kDefaultColourSet;
    state.settings.registeredSets[0] = 1;
    state.planName = "幌尻岳";
    const char* raw[][2] = {{"42.4130", "142.3800"}, {"42.4220", "142.3900"}, {"42.4330", "142.40"},
                            {"42.4310", "142.4102"}};
    clearRawRoute(state);
    int16_t n = 0;
    for (const auto& [lat, lon] : raw) {
        RawPoint& p = state.rawRoute[static_cast<size_t>(++n)];
        p.number = n;
        p.latitude = lat;
        p.longitude = lon;
    }
    state.rawRoute[0].number = n;
    ASSERT_TRUE(interpolateRoute(state, 1).ok);
    state.route[1].placeName = "額平川";
    state.route[static_cast<size_t>(state.routeCount)].mountainName = "幌尻岳";
    state.route[static_cast<size_t>(state.routeCount / 2)].markKind = 4;
    state.routeLoaded = true;
    measureRoute(state);
    ASSERT_GT(state.routeCount, 20);
}

inline void scheduleRoute(AppState& state, int pitchMinutes = 30) {
    ScheduleParameters parameters;
    parameters.pitchMinutes = pitchMinutes;
    measureRoute(state);
    ASSERT_TRUE(buildSchedule(state, parameters).ok);
    state.pitchMinutes = static_cast<int16_t>(pitchMinutes);
    ASSERT_GE(state.segmentCount, 3);
}

}  // namespace orv::test
