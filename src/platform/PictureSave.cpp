#include "platform/PictureSave.h"

#include <array>
#include <cctype>

namespace orv {

namespace {

struct PictureEntry {
    const char* extension;
    PictureFormat format;
};

// The entries of kPictureFileFilter in order, with the extension each adds.
constexpr std::array<PictureEntry, 2> kEntries{{{".BMP", PictureFormat::Bmp}, {".PNG", PictureFormat::Png}}};

bool sameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::optional<PictureFile> askPictureFile(Dialogs& dialogs, const std::string& title, const FileFolders& folders,
                                          const std::filesystem::path& dataFolder,
                                          const std::filesystem::path& programFolder) {
    const std::filesystem::path start = folders.start(FileKind::Picture, dataFolder, programFolder);
    const std::optional<Dialogs::SavedAs> chosen = dialogs.saveFileAs(title, kPictureFileFilter, start.string());
    if (!chosen || chosen->path.empty()) return std::nullopt;

    std::filesystem::path path(chosen->path);
    const std::string typed = path.extension().string();
    for (const PictureEntry& entry : kEntries)
        if (sameLetters(typed, entry.extension)) return PictureFile{path, entry.format};
    const size_t index = chosen->filterIndex >= 0 && static_cast<size_t>(chosen->filterIndex) < kEntries.size()
                             ? static_cast<size_t>(chosen->filterIndex)
                             : 0;
    // A name typed with a closing dot ("map2.") gets the extension in that dot's place.
    std::string name = path.filename().string();
    if (name.find_first_not_of('.') != std::string::npos)
        while (name.back() == '.') name.pop_back();
    path.replace_filename(name + kEntries[index].extension);
    return PictureFile{path, kEntries[index].format};
}

}  // namespace orv
