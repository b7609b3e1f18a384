#include "terrain/MemWriter.h"

#include "terrain/Resampler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orv::terrain {

namespace {

constexpr int kLowestTenths = -9998;  // -9999 means no data
constexpr int kHighestTenths = 99999;

}  // namespace

std::string memField(float metres) {
    if (std::isnan(metres)) return "-9999";
    const double tenths = std::nearbyint(static_cast<double>(metres) * 10.0);
    const int value = static_cast<int>(std::clamp(tenths, double{kLowestTenths}, double{kHighestTenths}));
    char text[8];
    std::snprintf(text, sizeof text, "%5d", value);
    return text;
}

std::string formatMemFile(std::string_view code, const std::vector<float>& heights, std::string_view note) {
    std::string out;
    out.reserve(static_cast<size_t>(kMeshSide + 1) * 1011);
    out.append(code);
    out += " 200 200";
    if (!note.empty()) {
        out += ' ';
        out.append(note);
    }
    out += "\r\n";
    char number[8];
    for (int n = 0; n < kMeshSide; ++n) {
        out.append(code);
        std::snprintf(number, sizeof number, "%03d", n + 1);
        out += number;
        for (int k = 0; k < kMeshSide; ++k) {
            const size_t i = static_cast<size_t>(n) * kMeshSide + static_cast<size_t>(k);
            out += memField(i < heights.size() ? heights[i] : kNoHeight);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace orv::terrain
