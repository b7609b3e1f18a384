#include "app/StartMenuFile.h"

#include "core/Characters.h"
#include "core/ShownText.h"
#include "plans/PlanName.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

std::optional<GivenFileKind> kindOf(const fs::path& path) {
    static constexpr std::array<std::pair<const char*, GivenFileKind>, 7> kKinds{{
        {".RTD", GivenFileKind::Plan},
        {".TRK", GivenFileKind::PcxTrack},
        {".WPT", GivenFileKind::PcxWaypoints},
        {".TXT", GivenFileKind::WaypointPlus},
        {".GPX", GivenFileKind::Gpx},
        {".NDB", GivenFileKind::MountainNames},
        {".YMD", GivenFileKind::MountainNames},
    }};
    const std::string ext = asciiUpper(path.extension().string());
    for (const auto& [extension, kind] : kKinds)
        if (ext == extension) return kind;
    return std::nullopt;
}

GivenFileCheck refused(const std::string& message, const fs::path& path) {
    return {std::nullopt, message + "\r\n" + shownFileText(path.string(), 200)};
}

}  // namespace

GivenFileCheck checkGivenFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return refused(kGivenFileMissingMessage, path);
    const std::optional<GivenFileKind> kind = kindOf(path);
    if (!kind) return refused(kGivenFileUnknownMessage, path);
    if (!fs::is_regular_file(path, ec) || !std::ifstream(path, std::ios::binary).is_open())
        return refused(kGivenFileUnreadableMessage, path);
    GivenFile file{*kind, path};
    if (file.kind == GivenFileKind::Plan) {
        if (const auto refusal = validatePlanName(file.planName()))
            return refused(std::string(kGivenPlanNameMessage) + "\r\n" + *refusal, path);
    }
    return {file, {}};
}

std::optional<fs::path> fileBeside(const fs::path& path, const std::string& upper) {
    for (const std::string& extension : {upper, asciiLower(upper)}) {
        fs::path beside = path;
        beside.replace_extension(extension);
        std::error_code ec;
        if (fs::is_regular_file(beside, ec)) return beside;
    }
    return std::nullopt;
}

GivenGpsImport givenGpsImport(const GivenFile& file) {
    GivenGpsImport import;
    const std::string path = file.path.string();
    switch (file.kind) {
    case GivenFileKind::PcxTrack:
        import.choice = {kGpsFormatPcx, false};
        import.answers.emplace_back(kPcxTrackFilter, path);
        if (const auto waypoints = fileBeside(file.path, ".WPT")) {
            import.choice.readWaypoints = true;
            import.answers.emplace_back(kPcxWaypointFilter, waypoints->string());
        }
        break;
    case GivenFileKind::PcxWaypoints:
        import.choice = {kGpsFormatPcx, true};
        if (const auto track = fileBeside(file.path, ".TRK")) import.answers.emplace_back(kPcxTrackFilter, track->string());
        import.answers.emplace_back(kPcxWaypointFilter, path);
        break;
    case GivenFileKind::WaypointPlus:
        import.choice = {kGpsFormatWaypointPlus, false};
        import.answers.emplace_back(kWaypointPlusFilter, path);
        break;
    case GivenFileKind::Gpx:
        import.choice = {kGpsFormatGpx, false};
        import.answers.emplace_back(kGpxFilter, path);
        break;
    case GivenFileKind::Plan:
    case GivenFileKind::MountainNames:
        break;
    }
    return import;
}

std::optional<std::string> GivenFileDialogs::openFile(const std::string& title, const std::string& filter,
                                                      const std::string& initialPath, size_t selectedFilter) {
    const auto answer = std::find_if(answers_.begin(), answers_.end(),
                                     [&](const auto& entry) { return entry.first == filter; });
    if (answer == answers_.end()) return dialogs_.openFile(title, filter, initialPath, selectedFilter);
    std::string path = std::move(answer->second);
    answers_.erase(answer);
    return path;
}

}  // namespace orv
