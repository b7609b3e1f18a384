// Importing a day's phone log: a GPX file of 20 000 track points with elevations and times,
// read, thinned to the route table's 2048 points and brought from WGS 84 onto the Tokyo datum;
// and the other way, a full route exported as GPX. The datum shift is made once, outside the
// loop, as an import makes it once for all its points.
#include "core/TextFile.h"
#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "gps/GpxTrack.h"
#include "gps/TrackDatum.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace orv;

// A GPX 1.1 log of `points` track points a second apart in a temporary file, removed at exit.
class LogFile {
public:
    explicit LogFile(int points) {
        path_ = std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(::getpid()) + ".gpx");
        std::ofstream out(path_, std::ios::binary);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<gpx version=\"1.1\" creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
               " <trk><name>log</name><trkseg>\n";
        for (int i = 0; i < points; ++i) {
            char line[200];
            std::snprintf(line, sizeof line,
                          "  <trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele><time>%s</time></trkpt>\n",
                          42.70 + i * 2e-6, 142.60 + i * 3e-6, 800.0 + (i % 1500) * 0.5,
                          gpxTimeText(1714867170 + i).c_str());
            out << line;
        }
        out << " </trkseg></trk>\n</gpx>\n";
    }
    ~LogFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void BM_ImportGpxLog20000(benchmark::State& bm) {
    const LogFile file(20000);
    const auto shift = DatumShift::create(ModernDatum::Wgs84);
    if (!shift) {
        bm.SkipWithError(shift.problem().detail.c_str());
        return;
    }
    for (auto _ : bm) {
        Result<GpsTrack> track = readGpxTrack(file.path(), {});
        if (!track || !moveTrackToTokyo(*track, *shift)) bm.SkipWithError("import failed");
        benchmark::DoNotOptimize(track);
    }
}
BENCHMARK(BM_ImportGpxLog20000)->Unit(benchmark::kMillisecond);

// The reading alone, from the bytes in memory; "pointKB" is the memory the document's point
// vectors hold (their capacity), against the 20 000 points' own.
void BM_ReadGpxLog20000(benchmark::State& bm) {
    const LogFile file(20000);
    std::string bytes;
    if (readBytes(file.path(), bytes) != FileError::None) {
        bm.SkipWithError("the log was not written");
        return;
    }
    size_t held = 0;
    for (auto _ : bm) {
        Result<GpxDocument> document = readGpx(bytes);
        if (!document) {
            bm.SkipWithError("the log did not read");
            break;
        }
        held = 0;
        for (const GpxTrack& track : document->tracks)
            for (const auto& segment : track.segments) held += segment.capacity() * sizeof(GpxPoint);
        benchmark::DoNotOptimize(document);
    }
    bm.counters["pointKB"] = static_cast<double>(held) / 1024.0;
    bm.counters["neededKB"] = 20000.0 * sizeof(GpxPoint) / 1024.0;
}
BENCHMARK(BM_ReadGpxLog20000)->Unit(benchmark::kMillisecond);

void BM_ExportGpxRoute2048(benchmark::State& bm) {
    const auto shift = DatumShift::create(ModernDatum::Wgs84);
    if (!shift) {
        bm.SkipWithError(shift.problem().detail.c_str());
        return;
    }
    std::vector<RoutePoint> route(kMaxRoutePoints);
    for (size_t i = 0; i < route.size(); ++i) {
        route[i].latitude = degreesToDmsText(42.7 + static_cast<double>(i) * 1e-5, 2);
        route[i].longitude = degreesToDmsText(142.6 + static_cast<double>(i) * 1e-5, 2);
        route[i].elevation = 1000.0f;
        route[i].dateText = "05/04/24";
        route[i].timeText = "08:00:00";
    }
    for (auto _ : bm) {
        const auto document = routeGpx("bench", route, {}, *shift);
        benchmark::DoNotOptimize(gpxBytes(*document));
    }
}
BENCHMARK(BM_ExportGpxRoute2048)->Unit(benchmark::kMillisecond);

// Making the shift: PROJ looks the transformation up in its database.
void BM_MakeDatumShift(benchmark::State& bm) {
    for (auto _ : bm) benchmark::DoNotOptimize(DatumShift::create(ModernDatum::Wgs84));
}
BENCHMARK(BM_MakeDatumShift)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
