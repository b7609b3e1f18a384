#pragma once
// A plan's management file name (PlanName): the files named after it in the data folder, the
// check that a typed name can be one, and the date written into the plan list.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

inline constexpr const char* kPlanListFileName = "Orvane.LST";
inline constexpr const char* kRouteFileExtension = ".RTD";
inline constexpr const char* kRidgeValleyFileExtension = ".RVD";

// Title of the messages about a refused name (the plan start dialog uses the same title).
inline constexpr const char* kPlanNameTitle = "入力注意";
inline constexpr const char* kPlanNameEmpty = "管理ファイル名は必ず入力して下さい。";
inline constexpr const char* kPlanNameBlank = "管理ファイル名に空白は使えません。";
inline constexpr const char* kPlanNameSeparator = "管理ファイル名に「/」や「\\」は使えません。";
inline constexpr const char* kPlanNameDots = "管理ファイル名に「.」や「..」は使えません。";
inline constexpr const char* kPlanNameControl = "管理ファイル名に制御文字は使えません。";
inline constexpr const char* kPlanNameCharacter =
    "管理ファイル名に使えない文字が含まれています。";
inline constexpr const char* kPlanNameTooLong = "管理ファイル名が長すぎます。";

// Longest file name the file system holds, in bytes.
inline constexpr size_t kMaxFileNameBytes = 255;

std::filesystem::path planListPath(const std::filesystem::path& dataFolder);
std::filesystem::path routeFilePath(const std::filesystem::path& dataFolder, std::string_view name);
std::filesystem::path ridgeValleyFilePath(const std::filesystem::path& dataFolder,
                                          std::string_view name);

// The longest file name a save of the plan creates, in bytes: its route or ridge/valley file's
// name with the temporary names of the staged write added.
size_t longestSavedFileName(std::string_view name);

// Nothing when `name` can name a plan; otherwise the message telling why not. A plan name is
// a file name and a field of the plan list: it must not be empty, hold blanks (ASCII or
// ideographic), path separators, control characters or characters that do not come back
// unchanged through the plan list's code page, must not be "." or "..", and every file name its save
// creates (temporary ones included) must fit the file system.
std::optional<std::string> validatePlanName(std::string_view name);

// True when `name` stays inside the data folder as the stem of a file name: not empty, not
// "." or "..", no path separator or NUL. Names read from a plan list are only used to touch
// files when they pass this.
bool isPlainFileStem(std::string_view name);

// The date as the plan list writes it, yyyy/MM/dd in local time.
std::string planDateText(std::chrono::system_clock::time_point when);
std::string todayText();

}  // namespace orv
