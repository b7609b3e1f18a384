#include "gps/GpsImportRun.h"

#include "core/ShownText.h"
#include "exchange/XmlErrorText.h"
#include "gps/GpsImport.h"
#include "gps/GpxTrack.h"
#include "gps/TrackDatum.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orv {

namespace {

// What each reader calls its data in messages and its message title.
struct ReaderTexts {
    const char* data;
    const char* title;
};

ReaderTexts readerTexts(GpsFileKind kind) {
    switch (kind) {
    case GpsFileKind::PcxTrack: return {"ＴＲＫデータ", kTrackReadTitle};
    case GpsFileKind::PcxWaypoints: return {"ＷＰＴデータ", kWaypointReadTitle};
    case GpsFileKind::WaypointPlus: return {"Waypoint＋データ", kTrackReadTitle};
    case GpsFileKind::Gpx: return {"GPXデータ", kTrackReadTitle};
    }
    return {"ＴＲＫデータ", kTrackReadTitle};
}

Result<GpsTrack> readGpsFile(GpsFileKind kind, const std::filesystem::path& path,
                             const GpsProgress& progress) {
    switch (kind) {
    case GpsFileKind::PcxTrack: return readPcxTrack(path, progress);
    case GpsFileKind::PcxWaypoints: return readPcxWaypoints(path, progress);
    case GpsFileKind::WaypointPlus: return readWaypointPlus(path, progress);
    case GpsFileKind::Gpx: return readGpxTrack(path, progress);
    }
    return Problem{ProblemKind::Unsupported, 0, {}};
}

void showStatus(const GpsImportView& view, const std::string& text) {
    if (view.status) view.status(text);
}

}  // namespace

std::string gpsDialogStart(const AppState& state, const std::string& fileName) {
    return state.fileFolders.startPath(FileKind::GpsFile, state.dataFolder, state.appFolder, fileName);
}

namespace {

using ReadFiles = std::vector<std::pair<GpsFileKind, GpsTrack>>;

// Asks for the file, reads it into `read` and shows what went wrong. Nothing when the file was
// read; otherwise the outcome that ends the import.
std::optional<GpsImportOutcome> readOne(const char* filter, GpsFileKind kind, AppState& state,
                                        Dialogs& dialogs, const GpsImportView& view, ReadFiles& read) {
    const auto file = dialogs.openFile(kGpsOpenTitle, filter, gpsDialogStart(state, state.gpsFilePath));
    if (!file) return GpsImportOutcome::Cancelled;
    state.gpsFilePath = *file;
    state.fileFolders.remember(FileKind::GpsFile, *file);
    showStatus(view, *file);
    Result<GpsTrack> track = readGpsFile(kind, *file, view.progress);
    if (view.progressDone) view.progressDone();
    const GpsReadMessage result = describeGpsRead(kind, track, *file);
    // Records read out of their usual form are named on the status line, not refused.
    showStatus(view, result.warning);
    if (!result.ok()) {
        dialogs.message(result.message, result.title, Buttons::Ok, result.icon);
        return GpsImportOutcome::Failed;
    }
    // Positions of a WGS 84 file are brought onto the Tokyo datum of the mesh data.
    if (const Status moved = moveTrackToTokyo(track.value()); !moved) {
        dialogs.message(datumProblemMessage(moved.problem()), readerTexts(kind).title, Buttons::Ok,
                        Icon::Warning);
        return GpsImportOutcome::Failed;
    }
    if (!result.notice.empty())
        dialogs.message(result.notice, result.title, Buttons::Ok, Icon::Information);
    read.emplace_back(kind, std::move(track.value()));
    return std::nullopt;
}

}  // namespace

