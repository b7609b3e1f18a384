#pragma once
// The start sequence: data folder, splash, fixed tables and start values, settings loaded and
// written back at once, the empty plan files, then the start menu.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "platform/Dialogs.h"

#include <filesystem>
#include <functional>

namespace orv {

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

// Runs the start sequence in order. When the data folder or the empty plan files cannot be
// made, tells the user why and returns without showing the start menu (the caller exits).
StartResult startProgram(AppState& state, IniStore& settings, const StartPaths& paths,
                         Dialogs& dialogs, const StartWindows& windows);

// Exit confirmed: writes the settings. False (after telling the user) when they could not be
// written.
bool saveSettingsAtExit(const AppState& state, IniStore& settings,
                        const std::filesystem::path& settingsFile, Dialogs& dialogs);

}  // namespace orv
