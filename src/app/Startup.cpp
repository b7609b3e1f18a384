#include "app/Startup.h"

#include "app/FileChecks.h"
#include "app/Settings.h"
#include "core/TextFile.h"

#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

const char* const kStartErrorTitle = "Orvane起動エラー";

bool ensureFolder(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return true;
    fs::create_directories(folder, ec);
    return !ec && fs::is_directory(folder, ec);
}

// Creates an empty file unless it exists. False when it cannot be made.
bool ensureEmptyFile(const fs::path& path) {
    if (fileExists(path)) return true;
    return writeBytesAtomic(path, "") == FileError::None;
}

}  // namespace

StartResult startProgram(AppState& state, IniStore& settings, const StartPaths& paths,
                         Dialogs& dialogs, const StartWindows& windows) {
    // 1. Folders.
    state.appFolder = paths.appFolder;
    state.dataFolder = paths.dataFolder;
    if (!ensureFolder(state.dataFolder)) {
        dialogs.message("データフォルダを作成できません。\r\n" + state.dataFolder.string() +
                            "\r\nOrvaneを終了します。",
                        kStartErrorTitle, Buttons::Ok, Icon::Error);
        return StartResult::NoDataFolder;
    }

    // 2. Splash window.
    if (windows.showSplash) windows.showSplash();

    // 3-4. Fixed tables (the region table is constant) and start values.
    setStartValues(state);

    // 5. Settings: read, then written back at once so every key exists.
    settings.load(paths.settingsFile);
    loadSettings(state, settings);
    saveSettings(state, settings);
    settings.save(paths.settingsFile);

    // 6-8. Plan list, ridge/valley name file flag, empty ridge/valley file.
    const fs::path planList = state.dataFolder / "Orvane.LST";
    const bool listOk = ensureEmptyFile(planList);
    state.rvnFileExists = fileExists(state.dataFolder / "Orvane.RVN") ? -1 : 0;
    const bool rvdOk = ensureEmptyFile(state.dataFolder / "Orvane.RVD");
    if (!listOk || !rvdOk) {
        dialogs.message("データフォルダにファイルを作成できません。\r\n" + state.dataFolder.string() +
                            "\r\nOrvaneを終了します。",
                        kStartErrorTitle, Buttons::Ok, Icon::Error);
        return StartResult::NoPlanFiles;
    }

    // 9. The start menu.
    if (windows.showStartMenu) windows.showStartMenu();
    return StartResult::Started;
}

bool saveSettingsAtExit(const AppState& state, IniStore& settings, const fs::path& settingsFile,
                        Dialogs& dialogs) {
    saveSettings(state, settings);
    if (settings.save(settingsFile)) return true;
    dialogs.message("設定を保存できませんでした。\r\n" + settingsFile.string(), "Orvane終了確認",
                    Buttons::Ok, Icon::Warning);
    return false;
}

}  // namespace orv
