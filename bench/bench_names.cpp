// The mountain-name file at its largest: loading a 10000-line CP932 file, and the search that
// lists every mountain of all Japan.
#include "core/Cp932.h"
#include "core/TextFile.h"
#include "names/MountainFile.h"
#include "names/MountainSearch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace orv;
namespace fs = std::filesystem;

constexpr int kLines = 10000;

// A mountain-name file of kLines records spread over Japan, written in a fresh temporary folder.
class GeneratedFile {
public:
    GeneratedFile() {
        std::string pattern = (fs::temp_directory_path() / "orvane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        folder_ = pattern;
        path_ = folder_ / "japan.ndb";
        const char* names[] = {"北岳", "間ノ岳", "奥穂高岳", "槍ヶ岳", "赤石岳", "幌尻岳", "ﾎﾟﾛｼﾘ"};
        const char* readings[] = {"きただけ", "あいのだけ", "おくほたかだけ", "やりがたけ",
                                  "あかいしだけ", "ぽろしりだけ", "ぽろしり"};
        std::string utf8;
        unsigned seed = 12345;
        for (int i = 0; i < kLines; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int degLat = 31 + static_cast<int>(seed % 14);
            const int degLon = 129 + static_cast<int>((seed >> 8) % 19);
            const int min = static_cast<int>((seed >> 16) % 60);
            const int sec = static_cast<int>((seed >> 22) % 60);
            char position[64];
            std::snprintf(position, sizeof position, "%d.%02d%02d %d.%02d%02d", degLat, min, sec,
                          degLon, sec, min);
            const size_t k = static_cast<size_t>(i) % 7;
            utf8 += std::string(names[k]) + std::to_string(i) + " " + position + " " +
                    std::to_string(500 + i % 2500) + " " + readings[k] + " A\r\n";
        }
        if (writeBytesAtomic(path_, utf8ToCp932(utf8).text) != FileError::None) std::abort();
    }
    ~GeneratedFile() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path folder_;
    fs::path path_;
};

const GeneratedFile& generated() {
    static const GeneratedFile file;
    return file;
}

void BM_LoadMountainFile(benchmark::State& bm) {
    auto state = makeAppState();
    const fs::path& path = generated().path();
    for (auto _ : bm) {
        Result<MountainFileData> read = readMountainFile(path, state->japanBounds);
        if (!read.ok() || read->records.size() != static_cast<size_t>(kLines)) bm.SkipWithError("file not read");
        else putMountainTable(*state, std::move(read->records));
        benchmark::DoNotOptimize(state->mountainCount);
    }
}
BENCHMARK(BM_LoadMountainFile)->Unit(benchmark::kMillisecond);

void BM_SearchAllJapan(benchmark::State& bm) {
    auto state = makeAppState();
    Result<MountainFileData> read = readMountainFile(generated().path(), state->japanBounds);
    if (!read.ok()) bm.SkipWithError("file not read");
    else putMountainTable(*state, std::move(read->records));
    const OverviewRange noRange{"0", "0", "0", "0"};
    for (auto _ : bm) {
        const MountainSearchResult result = searchMountains(*state, "", SearchArea::AllJapan, noRange);
        if (result.rows.size() != static_cast<size_t>(kLines)) bm.SkipWithError("not all found");
        benchmark::DoNotOptimize(result.rows.data());
    }
}
BENCHMARK(BM_SearchAllJapan)->Unit(benchmark::kMillisecond);

// The bundled file of Japan's main peaks, as the plan start reads it for a new user, and the
// destination search for one of them from an overview that does not show it.
const fs::path kBundledPeaks = fs::path(ORVANE_ASSETS) / "sample" / "japan.ndb";

void BM_LoadBundledPeaks(benchmark::State& bm) {
    auto state = makeAppState();
    for (auto _ : bm) {
        Result<MountainFileData> read = readMountainFile(kBundledPeaks, state->japanBounds);
        if (!read.ok() || read->records.empty()) bm.SkipWithError("file not read");
        else putMountainTable(*state, std::move(read->records));
        benchmark::DoNotOptimize(state->mountainCount);
    }
}
BENCHMARK(BM_LoadBundledPeaks)->Unit(benchmark::kMillisecond);

void BM_SearchBundledPeaks(benchmark::State& bm) {
    auto state = makeAppState();
    Result<MountainFileData> read = readMountainFile(kBundledPeaks, state->japanBounds);
    if (!read.ok()) bm.SkipWithError("file not read");
    else putMountainTable(*state, std::move(read->records));
    const OverviewRange kyushu{"31.0", "34.0", " 129.0", " 132.0"};
    for (auto _ : bm) {
        const DestinationSearch search = searchDestinationMountains(*state, "槍ヶ岳", SearchArea::DisplayedRange, kyushu);
        if (search.result.rows.size() != 2) bm.SkipWithError("not found");
        benchmark::DoNotOptimize(search.result.rows.data());
    }
}
BENCHMARK(BM_SearchBundledPeaks)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
