#include "gps/GpsImport.h"

#include "core/TextFile.h"
#include "gps/GpsFields.h"
#include "core/LineReader.h"
#include "platform/Progress.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace orv {

namespace {

// What each reader calls its data in messages, its message title and its progress text.
struct ReaderTexts {
    const char* data;
    const char* title;
    const char* progress;
};

constexpr ReaderTexts kPcxTrack{"ＴＲＫデータ", kTrackReadTitle, kPcxTrackProgressText};
constexpr ReaderTexts kPcxWaypoints{"ＷＰＴデータ", kWaypointReadTitle, kPcxWaypointProgressText};
constexpr ReaderTexts kWaypointPlus{"Waypoint＋データ", kTrackReadTitle, kWaypointPlusProgressText};

// Why a record line cannot be read (the second line of the message).
constexpr const char* kNoLatitudeMark = "緯度の前の「N」がありません。";
constexpr const char* kNoLongitudeMark = "経度の前の「E」がありません。";
constexpr const char* kBadLatitude = "緯度が数値でないか、範囲を外れています。";
constexpr const char* kBadLongitude = "経度が数値でないか、範囲を外れています。";
constexpr const char* kNoDate = "経度の後に日付がありません。";
constexpr const char* kBadDate = "日付が DD-MMM-YY の形ではありません。";
constexpr const char* kNoTime = "日付の後に時刻がありません。";
constexpr const char* kBadTime = "時刻が HH:MM:SS の形ではありません。";
constexpr const char* kFewItems = "項目が7つに足りません。";
constexpr const char* kFewFields = "コンマで区切った項目が足りません。";
constexpr const char* kLineTooLong = "行が長すぎます。";

constexpr std::string_view kUnitMarker = "U  LAT LON";

// Items of a PCX waypoint line and fields of a Waypoint+ record.
constexpr size_t kWaypointItems = 7;
constexpr size_t kWaypointPlusWaypointFields = 5;
constexpr size_t kWaypointPlusTrackFields = 6;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Items separated by runs of blanks.
std::vector<std::string_view> blankItems(std::string_view line) {
    std::vector<std::string_view> items;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) items.push_back(line.substr(start, i - start));
    }
    return items;
}

std::vector<std::string_view> commaFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                            : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

GpsReadResult problem(const ReaderTexts& texts, GpsReadStatus status, int line,
                      std::string message, Icon icon = Icon::Warning) {
    GpsReadResult result;
    result.status = status;
    result.line = line;
    result.message = std::move(message);
    result.title = texts.title;
    result.icon = icon;
    return result;
}

GpsReadResult brokenLine(const ReaderTexts& texts, int line, const char* why) {
    return problem(texts, GpsReadStatus::BrokenLine, line,
                   std::string(texts.data) + "の " + std::to_string(line) +
                       " 行目を読み取れません。\r\n" + why);
}

GpsReadResult tooMany(const ReaderTexts& texts, GpsReadStatus status, int line,
                      std::string_view what, int limit) {
    return problem(texts, status, line,
                   std::string(texts.data) + "の" + std::string(what) + "が" +
                       std::to_string(limit) + "点を超えています。");
}

GpsReadResult fileProblem(const ReaderTexts& texts, FileError error,
                          const std::filesystem::path& path) {
    const char* what = error == FileError::NotFound   ? "GPSファイルが見つかりません。"
                       : error == FileError::TooLarge ? "GPSファイルが大きすぎます。"
                                                      : "GPSファイルを読み込めません。";
    return problem(texts, GpsReadStatus::FileError, 0, std::string(what) + "\r\n" + path.string());
}

// A failed read leaves no partial route or waypoints behind.
GpsReadResult failed(AppState& state, GpsReadResult result) {
    clearRoute(state);
    clearWaypoints(state);
    state.waypointsRead = 0;
    return result;
}

