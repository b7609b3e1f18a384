#include "app/DesktopFile.h"

#include "core/Cp932.h"

#include <string>
#include <string_view>

namespace orv {

namespace {

constexpr std::string_view kFoldersSection = "Folders";
constexpr std::string_view kWindowsSection = "Windows";
// More windows than the program has are not read.
constexpr size_t kMaxWindowEntries = 64;

}  // namespace

std::filesystem::path desktopFilePath(const std::filesystem::path& settingsFile) {
    return settingsFile.parent_path() / kDesktopFileName;
}

void loadDesktopFile(AppState& state, const std::filesystem::path& path) {
    Result<IniStore> read = readSettingsFile(path);
    if (!read.ok()) return;
    const IniStore& store = read.value();
    for (size_t i = 0; i < kFileKinds; ++i) {
        const auto kind = static_cast<FileKind>(i);
        if (store.contains(kFoldersSection, fileKindName(kind)))
            state.fileFolders.setLast(kind, std::filesystem::path(store.get(kFoldersSection, fileKindName(kind))));
    }
    store.forEach(kWindowsSection, [&state](std::string_view name, std::string_view value) {
        if (state.windowFrames.size() >= kMaxWindowEntries || name.empty()) return;
        if (const std::optional<WindowFrame> frame = parseWindowFrame(value))
            state.windowFrames.insert_or_assign(std::string(name), *frame);
    });
}

IniStore desktopStore(const AppState& state) {
    IniStore store;
    for (size_t i = 0; i < kFileKinds; ++i) {
        const auto kind = static_cast<FileKind>(i);
        // A folder whose name is not UTF-8 cannot be kept in the file (nor one with a line break).
        const std::string folder = state.fileFolders.last(kind).string();
        if (!folder.empty() && isValidUtf8(folder) && folder.find_first_of("\r\n") == std::string::npos)
            store.set(kFoldersSection, fileKindName(kind), folder);
    }
    for (const auto& [name, frame] : state.windowFrames) store.set(kWindowsSection, name, windowFrameText(frame));
    return store;
}

Status saveDesktopFile(const AppState& state, const std::filesystem::path& path) {
    return writeSettingsFile(path, desktopStore(state));
}

}  // namespace orv
