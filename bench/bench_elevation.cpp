// Loading the nine mesh files of the sample block: the whole loadElevationBlock (files read from
// disk, dialogs answered at once) and the pure parse of the nine files held in memory.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"

#include "BenchSample.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orv;
using namespace orv::bench;


void prepare(AppState& state) {
    state.centreMeshCode = kCentre;
    state.meshCodes = meshNeighbours(kCentre);
    state.levelCorners[0][1] = meshSouthLatitude(kCentre);
    state.levelCorners[0][2] = meshWestLongitude(kCentre);
    state.demMedia = 1;
}

void BM_Read50mFile(benchmark::State& bm) {
    auto state = makeAppState();
    prepare(*state);
    StartMenuModel menu;
    ReadyDialogs dialogs;
    for (auto _ : bm) {
        loadElevationBlock(*state, menu, dialogs, kSampleFolder);
        benchmark::DoNotOptimize(state->elevationGrid.data());
    }
}
BENCHMARK(BM_Read50mFile)->Unit(benchmark::kMillisecond);

void BM_ParseNineMeshes(benchmark::State& bm) {
    auto state = makeAppState();
    prepare(*state);
    std::vector<std::string> files;
    size_t bytes = 0;
    for (int slot = 1; slot <= 9; ++slot) {
        std::string text;
        readBytes(meshFilePath(kSampleFolder, state->meshCodes[static_cast<size_t>(slot)], false), text);
        bytes += text.size();
        files.push_back(std::move(text));
    }
    for (auto _ : bm) {
        for (int slot = 1; slot <= 9; ++slot) {
            const auto& place = meshSlotPlaces[static_cast<size_t>(slot)];
            parseMemFile(files[static_cast<size_t>(slot - 1)], state->elevationGrid, place.firstRow,
                         place.firstColumn, 1);
        }
        benchmark::DoNotOptimize(state->elevationGrid.data());
    }
    bm.SetBytesProcessed(static_cast<int64_t>(bm.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_ParseNineMeshes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // the progress strip draws text
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
