#include "gps/GpsImport.h"

#include "core/Blanks.h"
#include "core/LineReader.h"
#include "core/TextFile.h"
#include "gps/GpsFields.h"
#include "platform/Progress.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace orv {

namespace {

// Why a record line cannot be read (the second line of the caller's message).
constexpr const char* kNoLatitudeMark = "緯度の前の「N」がありません。";
constexpr const char* kNoLongitudeMark = "経度の前の「E」がありません。";
constexpr const char* kBadLatitude = "緯度が数値でないか、範囲を外れています。";
constexpr const char* kBadLongitude = "経度が数値でないか、範囲を外れています。";
constexpr const char* kNoDate = "経度の後に日付がありません。";
constexpr const char* kNoTime = "日付の後に時刻がありません。";
constexpr const char* kFewItems = "項目が7つに足りません。";
constexpr const char* kFewFields = "コンマで区切った項目が足りません。";
constexpr const char* kLineTooLong = "行が長すぎます。";

constexpr std::string_view kUnitMarker = "U  LAT LON";

// Items of a PCX waypoint line and fields of a Waypoint+ record.
constexpr size_t kWaypointItems = 7;
constexpr size_t kWaypointPlusWaypointFields = 5;
constexpr size_t kWaypointPlusTrackFields = 6;

// Coordinates are read whatever their size; the usual limits only mark a line as odd.
constexpr double kAnyDegrees = std::numeric_limits<double>::max();

// GPS records take tabs for blanks too.
bool isBlank(char c) { return isBlankIn(c, kSpacesAndTabs); }
std::string_view trimBlanks(std::string_view text) { return orv::trimBlanks(text, kSpacesAndTabs); }

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

Problem brokenLine(int line, const char* why) { return Problem{ProblemKind::BadRecord, line, why}; }

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

bool startsWith(std::string_view bytes, char c) { return !bytes.empty() && bytes.front() == c; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

enum class UnitLine { None, Set, Unsupported };

// A line holding "U  LAT LON" sets the unit from its last three characters (blanks after them
// are not counted): "DMS", "DEG", or "DM" after a blank.
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
    else if (last.size() == 3 && isBlank(last[0]) && last.substr(1) == "DM") unit = PcxUnit::DegMin;
    else return UnitLine::Unsupported;
    return UnitLine::Set;
}

// Longest datum name (bytes) that a message repeats.
constexpr size_t kLongestDatumName = 40;

// The whole UTF-8 characters of a text that fit into `bytes` bytes.
std::string leadingCharacters(std::string_view text, size_t bytes) {
    size_t end = std::min(bytes, text.size());
    while (end > 0 && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) --end;
    return std::string(text.substr(0, end));
}

// The datum an "M" line names: the text after "G" up to the run of blanks before the datum's
// number ("M  G WGS 84                121 …" names "WGS 84"). Empty when the line names none.
std::string datumName(std::string_view line) {
    line.remove_prefix(1);
    line = trimBlanks(line);
    if (line.empty() || line.front() != 'G') return {};
    line.remove_prefix(1);
    line = trimBlanks(line);
    const size_t gap = line.find("  ");
    return std::string(trimBlanks(line.substr(0, gap)));
}

// The first "M" line decides the datum of the whole file.
void readDatumLine(const LineReader& lines, bool& seen, GpsTrack& track) {
    if (seen || !startsWith(lines.bytes(), 'M')) return;
    seen = true;
    std::string name = datumName(lines.text());
    if (name.size() > kLongestDatumName) name = leadingCharacters(name, kLongestDatumName) + "…";
    std::string key;
    for (char c : name)
        if (!isBlank(c) && c != '-' && c != '_') key += upper(c);
    if (key.empty() || key.rfind("TOKYO", 0) == 0) return;
    if (key == "WGS84" || key == "WGS1984" || key == "JGD2000" || key == "JGD2011")
        track.datum = TrackDatum::Wgs84;
    else
        track.unknownDatum = name;
}


// A coordinate as the format reads it; `odd` is set when it lies beyond `usual` degrees.
std::optional<DmsText> pcxCoordinateRead(std::string_view text, PcxUnit unit, double usual, bool& odd) {
    auto value = pcxCoordinate(text, unit, kAnyDegrees);
    if (value && !pcxCoordinate(text, unit, usual)) odd = true;
    return value;
}

std::optional<std::string> waypointPlusCoordinateRead(std::string_view text, double usual, bool& odd) {
    auto value = waypointPlusCoordinate(text, kAnyDegrees);
    if (value && !waypointPlusCoordinate(text, usual)) odd = true;
    return value;
}

std::string localTimeRead(std::string_view time, bool& odd) {
    if (auto exact = localTime(time)) return *exact;
    odd = true;
    return shiftedTime(time);
}

// A "T" line: latitude between the first "N" and the first "E", longitude from there to the
// next blank, the nine characters of the date after it, then the eight characters of the time
// after the following blank. Returns why the line cannot be read, or nullptr.
const char* readTrackLine(std::string_view line, PcxUnit unit, RoutePoint& point, bool& odd) {
    const size_t n = line.find('N');
    if (n == std::string_view::npos) return kNoLatitudeMark;
    const size_t e = line.find('E');
    if (e == std::string_view::npos) return kNoLongitudeMark;
    if (e < n) return kBadLatitude;
    auto latitude = pcxCoordinateRead(line.substr(n + 1, e - n - 1), unit, kMaxLatitudeDegrees, odd);
    if (!latitude) return kBadLatitude;
    const size_t blank = line.find(' ', e + 1);
    if (blank == std::string_view::npos) return kNoDate;
    auto longitude = pcxCoordinateRead(line.substr(e + 1, blank - e - 1), unit, kMaxLongitudeDegrees, odd);
    if (!longitude) return kBadLongitude;
    const size_t dateStart = blank + 1;
    if (line.size() < dateStart + 9) return kNoDate;
    const std::string_view dateText = line.substr(dateStart, 9);
    auto date = pcxDate(dateText);
    if (!date) {
        odd = true;
        date = looseDate(dateText);
    }
    const size_t timeBlank = line.find(' ', dateStart + 9);
    if (timeBlank == std::string_view::npos || line.size() < timeBlank + 1 + 8) return kNoTime;
    if (timeBlank != dateStart + 9) odd = true;

    point.latitude = std::move(*latitude);
    point.longitude = std::move(*longitude);
    point.elevation = 0;
    point.dateText = std::move(*date);
    point.timeText = localTimeRead(line.substr(timeBlank + 1, 8), odd);
    return nullptr;
}

// A "W" line: letter, name, latitude and longitude each behind a hemisphere letter, date,
// time and at least one more item.
const char* readWaypointLine(std::string_view line, PcxUnit unit, Waypoint& waypoint, bool& odd) {
    const auto items = blankItems(line);
    if (items.size() < kWaypointItems) return kFewItems;
    auto latitude = pcxCoordinateRead(items[2].substr(1), unit, kMaxLatitudeDegrees, odd);
    if (!latitude) return kBadLatitude;
    auto longitude = pcxCoordinateRead(items[3].substr(1), unit, kMaxLongitudeDegrees, odd);
    if (!longitude) return kBadLongitude;
    waypoint.name = std::string(items[1]);
    waypoint.latitude = std::move(*latitude);
    waypoint.longitude = std::move(*longitude);
    return nullptr;
}

void noteOdd(GpsTrack& track, bool odd, int line) {
    if (!odd) return;
    if (track.oddLines == 0) track.firstOddLine = line;
    ++track.oddLines;
}

}  // namespace