GpsReadMessage describeGpsRead(GpsFileKind kind, const Result<GpsTrack>& read,
                               const std::filesystem::path& path) {
    const ReaderTexts texts = readerTexts(kind);
    GpsReadMessage result;
    result.title = texts.title;
    if (read.ok()) {
        std::vector<std::string> warnings;
        if (read->oddLines > 0 && kind == GpsFileKind::Gpx)
            warnings.push_back(std::string(texts.data) + "の" + std::to_string(read->firstOddLine) +
                               "行目ほか" + std::to_string(read->oddLines) +
                               "か所の標高・時刻が読めないため、それを除いて読み込みました。");
        else if (read->oddLines > 0)
            warnings.push_back(std::string(texts.data) + "の" + std::to_string(read->firstOddLine) +
                               "行目ほか" + std::to_string(read->oddLines) +
                               "点の日付・時刻・座標が通常の形ではありません。そのまま読み込みました。");
        if (!read->unknownDatum.empty())
            warnings.push_back(std::string(texts.data) + "の測地系「" + shownFileText(read->unknownDatum) +
                               "」は分からないため、日本測地系として読み込みました。");
        for (const std::string& warning : warnings)
            result.warning += (result.warning.empty() ? "" : "　") + warning;
        if (read->thinnedFrom > 0)
            result.notice = std::string(texts.data) + "のＴＲＫの点が" + std::to_string(read->thinnedFrom) +
                            "点あり、" + std::to_string(kMaxRoutePoints) + "点を超えるため、等間隔に" +
                            std::to_string(read->points.size()) + "点に間引いて読み込みました。";
        return result;
    }
    const Problem& problem = read.problem();
    result.problem = problem;
    result.icon = Icon::Warning;
    const std::string data = texts.data;
    // A detail may quote the file (the name of a GPX file's first element).
    const std::string detail = shownFileText(problem.detail);
    switch (problem.kind) {
    case ProblemKind::Unsupported:
        // The unit line of a waypoint file is the track file's, and so is its message.
        result.message = kUnsupportedUnitMessage;
        result.title = kTrackReadTitle;
        result.icon = Icon::Information;
        break;
    case ProblemKind::BadFormat:
        result.message = problem.line > 0 ? data + "の " + std::to_string(problem.line) +
                                                " 行目でGPXとして読めなくなりました。\r\n" + explainedXmlDetail(detail)
                                          : data + "として読めません。\r\n" + explainedXmlDetail(detail);
        break;
    case ProblemKind::NoData:
        result.message = data + "に読み込める点がありません。\r\n" + detail;
        break;
    case ProblemKind::BadRecord:
    case ProblemKind::BadValue:
        result.message = data + "の " + std::to_string(problem.line) + " 行目を読み取れません。\r\n" + detail;
        break;
    case ProblemKind::TooMany:
        if (problem.detail == kTooManyLines) {
            result.message = data + "が" + std::to_string(kMaxPcxTrackLines) + "行を超えています。";
        } else if (problem.detail == kTooManyWaypoints) {
            const bool both = kind == GpsFileKind::WaypointPlus || kind == GpsFileKind::Gpx;
            const char* what = both ? "ＷＰＴの点" : "点";
            result.message = data + "の" + what + "が" + std::to_string(kMaxWaypoints) + "点を超えています。";
        } else {
            const char* what = kind == GpsFileKind::WaypointPlus ? "ＴＲＫの点" : "点";
            result.message = data + "の" + what + "が" + std::to_string(kMaxRoutePoints) + "点を超えています。";
        }
        break;
    default: {
        const char* what = problem.kind == ProblemKind::NotFound   ? "GPSファイルが見つかりません。"
                           : problem.kind == ProblemKind::TooLarge ? "GPSファイルが大きすぎます。"
                                                                   : "GPSファイルを読み込めません。";
        result.message = std::string(what) + "\r\n" + path.string();
        break;
    }
    }
    return result;
}

std::string datumProblemMessage(const Problem& problem) {
    std::string text = "GPSファイルの位置を日本測地系に変換できません。";
    if (!problem.detail.empty()) text += "\r\n" + problem.detail;
    return text;
}

void commitGpsTrack(AppState& state, GpsFileKind kind, const GpsTrack& track) {
    if (kind != GpsFileKind::PcxWaypoints) {
        clearRoute(state);
        const size_t count = std::min(track.points.size(), static_cast<size_t>(kMaxRoutePoints));
        std::copy_n(track.points.begin(), count, state.route.begin() + 1);
        state.routeCount = static_cast<int16_t>(count);
    }
    if (kind != GpsFileKind::PcxTrack) {
        clearWaypoints(state);
        const size_t count = std::min(track.waypoints.size(), static_cast<size_t>(kMaxWaypoints));
        std::copy_n(track.waypoints.begin(), count, state.waypoints.begin() + 1);
        state.waypointCount = static_cast<int16_t>(count);
        if (count > 0) state.waypointsRead = true;
    }
    state.routeLoaded = true;
}

GpsImportOutcome runGpsImport(const std::optional<GpsFormatChoice>& choice, AppState& state,
                              Dialogs& dialogs, const GpsImportView& view) {
    if (!choice || choice->option < 0 || choice->option >= kGpsFormatCount)
        return GpsImportOutcome::Cancelled;
    clearRoute(state);
    clearWaypoints(state);
    // The files of one import are committed together, only when every one was read.
    ReadFiles read;
    const auto commitAll = [&] {
        for (const auto& [kind, track] : read) commitGpsTrack(state, kind, track);
        return GpsImportOutcome::Read;
    };
    switch (choice->option) {
        case kGpsFormatPcx:
            if (auto end = readOne(kPcxTrackFilter, GpsFileKind::PcxTrack, state, dialogs, view, read))
                return *end;
            if (choice->readWaypoints) {
                if (auto end = readOne(kPcxWaypointFilter, GpsFileKind::PcxWaypoints, state, dialogs, view, read))
                    return *end;
            }
            return commitAll();
        case kGpsFormatWaypointPlus:
            if (auto end = readOne(kWaypointPlusFilter, GpsFileKind::WaypointPlus, state, dialogs, view, read))
                return *end;
            return commitAll();
        case kGpsFormatGpx:
            if (auto end = readOne(kGpxFilter, GpsFileKind::Gpx, state, dialogs, view, read)) return *end;
            return commitAll();
        case kGpsFormatPot:
            return GpsImportOutcome::NothingRead;
        default:
            return GpsImportOutcome::ReadPlanRoute;
    }
}

}  // namespace orv
