#pragma once
// The start sequence: data folder, splash, fixed tables and start values, settings loaded and
// written back at once, the empty plan files, then the start menu.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "platform/Dialogs.h"

#include <chrono>
#include <filesystem>
#include <functional>

namespace orv {

inline constexpr const char* kSettingsUnreadableMovedMessage =
    "設定ファイルを読み込めないため、初期値で起動します。\r\n元の設定ファイルは次の名前で残しました。";
inline constexpr const char* kSettingsUnreadableKeptMessage =
    "設定ファイルを読み込めないため、初期値で起動します。\r\n元の設定ファイルはそのまま残し、起動時には書き換えません。";

// The settings would be larger than the settings file may be: they are not written.
inline constexpr const char* kSettingsTooLargeMessage =
    "設定が大きすぎるため保存できませんでした。前回までの設定ファイルはそのまま残っています。";

// What the start says about a save an earlier run left unfinished; the files follow.
inline constexpr const char* kInterruptedSaveTitle = "ファイル処理";
inline constexpr const char* kInterruptedSaveCompletedMessage = "前回中断された保存を完了しました。";
inline constexpr const char* kInterruptedSaveRolledBackMessage =
    "前回中断された保存を取り消し、元のファイルに戻しました。";
inline constexpr const char* kInterruptedSaveFailedMessage =
    "前回中断された保存を完了できませんでした。\r\n次のファイルを確かめて下さい。";

struct StartPaths {
    std::filesystem::path appFolder;
    std::filesystem::path dataFolder;
    std::filesystem::path settingsFile;
};

// The windows the sequence shows; the desktop passes real ones, tests record the calls.
struct StartWindows {
    std::function<void()> showSplash;      // step 2
    std::function<void()> showStartMenu;   // step 9: create the start menu, close the splash
};

enum class StartResult { Started, NoDataFolder, NoPlanFiles };

// Runs the start sequence in order. Saves an earlier run left unfinished in the data folder are
// completed or undone, and the user is told which; stale temporary files are removed. A settings file that cannot be read is renamed to a dated backup
// beside it (settingsBackupPath) and the user is told once; a failed write of the settings is
// reported once. When the data folder or the empty plan files cannot be
// made, tells the user why and returns without showing the start menu (the caller exits).
StartResult startProgram(AppState& state, IniStore& settings, const StartPaths& paths,
                         Dialogs& dialogs, const StartWindows& windows);

// The name an unreadable settings file is kept under: the file's name followed by the local
// date and time, ".YYYYMMDD-hhmmss" (and "-2", "-3"… when that name is taken).
std::filesystem::path settingsBackupPath(const std::filesystem::path& settingsFile,
                                         std::chrono::system_clock::time_point when);

// Exit confirmed: writes the settings, and the desktop file beside them (app/DesktopFile). False
// (after telling the user) when the settings could not be written.
bool saveSettingsAtExit(const AppState& state, IniStore& settings,
                        const std::filesystem::path& settingsFile, Dialogs& dialogs);

}  // namespace orv