Result<GpsTrack> readPcxTrack(const std::filesystem::path& path, const GpsProgress& progress) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    const ReadProgress bar(progress, kPcxTrackProgressText, bytes.size());

    GpsTrack track;
    PcxUnit unit = PcxUnit::Dms;
    bool datumSeen = false;
    LineReader lines(bytes);
    while (lines.next()) {
        const int number = lines.number();
        if (number > kMaxPcxTrackLines) {
            // Lines past the limit are not read, but a track point there would be lost.
            if (startsWith(lines.bytes(), 'T')) return Problem{ProblemKind::TooMany, number, kTooManyLines};
            continue;
        }
        if (readUnitLine(lines, unit) == UnitLine::Unsupported)
            return Problem{ProblemKind::Unsupported, number, {}};
        readDatumLine(lines, datumSeen, track);
        if (startsWith(lines.bytes(), 'T')) {
            if (track.points.size() == static_cast<size_t>(kMaxRoutePoints))
                return Problem{ProblemKind::TooMany, number, kTooManyTrackPoints};
            if (lines.bytes().size() > kMaxRecordBytes) return brokenLine(number, kLineTooLong);
            RoutePoint point;
            bool odd = false;
            if (const char* why = readTrackLine(lines.text(), unit, point, odd)) return brokenLine(number, why);
            noteOdd(track, odd, number);
            point.number = static_cast<int16_t>(track.points.size() + 1);
            track.points.push_back(std::move(point));
        }
        bar.afterLine(lines);
    }
    return track;
}

