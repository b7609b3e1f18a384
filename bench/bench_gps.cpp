// Reading a full PCX track (2048 points, the route table's limit) from disk: the reader alone,
// and with the start menu's progress strip drawn after every line as the start sequence does.
#include "gps/GpsImport.h"
#include "platform/DrawingSurface.h"
#include "platform/Progress.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace orv;

// A PCX track export of `points` track points in a temporary file, removed at exit.
class TrackFile {
public:
    explicit TrackFile(int points) {
        path_ = std::filesystem::temp_directory_path() /
                ("orvane-bench-" + std::to_string(::getpid()) + ".TRK");
        std::ofstream out(path_, std::ios::binary);
        out << "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\n"
               "H  R DATUM                IDX DA            DF            DX            "
               "DY            DZ\r\n"
               "M  G Tokyo                098 +7.398450e+002 +1.003748e-005 -1.280000e+002 "
               "+4.810000e+002 +6.640000e+002\r\n\r\n"
               "H  COORDINATE SYSTEM\r\nU  LAT LON DMS\r\n\r\n"
               "H  LATITUDE    LONGITUDE    DATE      TIME     ALT    ;track\r\n";
        for (int i = 0; i < points; ++i) {
            char line[96];
            const int second = i % 60;
            const int minute = (i / 60) % 60;
            std::snprintf(line, sizeof line,
                          "T  N3545%02d.%d E13945%02d.%d 08-OCT-99 %02d:%02d:%02d %05d\r\n", second,
                          i % 10, minute, i % 7, (i / 3600) % 24, minute, second, 1000 + i % 500);
            out << line;
        }
    }
    ~TrackFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void BM_ReadPcxTrack2048(benchmark::State& bm) {
    const TrackFile file(kMaxRoutePoints);
    const GpsProgress ignore = [](int, const std::string&) {};
    for (auto _ : bm) {
        const auto result = readPcxTrack(file.path(), ignore);
        if (!result.ok() || result->points.size() != static_cast<size_t>(kMaxRoutePoints))
            bm.SkipWithError("track not read");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ReadPcxTrack2048)->Unit(benchmark::kMillisecond);

void BM_ReadPcxTrack2048WithStrip(benchmark::State& bm) {
    const TrackFile file(kMaxRoutePoints);
    DrawingSurface surface(kProgressWidth, kProgressHeight);
    for (auto _ : bm) {
        ProgressStrip strip(surface, kPcxTrackProgressText);
        const auto result =
            readPcxTrack(file.path(), [&strip](int value, const std::string&) { strip.show(value); });
        if (!result.ok()) bm.SkipWithError("track not read");
    }
}
BENCHMARK(BM_ReadPcxTrack2048WithStrip)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // the progress strip draws text
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
