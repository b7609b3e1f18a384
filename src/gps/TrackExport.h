#pragma once
// Exporting the route of the route map as a GPS file: "PCX形式でルート保存" writes a PCX text
// track file for a receiver's PC software, "GPX形式でルート保存" a GPX file for today's
// receivers, phone apps and web services. Each asks for the file, writes it whole or not at
// all, and tells the user when it cannot be written.
//
// An export reports its outcome to the route map only: a cancelled save dialog is no cancelled
// start sequence and never keeps the user in the route map at the next "ﾙｰﾄ図終了".
#include "platform/Dialogs.h"
#include "state/AppState.h"

namespace orv {

inline constexpr const char* kGpsSaveTitle = "GPSファイルを保存";
inline constexpr const char* kGpsSaveFailedMessage = "GPSファイルを保存できません。";

enum class TrackExportOutcome {
    Saved,      // the file is written
    Cancelled,  // the save dialog was cancelled; nothing is written
    Failed,     // the file could not be written (the user was told); nothing is written
};

// The route (points 1..routeCount, Tokyo datum) as a PCX track file: gpsFilePath = planName +
// ".TRK" is offered in the save dialog "GPSファイルを保存", in the folder of the last GPS file
// (gpsDialogStart). (writePcxTrack)
TrackExportOutcome exportPcxTrack(AppState& state, Dialogs& dialogs);

// The route as a GPX file on WGS 84: a track with elevations and, where the points have dates
// and times, times; the named and marked points and the GPS waypoints as waypoints. planName +
// ".gpx" is offered in the same save dialog.
TrackExportOutcome exportGpxTrack(AppState& state, Dialogs& dialogs);

}  // namespace orv
