#pragma once
// A saved plan's files into the state: the route data file and the ridge/valley file are read
// by their readers (plans/), committed here, and their problems turned into the messages the
// start menu shows.
#include "app/StartMenuModel.h"
#include "core/Result.h"
#include "plans/RidgeValleyFile.h"
#include "plans/RouteFile.h"
#include "state/AppState.h"

#include <filesystem>
#include <string>

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

// The message for a route data file's problem; `fileName` names the file.
std::string routeFileMessage(const Problem& problem, const std::string& fileName);

struct RouteFileLoad {
    bool loaded = false;
    std::string message;  // shown titled kRouteReadTitle with an error icon when not loaded
};

// Reads dataFolder/planName.RTD into the state. On success the centre mesh, the block's codes,
// level 0's corner, the menu's centre values, the destination (when it is in the mountain
// table; otherwise its line is kept to be written back as read), the route points and
// routeCount are set, mountainConfirmed = 1, routeLoaded = 1 and the first "TRK" indicator is
// on. On any problem nothing of the plan is changed and the message says what was wrong. Either way the progress strip and the status line are cleared. (readRouteFile)
RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu);
// The same from a route data file elsewhere (a plan given when the program starts).
RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu, const std::filesystem::path& file);

struct RidgeValleyLoad {
    bool found = false;           // the file existed
    std::optional<Problem> problem;  // why an existing file was not read
    int skippedLines = 0;         // broken lines left out
    bool truncated = false;       // lines beyond the table's 4001 points left out
    bool lossless = true;
};

// Loads dataFolder/planName.RVD, with progress on the start menu's strip. No file, or one that
// cannot be read, changes nothing. Otherwise the points replace the table (up to its size),
// ridgeValleyPresent is set, ridgeValleyLoaded = ridgeValleyCount and the lines are shown.
// (readRidgeValleyFile)
RidgeValleyLoad readRidgeValleyFile(AppState& state, StartMenuModel& menu);
RidgeValleyLoad readRidgeValleyFile(AppState& state, StartMenuModel& menu, const std::filesystem::path& file);

// What the user should be told about a load, or "" when it went as expected.
std::string ridgeValleyLoadMessage(const RidgeValleyLoad& load, const std::string& fileName);

}  // namespace orv
