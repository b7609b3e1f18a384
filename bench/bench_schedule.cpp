// Calculating a course time: a route of 2048 points with 30 named points over a synthetic
// terrain, re-measured and cut into segments with clock times, separately and together as
// "計算" runs them.
#include "core/Rounding.h"
#include "route/Measurement.h"
#include "schedule/CourseTimeCalculation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

using namespace orv;

// The 3 × 3 block around 幌尻岳 (centre mesh 644205): 900″ north to south, 1350″ west to east.
constexpr ArcSeconds kSouth = 153000;
constexpr ArcSeconds kWest = 512550;
constexpr int kPoints = kMaxRoutePoints;
constexpr int kNamedPoints = 30;

// Rolling hills between 900 and 1500 m.
float terrain(int row, int column) {
    return 1200.0f + 200.0f * std::sin(static_cast<float>(row) / 40.0f) +
           100.0f * std::cos(static_cast<float>(column) / 25.0f);
}

// A serpentine of 2048 points about one grid cell apart, four passes across the block drifting
// slowly south, with every 68th point named.
std::unique_ptr<AppState> makeRoute() {
    auto state = makeAppState();
    setStartValues(*state);
    state->currentLevel = 1;
    state->demUnused = 0;
    state->levelCorners[1] = {secondsToDms(kSouth), secondsToDms(kSouth + 900),
                              secondsToDms(kWest), secondsToDms(kWest + 1350)};
    for (int row = 0; row <= 600; ++row)
        for (int column = 0; column <= 600; ++column)
            state->elevationGrid.set(row, column, 1, terrain(row, column));

    constexpr int kPass = 520;
    for (int k = 0; k < kPoints; ++k) {
        const int pass = k / kPass;
        const int step = k % kPass;
        const int column = 40 + (pass % 2 == 0 ? step : kPass - 1 - step);
        const int row = 60 + 150 * pass + step / 20;
        RoutePoint& p = state->route[static_cast<size_t>(k + 1)];
        p.number = static_cast<int16_t>(k + 1);
        p.latitude = secondsToDms(kSouth + 900 - roundHalfEven(row * 1.5 + 0.75));
        p.longitude = secondsToDms(kWest + roundHalfEven(column * 2.25 + 1.0));
        if ((k + 1) % 68 == 0 && (k + 1) / 68 <= kNamedPoints)
            p.placeName = "地点" + std::to_string((k + 1) / 68);
    }
    state->routeCount = static_cast<int16_t>(kPoints);
    return state;
}

void BM_MeasureRouteForSchedule(benchmark::State& bench) {
    auto state = makeRoute();
    for (auto _ : bench) {
        measureRoute(*state);
        benchmark::DoNotOptimize(state->route[0].minutesOut);
    }
}
BENCHMARK(BM_MeasureRouteForSchedule)->Unit(benchmark::kMicrosecond);

void BM_BuildSchedule(benchmark::State& bench) {
    auto state = makeRoute();
    measureRoute(*state);
    const ScheduleParameters parameters;
    for (auto _ : bench) {
        const ScheduleResult result = buildSchedule(*state, parameters);
        benchmark::DoNotOptimize(result.ok);
    }
    bench.counters["segments"] = state->segmentCount;
}
BENCHMARK(BM_BuildSchedule)->Unit(benchmark::kMicrosecond);

// "計算": both together.
void BM_CourseTime(benchmark::State& bench) {
    auto state = makeRoute();
    const ScheduleParameters parameters;
    bool ok = true;
    for (auto _ : bench) {
        measureRoute(*state);
        ok = buildSchedule(*state, parameters).ok && ok;
    }
    if (!ok) bench.SkipWithError("the route could not be scheduled");
    bench.counters["segments"] = state->segmentCount;
    bench.counters["minutes"] = state->route[0].minutesOut;
}
BENCHMARK(BM_CourseTime)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
