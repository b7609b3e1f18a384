#pragma once
// What the program remembers of the desktop between windows and runs: the folder each kind of
// file was last opened from or saved to, and where each main window stood and how large it
// was. Kept in AppState; written beside the settings (app/DesktopFile).
#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The kinds of file whose dialogs remember their folder, each on its own.
enum class FileKind { Picture, GpsFile, Schedule, MountainFile, MapImage, ElevationSource };
inline constexpr size_t kFileKinds = 6;

// The stored name of a kind ("picture", "gps", …), and the kind of a stored name.
std::string_view fileKindName(FileKind kind);
std::optional<FileKind> fileKindNamed(std::string_view name);

class FileFolders {
public:
    // The folder a file dialog of `kind` starts in: the one last used for that kind while it is
    // a folder outside the program's own folder (its samples are not the user's files), else
    // the data folder.
    std::filesystem::path start(FileKind kind, const std::filesystem::path& dataFolder,
                                const std::filesystem::path& programFolder) const;
    // start() with `fileName` (its folder part dropped) proposed in it; the folder alone for an
    // empty name.
    std::string startPath(FileKind kind, const std::filesystem::path& dataFolder,
                          const std::filesystem::path& programFolder, const std::string& fileName) const;
    // A file of `kind` was opened or saved: its folder is the kind's last folder. A file
    // without an absolute folder changes nothing.
    void remember(FileKind kind, const std::filesystem::path& file);

    const std::filesystem::path& last(FileKind kind) const { return folders_[static_cast<size_t>(kind)]; }
    // The stored folder of a kind as read back (absolute folders only).
    void setLast(FileKind kind, const std::filesystem::path& folder);

private:
    std::array<std::filesystem::path, kFileKinds> folders_;
};

// True when `path` is `folder` or lies inside it (lexically, after normalising both).
bool isInsideFolder(const std::filesystem::path& path, const std::filesystem::path& folder);

// A window's place: its client area on the desktop, in pixels.
struct WindowFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowFrame&) const = default;
};

// The last place of each main window, by the window's name ("ORV_VVIEW", …).
using WindowFrames = std::map<std::string, WindowFrame, std::less<>>;

// Largest window side and coordinate kept; anything beyond is not a real desktop's.
inline constexpr int kMaxWindowCoordinate = 100000;

// A stored frame "left,top,width,height": the frame, or nothing when it is not four integers
// within ±kMaxWindowCoordinate with a width and height above 0.
std::optional<WindowFrame> parseWindowFrame(std::string_view text);
std::string windowFrameText(const WindowFrame& frame);

}  // namespace orv
