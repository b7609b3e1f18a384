#pragma once
// Small mountain-name files for the names tests: UTF-8 lines written as CP932 with CR LF.
#include "core/Cp932.h"
#include "state/AppState.h"
#include "state/MountainRecord.h"

#include <string>
#include <vector>

namespace orv::test {

inline std::string cp932File(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp932(line).text;
        bytes += "\r\n";
    }
    return bytes;
}

inline MountainRecord mountain(std::string name, std::string latitude, std::string longitude,
                               std::string elevation = "1000") {
    MountainRecord r;
    r.name = std::move(name);
    r.latitude = std::move(latitude);
    r.longitude = std::move(longitude);
    r.elevation = std::move(elevation);
    r.reading = "よみ";
    r.kind = "A";
    return r;
}

// Puts the records into entries 1..n of the table.
inline void fillMountains(AppState& state, const std::vector<MountainRecord>& records) {
    for (size_t i = 0; i < records.size(); ++i) state.mountainTable[i + 1] = records[i];
    state.mountainCount = static_cast<int32_t>(records.size());
}

}  // namespace orv::test
