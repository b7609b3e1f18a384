// The panorama's sight lines: 3600 columns (360° at 0.1°) out to 150 km over ridged made-up
// terrain held as the tile layers a panorama gathers (a zoom per ring of distance, fine near,
// coarse far), on one thread and on two; the peaks of a mountain file (1000) placed in it. The
// peer in the same run: reading the same heights at the same points without the sight's work.
// The CPU column of the scan is the whole process's (both threads).
//
// The whole path a user waits for: the same terrain written once as a cache folder of the
// survey's PNG tiles (height in 0.01 m as 2^16·R + 2^8·G + B) for the rings of a 360° sight out
// to 150 km, gathered from the folder (walk, read, decode, lay out) and scanned, together and
// apart; the peer in the same run: the bare PNG decoding of the same tiles' bytes on one thread.
#include "panorama/Geodesy.h"
#include "panorama/PanoramaScan.h"
#include "panorama/TerrainGathering.h"

#include "../tests/panorama/SyntheticTerrain.h"
#include "../tests/panorama/SyntheticTiles.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace orv;
using namespace orv::panorama;

const LatLon kObserver{42.78583, 142.77455};  // a summit among high ridges, far from the sea
constexpr double kReach = 150000.0;
constexpr double kStep = 0.1;

double lattice(int64_t x, int64_t y) {
    uint64_t h = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<double>(h >> 11) / static_cast<double>(1ull << 53);
}

double valueNoise(double x, double y) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<int64_t>(fx), iy = static_cast<int64_t>(fy);
    double sx = x - fx, sy = y - fy;
    sx = sx * sx * (3.0 - 2.0 * sx);
    sy = sy * sy * (3.0 - 2.0 * sy);
    const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * sx;
    const double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Ridged fractal mountains up to about 2000 m, with ridges 10 km apart and detail down to 20 m.
double ridged(LatLon at) {
    const double x = at.longitude * 111320.0 * 0.7340;  // metres east at 42.8° N
    const double y = at.latitude * 110946.0;
    double height = 0.0, amplitude = 1100.0, cell = 12000.0;
    for (int octave = 0; octave < 9; ++octave) {
        const double ridge = 1.0 - std::abs(2.0 * valueNoise(x / cell + octave * 17.0, y / cell) - 1.0);
        height += amplitude * ridge * ridge;
        amplitude *= 0.48;
        cell *= 0.5;
    }
    return std::max(0.0, height - 250.0);
}

// One layer per zoom a sight asks for, each covering the distances it serves, as the tile rings
// of a gathering lay them out.
const SightTerrain& mountains() {
    static const SightTerrain layers = [] {
        SightTerrain t;
        int zoom = zoomForDistance(1.0, kStep, kObserver.latitude);
        for (double d = 1.0;; d *= 1.01) {
            const int next = zoomForDistance(d, kStep, kObserver.latitude);
            if (next != zoom || d > kReach) {
                t.addLayer(synthetic::layerAround(kObserver, std::min(d, kReach) * 1.02 + 1000.0, zoom, ridged));
                zoom = next;
            }
            if (d > kReach) break;
        }
        return t;
    }();
    return layers;
}

ScanOptions panoramaOptions(int threads) {
    ScanOptions options;
    options.maxDistance = kReach;
    options.columnStep = kStep;
    options.threads = threads;
    return options;
}

