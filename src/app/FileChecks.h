#pragma once
// Looking for a file: a plain yes/no, and the variant used for elevation and plan files that
// warns when the look itself fails and then treats the area as sea.
#include "platform/Dialogs.h"

#include <filesystem>

namespace orv {

// True when a regular file exists at the path; any error while looking gives false.
// A folder with the file's name does not count.
bool fileExists(const std::filesystem::path& path);

// As fileExists, but an error while looking (other than "no such file") shows the
// "ファイルエラー" warning first and then gives false.
bool fileExistsOrSea(const std::filesystem::path& path, Dialogs& dialogs);

// The warning of fileExistsOrSea, also shown when an existing file cannot be opened.
void showSeaWarning(Dialogs& dialogs);

}  // namespace orv
