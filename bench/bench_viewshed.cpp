// The visible-area map of the sample block's level 1 (601 × 601 cells around 幌尻岳) from the
// summit and from a valley, over the curved earth with refraction 0.13; and from which points
// of a route the summit is seen, over the block laid out as a sight terrain.
//
// With --write DIR it writes what the peer needs (scripts/bench-viewshed.sh runs it): the level
// as an ESRI ASCII grid with the cells' true sizes (level1.asc), the observers in the grid's
// metres (observers.txt: name x y eye-height), and our maps (orvane-NAME.asc, 255 seen, 0 not).
// With --compare DIR it reads gdal_viewshed's maps (gdal-NAME.asc) and prints the share of
// cells on which each of the two agrees with the other and with the exact sight lines.
#include "geo/DatumShift.h"
#include "geo/ElevationGrid.h"
#include "map/MapGeometry.h"
#include "panorama/Viewshed.h"

#include "BenchSample.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace orv;
using namespace orv::panorama;
using namespace orv::bench;
namespace fs = std::filesystem;

// Level 1's cells are 1.5″ × 2.25″; the block lies at 42°43′ N.
constexpr double kRowMetres = 1.5 * 30.866;
constexpr double kColumnMetres = 2.25 * 30.922 * 0.73456;
constexpr double kEye = 1.6;
constexpr SightOptions kOptions{kDefaultRefraction, true};

struct Observer {
    const char* name;
    int row, column;
};

struct Sample {
    std::unique_ptr<AppState> state = loadSample();
    LevelTerrain level{state->elevationGrid.data() + ElevationGrid::index(0, 0, 1), ElevationGrid::kRows,
                       ElevationGrid::kColumns, kRowMetres, kColumnMetres};

    float height(int row, int column) const { return state->elevationGrid.get(row, column, 1); }

    // The summit (the block's highest cell) and a valley (the lowest cell of the centre mesh).
    std::vector<Observer> observers() const {
        Observer top{"summit", 0, 0}, bottom{"valley", 200, 200};
        for (int r = 0; r < ElevationGrid::kRows; ++r)
            for (int c = 0; c < ElevationGrid::kColumns; ++c) {
                if (height(r, c) > height(top.row, top.column)) top = {"summit", r, c};
                const bool centre = r >= 200 && r <= 400 && c >= 200 && c <= 400;
                if (centre && height(r, c) != ElevationGrid::kNoData && height(r, c) < height(bottom.row, bottom.column))
                    bottom = {"valley", r, c};
            }
        return {top, bottom};
    }
};

const Sample& sample() {
    static const Sample s;
    return s;
}

void BM_VisibleCells(benchmark::State& state, int which) {
    const Observer o = sample().observers()[static_cast<size_t>(which)];
    for (auto _ : state) {
        auto cells = visibleCells(sample().level, o.row, o.column, kEye, kOptions);
        benchmark::DoNotOptimize(cells.data());
    }
}
BENCHMARK_CAPTURE(BM_VisibleCells, summit, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_VisibleCells, valley, 1)->Unit(benchmark::kMillisecond);

// From where along a route of 300 points is the summit seen: the block as a zoom-13 layer (a
// pixel of 14 m, samples 7 m apart), the route 5 to 15 km from the summit.
void BM_TargetVisibleFromRoute(benchmark::State& state) {
    Result<DatumShift> shift = DatumShift::create(ModernDatum::Jgd2011);
    SightTerrain terrain;
    if (!shift || !terrain.addBlock(sample().state->elevationGrid, levelBounds(sample().state->levelCorners, 1), *shift)) {
        state.SkipWithError("the block could not be laid out");
        return;
    }
    const Observer top = sample().observers()[0];
    const LevelBounds block = levelBounds(sample().state->levelCorners, 1);
    const auto at = [&](double row, double column) {
        return shift->fromTokyo((block.north - row * latitudeStep(block)) / 3600.0,
                                (block.west + column * longitudeStep(block)) / 3600.0);
    };
    const LatLon summit = at(top.row, top.column);
    std::vector<LatLon> route;
    for (int n = 0; n < 300; ++n) route.push_back(at(100.0 + n * 0.5, 50.0 + n * 0.2));
    const double height = sample().height(top.row, top.column);
    size_t seen = 0;
    for (auto _ : state) {
        const std::vector<bool> from = targetVisibleFrom(terrain, route, kEye, summit, height, kOptions);
        seen = static_cast<size_t>(std::count(from.begin(), from.end(), true));
    }
    state.SetLabel("seen from " + std::to_string(seen) + " of " + std::to_string(route.size()));
}
BENCHMARK(BM_TargetVisibleFromRoute)->Unit(benchmark::kMillisecond);

