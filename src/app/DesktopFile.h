#pragma once
// The desktop file beside the settings file ("Orvane2.desktop.ini" in the settings' folder):
// the folder each kind of file was last used in and the main windows' last places. The
// settings file keeps its own keys; this one has the same line format (IniStore) with the
// sections [Folders] (kind name = folder), [Windows] (window name = left,top,width,height) and
// [Sight] (the panorama's and the visible-area map's choices, written only once one differs
// from its start value; a value out of range is not read).
#include "app/IniStore.h"
#include "platform/DesktopPlaces.h"
#include "state/AppState.h"

#include <filesystem>

namespace orv {

inline constexpr const char* kDesktopFileName = "Orvane2.desktop.ini";

// The desktop file beside `settingsFile`.
std::filesystem::path desktopFilePath(const std::filesystem::path& settingsFile);

// Takes what the file holds into state.fileFolders and state.windowFrames. A missing or
// unreadable file, and entries that do not read (an unknown kind, a folder that is not
// absolute, a frame that is not four numbers), leave the defaults: nothing here is worth a
// message.
void loadDesktopFile(AppState& state, const std::filesystem::path& path);

// The store of the folders and frames, in a fixed order (kinds in their order, windows by name).
IniStore desktopStore(const AppState& state);

// Writes the file atomically (writeSettingsFile).
Status saveDesktopFile(const AppState& state, const std::filesystem::path& path);

}  // namespace orv
