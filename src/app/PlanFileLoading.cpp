#include "app/PlanFileLoading.h"

#include "core/ShownText.h"
#include "geo/MeshCode.h"
#include "platform/Progress.h"
#include "plans/PlanName.h"

#include <algorithm>

namespace orv {

std::string routeFileMessage(const Problem& problem, const std::string& fileName) {
    switch (problem.kind) {
    case ProblemKind::BadFormat: return kRouteFileFormatMessage;
    case ProblemKind::TooMany: return kRouteFileTooManyMessage;
    case ProblemKind::TooFew: return kRouteFileMissingPointsMessage;
    case ProblemKind::NoData: return kNoRouteDataMessage;
    case ProblemKind::BadValue:
        return "ルートデータファイル「" + fileName + "」の" + std::to_string(problem.line) +
               "行目のメッシュコード「" + shownFileText(problem.detail) + "」が正しくありません。";
    default: return "ルートデータファイル「" + fileName + "」を読み込めません。";
    }
}

RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu) {
    return readRouteFile(state, menu, routeFilePath(state.dataFolder, state.planName));
}

RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu, const std::filesystem::path& file) {
    Result<RouteFileData> read = readRouteData(file);

    // The file is done with: progress strip and status line cleared.
    menu.progress.clear();
    menu.progressVisible = false;
    menu.status.clear();

    RouteFileLoad load;
    if (!read.ok()) {
        load.message = routeFileMessage(read.problem(), file.filename().string());
        menu.notify();
        return load;
    }

    // The block around the saved centre mesh.
    const RouteFileData& data = read.value();
    state.centreMeshCode = data.centreMeshCode;
    state.levelCorners[0][1] = meshSouthLatitude(data.centreMeshCode);
    state.levelCorners[0][2] = meshWestLongitude(data.centreMeshCode);
    menu.centreSouth = dmsToSeconds(state.levelCorners[0][1]);
    menu.centreWest = dmsToSeconds(state.levelCorners[0][2]);
    state.meshCodes = meshNeighbours(data.centreMeshCode);

    // The destination, when the mountain table holds it; otherwise its line as read, so that
    // saving the plan again does not lose it.
    state.destinationLineAsRead = data.destinationLine;
    const int mountains = std::clamp<int32_t>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= mountains; ++i) {
        const MountainRecord& m = state.mountainTable[static_cast<size_t>(i)];
        if (m.name == data.destination[0] && m.latitude == data.destination[1] &&
            m.longitude == data.destination[2] && m.elevation == data.destination[3]) {
            state.selectedMountain = static_cast<int16_t>(i);
            state.destinationLineAsRead.clear();
            break;
        }
    }

    // The route points; the points after them keep what they held.
    const auto count = static_cast<int16_t>(data.points.size());
    for (size_t j = 0; j < data.points.size(); ++j) state.route[j + 1] = data.points[j];
    state.routeCount = count;

    state.mountainConfirmed = true;
    state.routeLoaded = true;
    menu.trkIndicators[0] = true;
    menu.notify();
    load.loaded = true;
    return load;
}

RidgeValleyLoad readRidgeValleyFile(AppState& state, StartMenuModel& menu) {
    return readRidgeValleyFile(state, menu, ridgeValleyFilePath(state.dataFolder, state.planName));
}

RidgeValleyLoad readRidgeValleyFile(AppState& state, StartMenuModel& menu, const std::filesystem::path& file) {
    RidgeValleyLoad load;
    std::optional<ProgressStrip> strip;
    const auto progress = [&](int value) {
        if (!strip) {
            menu.progressVisible = true;
            menu.notify();
            strip.emplace(menu.progress, kRidgeValleyLoadText);
        }
        strip->show(value);
    };
    Result<RidgeValleyData> read = readRidgeValleyData(file, progress);
    if (!read.ok() && read.problem().kind == ProblemKind::NotFound) return load;
    load.found = true;
    if (!read.ok()) {
        load.problem = read.problem();
        return load;
    }

    const RidgeValleyData& data = read.value();
    load.skippedLines = data.skippedLines;
    load.truncated = data.truncated;
    load.lossless = data.lossless;
    const auto count = static_cast<int32_t>(data.points.size());
    std::copy(data.points.begin(), data.points.end(), state.ridgeValleyPoints.begin());

    strip.reset();
    menu.progress.clear();
    menu.progressVisible = false;
    state.ridgeValleyCount = count;
    state.ridgeValleyPresent = true;
    state.ridgeValleyLoaded = count;
    state.ridgeValleyLinesShown = true;
    menu.notify();
    return load;
}

std::string ridgeValleyLoadMessage(const RidgeValleyLoad& load, const std::string& fileName) {
    if (!load.found) return {};
    if (load.problem)
        return "谷・尾根筋データファイル「" + fileName + "」を読み込めません。谷・尾根筋なしで続けます。";
    std::string message;
    if (load.truncated)
        message += "谷・尾根筋データが4001点を超えています。先頭の4001点だけを読み込みました。";
    if (load.skippedLines > 0) {
        if (!message.empty()) message += "\r\n";
        message += "谷・尾根筋データファイルの" + std::to_string(load.skippedLines) +
                   "行は形式が正しくないため読み込みませんでした。";
    }
    return message;
}

}  // namespace orv