// The progress strip of one reader: round(characters read / file length × 200).
class ReadProgress {
public:
    ReadProgress(const GpsProgress& report, const char* text, size_t fileLength)
        : report_(report), text_(text), fileLength_(fileLength) {
        if (report_) report_(0, text_);
    }

    void afterLine(const LineReader& lines) const {
        if (!report_) return;
        int value = kProgressWidth;
        if (fileLength_ > 0 && lines.charactersRead() < fileLength_)
            value = std::min(kProgressWidth, progressValue(static_cast<int>(lines.charactersRead()),
                                                           static_cast<int>(fileLength_)));
        report_(value, text_);
    }

private:
    const GpsProgress& report_;
    std::string text_;
    size_t fileLength_;
};

enum class UnitLine { None, Set, Unsupported };

// A line holding "U  LAT LON" sets the unit from its last three characters (blanks after them
// are not counted).
UnitLine readUnitLine(const LineReader& lines, PcxUnit& unit) {
    if (lines.bytes().find(kUnitMarker) == std::string_view::npos) return UnitLine::None;
    const std::string text = lines.text();
    if (text.find(kUnitMarker) == std::string::npos) return UnitLine::None;
    std::string_view trimmed = text;
    while (!trimmed.empty() && isBlank(trimmed.back())) trimmed.remove_suffix(1);
    const std::string_view last =
        trimmed.substr(trimmed.size() - std::min<size_t>(3, trimmed.size()));
    if (last == "DMS") unit = PcxUnit::Dms;
    else if (last == "DEG") unit = PcxUnit::Deg;
    else return UnitLine::Unsupported;
    return UnitLine::Set;
}

bool startsWith(std::string_view bytes, char c) { return !bytes.empty() && bytes.front() == c; }

// A "T" line: latitude between the first "N" and the first "E", longitude from there to the
// next blank, the nine characters of the date after it, then a blank and the eight
// characters of the time. Returns why the line cannot be read, or nullptr.
const char* readTrackLine(std::string_view line, PcxUnit unit, RoutePoint& point) {
    const size_t n = line.find('N');
    if (n == std::string_view::npos) return kNoLatitudeMark;
    const size_t e = line.find('E');
    if (e == std::string_view::npos) return kNoLongitudeMark;
    if (e < n) return kBadLatitude;
    auto latitude = pcxCoordinate(line.substr(n + 1, e - n - 1), unit, kMaxLatitudeDegrees);
    if (!latitude) return kBadLatitude;
    const size_t blank = line.find(' ', e + 1);
    if (blank == std::string_view::npos) return kNoDate;
    auto longitude = pcxCoordinate(line.substr(e + 1, blank - e - 1), unit, kMaxLongitudeDegrees);
    if (!longitude) return kBadLongitude;
    const size_t dateStart = blank + 1;
    if (line.size() < dateStart + 9) return kNoDate;
    auto date = pcxDate(line.substr(dateStart, 9));
    if (!date) return kBadDate;
    const size_t timeBlank = dateStart + 9;
    if (line.size() <= timeBlank) return kNoTime;
    if (line[timeBlank] != ' ') return kBadDate;
    if (line.size() < timeBlank + 1 + 8) return kNoTime;
    auto time = localTime(line.substr(timeBlank + 1, 8));
    if (!time) return kBadTime;

    point.latitude = std::move(*latitude);
    point.longitude = std::move(*longitude);
    point.elevation = 0;
    point.dateText = std::move(*date);
    point.timeText = std::move(*time);
    return nullptr;
}

// A "W" line: letter, name, latitude and longitude each behind a hemisphere letter, date,
// time and at least one more item.
const char* readWaypointLine(std::string_view line, PcxUnit unit, Waypoint& waypoint) {
    const auto items = blankItems(line);
    if (items.size() < kWaypointItems) return kFewItems;
    auto latitude = pcxCoordinate(items[2].substr(1), unit, kMaxLatitudeDegrees);
    if (!latitude) return kBadLatitude;
    auto longitude = pcxCoordinate(items[3].substr(1), unit, kMaxLongitudeDegrees);
    if (!longitude) return kBadLongitude;
    waypoint.name = std::string(items[1]);
    waypoint.latitude = std::move(*latitude);
    waypoint.longitude = std::move(*longitude);
    return nullptr;
}

