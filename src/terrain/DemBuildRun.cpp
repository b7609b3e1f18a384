#include "terrain/DemBuildRun.h"

#include "terrain/DemMessages.h"

#include <algorithm>

namespace orv::terrain {

DemBuildOutcome runDemBuild(Dialogs& dialogs, const DemBuildRequest& request, const DemBuildView& view) {
    DemBuildHooks hooks;
    hooks.replaceExisting = [&](const std::vector<std::filesystem::path>& existing) {
        return dialogs.message(replaceQuestion(existing), kDemBuildTitle, Buttons::YesNo, Icon::Question) == Answer::Yes;
    };
    hooks.progress = [&](int done, int total, const std::string& text) {
        if (view.progress) view.progress(total > 0 ? done * 100 / total : 0, text);
        return view.keepResponsive ? view.keepResponsive() : true;
    };
    const auto report = buildDemBlock(request, hooks);
    if (!report) {
        dialogs.message(buildProblemText(report.problem()), kDemBuildTitle, Buttons::Ok, Icon::Error);
        return DemBuildOutcome::NothingWritten;
    }
    if (report->declined) return DemBuildOutcome::Refused;
    const bool troubled = !report->problems.empty() || report->offline || report->meshesWritten() == 0;
    dialogs.message(summaryText(*report), kDemBuildTitle, Buttons::Ok, troubled ? Icon::Warning : Icon::Information);
    if (report->cancelled) return DemBuildOutcome::Cancelled;
    return report->meshesWritten() > 0 ? DemBuildOutcome::Written : DemBuildOutcome::NothingWritten;
}

DemBuildModel::DemBuildModel(Dialogs& dialogs, std::string centreMesh, std::string setting)
    : centre(std::move(centreMesh)), tileSetting(std::move(setting)), dialogs_(dialogs) {
    if (tileSetting.empty()) tileSetting = tileServersSetting(defaultTileServers());
}

bool DemBuildModel::dispatch(const std::string& toolId, const DemBuildView& view) {
    if (running_) {
        // While a build runs only cancel is taken.
        if (toolId == kActDemCancel) cancelRequested_ = true;
        return toolId == kActDemCancel;
    }
    if (toolId == kActDemAddGml) {
        const auto file = dialogs_.openFile(kDemGmlOpenTitle, kDemGmlFilter, gmlFiles.empty() ? "" : gmlFiles.back());
        if (file && std::find(gmlFiles.begin(), gmlFiles.end(), *file) == gmlFiles.end()) gmlFiles.push_back(*file);
        if (file) kind = DemSourceKind::Gml;
    } else if (toolId == kActDemClearGml) {
        gmlFiles.clear();
    } else if (toolId == kActDemTileFolder) {
        const std::string folder = dialogs_.pickFolder(kDemTileFolderTitle, tileFolder);
        if (!folder.empty()) tileFolder = folder, kind = DemSourceKind::TileFolder;
    } else if (toolId == kActDemCacheFolder) {
        const std::string folder = dialogs_.pickFolder(kDemCacheFolderTitle, cacheFolder);
        if (!folder.empty()) cacheFolder = folder, kind = DemSourceKind::Download;
    } else if (toolId == kActDemOutFolder) {
        const std::string folder = dialogs_.pickFolder(kDemOutFolderTitle, outFolder);
        if (!folder.empty()) outFolder = folder;
    } else if (toolId == kActDemRun) {
        run(view);
    } else if (toolId != kActDemCancel) {
        return false;
    }
    notify();
    return true;
}

void DemBuildModel::run(const DemBuildView& view) {
    const auto refuse = [&](const char* text) {
        dialogs_.message(text, kDemBuildTitle, Buttons::Ok, Icon::Warning);
    };
    if (!isMeshCode(centre)) return refuse(kDemCentreRefused);
    if (kind == DemSourceKind::Gml && gmlFiles.empty()) return refuse(kDemNoGmlFiles);
    if (kind == DemSourceKind::TileFolder && tileFolder.empty()) return refuse(kDemNoTileFolder);
    if (outFolder.empty()) return refuse(kDemNoOutFolder);

    DemBuildRequest request;
    request.centre = centre;
    request.kind = kind;
    request.gmlFiles = gmlFiles;
    request.tileFolder = tileFolder;
    request.download.servers = tileServersFromSetting(tileSetting);
    request.download.cacheFolder = cacheFolder;
    request.outFolder = outFolder;

    running_ = true;
    cancelRequested_ = false;
    notify();
    DemBuildView watched = view;
    watched.keepResponsive = [&] {
        if (view.keepResponsive) view.keepResponsive();
        return !cancelRequested_;
    };
    outcome_ = runDemBuild(dialogs_, request, watched);
    running_ = false;
}

}  // namespace orv::terrain
