// Finishing a route over the sample block: 1000 raw points on a spiral around the block's
// centre, interpolated over the grid and measured, separately and together as the end of a
// creation runs them.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "route/Measurement.h"

#include "BenchSample.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>

namespace {

using namespace orv;
using namespace orv::bench;


// 1000 raw points on an Archimedean spiral from the centre of level 1 outwards, about 9.5″
// apart along the curve (three grid diagonals, so mostly two route points each, near the
// 2048-point limit) with rings 60″ apart: it reaches about 430″ from the centre, nearly the
// north and south edges of the block (450″ away).
void spiralRawPoints(AppState& state) {
    const auto& corners = state.levelCorners[1];
    const double centreLat =
        (dmsToSeconds(corners[kSouth]) + dmsToSeconds(corners[kNorth])) / 2.0;
    const double centreLon = (dmsToSeconds(corners[kWest]) + dmsToSeconds(corners[kEast])) / 2.0;
    constexpr double kRing = 60.0 / (2.0 * 3.141592653589793);  // radius per radian
    constexpr double kSpacing = 9.5;
    double angle = 1.0;
    clearRawRoute(state);
    for (int i = 1; i <= kMaxRawPoints; ++i) {
        const double radius = kRing * angle;
        RawPoint& p = state.rawRoute[static_cast<size_t>(i)];
        p.number = static_cast<int16_t>(i);
        const double lat = centreLat + radius * std::sin(angle);
        const double lon = centreLon + radius * std::cos(angle);
        p.latitude = secondsToDms(static_cast<ArcSeconds>(std::lround(lat)));
        p.longitude = secondsToDms(static_cast<ArcSeconds>(std::lround(lon)));
        angle += kSpacing / std::hypot(radius, kRing);
    }
    state.rawRoute[0].number = kMaxRawPoints;
}

void BM_InterpolateRoute(benchmark::State& bm) {
    auto state = loadSample();
    spiralRawPoints(*state);
    for (auto _ : bm) {
        const InterpolationResult result = interpolateRoute(*state, 1);
        if (!result.ok) {
            bm.SkipWithError(result.message.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.ok);
    }
    bm.counters["routePoints"] = state->routeCount;
}
BENCHMARK(BM_InterpolateRoute)->Unit(benchmark::kMillisecond);

void BM_MeasureRoute(benchmark::State& bm) {
    auto state = loadSample();
    spiralRawPoints(*state);
    interpolateRoute(*state, 1);
    std::array<std::string, 5> readouts{};
    for (auto _ : bm) {
        measureRoute(*state);
        readouts = routeReadouts(state->route, state->routeCount);
        benchmark::DoNotOptimize(readouts.data());
    }
    bm.counters["routePoints"] = state->routeCount;
}
BENCHMARK(BM_MeasureRoute)->Unit(benchmark::kMillisecond);

void BM_InterpolateAndMeasureRoute(benchmark::State& bm) {
    auto state = loadSample();
    spiralRawPoints(*state);
    std::array<std::string, 5> readouts{};
    for (auto _ : bm) {
        const InterpolationResult result = interpolateRoute(*state, 1);
        measureRoute(*state);
        readouts = routeReadouts(state->route, state->routeCount);
        benchmark::DoNotOptimize(result.ok);
        benchmark::DoNotOptimize(readouts.data());
    }
    bm.counters["routePoints"] = state->routeCount;
    bm.SetLabel(readouts[0] + " / " + readouts[1] + " / " + readouts[2] + " / " + readouts[3] +
                " / " + readouts[4]);
}
BENCHMARK(BM_InterpolateAndMeasureRoute)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