// Reads the file into `bytes`; a failure result when it cannot.
GpsReadResult readFile(const ReaderTexts& texts, const std::filesystem::path& path,
                       std::string& bytes) {
    const FileError error = readBytes(path, bytes);
    if (error != FileError::None) return fileProblem(texts, error, path);
    return {};
}

}  // namespace

GpsReadResult readPcxTrack(const std::filesystem::path& path, AppState& state,
                           const GpsProgress& progress) {
    const ReaderTexts& texts = kPcxTrack;
    clearRoute(state);
    std::string bytes;
    if (auto result = readFile(texts, path, bytes); !result.ok()) return failed(state, result);
    const ReadProgress bar(progress, texts.progress, bytes.size());

    PcxUnit unit = PcxUnit::Dms;
    LineReader lines(bytes);
    int count = 0;
    while (lines.next()) {
        const int number = lines.number();
        if (number > kMaxPcxTrackLines) {
            // Lines past the limit are not read, but a track point there would be lost.
            if (startsWith(lines.bytes(), 'T'))
                return failed(state, problem(texts, GpsReadStatus::TooManyLines, number,
                                             std::string(texts.data) + "が" +
                                                 std::to_string(kMaxPcxTrackLines) +
                                                 "行を超えています。"));
            continue;
        }
        if (readUnitLine(lines, unit) == UnitLine::Unsupported)
            return failed(state, problem(texts, GpsReadStatus::UnsupportedUnit, number,
                                         kUnsupportedUnitMessage, Icon::Information));
        if (startsWith(lines.bytes(), 'T')) {
            if (count == kMaxRoutePoints)
                return failed(state, tooMany(texts, GpsReadStatus::TooManyPoints, number, "点",
                                             kMaxRoutePoints));
            if (lines.bytes().size() > kMaxRecordBytes)
                return failed(state, brokenLine(texts, number, kLineTooLong));
            RoutePoint point;
            if (const char* why = readTrackLine(lines.text(), unit, point))
                return failed(state, brokenLine(texts, number, why));
            ++count;
            point.number = static_cast<int16_t>(count);
            state.route[static_cast<size_t>(count)] = std::move(point);
        }
        bar.afterLine(lines);
    }
    state.routeCount = static_cast<int16_t>(count);
    state.routeLoaded = 1;
    return {};
}

GpsReadResult readPcxWaypoints(const std::filesystem::path& path, AppState& state,
                               const GpsProgress& progress) {
    const ReaderTexts& texts = kPcxWaypoints;
    clearWaypoints(state);
    std::string bytes;
    if (auto result = readFile(texts, path, bytes); !result.ok()) return failed(state, result);
    const ReadProgress bar(progress, texts.progress, bytes.size());

    PcxUnit unit = PcxUnit::Dms;
    LineReader lines(bytes);
    int count = 0;
    while (lines.next()) {
        const int number = lines.number();
        // The unit line of a waypoint file is the track file's, and so is its message.
        if (readUnitLine(lines, unit) == UnitLine::Unsupported)
            return failed(state, problem(kPcxTrack, GpsReadStatus::UnsupportedUnit, number,
                                         kUnsupportedUnitMessage, Icon::Information));
        if (startsWith(lines.bytes(), 'W')) {
            if (count == kMaxWaypoints)
                return failed(state, tooMany(texts, GpsReadStatus::TooManyWaypoints, number, "点",
                                             kMaxWaypoints));
            if (lines.bytes().size() > kMaxRecordBytes)
                return failed(state, brokenLine(texts, number, kLineTooLong));
            Waypoint waypoint;
            if (const char* why = readWaypointLine(lines.text(), unit, waypoint))
                return failed(state, brokenLine(texts, number, why));
            state.waypointsRead = 1;
            ++count;
            waypoint.number = static_cast<int16_t>(count);
            state.waypoints[static_cast<size_t>(count)] = std::move(waypoint);
        }
        bar.afterLine(lines);
    }
    state.waypointCount = static_cast<int16_t>(count);
    state.routeLoaded = 1;
    return {};
}

