// Drawing the route overlays over the sample block's shaded background: a route of the full
// 2048 points winding over the map, 20 of them named (mountain and place names, with elevation
// and cumulative time labels) and 60 carrying icon marks, plus the destination mountain.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "map/Background.h"
#include "map/MapView.h"
#include "platform/Fonts.h"
#include "route/Overlays.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace orv;

class NoDialogs : public Dialogs {
public:
    Answer message(const std::string&, const std::string&, Buttons, Icon) override {
        return Answer::Ok;
    }
    std::string input(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    std::optional<std::string> openFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<Colour> pickColour(Colour, const std::string&) override { return std::nullopt; }
    std::optional<TextStyle> pickFont(const TextStyle&) override { return std::nullopt; }
    std::string pickFolder(const std::string&, const std::string& initial) override {
        return initial;
    }
    void showHelp(const std::string&) override {}
};

const std::string kCentre = "644205";
const std::string kSampleFolder = std::string(ORVANE_ASSETS) + "/sample/dem";

// The sample block in level 1, as the loader leaves it.
void loadSample(AppState& state) {
    state.settings.colourTable[0] = kDefaultColourSet;
    state.centreMeshCode = kCentre;
    state.meshCodes = meshNeighbours(kCentre);
    for (int slot = 1; slot <= 9; ++slot) {
        const auto& place = meshSlotPlaces[static_cast<size_t>(slot)];
        std::string text;
        const auto path =
            meshFilePath(kSampleFolder, state.meshCodes[static_cast<size_t>(slot)], false);
        if (readBytes(path, text) == FileError::None)
            parseMemFile(text, state.elevationGrid, place.firstRow, place.firstColumn, 1);
        else
            fillNoData(state.elevationGrid, place.firstRow, place.firstColumn, 1);
    }
    repeatLastRowAndColumn(state.elevationGrid, 1);
    setLevelOneCorners(state, dmsToSeconds(meshSouthLatitude(kCentre)),
                       dmsToSeconds(meshWestLongitude(kCentre)));
    state.currentLevel = 1;
}

struct OverlayScene {
    std::unique_ptr<AppState> state = makeAppState();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    NoDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};

    OverlayScene() {
        setStartValues(*state);
        loadSample(*state);
        const ColourSet working = makeWorkingColours(*state);
        paintBackgroundRows(state->elevationGrid, 1, working, shadeDivisor(ShadedColour, 1),
                            pictures.buffer, 0, kMapSize - 1);
        clearMapPicture(ctx);

        // A spiral from the centre out towards the picture's edge.
        constexpr int kPoints = kMaxRoutePoints;
        for (int j = 1; j <= kPoints; ++j) {
            const double t = static_cast<double>(j) / kPoints;
            const double angle = t * 12.0 * 3.14159265358979;
            const double radius = 20.0 + 260.0 * t;
            const double x = 300.0 + radius * std::cos(angle) + 0.5;
            const double y = 300.0 + radius * std::sin(angle) + 0.5;
            RoutePoint& point = state->route[static_cast<size_t>(j)];
            point.number = static_cast<int16_t>(j);
            point.latitude = secondsToDms(pixelLatitude(*state, 1, y));
            point.longitude = secondsToDms(pixelLongitude(*state, 1, x));
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
        state->routeLoaded = 1;
        state->elevationLabelsShown = -1;
        state->cumulativeTimesShown = -1;
    }
};

void BM_DataDrawFullRoute(benchmark::State& bench) {
    OverlayScene scene;
    for (auto _ : bench) {
        DataDraw(scene.ctx);
        benchmark::DoNotOptimize(scene.pictures.map.image().constBits());
    }
}
BENCHMARK(BM_DataDrawFullRoute)->Unit(benchmark::kMillisecond);

void BM_ClearAndDataDrawFullRoute(benchmark::State& bench) {
    OverlayScene scene;
    for (auto _ : bench) {
        EreaMarkDispOff(scene.ctx);
        benchmark::DoNotOptimize(scene.pictures.map.image().constBits());
    }
}
BENCHMARK(BM_ClearAndDataDrawFullRoute)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // text needs the font database
    orv::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
