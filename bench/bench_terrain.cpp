// Elevation data from today's survey products: reading a DEM10B mesh file (1125 × 750 points,
// the real shape, synthetic heights), and building the nine ".MEM" files of a block from nine
// DEM10B files and from the 900 DEM5A files of the same area (read, resample, write).
#include "terrain/DemBuild.h"
#include "terrain/GmlDem.h"

#include "../tests/terrain/SyntheticDem.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace orv::terrain;

// Hills of a few hundred metres, heights with two decimals like the survey's files.
double hills(double lat, double lon) {
    return 900.0 + 400.0 * std::sin(lat * 3600.0 / 90.0) * std::cos(lon * 3600.0 / 70.0) + 0.37 * (lat * 3600.0 - 153720.0);
}

const std::string& dem10bDocument() {
    static const std::string doc = test::gmlDocument(test::secondaryMeshShape(64, 42, 0, 5), hills);
    return doc;
}

void BM_ReadDem10bMeshFile(benchmark::State& state) {
    const std::string& doc = dem10bDocument();
    constexpr size_t kPiece = 1 << 18;
    for (auto _ : state) {
        GmlDemParser parser("FG-GML-6442-05-DEM10B-20161001.xml");
        for (size_t at = 0; at < doc.size(); at += kPiece) parser.feed(std::string_view(doc).substr(at, kPiece));
        auto grid = parser.finish();
        if (!grid.ok() || !grid->has_value()) state.SkipWithError("the document did not read");
        benchmark::DoNotOptimize(grid);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
    state.counters["MB"] = static_cast<double>(doc.size()) / 1e6;
}
BENCHMARK(BM_ReadDem10bMeshFile)->Unit(benchmark::kMillisecond);

// A small DEM whose header carries comments of 64-byte lines: `comment` bytes each, `comments`
// of them, fed in the pieces a file is read in. The time should follow the document's size
// whatever the comments' length.
std::string commentedDocument(size_t comment, size_t comments) {
    test::DemShape shape = test::secondaryMeshShape(64, 42, 0, 5);
    shape.columns = 12;
    shape.rows = 6;
    std::string doc = test::gmlDocument(shape, hills);
    std::string line(63, 'x');
    line += '\n';
    std::string block = "<!--\n";
    while (block.size() + line.size() <= comment) block += line;
    block += "-->\n";
    std::string all;
    for (size_t i = 0; i < comments; ++i) all += block;
    doc.insert(doc.find("<DEM "), all);
    return doc;
}

void readCommented(benchmark::State& state, size_t comment, size_t comments) {
    const std::string doc = commentedDocument(comment, comments);
    constexpr size_t kPiece = 1 << 18;
    for (auto _ : state) {
        GmlDemParser parser("FG-GML-6442-05-DEM10B-20161001.xml");
        for (size_t at = 0; at < doc.size(); at += kPiece)
            if (!parser.feed(std::string_view(doc).substr(at, kPiece))) break;
        auto grid = parser.finish();
        if (!grid.ok() || !grid->has_value()) state.SkipWithError("the document did not read");
        benchmark::DoNotOptimize(grid);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
    state.counters["MB"] = static_cast<double>(doc.size()) / 1e6;
}

// One comment of 64 KB to 1 MB.
void BM_ReadDemWithOneLongComment(benchmark::State& state) {
    readCommented(state, static_cast<size_t>(state.range(0)), 1);
}
BENCHMARK(BM_ReadDemWithOneLongComment)->Unit(benchmark::kMillisecond)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20);

// Comments of 1 MB, 1 to 16 of them.
void BM_ReadDemWithLongComments(benchmark::State& state) {
    readCommented(state, 1 << 20, static_cast<size_t>(state.range(0)));
}
BENCHMARK(BM_ReadDemWithLongComments)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(4)->Arg(16);

// The JGD2011 meshes of the 3 × 3 block around 644205 as the survey's files, written once.
std::vector<std::string> sourceFiles(bool fiveMetre) {
    const fs::path folder = fs::temp_directory_path() / (fiveMetre ? "orvane-bench-dem5a" : "orvane-bench-dem10b");
    std::vector<std::string> files;
    for (int r : {0, 1, 2})
        for (int c : {4, 5, 6}) {
            const int pp = r == 0 ? 63 : 64, rr = r == 0 ? 7 : r - 1;
            const std::string mesh = std::to_string(pp) + "42-" + std::to_string(rr) + std::to_string(c);
            const int parts = fiveMetre ? 10 : 1;
            for (int tr = 0; tr < parts; ++tr)
                for (int tc = 0; tc < parts; ++tc) {
                    test::DemShape shape = test::secondaryMeshShape(pp, 42, rr, c, fiveMetre ? 0.2 : 0.4);
                    std::string name = "FG-GML-" + mesh;
                    if (fiveMetre) {
                        shape.south += tr * 30.0 / 3600.0;
                        shape.west += tc * 45.0 / 3600.0;
                        shape.columns = 225;
                        shape.rows = 150;
                        name += "-" + std::to_string(tr) + std::to_string(tc) + "-DEM5A-20161001.xml";
                    } else {
                        name += "-DEM10B-20161001.xml";
                    }
                    const fs::path path = folder / name;
                    if (!fs::exists(path)) {
                        fs::create_directories(folder);
                        std::ofstream(path, std::ios::binary) << test::gmlDocument(shape, hills);
                    }
                    files.push_back(path.string());
                }
        }
    return files;
}

void buildBlock(benchmark::State& state, bool fiveMetre) {
    DemBuildRequest request;
    request.centre = "644205";
    request.gmlFiles = sourceFiles(fiveMetre);
    request.outFolder = fs::temp_directory_path() / "orvane-bench-dem-out";
    DemBuildHooks hooks;
    hooks.replaceExisting = [](const std::vector<fs::path>&) { return true; };
    uintmax_t bytes = 0;
    for (const auto& f : request.gmlFiles) bytes += fs::file_size(f);
    for (auto _ : state) {
        auto report = buildDemBlock(request, hooks);
        if (!report.ok() || report->meshesWritten() != 9 || !report->problems.empty())
            state.SkipWithError("the block was not built");
        benchmark::DoNotOptimize(report);
    }
    state.counters["files"] = static_cast<double>(request.gmlFiles.size());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_BuildBlockFromNineDem10b(benchmark::State& state) { buildBlock(state, false); }
void BM_BuildBlockFromDem5a(benchmark::State& state) { buildBlock(state, true); }
BENCHMARK(BM_BuildBlockFromNineDem10b)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BuildBlockFromDem5a)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The generated sources take over 600 MB: they do not stay behind.
    std::error_code ec;
    for (const char* folder : {"orvane-bench-dem5a", "orvane-bench-dem10b", "orvane-bench-dem-out"})
        fs::remove_all(fs::temp_directory_path() / folder, ec);
    return 0;
}
