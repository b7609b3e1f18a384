#pragma once
// Where Orvane's files live on a Linux desktop: read-only assets beside the executable (or in
// ../share/orvane when installed), the user's data folder under $XDG_DATA_HOME.
#include <filesystem>

namespace orv {

// The folder of the running executable.
std::filesystem::path executableFolder();

// The folder holding the read-only assets (help pages, sample data): the executable's folder
// when it has them, else ../share/orvane beside it.
std::filesystem::path findAppFolder(const std::filesystem::path& executableDir);

// $XDG_DATA_HOME/Orvane/Data, or ~/.local/share/Orvane/Data.
std::filesystem::path defaultDataFolder();

// The bundled sample elevation data of the Hidaka mountains.
std::filesystem::path sampleMeshFolder(const std::filesystem::path& appFolder);
// The bundled mountain-name file of Japan's main peaks, proposed while no file has been chosen
// (the Hidaka sample's own file, sample/hidaka.ndb, is shipped beside it).
std::filesystem::path sampleMountainFile(const std::filesystem::path& appFolder);

// The picture of Japan the start menu's overview shows.
std::filesystem::path overviewPicturePath(const std::filesystem::path& appFolder);

}  // namespace orv
