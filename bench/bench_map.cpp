// Drawing the route map of the sample block: the colour background (the pixel work alone and
// the whole progressive painting), a deeper level after a zoom, contours at 100 m, the zoom
// resampling, and writing the map as a PNG or BMP file. Afterwards the figures are printed against their targets, and the level-1
// grid is written as an ESRI ASCII grid and a GeoTIFF for the peer: gdaldem hillshade and
// color-relief together, the pictures a GDAL user makes for the same map.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "map/Background.h"
#include "map/Contours.h"
#include "map/MapView.h"

#include "BenchSample.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace orv;
using namespace orv::bench;
namespace fs = std::filesystem;


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

// The same on the four-cell path, for the gain of the wider one.
void BM_ShadedBackgroundLevel1FourCells(benchmark::State& bm) {
    Map m;
    const ColourSet working = makeWorkingColours(*m.state);
    for (auto _ : bm) {
        paintBackgroundRows(m.state->elevationGrid, 1, working, shadeDivisor(ShadedColour, 1),
                            m.pictures.buffer, 0, kMapSize - 1, PixelPath::FourCells);
        benchmark::DoNotOptimize(m.pictures.buffer.image().constBits());
    }
}
BENCHMARK(BM_ShadedBackgroundLevel1FourCells)->Unit(benchmark::kMillisecond);

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

// The whole progressive painting: events every 5 rows, the visible picture shown 120 times
// (the first time whole, then the rows just painted).
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

// Writing the map picture as a file, as "ﾌｧｲﾙにｺﾋﾟｰ" and orvane-cli render do: the shaded
// background with contours at 100 m. PNG at the level the program writes, beside other levels
// and BMP; each reports the file's size in bytes.
DrawingSurface renderedMap() {
    Map m;
    drawColourBackground(m.ctx, shadeDivisor(ShadedColour, 1));
    m.state->contourInterval = 100;
    drawContours(m.ctx);
    DrawingSurface picture(1, 1);
    picture.setImage(m.pictures.map.image());
    return picture;
}

void savedPicture(benchmark::State& bm, const std::function<QByteArray(const DrawingSurface&)>& encode) {
    const DrawingSurface map = renderedMap();
    qsizetype size = 0;
    for (auto _ : bm) size = encode(map).size();
    bm.counters["bytes"] = static_cast<double>(size);
}

QByteArray fileBytes(const DrawingSurface& map, PictureFormat format) {
    const fs::path file = fs::temp_directory_path() / (format == PictureFormat::Png ? "orvane-bench-map.png" : "orvane-bench-map.bmp");
    map.savePicture(file, format);
    std::string bytes;
    readBytes(file, bytes);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void BM_SaveMapPng(benchmark::State& bm) {
    savedPicture(bm, [](const DrawingSurface& map) { return fileBytes(map, PictureFormat::Png); });
}
BENCHMARK(BM_SaveMapPng)->Unit(benchmark::kMillisecond);

// Qt's default level (what the program wrote before) and zlib levels 1 to 3, written through
// the same file write as the program's save.
void BM_SaveMapPngQtDefaultLevel(benchmark::State& bm) {
    savedPicture(bm, [](const DrawingSurface& map) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        map.image().save(&buffer, "PNG");
        const fs::path file = fs::temp_directory_path() / "orvane-bench-map-qt.png";
        writeBytesAtomic(file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        std::string back;
        readBytes(file, back);
        return QByteArray(back.data(), static_cast<qsizetype>(back.size()));
    });
}
BENCHMARK(BM_SaveMapPngQtDefaultLevel)->Unit(benchmark::kMillisecond);

// The encoding alone at zlib levels 1, 2, 3 and 6 (Qt's quality 89, 79, 69, 39).
void BM_EncodeMapPngLevel(benchmark::State& bm) {
    const int level = static_cast<int>(bm.range(0));
    savedPicture(bm, [level](const DrawingSurface& map) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        map.image().save(&buffer, "PNG", 100 - (level * 91 + 8) / 9);
        return bytes;
    });
}
BENCHMARK(BM_EncodeMapPngLevel)->Arg(1)->Arg(2)->Arg(3)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_SaveMapBmp(benchmark::State& bm) {
    savedPicture(bm, [](const DrawingSurface& map) { return fileBytes(map, PictureFormat::Bmp); });
}
BENCHMARK(BM_SaveMapBmp)->Unit(benchmark::kMillisecond);

