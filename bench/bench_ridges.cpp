// Ridge and valley lines and names over the sample block: the full table of 4001 traced points
// in lines of 40, and a names file of 1000 labels read and drawn at every redraw (all inside
// the view, or a tenth of them), after a first drawing that rendered each label once.
#include "map/MapGeometry.h"
#include "map/RidgeValleyLabels.h"
#include "map/RidgeValleyLines.h"
#include "map/RidgeValleyNameFile.h"
#include "platform/Fonts.h"

#include "BenchSample.h"
#include "TextBenchMain.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orv;
using namespace orv::bench;

struct RidgeScene {
    std::unique_ptr<AppState> state = loadSample();
    DrawingSurface picture{kMapSize, kMapSize};
    LevelBounds view = levelBounds(state->levelCorners, 1);

    DmsText latitudeAt(double y) const { return secondsToDms(pixelLatitude(view, y)); }
    DmsText longitudeAt(double x) const { return secondsToDms(pixelLongitude(view, x)); }
};

void BM_DrawRidgeValleyLines4001(benchmark::State& bench) {
    RidgeScene scene;
    for (int i = 0; i < kMaxRidgeValleyPoints; ++i) {
        RidgeValleyPoint& p = scene.state->ridgeValleyPoints[static_cast<size_t>(i)];
        const double t = i * 0.37;
        p.latitude = scene.latitudeAt(300 + 280 * std::sin(t * 0.05) + 10 * std::cos(t));
        p.longitude = scene.longitudeAt(300 + 280 * std::cos(t * 0.031) + 10 * std::sin(t));
        p.kind = static_cast<int16_t>(i % 40 == 0 ? 1 + (i / 40) % 2 : 0);
    }
    scene.state->ridgeValleyCount = kMaxRidgeValleyPoints;
    scene.state->settings.ridgeLine.width = 3;
    RidgeValleyStyle current = RidgeValleyStyle::Ridge;
    for (auto _ : bench) {
        drawRidgeValleyLines(*scene.state, scene.view, scene.picture, current);
        benchmark::DoNotOptimize(scene.picture.image().constBits());
    }
}
BENCHMARK(BM_DrawRidgeValleyLines4001)->Unit(benchmark::kMillisecond);

// 1000 labels; one in `spread` lies inside the view, the others beside it.
void BM_DrawRidgeValleyNames1000(benchmark::State& bench) {
    RidgeScene scene;
    const int spread = static_cast<int>(bench.range(0));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orvane-bench-rvn";
    std::filesystem::create_directories(folder);
    std::vector<std::string> lines;
    for (int i = 0; i < 1000; ++i) {
        RidgeValleyName name;
        const bool inside = i % spread == 0;
        name.latitude = scene.latitudeAt(20 + (i * 37) % 560);
        name.longitude = scene.longitudeAt(inside ? 20 + (i * 53) % 560 : 700 + i);
        name.angle = (i * 97) % 1800 - 900;
        name.text = "七ッ沼カール" + std::to_string(i);
        name.magnification = 1.0f + static_cast<float>(i % 11) / 10.0f;
        lines.push_back(ridgeValleyNameLine(name));
    }
    writeTextLines(ridgeValleyNameFilePath(folder), lines);
    scene.state->dataFolder = folder;
    scene.state->rvnFileExists = true;
    // The first drawing renders every label once; redraws put the kept pixels on the map.
    drawRidgeValleyNames(*scene.state, scene.view, scene.picture);
    for (auto _ : bench) {
        drawRidgeValleyNames(*scene.state, scene.view, scene.picture);
        benchmark::DoNotOptimize(scene.picture.image().constBits());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DrawRidgeValleyNames1000)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return orv::bench::runTextBenchmarks(argc, argv); }
