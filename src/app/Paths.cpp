#include "app/Paths.h"

#include <cstdlib>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec);
    return exe.parent_path();
}

fs::path findAppFolder(const fs::path& executableDir) {
    std::error_code ec;
    if (fs::is_directory(executableDir / "help", ec)) return executableDir;
    const fs::path installed = executableDir.parent_path() / "share" / "orvane";
    if (fs::is_directory(installed / "help", ec)) return installed;
    return executableDir;
}

namespace {

fs::path homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? fs::path(home) : fs::path("/tmp");
}

}  // namespace

fs::path defaultDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const fs::path base = (xdg != nullptr && *xdg == '/') ? fs::path(xdg)
                                                          : homeFolder() / ".local" / "share";
    return base / "Orvane" / "Data";
}

fs::path sampleMeshFolder(const fs::path& appFolder) { return appFolder / "sample" / "dem"; }

fs::path sampleMountainFile(const fs::path& appFolder) {
    return appFolder / "sample" / "japan.ndb";
}

std::filesystem::path overviewPicturePath(const std::filesystem::path& appFolder) {
    return appFolder / "overview" / "japan.jpg";
}

}  // namespace orv
