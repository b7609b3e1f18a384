#pragma once
// Finds the mounted optical discs (the survey's data CD-ROM): mount points of iso9660 and udf
// file systems, in the order the system lists them.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The optical mount points named in a mounts table (the text of /proc/self/mounts).
std::vector<std::filesystem::path> opticalMountPoints(std::string_view mountsTable);

// The optical mount points of this machine; empty when none or when the table cannot be read.
std::vector<std::filesystem::path> opticalMountPoints();

// The data folder of a disc: its "Data" folder, matched without regard to case.
std::filesystem::path discDataFolder(const std::filesystem::path& mountPoint);

}  // namespace orv
