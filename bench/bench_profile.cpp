// The route profile: one full redraw for a 2048-point route with 120 segments, every fifth
// point named, marks, and all five data labels on — with the label glyphs already rendered (as
// every redraw after the first finds them) and from a cold start; the live read-out of one
// mouse move over the plot; and the check the route map's changes cost an unchanged profile.
#include "profile/Profile.h"
#include "profile/ProfileDrawing.h"
#include "profile/ProfileGeometry.h"
#include "BenchSample.h"
#include "TextBenchMain.h"
#include "platform/Fonts.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <memory>
#include <string>

namespace {

using namespace orv;

std::unique_ptr<AppState> makeScheduledRoute() {
    auto state = makeAppState();
    setStartValues(*state);
    state->settings.colourTable[0] = kDefaultColourSet;
    state->planName = "幌尻岳";
    double total = 0;
    for (int v = 1; v <= kMaxRoutePoints; ++v) {
        RoutePoint& p = state->route[static_cast<size_t>(v)];
        p.number = static_cast<int16_t>(v);
        p.elevation = 600.0f + 1400.0f * static_cast<float>(v) / kMaxRoutePoints +
                      120.0f * std::sin(static_cast<float>(v) / 37.0f);
        p.mapDistance = v == 1 ? 0.0f : 7.0f;
        p.walkDistance = p.mapDistance * 1.05f;
        p.minutesOut = v == 1 ? 0.0f : 0.3f;
        total += p.mapDistance;
        if (v % 50 == 0) p.placeName = "地点" + std::to_string(v / 50);
        if (v % 300 == 0) p.markKind = static_cast<int16_t>(1 + v / 300 % 6);
    }
    state->route[kMaxRoutePoints].mountainName = "幌尻岳";
    state->route[0].mapDistance = static_cast<float>(total);
    state->routeCount = kMaxRoutePoints;
    state->segments[0].endPoint = 1;
    for (int j = 1; j <= kMaxSegments; ++j) {
        CourseSegment& s = state->segments[static_cast<size_t>(j)];
        s.number = static_cast<int16_t>(j);
        s.endPoint = static_cast<int16_t>(j * kMaxRoutePoints / kMaxSegments);
        s.elevation = state->route[static_cast<size_t>(s.endPoint)].elevation;
        s.walkingDistance = 120.0f + static_cast<float>(j);
        s.walkingMinutes = 30.0f + static_cast<float>(j % 25);
        s.climbDiff = static_cast<float>(j % 90);
        s.meanSlope = 3.5f + static_cast<float>(j % 20);
    }
    state->segmentCount = kMaxSegments;
    state->profileLabels.fill(true);
    return state;
}

void BM_ProfileRedraw(benchmark::State& bench) {
    auto state = makeScheduledRoute();
    bench::ReadyDialogs dialogs;
    Profile profile(*state, dialogs);
    profile.activate();  // renders the glyphs once
    for (auto _ : bench) {
        profile.redraw();
        benchmark::DoNotOptimize(profile.surface().image().constBits());
    }
}
BENCHMARK(BM_ProfileRedraw)->Unit(benchmark::kMillisecond);

void BM_ProfileRedrawCold(benchmark::State& bench) {
    auto state = makeScheduledRoute();
    DrawingSurface surface(kProfileWidth, kProfileHeight, kSkyColour);
    const ProfileScale scale = profileScale(*state, 0);
    for (auto _ : bench) {
        ProfilePainter painter;
        painter.draw(surface, *state, scale, ProfileLook{});
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_ProfileRedrawCold)->Unit(benchmark::kMillisecond);

void BM_ProfileLiveReadout(benchmark::State& bench) {
    auto state = makeScheduledRoute();
    bench::ReadyDialogs dialogs;
    Profile profile(*state, dialogs);
    profile.activate();
    int x = kPlotLeft;
    for (auto _ : bench) {
        profile.mouseMove(x, 200);
        x = x >= kPlotRight ? kPlotLeft : x + 1;
        benchmark::DoNotOptimize(profile.statusLine().data());
    }
}
BENCHMARK(BM_ProfileLiveReadout)->Unit(benchmark::kMicrosecond);

// What every change on the route map costs the shown profile when the route has not changed:
// comparing the route and schedule with those of the last drawing.
void BM_ProfileFollowUnchangedRoute(benchmark::State& bench) {
    auto state = makeScheduledRoute();
    bench::ReadyDialogs dialogs;
    Profile profile(*state, dialogs);
    profile.activate();
    for (auto _ : bench) {
        profile.followRoute();
        benchmark::DoNotOptimize(profile.surface().image().constBits());
    }
}
BENCHMARK(BM_ProfileFollowUnchangedRoute)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return orv::bench::runTextBenchmarks(argc, argv); }
