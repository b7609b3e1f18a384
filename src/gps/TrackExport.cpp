#include "gps/TrackExport.h"

#include "exchange/GpxWriter.h"
#include "gps/GpsImportRun.h"
#include "gps/GpxTrack.h"
#include "gps/PcxTrackWriter.h"

#include <algorithm>
#include <span>
#include <string>

namespace orv {

namespace {

std::span<const RoutePoint> routePoints(const AppState& state) {
    const auto count = static_cast<size_t>(std::clamp<int>(state.routeCount, 0, kMaxRoutePoints));
    return std::span<const RoutePoint>(state.route).subspan(1, count);
}

std::span<const Waypoint> waypoints(const AppState& state) {
    const auto count = static_cast<size_t>(std::clamp<int>(state.waypointCount, 0, kMaxWaypoints));
    return std::span<const Waypoint>(state.waypoints).subspan(1, count);
}

TrackExportOutcome reportFailure(Dialogs& dialogs, const Problem& problem) {
    std::string text = kGpsSaveFailedMessage;
    if (!problem.detail.empty()) text += "\r\n" + problem.detail;
    dialogs.message(text, kGpsSaveTitle, Buttons::Ok, Icon::Warning);
    return TrackExportOutcome::Failed;
}

}  // namespace

TrackExportOutcome exportPcxTrack(AppState& state, Dialogs& dialogs) {
    state.gpsFilePath = state.planName + ".TRK";
    const auto file =
        dialogs.saveFile(kGpsSaveTitle, kPcxTrackFilter, "TRK", gpsDialogStart(state, state.gpsFilePath));
    if (!file) return TrackExportOutcome::Cancelled;
    const Status written = writePcxTrackFile(*file, state.planName, routePoints(state));
    if (!written) return reportFailure(dialogs, written.problem());
    state.fileFolders.remember(FileKind::GpsFile, *file);
    return TrackExportOutcome::Saved;
}

TrackExportOutcome exportGpxTrack(AppState& state, Dialogs& dialogs) {
    const auto file =
        dialogs.saveFile(kGpsSaveTitle, kGpxFilter, "gpx", gpsDialogStart(state, state.planName + ".gpx"));
    if (!file) return TrackExportOutcome::Cancelled;
    const Result<DatumShift> shift = DatumShift::create(ModernDatum::Wgs84);
    if (!shift) return reportFailure(dialogs, shift.problem());
    const Result<GpxDocument> document = routeGpx(state.planName, routePoints(state), waypoints(state), *shift);
    if (!document)
        return reportFailure(dialogs, Problem{ProblemKind::BadValue, 0,
                                              "ルートの位置をWGS 84に変換できません（" + document.problem().detail + "）。"});
    const Status written = writeGpxFile(*file, *document);
    if (!written) return reportFailure(dialogs, written.problem());
    state.fileFolders.remember(FileKind::GpsFile, *file);
    return TrackExportOutcome::Saved;
}

}  // namespace orv
