#include "app/RouteFile.h"

#include "app/PlanName.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/TextFile.h"
#include "geo/MeshCode.h"

#include <algorithm>
#include <cctype>

namespace orv {

namespace {

constexpr const char* kSeparatorLine = ";";
constexpr const char* kCountSuffix = " TRK";

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
    p.elevation = static_cast<float>(leadingNumber(field(f, 3)));
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
    lines.push_back(joinBlank({m.name, m.latitude, m.longitude, m.elevation, m.reading, m.kind}));
    lines.emplace_back(kSeparatorLine);

    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    lines.push_back(integerText(count) + kCountSuffix);
    lines.emplace_back(kSeparatorLine);
    for (int j = 1; j <= count; ++j) lines.push_back(routePointLine(state.route[static_cast<size_t>(j)]));
    return lines;
}

RouteFileRead readRouteData(const std::filesystem::path& file) {
    RouteFileRead read;
    const TextLines text = readTextLines(file, kRouteHeaderLines + kMaxRoutePoints);
    read.lossless = text.lossless;
    if (text.error != FileError::None) {
        read.problem = RouteFileProblem::Unreadable;
        return read;
    }
    const auto& lines = text.lines;
    if (lines.size() < 7 || !startsWithNumber(lines[6])) {
        read.problem = RouteFileProblem::BadFormat;
        return read;
    }
    const int count = roundHalfEven(leadingNumber(lines[6]));
    if (count > kMaxRoutePoints) {
        read.problem = RouteFileProblem::TooManyPoints;
        return read;
    }
    if (count < 0) {
        read.problem = RouteFileProblem::BadFormat;
        return read;
    }
    if (lines.size() < static_cast<size_t>(kRouteHeaderLines + count)) {
        read.problem = RouteFileProblem::MissingPoints;
        return read;
    }

    read.data.centreMeshCode = field(splitRouteFields(lines[2]), 0);
    const auto destination = splitRouteFields(lines[4]);
    for (size_t i = 0; i < read.data.destination.size(); ++i)
        read.data.destination[i] = field(destination, i);
    read.data.points.reserve(static_cast<size_t>(count));
    for (int j = 1; j <= count; ++j)
        read.data.points.push_back(
            parseRoutePointLine(lines[static_cast<size_t>(kRouteHeaderLines + j - 1)]));

    if (read.data.points.empty() || read.data.points.front().latitude.empty())
        read.problem = RouteFileProblem::NoRoute;
    return read;
}

std::string routeFileMessage(RouteFileProblem problem, const std::string& fileName) {
    switch (problem) {
    case RouteFileProblem::None: return {};
    case RouteFileProblem::Unreadable: return "ルートデータファイル「" + fileName + "」を読み込めません。";
    case RouteFileProblem::BadFormat: return kRouteFileFormatMessage;
    case RouteFileProblem::TooManyPoints: return kRouteFileTooManyMessage;
    case RouteFileProblem::MissingPoints: return kRouteFileMissingPointsMessage;
    case RouteFileProblem::NoRoute: return kNoRouteDataMessage;
    }
    return {};
}

RouteFileLoad readRouteFile(AppState& state, StartMenuModel& menu) {
    const auto file = routeFilePath(state.dataFolder, state.planName);
    RouteFileRead read = readRouteData(file);

    // The file is done with: progress strip and status line cleared.
    menu.progress.clear();
    menu.progressVisible = false;
    menu.status.clear();

    RouteFileLoad load;
    if (read.problem != RouteFileProblem::None) {
        load.message = routeFileMessage(read.problem, file.filename().string());
        state.startCancelled = -1;
        menu.notify();
        return load;
    }

    // The block around the saved centre mesh.
    const RouteFileData& data = read.data;
    state.centreMeshCode = data.centreMeshCode;
    state.levelCorners[0][1] = meshSouthLatitude(data.centreMeshCode);
    state.levelCorners[0][2] = meshWestLongitude(data.centreMeshCode);
    menu.centreSouth = dmsToSeconds(state.levelCorners[0][1]);
    menu.centreWest = dmsToSeconds(state.levelCorners[0][2]);
    state.meshCodes = meshNeighbours(data.centreMeshCode);

    // The destination, when the mountain table holds it.
    const int mountains = std::clamp<int32_t>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= mountains; ++i) {
        const MountainRecord& m = state.mountainTable[static_cast<size_t>(i)];
        if (m.name == data.destination[0] && m.latitude == data.destination[1] &&
            m.longitude == data.destination[2] && m.elevation == data.destination[3]) {
            state.selectedMountain = static_cast<int16_t>(i);
            break;
        }
    }

    // The route points; the points after them keep what they held.
    const auto count = static_cast<int16_t>(data.points.size());
    for (size_t j = 0; j < data.points.size(); ++j) state.route[j + 1] = data.points[j];
    state.routeCount = count;

    state.mountainConfirmed = 1;
    state.routeLoaded = 1;
    menu.trkIndicators[0] = true;
    menu.notify();
    load.loaded = true;
    return load;
}

}  // namespace orv