GpsReadResult readWaypointPlus(const std::filesystem::path& path, AppState& state,
                               const GpsProgress& progress) {
    const ReaderTexts& texts = kWaypointPlus;
    clearRoute(state);
    clearWaypoints(state);
    std::string bytes;
    if (auto result = readFile(texts, path, bytes); !result.ok()) return failed(state, result);
    const ReadProgress bar(progress, texts.progress, bytes.size());

    LineReader lines(bytes);
    int points = 0;
    int waypoints = 0;
    while (lines.next()) {
        const int number = lines.number();
        // Line 1 is the header; empty lines hold no record.
        if (number == 1 || trimBlanks(lines.bytes()).empty()) {
            bar.afterLine(lines);
            continue;
        }
        if (lines.bytes().size() > kMaxRecordBytes)
            return failed(state, brokenLine(texts, number, kLineTooLong));
        const std::string text = lines.text();
        const auto fields = commaFields(text);
        if (trimBlanks(fields[0]) == "WP") {
            if (fields.size() < kWaypointPlusWaypointFields)
                return failed(state, brokenLine(texts, number, kFewFields));
            if (waypoints == kMaxWaypoints)
                return failed(state, tooMany(texts, GpsReadStatus::TooManyWaypoints, number,
                                             "ＷＰＴの点", kMaxWaypoints));
            auto latitude = waypointPlusCoordinate(fields[3], kMaxLatitudeDegrees);
            if (!latitude) return failed(state, brokenLine(texts, number, kBadLatitude));
            auto longitude = waypointPlusCoordinate(fields[4], kMaxLongitudeDegrees);
            if (!longitude) return failed(state, brokenLine(texts, number, kBadLongitude));
            state.waypointsRead = 1;
            ++waypoints;
            Waypoint& waypoint = state.waypoints[static_cast<size_t>(waypoints)];
            waypoint.number = static_cast<int16_t>(waypoints);
            waypoint.name = std::string(fields[2]);
            waypoint.latitude = std::move(*latitude);
            waypoint.longitude = std::move(*longitude);
        } else {
            if (fields.size() < kWaypointPlusTrackFields)
                return failed(state, brokenLine(texts, number, kFewFields));
            if (points == kMaxRoutePoints)
                return failed(state, tooMany(texts, GpsReadStatus::TooManyPoints, number,
                                             "ＴＲＫの点", kMaxRoutePoints));
            auto latitude = waypointPlusCoordinate(fields[2], kMaxLatitudeDegrees);
            if (!latitude) return failed(state, brokenLine(texts, number, kBadLatitude));
            auto longitude = waypointPlusCoordinate(fields[3], kMaxLongitudeDegrees);
            if (!longitude) return failed(state, brokenLine(texts, number, kBadLongitude));
            auto time = localTime(trimBlanks(fields[5]));
            if (!time) return failed(state, brokenLine(texts, number, kBadTime));
            ++points;
            RoutePoint& point = state.route[static_cast<size_t>(points)];
            point.number = static_cast<int16_t>(points);
            point.latitude = std::move(*latitude);
            point.longitude = std::move(*longitude);
            point.elevation = 0;
            point.dateText = std::string(fields[4]);
            point.timeText = std::move(*time);
        }
        bar.afterLine(lines);
    }
    state.routeCount = static_cast<int16_t>(points);
    state.waypointCount = static_cast<int16_t>(waypoints);
    state.routeLoaded = 1;
    return {};
}

}  // namespace orv