void BM_Panorama360(benchmark::State& state) {
    const SightTerrain& t = mountains();
    const ScanOptions options = panoramaOptions(static_cast<int>(state.range(0)));
    size_t spans = 0;
    int unknown = 0;
    for (auto _ : state) {
        const PanoramaScan scan = scanPanorama(t, Observer{kObserver, std::nan(""), 1.6}, options);
        spans = 0;
        for (const ScanColumn& column : scan.columns) spans += column.spans.size();
        unknown = scan.unknownColumns;
        benchmark::DoNotOptimize(scan);
    }
    state.counters["columns"] = 3600;
    state.counters["spans/column"] = static_cast<double>(spans) / 3600.0;
    state.counters["unknown"] = unknown;
    state.counters["layers"] = static_cast<double>(t.layers().size());
}
BENCHMARK(BM_Panorama360)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The peer: the heights alone, read at the points and zooms of the same 3600 sight lines
// (positions by the geodesic at every 10 km, in between on the straight line), on one thread.
void BM_HeightsAlone(benchmark::State& state) {
    const SightTerrain& t = mountains();
    const double stepRadians = kStep * std::numbers::pi / 180.0;
    std::vector<double> distances;
    std::vector<int> zooms;
    for (double d = 5.0; d <= kReach; d += std::max(5.0, d * stepRadians)) {
        distances.push_back(d);
        zooms.push_back(zoomForDistance(d, kStep, kObserver.latitude));
    }
    std::vector<WorldPoint> anchors(static_cast<size_t>(kReach / 10000.0) + 2);
    for (auto _ : state) {
        double sum = 0.0;
        for (int c = 0; c < 3600; ++c) {
            for (size_t a = 0; a < anchors.size(); ++a)
                anchors[a] = toWorld(directGeodesic(kObserver, c * kStep, static_cast<double>(a) * 10000.0));
            for (size_t i = 0; i < distances.size(); ++i) {
                const double along = distances[i] / 10000.0;
                const auto a = static_cast<size_t>(along);
                const double f = along - static_cast<double>(a);
                const WorldPoint at{anchors[a].x + (anchors[a + 1].x - anchors[a].x) * f,
                                    anchors[a].y + (anchors[a + 1].y - anchors[a].y) * f};
                sum += t.heightAt(at, zooms[i]);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["samples/column"] = static_cast<double>(distances.size());
}
BENCHMARK(BM_HeightsAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SightPeaks1000(benchmark::State& state) {
    static const PanoramaScan scan = scanPanorama(mountains(), Observer{kObserver, std::nan(""), 1.6}, panoramaOptions(0));
    std::vector<Peak> peaks;
    for (int i = 0; i < 1000; ++i) {
        const double distance = 2000.0 + 148000.0 * std::sqrt(lattice(i, 1));
        const LatLon at = directGeodesic(kObserver, 360.0 * lattice(i, 2), distance);
        peaks.push_back({"山" + std::to_string(i), at, ridged(at) + 30.0});
    }
    size_t visible = 0;
    for (auto _ : state) {
        const std::vector<PeakSight> sights = sightPeaks(scan, peaks);
        visible = static_cast<size_t>(std::count_if(sights.begin(), sights.end(), [](const PeakSight& s) { return s.visible; }));
        benchmark::DoNotOptimize(sights);
    }
    state.counters["visible"] = static_cast<double>(visible);
}
BENCHMARK(BM_SightPeaks1000)->Unit(benchmark::kMillisecond);

// The cache folder of the sight's tiles (written once, removed at the end of the run).
namespace fs = std::filesystem;

SightRequest sightRequest() {
    SightRequest request;
    request.observer = kObserver;
    request.maxDistance = kReach;
    request.columnStep = kStep;
    request.fieldOfView = 360.0;
    return request;
}

struct TileCache {
    fs::path folder;
    std::vector<std::string> pngs;  // every tile's bytes, for the bare decoding
    int64_t bytes = 0;
};

std::string pngTile(terrain::TileId tile) {
    QImage image(terrain::kTilePixels, terrain::kTilePixels, QImage::Format_RGB888);
    for (int row = 0; row < terrain::kTilePixels; ++row) {
        uchar* line = image.scanLine(row);
        for (int column = 0; column < terrain::kTilePixels; ++column) {
            const LatLon at = test::pixelCentre(tile, column, row);
            auto x = static_cast<int32_t>(std::lround(ridged(at) * 100.0));
            if (x < 0) x += 1 << 24;
            line[3 * column] = static_cast<uchar>(x >> 16);
            line[3 * column + 1] = static_cast<uchar>(x >> 8);
            line[3 * column + 2] = static_cast<uchar>(x);
        }
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data.toStdString();
}

TileCache& tileCache() {
    static TileCache cache = [] {
        TileCache c;
        c.folder = fs::temp_directory_path() / ("orvane-bench-tiles-" + std::to_string(::getpid()));
        fs::remove_all(c.folder);
        for (const TileRing& ring : tileRings(sightRequest()))
            for (int x = ring.range.x0; x <= ring.range.x1; ++x)
                for (int y = ring.range.y0; y <= ring.range.y1; ++y) {
                    const terrain::TileId tile{ring.zoom, x, y};
                    const fs::path path = c.folder / test::tilePath(tile, ".png");
                    if (fs::exists(path)) continue;
                    fs::create_directories(path.parent_path());
                    std::string png = pngTile(tile);
                    std::ofstream(path, std::ios::binary) << png;
                    c.bytes += static_cast<int64_t>(png.size());
                    c.pngs.push_back(std::move(png));
                }
        return c;
    }();
    return cache;
}

void countTiles(benchmark::State& state, const GatheredTerrain& got) {
    state.counters["tiles"] = got.tilesRead;
    state.counters["failed"] = got.tilesFailed + got.tilesAbsent;
    state.counters["layers"] = static_cast<double>(got.terrain.layers().size());
}

void BM_GatherFromFolder(benchmark::State& state) {
    const TileCache& cache = tileCache();
    GatheredTerrain got;
    for (auto _ : state) {
        got = gatherFromFolder(cache.folder, sightRequest());
        benchmark::DoNotOptimize(got);
    }
    countTiles(state, got);
    state.counters["MB"] = static_cast<double>(cache.bytes) / 1e6;
}
BENCHMARK(BM_GatherFromFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// What the user waits for: the tiles gathered from the cache folder and the sight lines scanned.
void BM_GatherAndScan360(benchmark::State& state) {
    const TileCache& cache = tileCache();
    GatheredTerrain got;
    for (auto _ : state) {
        got = gatherFromFolder(cache.folder, sightRequest());
        const PanoramaScan scan = scanPanorama(got.terrain, Observer{kObserver, std::nan(""), 1.6}, panoramaOptions(0));
        benchmark::DoNotOptimize(scan);
    }
    countTiles(state, got);
}
BENCHMARK(BM_GatherAndScan360)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The scan alone over the gathered tiles.
void BM_ScanGathered360(benchmark::State& state) {
    const GatheredTerrain got = gatherFromFolder(tileCache().folder, sightRequest());
    for (auto _ : state) {
        const PanoramaScan scan = scanPanorama(got.terrain, Observer{kObserver, std::nan(""), 1.6}, panoramaOptions(0));
        benchmark::DoNotOptimize(scan);
    }
    countTiles(state, got);
}
BENCHMARK(BM_ScanGathered360)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// The peer: Qt's PNG decoding of the same tiles' bytes, on one thread, nothing else.
void BM_PngDecodeAlone(benchmark::State& state) {
    const TileCache& cache = tileCache();
    for (auto _ : state) {
        int64_t sum = 0;
        for (const std::string& png : cache.pngs) {
            const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
            sum += image.pixel(0, 0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["tiles"] = static_cast<double>(cache.pngs.size());
}
BENCHMARK(BM_PngDecodeAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

// Qt's image readers are used once an application exists, as in the program.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(fs::temp_directory_path() / ("orvane-bench-tiles-" + std::to_string(::getpid())), ec);
    return 0;
}
