#include "terrain/DemBuild.h"

#include "core/StagedFiles.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "terrain/GmlSources.h"
#include "terrain/MemWriter.h"
#include "terrain/Resampler.h"

#include <algorithm>
#include <system_error>

namespace orv::terrain {

namespace fs = std::filesystem;

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kReadingSteps = 700;  // reading and downloading take most of the time

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += (text.empty() ? "" : ",") + n;
    return text;
}

}  // namespace

int DemBuildReport::meshesWritten() const {
    return static_cast<int>(std::count_if(meshes.begin(), meshes.end(), [](const MeshResult& m) { return m.written; }));
}
int DemBuildReport::cellsWritten() const { return meshesWritten() * kMeshSide * kMeshSide; }
int DemBuildReport::cellsWithData() const {
    int n = 0;
    for (const auto& m : meshes)
        if (m.written) n += m.cellsWithData;
    return n;
}
int DemBuildReport::cellsCoarse() const {
    int n = 0;
    for (const auto& m : meshes)
        if (m.written) n += m.cellsCoarse;
    return n;
}

LoadedSources readDemSources(const DemBuildRequest& request, const GeoBox& wanted, const ProgressHook& progress) {
    switch (request.kind) {
    case DemSourceKind::Gml:
        return readGmlSources(request.gmlFiles, wanted, progress);
    case DemSourceKind::TileFolder:
        return readTileFolder(request.tileFolder, wanted, progress);
    case DemSourceKind::Download:
        return downloadTiles(wanted, request.download, progress);
    }
    return {};
}

Result<DemBuildReport> buildDemBlock(const DemBuildRequest& request, const DemBuildHooks& hooks) {
    if (!isValidMeshCode(request.centre))
        return Problem{ProblemKind::BadValue, 0, "メッシュコード「" + request.centre + "」は6桁の2次メッシュコードではありません"};
    auto datum = DatumShift::create(ModernDatum::Jgd2011);
    if (!datum) return datum.problem();

    DemBuildReport report;
    const auto codes = meshNeighbours(request.centre);
    std::vector<fs::path> existing;
    for (size_t slot = 1; slot <= 9; ++slot) {
        MeshResult& mesh = report.meshes[slot - 1];
        mesh.code = codes[slot];
        mesh.path = meshFilePath(request.outFolder, mesh.code, false);
        std::error_code ec;
        if (fs::exists(mesh.path, ec)) existing.push_back(mesh.path);
    }
    if (!existing.empty() && !(hooks.replaceExisting && hooks.replaceExisting(existing))) {
        report.declined = true;
        return report;
    }
    std::error_code ec;
    fs::create_directories(request.outFolder, ec);
    if (!fs::is_directory(request.outFolder, ec))
        return Problem{ProblemKind::CannotWrite, 0, "出力フォルダ " + request.outFolder.string() + " を作れません"};
    removeStaleTemporaryFiles(request.outFolder);

    const std::vector<SourceGrid> none;
    GeoBox wanted;
    {
        const Resampler frames(none, *datum);
        wanted = frames.jgdBox(report.meshes[0].code);
        for (const auto& m : report.meshes) {
            const GeoBox b = frames.jgdBox(m.code);
            wanted = {std::min(wanted.south, b.south), std::max(wanted.north, b.north),
                      std::min(wanted.west, b.west), std::max(wanted.east, b.east)};
        }
    }

    const ProgressHook& progress = hooks.progress;
    LoadedSources sources = readDemSources(request, wanted, [&](int done, int total, const std::string& text) {
        if (!progress) return true;
        const int value = total > 0 ? done * kReadingSteps / total : 0;
        return progress(value, kProgressSteps, text);
    });
    report.problems = std::move(sources.problems);
    report.filesRead = sources.filesRead;
    report.tilesMissing = sources.tilesMissing;
    report.tilesMissingRemembered = sources.tilesMissingRemembered;
    report.offline = sources.offline;
    report.offlineHost = std::move(sources.offlineHost);
    report.offlineCause = std::move(sources.offlineCause);
    if (sources.cancelled) {
        report.cancelled = true;
        for (auto& m : report.meshes) m.notWritten = "取り消しました";
        return report;
    }

    const Resampler resampler(sources.grids, *datum);
    const double blockLatitude = (wanted.south + wanted.north) / 2.0;
    StagedFiles staged;  // dropped unless committed
    for (size_t i = 0; i < report.meshes.size(); ++i) {
        MeshResult& mesh = report.meshes[i];
        if (progress && !progress(kReadingSteps + static_cast<int>(i) * (kProgressSteps - kReadingSteps) / 9,
                                  kProgressSteps, mesh.code)) {
            report.cancelled = true;
            report.sources.clear();
            for (auto& m : report.meshes) {
                if (m.written || m.notWritten.empty()) m.notWritten = "取り消しました";
                m.written = false;
            }
            return report;
        }
        const GeoBox box = resampler.jgdBox(mesh.code);
        const auto spoiled = std::find_if(report.problems.begin(), report.problems.end(), [&](const SourceProblem& p) {
            return !p.box || p.box->intersects(box);
        });
        if (spoiled != report.problems.end()) {
            mesh.notWritten = "読めなかったデータ " + spoiled->file + " の範囲です";
            continue;
        }
        MeshHeights heights = resampler.resample(mesh.code);
        if (heights.cellsWithData == 0) {
            mesh.notWritten = "データがありません";
            continue;
        }
        for (const auto& key : heights.layersUsed) mesh.layers.push_back(key.name());
        std::vector<std::string> ascii;
        for (const auto& key : heights.layersUsed) ascii.push_back(key.asciiName());
        const std::string note = "GSI " + joined(ascii) + ", JGD2011 to Tokyo datum, cell means";
        if (staged.stage(mesh.path, formatMemFile(mesh.code, heights.heights, note)) != FileError::None) {
            report.writeFailedFile = mesh.path.string();
            break;
        }
        mesh.written = true;
        mesh.cellsWithData = heights.cellsWithData;
        mesh.cellsCoarse = heights.cellsCoarse;
        for (const auto& key : heights.layersUsed)
            if (std::none_of(report.sources.begin(), report.sources.end(),
                             [&](const SourceCellSize& s) { return s.layer == key; }))
                report.sources.push_back({key, key.cellMetres(blockLatitude)});
    }
    std::stable_sort(report.sources.begin(), report.sources.end(),
                     [](const SourceCellSize& a, const SourceCellSize& b) { return a.metres < b.metres; });
    if (report.writeFailedFile.empty() && staged.commit() != FileError::None) {
        // The commit names no file; the set as a whole did not go in.
        report.writeFailedFile = request.outFolder.string();
        report.writeRestored = staged.restored();
    }
    if (!report.writeFailedFile.empty()) {
        report.sources.clear();
        for (auto& m : report.meshes)
            if (m.written || m.notWritten.empty()) {
                m.written = false;
                m.notWritten = kMeshWriteFailed;
            }
    }
    if (progress) progress(kProgressSteps, kProgressSteps, "");
    return report;
}

}  // namespace orv::terrain