// Keeps the real and the CPU time of every benchmark (milliseconds) for the comparisons: the
// median when it is run repeatedly (--benchmark_repetitions), else its one run. On a busy
// machine the CPU time is the steadier figure.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            ms[run.run_name.function_name] = run.GetAdjustedRealTime();
            cpuMs[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> ms;
    std::map<std::string, double> cpuMs;
};

// ---- gdaldem comparison ----

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

// Median wall time of a shell command in milliseconds over `runs` runs (after one warm-up run);
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
    return times[times.size() / 2];
}

// The peer of the shaded background is what a user of GDAL runs for the same picture:
// gdaldem hillshade and gdaldem color-relief on the same grid, one after the other, timed
// together as whole commands (start-up included: a user waits for it as well). Every input
// writes pictures of its own, kept with ours for inspection.
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
        MapPictures pictures;
        const ColourSet working = makeWorkingColours(*state);
        paintBackgroundRows(state->elevationGrid, 1, working, shadeDivisor(ShadedColour, 1),
                            pictures.buffer, 0, kMapSize - 1);
        pictures.buffer.savePicture(dir / "orvane-shaded.png", PictureFormat::Png);
    }
    const std::string d = dir.string() + "/";
    const std::string quiet = " >/dev/null 2>&1";
    // The same grid in binary float32, so that reading the text is not all that is measured.
    if (std::system(
            ("gdal_translate -q -ot Float32 " + d + "level1.asc " + d + "level1.tif" + quiet)
                .c_str()) != 0)
        std::printf("\ngdal_translate failed: the GeoTIFF row below will fail too.\n");

    constexpr int kRuns = 9;
    const auto peer = [&d](const std::string& input, const std::string& name) {
        return "gdaldem hillshade -q -of PNG " + d + input + " " + d + name + "-hillshade.png && " +
               "gdaldem color-relief -q -of PNG " + d + input + " " + d + "colours.txt " + d + name +
               "-relief.png";
    };
    const auto it = ours.find("BM_ShadedBackgroundLevel1");
    const double mine = it == ours.end() ? 0.0 : it->second;
    std::printf("\nPeer: gdaldem hillshade + color-relief on the level-1 grid (601 x 601 cells), "
                "median of %d runs, ms;\nours: the shaded background (colours and shading in "
                "one pass), %.3f ms.\n", kRuns, mine);
    std::printf("%-12s %10s %10s\n", "input", "gdaldem", "gdaldem/ours");
    for (const auto& [input, name] : {std::pair{"level1.asc", "gdal-asc"}, std::pair{"level1.tif", "gdal-tif"}}) {
        const double total = timeCommand("(" + peer(input, name) + ")" + quiet, kRuns);
        if (total < 0) {
            std::printf("%-12s failed: %s\n", input, peer(input, name).c_str());
            continue;
        }
        std::printf("%-12s %10.1f %10.0fx\n", input, total, mine > 0 ? total / mine : 0.0);
    }
    std::printf("pictures kept in %s (orvane-shaded.png, gdal-*-hillshade.png, gdal-*-relief.png)\n",
                dir.c_str());
}

// The figures against the targets of the map drawing, in real and in CPU time.
void printTargets(const Collector& collector) {
    std::printf("\nTargets (real ms / CPU ms)\n");
    for (const auto* times : {&collector.ms, &collector.cpuMs}) {
        const auto ms = [times](const char* name) {
            const auto it = times->find(name);
            return it == times->end() ? -1.0 : it->second;
        };
        const char* kind = times == &collector.ms ? "real" : "CPU ";
        const double display = ms("BM_ColourBackgroundWithDisplay");
        const double pixels = ms("BM_ShadedBackgroundLevel1");
        const double four = ms("BM_ShadedBackgroundLevel1FourCells");
        std::printf("  %s: background with progressive display %.2f ms (target <= 5: %s), %.2f x the pixel work;\n",
                    kind, display, display >= 0 && display <= 5.0 ? "met" : "NOT met",
                    pixels > 0 ? display / pixels : 0.0);
        std::printf("        pixel loop %.3f ms on the %s path, %.3f ms on the four-cell path (%.2f x)\n", pixels,
                    eightCellPixelPath() ? "eight-cell (AVX2)" : "four-cell", four, pixels > 0 ? four / pixels : 0.0);
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
    printTargets(collector);
    if (gdal) compareWithGdal(collector.ms);
    return 0;
}
