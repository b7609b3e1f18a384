#include "map/ColourProfile.h"

#include "core/Blanks.h"
#include "core/LineReader.h"
#include "core/TextFile.h"

#include <charconv>
#include <optional>
#include <cmath>
#include <string_view>
#include <system_error>
#include <vector>

namespace orv {

namespace {

// A profile is 240 short lines; anything much larger is not one.
constexpr std::uintmax_t kMaxProfileBytes = 64 * 1024;
constexpr double kMaxMagnitude = 100000.0;

// Items are separated by spaces and tabs.
bool isBlank(char c) { return isBlankIn(c, kSpacesAndTabs); }

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

std::optional<float> number(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > kMaxMagnitude) return std::nullopt;
    return static_cast<float>(value);
}

}  // namespace

Result<ColourProfile> readColourProfile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxProfileBytes) return Problem{ProblemKind::TooLarge, 0, path.string()};
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    if (bytes.size() > kMaxProfileBytes) return Problem{ProblemKind::TooLarge, 0, path.string()};
    return parseColourProfile(bytes);
}

Result<ColourProfile> parseColourProfile(std::string_view bytes) {
    if (bytes.size() > kMaxProfileBytes) return Problem{ProblemKind::TooLarge, 0, {}};
    ColourProfile profile{};
    int count = 0;
    LineReader lines(bytes, LineEncoding::Cp932);
    while (count < kProfileSamples && lines.next()) {
        const std::vector<std::string_view> parts = fields(lines.bytes());
        if (parts.empty()) continue;
        if (parts.size() != 2) return Problem{ProblemKind::BadRecord, lines.number(), {}};
        const std::optional<float> x = number(parts[0]);
        const std::optional<float> elevation = number(parts[1]);
        if (!x || !elevation) return Problem{ProblemKind::BadRecord, lines.number(), {}};
        profile[static_cast<size_t>(count++)] = {*x, *elevation};
    }
    if (count < kProfileSamples) return Problem{ProblemKind::TooFew, 0, {}};
    return profile;
}

}  // namespace orv
