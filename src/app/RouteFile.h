#pragma once
// The route data file PlanName.RTD: the centre mesh's corner, the 3 × 3 mesh codes, the
// destination mountain and the route points, each part after a ";" line.
#include "app/StartMenuModel.h"
#include "state/AppState.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kRouteReadTitle = "読み込みエラー";
inline constexpr const char* kNoRouteDataMessage =
    "このファイルにはルートデータが保存されていません。";
inline constexpr const char* kRouteFileFormatMessage =
    "ルートデータファイルの形式が正しくありません。";
inline constexpr const char* kRouteFileTooManyMessage =
    "ルートデータの点の数が多すぎます。読み込めるのは2048点までです。";
inline constexpr const char* kRouteFileMissingPointsMessage =
    "ルートデータの点の数がファイルの行数と合いません。";

// Lines before the first route point line.
inline constexpr int kRouteHeaderLines = 8;

// The fields of a line: blanks and commas both separate, empty fields are kept.
std::vector<std::string> splitRouteFields(std::string_view line);

// One route point line: number, latitude, longitude, elevation, timeText, mountainName,
// placeName, markKind, label, separated by single blanks (empty texts leave empty places).
std::string routePointLine(const RoutePoint& point);
// A route point from its line; missing fields read as empty texts and zeros.
RoutePoint parseRoutePointLine(std::string_view line);

// Every line of the file for the current plan, in order.
std::vector<std::string> routeFileLines(const AppState& state);

enum class RouteFileProblem { None, Unreadable, BadFormat, TooManyPoints, MissingPoints, NoRoute };

struct RouteFileData {
    MeshCode centreMeshCode;
    std::array<std::string, 4> destination{};  // name, latitude, longitude, elevation
    std::vector<RoutePoint> points;            // route points 1..count
};

struct RouteFileRead {
    RouteFileProblem problem = RouteFileProblem::None;
    RouteFileData data;
    bool lossless = true;  // false when some bytes were not CP932
};

// Reads and checks a route data file without touching any state.
RouteFileRead readRouteData(const std::filesystem::path& file);

// The message for a problem; `fileName` names the file in the message of an unreadable one.
std::string routeFileMessage(RouteFileProblem problem, const std::string& fileName);

struct RouteFileLoad {
    bool loaded = false;
    std::string message;  // shown titled kRouteReadTitle with an error icon when not loaded
};

// readRouteFile: reads dataFolder/planName.RTD into the state. On success the centre mesh,
// the block's codes, level 0's corner, the menu's centre values, the destination (when it is
// in the mountain table), the route points and routeCount are set, mountainConfirmed = 1,
// routeLoaded = 1 and the first "TRK" indicator is on. On any problem nothing of the plan is
// changed, startCancelled = -1 and the message says what was wrong. Either way the progress
// strip and the status line are cleared.
RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu);

}  // namespace orv
