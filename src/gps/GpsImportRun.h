#pragma once
// Running the GPS file import chosen in the format dialog (ORV_SELTRK): the route and the
// waypoints are cleared, the file dialogs ask for the files, the readers read them and any
// problem is shown to the user. The outcome says whether the start sequence goes on.
#include "core/Result.h"
#include "gps/GpsImport.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

// The options of the format dialog, by number.
inline constexpr int kGpsFormatPcx = 0;           // PCX track file, then its waypoint file
inline constexpr int kGpsFormatWaypointPlus = 1;  // Waypoint+ text file
inline constexpr int kGpsFormatPot = 2;           // nothing is read
inline constexpr int kGpsFormatPlanRoute = 3;     // the plan's own route data file
inline constexpr int kGpsFormatGpx = 4;           // a GPX file: track or route, and waypoints
inline constexpr int kGpsFormatCount = 5;

struct GpsFormatChoice {
    int option = kGpsFormatPcx;
    bool readWaypoints = false;  // "WPTデータも読む": with option 0, the PCX waypoint file too
};

inline constexpr const char* kGpsOpenTitle = "GPSファイルを開く";
// The filters offer the upper-case names the text gives and their lower-case forms.
inline constexpr const char* kPcxTrackFilter = "PCXテキストファイル(*.TRK)|*.TRK;*.trk";
inline constexpr const char* kPcxWaypointFilter = "PCXテキストファイル(*.WPT)|*.WPT;*.wpt";
inline constexpr const char* kWaypointPlusFilter = "Waypoint+ﾃｷｽﾄﾌｧｲﾙ(*.TXT)|*.TXT;*.txt";
inline constexpr const char* kGpxFilter = "GPXファイル(*.GPX)|*.GPX;*.gpx";

// Where a GPS file dialog (opening or saving) starts: the folder of the last GPS file while it
// exists outside the program's folder, else the data folder, with fileName's name proposed.
std::string gpsDialogStart(const AppState& state, const std::string& fileName);

// What the start menu shows while the import runs. Every member may be empty.
struct GpsImportView {
    std::function<void(int value, const std::string& text)> progress;  // show the strip
    std::function<void()> progressDone;                                // clear and hide it
    std::function<void(const std::string& text)> status;               // the status line
};

enum class GpsImportOutcome {
    Read,           // files read: the route (and waypoints) are in the state, routeLoaded
    NothingRead,    // the POT option: the sequence goes on with an empty route
    ReadPlanRoute,  // the plan's route data option: the caller reads the route data file
    Cancelled,      // a file dialog or the format dialog was cancelled
    Failed,         // a reader failed and its message was shown
};

inline constexpr const char* kTrackReadTitle = "ＴＲＫ読み込み";
inline constexpr const char* kWaypointReadTitle = "ＷＰＴ読み込み";
inline constexpr const char* kUnsupportedUnitMessage = "この形式のＴＲＫデータは読み込めません";

// The GPS file formats the import reads.
enum class GpsFileKind { PcxTrack, PcxWaypoints, WaypointPlus, Gpx };

// A reader's answer as the user is told it: the problem that stopped the reader (none when the
// file was read) with its message, title and icon, or the status-line warning of a track that
// was read with records out of their usual form.
struct GpsReadMessage {
    std::optional<Problem> problem;
    std::string message;  // "" when read
    std::string title;
    Icon icon = Icon::None;
    std::string warning;  // for the status line: records out of their usual form, an unknown datum
    std::string notice;   // shown titled `title` with an information icon: a thinned track

    bool ok() const { return !problem; }
};

// The message of a reader's answer.
GpsReadMessage describeGpsRead(GpsFileKind kind, const Result<GpsTrack>& read,
                               const std::filesystem::path& path);

// The message when the positions of a WGS 84 file cannot be brought onto the Tokyo datum.
std::string datumProblemMessage(const Problem& problem);

// Puts a track that was read into the state: the PCX track file's points replace the route,
// the PCX waypoint file's waypoints replace the waypoints, a Waypoint+ file replaces both;
// routeLoaded and, when waypoints were read, waypointsRead = 1.
void commitGpsTrack(AppState& state, GpsFileKind kind, const GpsTrack& track);

// Runs the import for `choice`; nothing (the format dialog closed without "実行") cancels.
// After Read the caller marks the route as read in the start menu and shows it on the overview.
GpsImportOutcome runGpsImport(const std::optional<GpsFormatChoice>& choice, AppState& state,
                              Dialogs& dialogs, const GpsImportView& view);

}  // namespace orv
