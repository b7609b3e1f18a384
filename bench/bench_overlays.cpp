// Drawing the route overlays over the sample block's shaded background: a route of the full
// 2048 points winding over the map, 20 of them named (mountain and place names, with elevation
// and cumulative time labels) and 60 carrying icon marks, plus the destination mountain.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "map/Background.h"
#include "map/MapGeometry.h"
#include "platform/Fonts.h"
#include "route/Overlays.h"

#include "BenchSample.h"
#include "TextBenchMain.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace orv;
using namespace orv::bench;


struct OverlayScene {
    std::unique_ptr<AppState> state = makeAppState();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    ReadyDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};

    OverlayScene() {
        *state = std::move(*loadSample());  // the context keeps referring to this state
        const ColourSet working = makeWorkingColours(*state);
        paintBackgroundRows(state->elevationGrid, 1, working, shadeDivisor(ShadedColour, 1),
                            pictures.buffer, 0, kMapSize - 1);
        clearMapPicture(ctx);

        // A spiral from the centre out towards the picture's edge.
        const LevelBounds level1 = levelBounds(state->levelCorners, 1);
        constexpr int kPoints = kMaxRoutePoints;
        for (int j = 1; j <= kPoints; ++j) {
            const double t = static_cast<double>(j) / kPoints;
            const double angle = t * 12.0 * 3.14159265358979;
            const double radius = 20.0 + 260.0 * t;
            const double x = 300.0 + radius * std::cos(angle) + 0.5;
            const double y = 300.0 + radius * std::sin(angle) + 0.5;
            RoutePoint& point = state->route[static_cast<size_t>(j)];
            point.number = static_cast<int16_t>(j);
            point.latitude = secondsToDms(pixelLatitude(level1, y));
            point.longitude = secondsToDms(pixelLongitude(level1, x));
            point.elevation = 500.0f + static_cast<float>(j % 900);
            point.timeText = "0" + std::to_string(j % 10) + ":" + std::to_string(10 + j % 50) + ":00";
            if (j % 103 == 1) {
                if ((j / 103) % 2 == 0)
                    point.mountainName = "幌尻岳" + std::to_string(j);
                else
                    point.placeName = "七ッ沼カール" + std::to_string(j);
            }
            if (j % 34 == 0) point.markKind = static_cast<int16_t>(1 + (j / 34) % 6);
        }
        state->routeCount = kPoints;
        state->routeLoaded = true;
        state->elevationLabelsShown = true;
        state->cumulativeTimesShown = true;
    }
};

void BM_DrawOverlaysFullRoute(benchmark::State& bench) {
    OverlayScene scene;
    for (auto _ : bench) {
        drawOverlays(scene.ctx);
        benchmark::DoNotOptimize(scene.pictures.map.image().constBits());
    }
}
BENCHMARK(BM_DrawOverlaysFullRoute)->Unit(benchmark::kMillisecond);

void BM_RedrawOverlaysFullRoute(benchmark::State& bench) {
    OverlayScene scene;
    for (auto _ : bench) {
        redrawOverlays(scene.ctx);
        benchmark::DoNotOptimize(scene.pictures.map.image().constBits());
    }
}
BENCHMARK(BM_RedrawOverlaysFullRoute)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return orv::bench::runTextBenchmarks(argc, argv); }
