#include "platform/OpticalDrives.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

// Mount tables write blanks, tabs, newlines and backslashes in paths as octal escapes ("\040").
std::string unescapeMountPath(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

}  // namespace

std::vector<fs::path> opticalMountPoints(std::string_view mountsTable) {
    std::vector<fs::path> points;
    std::istringstream lines{std::string(mountsTable)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        if (type == "iso9660" || type == "udf") points.emplace_back(unescapeMountPath(mountPoint));
    }
    return points;
}

std::vector<fs::path> opticalMountPoints() {
    // /proc files report size 0, so read them as a stream rather than by size.
    std::ifstream in("/proc/self/mounts");
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return opticalMountPoints(text.str());
}

fs::path discDataFolder(const fs::path& mountPoint) {
    std::error_code ec;
    if (fs::is_directory(mountPoint / "Data", ec)) return mountPoint / "Data";
    for (fs::directory_iterator it(mountPoint, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        for (auto& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (name == "data") return it->path();
    }
    return mountPoint / "Data";
}

}  // namespace orv
