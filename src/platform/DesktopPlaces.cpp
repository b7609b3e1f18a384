#include "platform/DesktopPlaces.h"

#include <charconv>
#include <iterator>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, kFileKinds> kKindNames{"picture",  "gps",      "schedule",
                                                              "mountain", "mapImage", "elevationSource"};

}  // namespace

std::string_view fileKindName(FileKind kind) { return kKindNames[static_cast<size_t>(kind)]; }

std::optional<FileKind> fileKindNamed(std::string_view name) {
    for (size_t i = 0; i < kKindNames.size(); ++i)
        if (kKindNames[i] == name) return static_cast<FileKind>(i);
    return std::nullopt;
}

bool isInsideFolder(const fs::path& path, const fs::path& folder) {
    if (path.empty() || folder.empty()) return false;
    const fs::path p = path.lexically_normal();
    const fs::path f = folder.lexically_normal();
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi) {
        if (fi->empty() && std::next(fi) == f.end()) break;  // a trailing separator
        if (pi == p.end() || *pi != *fi) return false;
        ++pi;
    }
    return true;
}

fs::path FileFolders::start(FileKind kind, const fs::path& dataFolder, const fs::path& programFolder) const {
    const fs::path& folder = last(kind);
    std::error_code error;
    if (!folder.empty() && !isInsideFolder(folder, programFolder) && fs::is_directory(folder, error)) return folder;
    return dataFolder;
}

std::string FileFolders::startPath(FileKind kind, const fs::path& dataFolder, const fs::path& programFolder,
                                   const std::string& fileName) const {
    const fs::path folder = start(kind, dataFolder, programFolder);
    const fs::path name = fs::path(fileName).filename();
    return name.empty() ? folder.string() : (folder / name).string();
}

void FileFolders::remember(FileKind kind, const fs::path& file) {
    setLast(kind, file.parent_path());
}

void FileFolders::setLast(FileKind kind, const fs::path& folder) {
    if (folder.is_absolute()) folders_[static_cast<size_t>(kind)] = folder.lexically_normal();
}

std::optional<WindowFrame> parseWindowFrame(std::string_view text) {
    std::array<int, 4> values{};
    size_t field = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (field < values.size()) {
        const auto [next, error] = std::from_chars(at, end, values[field]);
        if (error != std::errc() || values[field] < -kMaxWindowCoordinate || values[field] > kMaxWindowCoordinate)
            return std::nullopt;
        ++field;
        at = next;
        if (field < values.size()) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
    }
    if (at != end) return std::nullopt;
    const WindowFrame frame{values[0], values[1], values[2], values[3]};
    if (frame.width <= 0 || frame.height <= 0) return std::nullopt;
    return frame;
}

std::string windowFrameText(const WindowFrame& frame) {
    return std::to_string(frame.left) + "," + std::to_string(frame.top) + "," + std::to_string(frame.width) + "," +
           std::to_string(frame.height);
}

}  // namespace orv