Result<GpsTrack> readPcxWaypoints(const std::filesystem::path& path, const GpsProgress& progress) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    const ReadProgress bar(progress, kPcxWaypointProgressText, bytes.size());

    GpsTrack track;
    PcxUnit unit = PcxUnit::Dms;
    bool datumSeen = false;
    LineReader lines(bytes);
    while (lines.next()) {
        const int number = lines.number();
        if (readUnitLine(lines, unit) == UnitLine::Unsupported)
            return Problem{ProblemKind::Unsupported, number, {}};
        readDatumLine(lines, datumSeen, track);
        if (startsWith(lines.bytes(), 'W')) {
            if (track.waypoints.size() == static_cast<size_t>(kMaxWaypoints))
                return Problem{ProblemKind::TooMany, number, kTooManyWaypoints};
            if (lines.bytes().size() > kMaxRecordBytes) return brokenLine(number, kLineTooLong);
            Waypoint waypoint;
            bool odd = false;
            if (const char* why = readWaypointLine(lines.text(), unit, waypoint, odd))
                return brokenLine(number, why);
            noteOdd(track, odd, number);
            waypoint.number = static_cast<int16_t>(track.waypoints.size() + 1);
            track.waypoints.push_back(std::move(waypoint));
        }
        bar.afterLine(lines);
    }
    return track;
}

Result<GpsTrack> readWaypointPlus(const std::filesystem::path& path, const GpsProgress& progress) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    const ReadProgress bar(progress, kWaypointPlusProgressText, bytes.size());

    GpsTrack track;
    LineReader lines(bytes);
    while (lines.next()) {
        const int number = lines.number();
        // Line 1 is the header; empty lines hold no record.
        if (number == 1 || trimBlanks(lines.bytes()).empty()) {
            bar.afterLine(lines);
            continue;
        }
        if (lines.bytes().size() > kMaxRecordBytes) return brokenLine(number, kLineTooLong);
        const std::string text = lines.text();
        const auto fields = commaFields(text);
        bool odd = false;
        if (trimBlanks(fields[0]) == "WP") {
            if (fields.size() < kWaypointPlusWaypointFields) return brokenLine(number, kFewFields);
            if (track.waypoints.size() == static_cast<size_t>(kMaxWaypoints))
                return Problem{ProblemKind::TooMany, number, kTooManyWaypoints};
            auto latitude = waypointPlusCoordinateRead(fields[3], kMaxLatitudeDegrees, odd);
            if (!latitude) return brokenLine(number, kBadLatitude);
            auto longitude = waypointPlusCoordinateRead(fields[4], kMaxLongitudeDegrees, odd);
            if (!longitude) return brokenLine(number, kBadLongitude);
            Waypoint waypoint;
            waypoint.number = static_cast<int16_t>(track.waypoints.size() + 1);
            waypoint.name = std::string(fields[2]);
            waypoint.latitude = std::move(*latitude);
            waypoint.longitude = std::move(*longitude);
            track.waypoints.push_back(std::move(waypoint));
        } else {
            if (fields.size() < kWaypointPlusTrackFields) return brokenLine(number, kFewFields);
            if (track.points.size() == static_cast<size_t>(kMaxRoutePoints))
                return Problem{ProblemKind::TooMany, number, kTooManyTrackPoints};
            auto latitude = waypointPlusCoordinateRead(fields[2], kMaxLatitudeDegrees, odd);
            if (!latitude) return brokenLine(number, kBadLatitude);
            auto longitude = waypointPlusCoordinateRead(fields[3], kMaxLongitudeDegrees, odd);
            if (!longitude) return brokenLine(number, kBadLongitude);
            const std::string_view time = trimBlanks(fields[5]);
            if (time.size() < 2) return brokenLine(number, kNoTime);
            RoutePoint point;
            point.number = static_cast<int16_t>(track.points.size() + 1);
            point.latitude = std::move(*latitude);
            point.longitude = std::move(*longitude);
            point.elevation = 0;
            point.dateText = std::string(fields[4]);
            point.timeText = localTimeRead(time, odd);
            track.points.push_back(std::move(point));
        }
        noteOdd(track, odd, number);
        bar.afterLine(lines);
    }
    return track;
}

}  // namespace orv
