#include "app/DesktopFile.h"

#include "core/Cp932.h"

#include <cmath>
#include <cstdlib>
#include <locale>
#include <sstream>
#include <string>
#include <string_view>

namespace orv {

namespace {

constexpr std::string_view kFoldersSection = "Folders";
constexpr std::string_view kWindowsSection = "Windows";
// The panorama's and the visible-area map's choices.
constexpr std::string_view kSightSection = "Sight";
// More windows than the program has are not read.
constexpr size_t kMaxWindowEntries = 64;

// A number of the sight section within lo..hi; anything else leaves `value` as it was.
void readNumber(const IniStore& store, std::string_view key, double lo, double hi, double& value) {
    if (!store.contains(kSightSection, key)) return;
    const std::string text = store.get(kSightSection, key);
    char* end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(read) || read < lo || read > hi) return;
    value = read;
}

void readFlag(const IniStore& store, std::string_view key, bool& value) {
    if (!store.contains(kSightSection, key)) return;
    const std::string text = store.get(kSightSection, key);
    if (text == "0" || text == "1") value = text == "1";
}

std::string numberText(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

bool storable(const std::string& folder) {
    return isValidUtf8(folder) && folder.find_first_of("\r\n") == std::string::npos;
}

void loadSightChoices(SightChoices& choices, const IniStore& store) {
    readNumber(store, "EyeHeight", 0.0, kMaxEyeHeight, choices.eyeHeight);
    readNumber(store, "Distance", kMinSightDistanceKm, kMaxSightDistanceKm, choices.maxDistanceKm);
    readNumber(store, "Refraction", -1.0, 1.0, choices.refraction);
    readNumber(store, "Azimuth", 0.0, 360.0, choices.azimuth);
    readNumber(store, "FieldOfView", kMinFieldOfView, 360.0, choices.fieldOfView);
    if (choices.azimuth >= 360.0) choices.azimuth = 0.0;
    readFlag(store, "HiddenPeaks", choices.hiddenPeaks);
    readFlag(store, "Download", choices.download);
    if (store.contains(kSightSection, "TileFolder")) {
        const std::filesystem::path folder(store.get(kSightSection, "TileFolder"));
        if (folder.is_absolute()) choices.tileFolder = folder;
    }
}

void storeSightChoices(const SightChoices& choices, IniStore& store) {
    const SightChoices defaults;
    const bool asDefault = choices.eyeHeight == defaults.eyeHeight &&
                           choices.maxDistanceKm == defaults.maxDistanceKm &&
                           choices.refraction == defaults.refraction && choices.azimuth == defaults.azimuth &&
                           choices.fieldOfView == defaults.fieldOfView &&
                           choices.hiddenPeaks == defaults.hiddenPeaks && choices.download == defaults.download &&
                           choices.tileFolder.empty();
    if (asDefault) return;
    store.set(kSightSection, "EyeHeight", numberText(choices.eyeHeight));
    store.set(kSightSection, "Distance", numberText(choices.maxDistanceKm));
    store.set(kSightSection, "Refraction", numberText(choices.refraction));
    store.set(kSightSection, "Azimuth", numberText(choices.azimuth));
    store.set(kSightSection, "FieldOfView", numberText(choices.fieldOfView));
    store.set(kSightSection, "HiddenPeaks", choices.hiddenPeaks ? "1" : "0");
    store.set(kSightSection, "Download", choices.download ? "1" : "0");
    const std::string folder = choices.tileFolder.string();
    if (!folder.empty() && storable(folder)) store.set(kSightSection, "TileFolder", folder);
}

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
    loadSightChoices(state.sightChoices, store);
}

IniStore desktopStore(const AppState& state) {
    IniStore store;
    for (size_t i = 0; i < kFileKinds; ++i) {
        const auto kind = static_cast<FileKind>(i);
        // A folder whose name is not UTF-8 cannot be kept in the file (nor one with a line break).
        const std::string folder = state.fileFolders.last(kind).string();
        if (!folder.empty() && storable(folder))
            store.set(kFoldersSection, fileKindName(kind), folder);
    }
    for (const auto& [name, frame] : state.windowFrames) store.set(kWindowsSection, name, windowFrameText(frame));
    storeSightChoices(state.sightChoices, store);
    return store;
}

Status saveDesktopFile(const AppState& state, const std::filesystem::path& path) {
    return writeSettingsFile(path, desktopStore(state));
}

}  // namespace orv
