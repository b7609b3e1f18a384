#pragma once
// Where a picture is saved: the save dialog every picture of the program is saved through
// (the route map and the profile). The entry chosen in the dialog's filter decides the
// format, and its extension is added to a name typed without one of the offered extensions.
// The dialog starts in the folder the user last saved a picture in, else in the data folder.
#include "platform/DesktopPlaces.h"
#include "platform/Dialogs.h"
#include "platform/DrawingSurface.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orv {

// BMP first, and so chosen unless the user picks PNG.
inline constexpr const char* kPictureFileFilter =
    "BMPデータファイル(*.BMP)|*.BMP;*.bmp|PNGデータファイル(*.PNG)|*.PNG;*.png";

struct PictureFile {
    std::filesystem::path path;
    PictureFormat format = PictureFormat::Bmp;
};

// The file to save a picture in, from the dialog titled `title`, or nothing when it was
// cancelled. A name ending in ".bmp" or ".png" (any letter case) keeps its name and is written
// in the format it names; any other name gets the extension of the chosen entry (".BMP" or
// ".PNG") and its format. The dialog starts in the folder of the last picture while that is a
// folder outside programFolder, else in dataFolder (FileFolders::start); the caller remembers
// the folder once the picture is written.
std::optional<PictureFile> askPictureFile(Dialogs& dialogs, const std::string& title, const FileFolders& folders,
                                          const std::filesystem::path& dataFolder,
                                          const std::filesystem::path& programFolder);

}  // namespace orv
