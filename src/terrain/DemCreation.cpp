#include "terrain/DemCreation.h"

#include "geo/MeshCode.h"
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
    const DemSummary summary = summaryParts(*report);
    dialogs.messageWithDetails(summary.text, summary.details, kDemBuildTitle, Buttons::Ok,
                               !report->writeFailedFile.empty() ? Icon::Error
                               : troubled                       ? Icon::Warning
                                                                : Icon::Information);
    if (report->cancelled) return DemBuildOutcome::Cancelled;
    return report->meshesWritten() > 0 ? DemBuildOutcome::Written : DemBuildOutcome::NothingWritten;
}

DemCreation::DemCreation(Dialogs& dialogs, std::string centreMesh, std::string setting)
    : centre(std::move(centreMesh)),
      tileSetting(std::move(setting)),
      dialogs_(dialogs),
      commands_({.run =
                     [this](const Command& command) {
                         view_ = command.view;
                         (this->*findDemCreationTool(command.id.text())->handler)();
                         notify();
                     },
                 .available =
                     [this](const Command& command) {
                         return !running_ || command.id == demTool::kCancel;
                     },
                 .takenWhileBusy =
                     [](const Command& command) { return command.id == demTool::kCancel; },
                 .alsoBusy = {}}) {
    if (tileSetting.empty()) tileSetting = defaultTileSetting();
}

bool DemCreation::dispatch(std::string_view toolId, const DemBuildView& view) {
    const DemCreationTool* tool = findDemCreationTool(toolId);
    if (tool == nullptr) {
        reportUnknownTool("DemCreation", toolId);
        return false;
    }
    return commands_.submit(Command{tool->id, view});
}

void DemCreation::addGmlFile() {
    const auto file = dialogs_.openFile(kDemGmlOpenTitle, kDemGmlFilter, gmlFiles.empty() ? "" : gmlFiles.back());
    if (file && std::find(gmlFiles.begin(), gmlFiles.end(), *file) == gmlFiles.end()) gmlFiles.push_back(*file);
    if (file) kind = DemSourceKind::Gml;
}

void DemCreation::clearGmlFiles() { gmlFiles.clear(); }

void DemCreation::chooseTileFolder() {
    const std::string folder = dialogs_.pickFolder(kDemTileFolderTitle, tileFolder);
    if (!folder.empty()) tileFolder = folder, kind = DemSourceKind::TileFolder;
}

void DemCreation::chooseCacheFolder() {
    const std::string folder = dialogs_.pickFolder(kDemCacheFolderTitle, cacheFolder);
    if (!folder.empty()) cacheFolder = folder, kind = DemSourceKind::Download;
}

void DemCreation::chooseOutFolder() {
    const std::string folder = dialogs_.pickFolder(kDemOutFolderTitle, outFolder);
    if (!folder.empty()) outFolder = folder;
}

void DemCreation::build() {
    // The build keeps its own copy of the view: a cancel arriving meanwhile brings another.
    const DemBuildView view = view_;
    run(view);
}

void DemCreation::cancelBuild() {
    if (running_) cancelRequested_ = true;
}

void DemCreation::run(const DemBuildView& view) {
    const auto refuse = [&](const char* text) {
        dialogs_.message(text, kDemBuildTitle, Buttons::Ok, Icon::Warning);
    };
    if (!isValidMeshCode(centre)) return refuse(kDemCentreRefused);
    if (kind == DemSourceKind::Gml && gmlFiles.empty()) return refuse(kDemNoGmlFiles);
    if (kind == DemSourceKind::TileFolder && tileFolder.empty()) return refuse(kDemNoTileFolder);
    if (kind == DemSourceKind::Download && !isUsableTileSetting(tileSetting)) return refuse(kDemBadTileSetting);
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