// ---- the files of the comparison with gdal_viewshed ----

void writeGrid(const fs::path& path, const std::vector<float>& values) {
    std::ofstream out(path);
    out << "ncols 601\nnrows 601\nxllcorner 0\nyllcorner 0\ndx " << kColumnMetres << "\ndy " << kRowMetres
        << "\nNODATA_value -999.9\n";
    for (int r = 0; r < ElevationGrid::kRows; ++r) {
        for (int c = 0; c < ElevationGrid::kColumns; ++c)
            out << (c == 0 ? "" : " ") << values[static_cast<size_t>(r * ElevationGrid::kColumns + c)];
        out << '\n';
    }
}

std::vector<float> mask(const std::vector<CellSight>& sight) {
    std::vector<float> values;
    for (const CellSight s : sight) values.push_back(s == CellSight::Visible ? 255.0f : s == CellSight::Hidden ? 0.0f : -999.9f);
    return values;
}

int writeFiles(const fs::path& dir) {
    fs::create_directories(dir);
    const Sample& s = sample();
    writeGrid(dir / "level1.asc", std::vector<float>(s.level.heights, s.level.heights + 601 * 601));
    std::ofstream observers(dir / "observers.txt");
    for (const Observer& o : s.observers()) {
        // The centre of the observer's cell, in metres from the grid's south-west corner.
        observers << o.name << ' ' << (o.column + 0.5) * kColumnMetres << ' '
                  << (ElevationGrid::kRows - o.row - 0.5) * kRowMetres << ' ' << kEye << '\n';
        writeGrid(dir / ("orvane-" + std::string(o.name) + ".asc"),
                  mask(visibleCells(s.level, o.row, o.column, kEye, kOptions)));
    }
    return 0;
}

// An ESRI ASCII grid of 601 × 601 cells as 255 (seen), 0 (not) or anything else (no answer).
std::vector<int> readMask(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    std::vector<int> cells;
    while (std::getline(in, line)) {
        if (line.empty() || std::isalpha(static_cast<unsigned char>(line[0]))) continue;
        std::istringstream values(line);
        double v = 0;
        while (values >> v) cells.push_back(v == 255 ? 1 : v == 0 ? 0 : -1);
    }
    return cells;
}

int compare(const fs::path& dir) {
    const Sample& s = sample();
    std::printf("Agreement on the 601 x 601 cells of level 1 (share of equal cells):\n");
    std::printf("%-8s %8s %14s %14s %14s\n", "observer", "seen", "ours~gdal", "ours~exact", "gdal~exact");
    for (const Observer& o : s.observers()) {
        const std::vector<CellSight> ours = visibleCells(s.level, o.row, o.column, kEye, kOptions);
        const std::vector<CellSight> exact = visibleCellsAlongSightLines(s.level, o.row, o.column, kEye, kOptions);
        const std::vector<int> gdal = readMask(dir / ("gdal-" + std::string(o.name) + ".asc"));
        if (gdal.size() != ours.size()) {
            std::printf("%-8s gdal's map has %zu cells, not %zu\n", o.name, gdal.size(), ours.size());
            continue;
        }
        const auto code = [](CellSight c) { return c == CellSight::Visible ? 1 : c == CellSight::Hidden ? 0 : -1; };
        int seen = 0, oursGdal = 0, oursExact = 0, gdalExact = 0;
        for (size_t n = 0; n < ours.size(); ++n) {
            seen += exact[n] == CellSight::Visible ? 1 : 0;
            oursGdal += code(ours[n]) == gdal[n] ? 1 : 0;
            oursExact += ours[n] == exact[n] ? 1 : 0;
            gdalExact += gdal[n] == code(exact[n]) ? 1 : 0;
        }
        const double all = static_cast<double>(ours.size()) / 100.0;
        std::printf("%-8s %7.1f%% %13.2f%% %13.2f%% %13.2f%%\n", o.name, seen / all, oursGdal / all, oursExact / all,
                    gdalExact / all);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) return writeFiles(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--compare") == 0) return compare(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
