#include "plans/RouteFile.h"

#include "core/LineReader.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/TextFile.h"
#include "geo/MeshCode.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace orv {

namespace {

constexpr const char* kSeparatorLine = ";";
constexpr const char* kCountSuffix = " TRK";

// An elevation of this many metres or more either way is no height (no height on earth comes
// near): it reads as 0 like a missing one, instead of as an infinite height.
constexpr double kImpossibleElevation = 100000.0;

// Block slots in the order line 3 lists them: the centre first, then the eight around it.
constexpr std::array<size_t, 9> kMeshLineOrder{5, 1, 2, 3, 4, 6, 7, 8, 9};

std::string joinBlank(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ' ';
        line += fields[i];
    }
    return line;
}

const std::string& field(const std::vector<std::string>& fields, size_t i) {
    static const std::string empty;
    return i < fields.size() ? fields[i] : empty;
}

// Line 7 starts with a number (after blanks): a digit, or a sign or point before one.
bool startsWithNumber(std::string_view text) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
}

}  // namespace

std::vector<std::string> splitRouteFields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ' ' || c == ',') fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

std::string routePointLine(const RoutePoint& p) {
    return joinBlank({integerText(p.number), p.latitude, p.longitude, shortestText(p.elevation),
                      p.timeText, p.mountainName, p.placeName, integerText(p.markKind), p.label});
}

RoutePoint parseRoutePointLine(std::string_view line) {
    const auto f = splitRouteFields(line);
    RoutePoint p;
    p.number = roundToInt16(leadingNumber(field(f, 0)));
    p.latitude = field(f, 1);
    p.longitude = field(f, 2);
    const double elevation = leadingNumber(field(f, 3));
    p.elevation = std::abs(elevation) < kImpossibleElevation ? static_cast<float>(elevation) : 0.0f;
    p.timeText = field(f, 4);
    p.mountainName = field(f, 5);
    p.placeName = field(f, 6);
    p.markKind = roundToInt16(leadingNumber(field(f, 7)));
    p.label = field(f, 8);
    return p;
}

std::vector<std::string> routeFileLines(const AppState& state) {
    std::vector<std::string> lines;
    const DmsText& south = state.levelCorners[0][1];
    const DmsText& west = state.levelCorners[0][2];
    lines.push_back(joinBlank({south, west, south, west}));
    lines.emplace_back(kSeparatorLine);

    std::vector<std::string> codes;
    for (size_t slot : kMeshLineOrder) codes.push_back(state.meshCodes[slot]);
    lines.push_back(joinBlank(codes));
    lines.emplace_back(kSeparatorLine);

    static const MountainRecord noMountain;
    const int selected = state.selectedMountain;
    const MountainRecord& m = selected >= 1 && selected <= kMaxMountains
                                  ? state.mountainTable[static_cast<size_t>(selected)]
                                  : noMountain;
    if (&m == &noMountain && !state.destinationLineAsRead.empty())
        lines.push_back(state.destinationLineAsRead);
    else
        lines.push_back(joinBlank({m.name, m.latitude, m.longitude, m.elevation, m.reading, m.kind}));
    lines.emplace_back(kSeparatorLine);

    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    lines.push_back(integerText(count) + kCountSuffix);
    lines.emplace_back(kSeparatorLine);
    for (int j = 1; j <= count; ++j) lines.push_back(routePointLine(state.route[static_cast<size_t>(j)]));
    return lines;
}

Result<RouteFileData> readRouteData(const std::filesystem::path& file) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(file, bytes, kMaxRouteFileBytes), file.string())) return *problem;
    return parseRouteData(bytes);
}

Result<RouteFileData> parseRouteData(std::string_view bytes) {
    // The header, then only as many point lines as the count states.
    RouteFileData data;
    LineReader lines(bytes, LineEncoding::Cp932);
    std::vector<std::string> header;
    while (header.size() < static_cast<size_t>(kRouteHeaderLines) && lines.next())
        header.push_back(lines.text());
    if (header.size() < static_cast<size_t>(kRouteCountLine) || !startsWithNumber(header[kRouteCountLine - 1]))
        return Problem{ProblemKind::BadFormat, kRouteCountLine, {}};
    const double stated = leadingNumber(header[kRouteCountLine - 1]);
    if (stated > kMaxRoutePoints) return Problem{ProblemKind::TooMany, kRouteCountLine, {}};
    const int count = roundHalfEven(stated);
    if (count > kMaxRoutePoints) return Problem{ProblemKind::TooMany, kRouteCountLine, {}};
    if (count < 0) return Problem{ProblemKind::BadFormat, kRouteCountLine, {}};
    if (header.size() < static_cast<size_t>(kRouteHeaderLines))
        return Problem{ProblemKind::TooFew, 0, {}};

    // The block's paths are built from this code: it must be one.
    data.centreMeshCode = field(splitRouteFields(header[kRouteMeshLine - 1]), 0);
    if (!isValidMeshCode(data.centreMeshCode))
        return Problem{ProblemKind::BadValue, kRouteMeshLine, data.centreMeshCode};

    data.destinationLine = header[4];
    const auto destination = splitRouteFields(header[4]);
    for (size_t i = 0; i < data.destination.size(); ++i) data.destination[i] = field(destination, i);
    data.points.reserve(static_cast<size_t>(count));
    while (data.points.size() < static_cast<size_t>(count) && lines.next())
        data.points.push_back(parseRoutePointLine(lines.text()));
    if (data.points.size() < static_cast<size_t>(count)) return Problem{ProblemKind::TooFew, 0, {}};
    data.lossless = lines.lossless();

    if (data.points.empty() || data.points.front().latitude.empty())
        return Problem{ProblemKind::NoData, 0, {}};
    return data;
}

}  // namespace orv
