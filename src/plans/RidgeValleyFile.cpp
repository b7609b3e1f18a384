#include "plans/RidgeValleyFile.h"

#include "core/Blanks.h"
#include "core/Characters.h"
#include "core/LineReader.h"
#include "core/TextFile.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "platform/Progress.h"

#include <algorithm>
#include <cctype>

namespace orv {

namespace {

// Progress counts every line as its characters plus this many.
constexpr int kLineOverhead = 5;

// Tokens are separated and trimmed at spaces only: a tab belongs to its token.
std::string_view trimBlanks(std::string_view s) { return orv::trimBlanks(s, kSpaces); }

// The token before the first blank and the trimmed text from that blank on.
std::pair<std::string_view, std::string_view> splitFirst(std::string_view s) {
    const auto blank = s.find(' ');
    if (blank == std::string_view::npos) return {trimBlanks(s), {}};
    return {trimBlanks(s.substr(0, blank)), trimBlanks(s.substr(blank))};
}

bool isNumberText(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
}

}  // namespace

std::string ridgeValleyLine(const RidgeValleyPoint& p) {
    return p.latitude + " " + p.longitude + " " + integerText(p.kind);
}

std::optional<RidgeValleyPoint> parseRidgeValleyLine(std::string_view line) {
    const auto [latitude, rest] = splitFirst(trimBlanks(line));
    const auto [longitude, kind] = splitFirst(rest);
    if (!isNumberText(latitude) || !isNumberText(longitude) || !isNumberText(kind))
        return std::nullopt;
    RidgeValleyPoint p;
    p.latitude = latitude;
    p.longitude = longitude;
    p.kind = roundToInt16(leadingNumber(kind));
    return p;
}

int ridgeValleySaveProgress(int i, int count) {
    if (count <= 1) return kProgressWidth;
    return roundHalfEven(static_cast<double>(i) / (count - 1) * kProgressWidth);
}

std::vector<std::string> ridgeValleyFileLines(const AppState& state,
                                              const std::function<void(int)>& progress) {
    const int count = std::clamp<int32_t>(state.ridgeValleyCount, 0, kMaxRidgeValleyPoints);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back(ridgeValleyLine(state.ridgeValleyPoints[static_cast<size_t>(i)]));
        if (progress) progress(ridgeValleySaveProgress(i, count));
    }
    return lines;
}

Result<RidgeValleyData> readRidgeValleyData(const std::filesystem::path& file,
                                            const std::function<void(int)>& progress) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(file, bytes, kMaxRidgeValleyFileBytes), file.string()))
        return *problem;
    return parseRidgeValleyData(bytes, progress);
}

RidgeValleyData parseRidgeValleyData(std::string_view bytes, const std::function<void(int)>& progress) {
    RidgeValleyData data;
    const auto length = static_cast<double>(bytes.size());
    LineReader lines(bytes, LineEncoding::Cp932);
    double total = 0;
    while (lines.next()) {
        const std::string line = lines.text();
        total += static_cast<double>(characterCount(line) + kLineOverhead);
        if (progress) progress(length > 0 ? roundHalfEven(total / length * kProgressWidth) : 0);
        if (trimBlanks(line).empty()) continue;
        const auto point = parseRidgeValleyLine(line);
        if (!point) {
            ++data.skippedLines;
            continue;
        }
        if (data.points.size() >= static_cast<size_t>(kMaxRidgeValleyPoints)) {
            data.truncated = true;
            break;
        }
        data.points.push_back(*point);
    }
    data.lossless = lines.lossless();
    return data;
}

}  // namespace orv
