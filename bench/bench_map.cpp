// Drawing the route map of the sample block: the colour background (the pixel work alone and
// the whole progressive painting), a deeper level after a zoom, contours at 100 m, and the
// zoom resampling. Afterwards the level-1 grid is written as an ESRI ASCII grid and the same
// kinds of pictures are made with gdaldem (hillshade, color-relief) for comparison.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "map/Background.h"
#include "map/Contours.h"
#include "map/MapView.h"

#include "BenchSample.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orv;
using namespace orv::bench;


// A route map around a state, for the operations that take the whole context.
struct Map {
    std::unique_ptr<AppState> state = loadSample();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    ReadyDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};
};

void BM_ShadedBackgroundLevel1(benchmark::State& bm) {
    Map m;
    const ColourSet working = makeWorkingColours(*m.state);
    for (auto _ : bm) {
        paintBackgroundRows(m.state->elevationGrid, 1, working, shadeDivisor(ShadedColour, 1),
                            m.pictures.buffer, 0, kMapSize - 1);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_ShadedBackgroundLevel1)->Unit(benchmark::kMillisecond);

void BM_ShadedBackgroundLevel2(benchmark::State& bm) {
    Map m;
    const int level = resampleZoomLevel(*m.state, m.map, 150.0f, 150.0f, 150.0f);
    const ColourSet working = makeWorkingColours(*m.state);
    for (auto _ : bm) {
        paintBackgroundRows(m.state->elevationGrid, level, working,
                            shadeDivisor(ShadedColour, level), m.pictures.buffer, 0, kMapSize - 1);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_ShadedBackgroundLevel2)->Unit(benchmark::kMillisecond);

void BM_BandColourBackground(benchmark::State& bm) {
    Map m;
    m.state->settings.backgroundMethod = BandColour;
    const ColourSet working = makeWorkingColours(*m.state);
    for (auto _ : bm) {
        paintBackgroundRows(m.state->elevationGrid, 1, working, shadeDivisor(BandColour, 1),
                            m.pictures.buffer, 0, kMapSize - 1);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_BandColourBackground)->Unit(benchmark::kMillisecond);

// The whole progressive painting: events every 5 rows and the visible picture replaced 120
// times (each replacement makes the buffer copy its pixels at the next row).
void BM_ColourBackgroundWithDisplay(benchmark::State& bm) {
    Map m;
    for (auto _ : bm) {
        drawColourBackground(m.ctx, shadeDivisor(ShadedColour, 1));
        benchmark::DoNotOptimize(m.pictures.map.image().constBits());
    }
}
BENCHMARK(BM_ColourBackgroundWithDisplay)->Unit(benchmark::kMillisecond);

// The contour pixels alone, at 100 m over the sample block.
void BM_ContourPixelsInterval100(benchmark::State& bm) {
    Map m;
    const Colour thin = thinContourColour(kDefaultColourSet, m.state->contourTint);
    const Colour index = indexContourColour(kDefaultColourSet);
    for (auto _ : bm) {
        paintContourRows(m.state->elevationGrid, 1, 100, thin, index, m.pictures.buffer);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_ContourPixelsInterval100)->Unit(benchmark::kMillisecond);

// The whole contour operation, with the progress strip shown before each of its 599 rows.
void BM_ContoursInterval100(benchmark::State& bm) {
    Map m;
    m.state->contourInterval = 100;
    for (auto _ : bm) {
        drawContours(m.ctx);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_ContoursInterval100)->Unit(benchmark::kMillisecond);

void BM_ResampleZoomLevelM8(benchmark::State& bm) {
    Map m;
    for (auto _ : bm) {
        m.state->currentLevel = 1;
        benchmark::DoNotOptimize(resampleZoomLevel(*m.state, m.map, 262.5f, 262.5f, 37.5f));
    }
}
BENCHMARK(BM_ResampleZoomLevelM8)->Unit(benchmark::kMillisecond);

// Keeps the mean real time of every run (milliseconds) for the comparison.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                ms[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> ms;
};

// ---- gdaldem comparison ----

namespace fs = std::filesystem;

// The level-1 layer as an ESRI ASCII grid. Cells are taken as 50 m squares in a local metric
// frame (the true cells are 1.5″ × 2.25″, about 46 m × 51 m here): gdaldem's slope
// arithmetic wants one cell size, and its timing does not depend on the value.
void writeAsciiGrid(const AppState& state, const fs::path& path) {
    std::ofstream out(path);
    out << "ncols 601\nnrows 601\nxllcorner 0\nyllcorner 0\ncellsize 50\nNODATA_value -999.9\n";
    for (int row = 0; row < ElevationGrid::kRows; ++row) {
        for (int column = 0; column < ElevationGrid::kColumns; ++column) {
            char cell[32];
            std::snprintf(cell, sizeof cell, column == 0 ? "%.1f" : " %.1f",
                          static_cast<double>(state.elevationGrid.get(row, column, 1)));
            out << cell;
        }
        out << '\n';
    }
}

// The default colour set as a color-relief table: elevation, red, green, blue.
void writeColourTable(const fs::path& path) {
    std::ofstream out(path);
    out << "nv 126 180 234\n";
    for (int band = 0; band <= 5; ++band) {
        const ColourBand& b = kDefaultColourSet[static_cast<size_t>(band)];
        out << b.elevation << ' ' << b.red << ' ' << b.green << ' ' << b.blue << '\n';
    }
}

// Mean wall time of a shell command in milliseconds over `runs` runs (after one warm-up run);
// a negative value when the command fails.
double timeCommand(const std::string& command, int runs) {
    if (std::system(command.c_str()) != 0) return -1;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) return -1;
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];  // the median
}

void compareWithGdal(const std::map<std::string, double>& ours) {
    if (std::system("command -v gdaldem >/dev/null 2>&1") != 0) {
        std::printf("\ngdaldem not found: no comparison (scripts/bench.sh installs gdal-bin).\n");
        return;
    }
    const fs::path dir = fs::temp_directory_path() / "orvane-bench-map";
    fs::create_directories(dir);
    const auto state = loadSample();
    writeAsciiGrid(*state, dir / "level1.asc");
    writeColourTable(dir / "colours.txt");
    {
        // A 3 × 3 grid: running a tool on it costs what every run costs besides the pixels
        // (process start, library loading, driver set-up, opening and creating the files).
        std::ofstream tiny(dir / "tiny.asc");
        tiny << "ncols 3\nnrows 3\nxllcorner 0\nyllcorner 0\ncellsize 50\nNODATA_value -999.9\n"
                "100 200 300\n400 500 600\n700 800 900\n";
    }
    const std::string d = dir.string() + "/";
    const std::string quiet = " >/dev/null 2>&1";
    // The same grid in binary float32, so that reading the text is not what is measured.
    if (std::system(
            ("gdal_translate -q -ot Float32 " + d + "level1.asc " + d + "level1.tif" + quiet)
                .c_str()) != 0)
        std::printf("\ngdal_translate failed: the GeoTIFF rows below will fail too.\n");

    constexpr int kRuns = 9;
    const auto command = [&d](const std::string& tool, const std::string& input) {
        if (tool == "color-relief")
            return "gdaldem color-relief -q " + d + input + " " + d + "colours.txt " + d +
                   "out-relief.tif";
        return "gdaldem " + tool + " -q " + d + input + " " + d + "out-" + tool + ".tif";
    };
    struct Row {
        const char* what;
        const char* input;
        const char* tool;
        const char* ourName;
    };
    const std::vector<Row> rows{
        {"hillshade, ASCII grid", "level1.asc", "hillshade", "BM_ShadedBackgroundLevel1"},
        {"hillshade, GeoTIFF", "level1.tif", "hillshade", "BM_ShadedBackgroundLevel1"},
        {"color-relief, ASCII grid", "level1.asc", "color-relief", "BM_BandColourBackground"},
        {"color-relief, GeoTIFF", "level1.tif", "color-relief", "BM_BandColourBackground"},
    };
    std::printf(
        "\ngdaldem on the level-1 grid (601 x 601 cells, median of %d runs, milliseconds).\n"
        "start-up = the same command on a 3 x 3 grid; work = total - start-up.\n",
        kRuns);
    std::printf("%-26s %8s %9s %8s %8s %14s %14s\n", "", "total", "start-up", "work", "ours",
                "ours/total", "ours/work");
    for (const Row& row : rows) {
        const double total = timeCommand(command(row.tool, row.input) + quiet, kRuns);
        const double startup = timeCommand(command(row.tool, "tiny.asc") + quiet, kRuns);
        if (total < 0 || startup < 0) {
            std::printf("%-26s failed: %s\n", row.what, command(row.tool, row.input).c_str());
            continue;
        }
        const double work = std::max(total - startup, 0.001);
        const auto it = ours.find(row.ourName);
        const double mine = it == ours.end() ? 0.0 : it->second;
        std::printf("%-26s %8.1f %9.1f %8.1f %8.2f %14.3f %14.3f\n", row.what, total, startup, work,
                    mine, mine / total, mine / work);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // the contour progress strip draws text
    // --no-gdal: our figures only.
    bool gdal = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--no-gdal")
            gdal = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (gdal) compareWithGdal(collector.ms);
    return 0;
}
