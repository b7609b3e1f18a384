#include "app/Startup.h"

#include "app/DesktopFile.h"
#include "app/FileChecks.h"
#include "app/Settings.h"
#include "core/StagedFiles.h"
#include "core/TextFile.h"

#include <cstdio>
#include <ctime>
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

// Writes the settings; false after telling the user when they could not be written.
bool writeSettingsOrSay(const fs::path& settingsFile, const IniStore& settings, Dialogs& dialogs,
                        const char* title) {
    const Status written = writeSettingsFile(settingsFile, settings);
    if (written.ok()) return true;
    const std::string text = written.problem().kind == ProblemKind::TooLarge ? kSettingsTooLargeMessage
                                                                            : "設定を保存できませんでした。";
    dialogs.message(text + "\r\n" + settingsFile.string(), title, Buttons::Ok, Icon::Warning);
    return false;
}

// Moves an unreadable settings file out of the way under a dated name and says so. False when
// it could not be moved: then it is not written over at start either.
bool keepUnreadableSettings(const fs::path& settingsFile, Dialogs& dialogs) {
    const fs::path backup = settingsBackupPath(settingsFile, std::chrono::system_clock::now());
    std::error_code ec;
    fs::rename(settingsFile, backup, ec);
    if (ec) {
        dialogs.message(kSettingsUnreadableKeptMessage + ("\r\n" + settingsFile.string()),
                        kStartErrorTitle, Buttons::Ok, Icon::Warning);
        return false;
    }
    dialogs.message(kSettingsUnreadableMovedMessage + ("\r\n" + backup.string()), kStartErrorTitle,
                    Buttons::Ok, Icon::Warning);
    return true;
}

// Finishes what an interrupted save left in the data folder and says what was done.
void finishInterruptedSavesAndSay(const fs::path& dataFolder, Dialogs& dialogs) {
    for (const InterruptedSave& save : finishInterruptedSaves(dataFolder)) {
        std::string files;
        for (const std::string& file : save.files) files += (files.empty() ? "" : "、") + file;
        const bool failed = save.outcome == InterruptedSave::Outcome::Failed;
        const char* text = failed ? kInterruptedSaveFailedMessage
                           : save.outcome == InterruptedSave::Outcome::Completed ? kInterruptedSaveCompletedMessage
                                                                                 : kInterruptedSaveRolledBackMessage;
        dialogs.message(text + ("\r\n" + files), kInterruptedSaveTitle, Buttons::Ok,
                        failed ? Icon::Warning : Icon::Information);
    }
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

    // Files an interrupted save left behind.
    finishInterruptedSavesAndSay(state.dataFolder, dialogs);

    // 5. Settings: read, then written back at once so every key exists. A file that cannot be
    // read is not ours to overwrite: it is kept under a dated name and the user is told.
    bool writeBack = true;
    Result<IniStore> read = readSettingsFile(paths.settingsFile);
    if (read.ok()) {
        settings = std::move(read.value());
    } else {
        settings.clear();
        if (read.problem().kind != ProblemKind::NotFound)
            writeBack = keepUnreadableSettings(paths.settingsFile, dialogs);
    }
    // A stored value the program cannot use is replaced by its default, and the user is told.
    for (const std::string& note : loadSettings(state, settings))
        dialogs.message(note, kStartErrorTitle, Buttons::Ok, Icon::Warning);
    saveSettings(state, settings);
    if (writeBack) writeSettingsOrSay(paths.settingsFile, settings, dialogs, kStartErrorTitle);
    // Folders and window places of the last run, from their own file beside the settings.
    loadDesktopFile(state, desktopFilePath(paths.settingsFile));

    // 6-8. Plan list, ridge/valley name file flag, empty ridge/valley file.
    const fs::path planList = state.dataFolder / "Orvane.LST";
    const bool listOk = ensureEmptyFile(planList);
    state.rvnFileExists = fileExists(state.dataFolder / "Orvane.RVN");
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
    // The folders and window places are a convenience: a failed write of them is not worth a
    // message.
    static_cast<void>(saveDesktopFile(state, desktopFilePath(settingsFile)));
    return writeSettingsOrSay(settingsFile, settings, dialogs, "Orvane終了確認");
}

fs::path settingsBackupPath(const fs::path& settingsFile, std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, ".%04d%02d%02d-%02d%02d%02d", (local.tm_year + 1900) % 10000,
                  (local.tm_mon + 1) % 100, local.tm_mday % 100, local.tm_hour % 100,
                  local.tm_min % 100, local.tm_sec % 100);
    fs::path backup = settingsFile;
    backup += stamp;
    // Two refusals within one second keep both files.
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(backup, ec)) && n < 1000; ++n) {
        backup = settingsFile;
        backup += std::string(stamp) + "-" + std::to_string(n);
    }
    return backup;
}

}  // namespace orv
