#include "gps/GpsImport.h"

#include "core/Blanks.h"
#include "core/Characters.h"
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

// Heights of a receiver's track are metres above the sea; the software writes -9999 (or less)
// for a point without one, and no walk goes as high as kHighestAltitude.
constexpr double kNoAltitude = -9999.0;
constexpr double kHighestAltitude = 100000.0;

// The height in the ALT column: the item after the time, behind a blank. Nothing when the
// column is missing or blank, or holds no height.
std::optional<float> pcxAltitude(std::string_view afterTime) {
    if (afterTime.empty() || !isBlank(afterTime.front())) return std::nullopt;
    const auto items = blankItems(afterTime);
    if (items.empty()) return std::nullopt;
    const auto metres = parseDecimal(items.front(), true);
    if (!metres || *metres <= kNoAltitude || *metres >= kHighestAltitude) return std::nullopt;
    return static_cast<float>(*metres);
}

// A "T" line: latitude between the first "N" and the first "E", longitude from there to the
// next blank, the nine characters of the date after it, then the eight characters of the time
// after the following blank, and the height in metres after the next blank (`height`: there is
// one). Returns why the line cannot be read, or nullptr.
const char* readTrackLine(std::string_view line, PcxUnit unit, RoutePoint& point, bool& odd, bool& height) {
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
    // Characters are counted as such: a double-byte character is one of the nine or eight.
    const size_t dateStart = blank + 1;
    const std::string_view dateText = characterSlice(line.substr(dateStart), 0, 9);
    if (characterCount(dateText) < 9) return kNoDate;
    auto date = pcxDate(dateText);
    if (!date) {
        odd = true;
        date = looseDate(dateText);
    }
    const size_t dateEnd = dateStart + dateText.size();
    const size_t timeBlank = line.find(' ', dateEnd);
    if (timeBlank == std::string_view::npos) return kNoTime;
    const std::string_view timeText = characterSlice(line.substr(timeBlank + 1), 0, 8);
    if (characterCount(timeText) < 8) return kNoTime;
    if (timeBlank != dateEnd) odd = true;
    const auto altitude = pcxAltitude(line.substr(timeBlank + 1 + timeText.size()));

    point.latitude = std::move(*latitude);
    point.longitude = std::move(*longitude);
    point.elevation = altitude.value_or(0.0f);
    height = altitude.has_value();
    point.dateText = std::move(*date);
    point.timeText = localTimeRead(timeText, odd);
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

// The latitude and longitude of a Waypoint+ record from fields `first` and `first` + 1.
template <typename Item>
const char* readWaypointPlusPosition(const std::vector<std::string_view>& fields, size_t first,
                                     Item& item, bool& odd) {
    auto latitude = waypointPlusCoordinateRead(fields[first], kMaxLatitudeDegrees, odd);
    if (!latitude) return kBadLatitude;
    auto longitude = waypointPlusCoordinateRead(fields[first + 1], kMaxLongitudeDegrees, odd);
    if (!longitude) return kBadLongitude;
    item.latitude = std::move(*latitude);
    item.longitude = std::move(*longitude);
    return nullptr;
}

void noteOdd(GpsTrack& track, bool odd, int line) {
    if (!odd) return;
    if (track.oddLines == 0) track.firstOddLine = line;
    ++track.oddLines;
}

// Appends the record of line `line` to `table` (a track's points or waypoints, numbered from
// 1, at most `limit`): read(item, odd) fills it and says why it cannot, or returns nullptr.
// Returns the problem that ends the read: a full table (TooMany, detail `which`) or a broken
// line.
template <typename Item, typename Read>
std::optional<Problem> addRecord(GpsTrack& track, std::vector<Item>& table, int limit,
                                 const char* which, int line, Read read) {
    if (table.size() == static_cast<size_t>(limit)) return Problem{ProblemKind::TooMany, line, which};
    Item item;
    bool odd = false;
    if (const char* why = read(item, odd)) return brokenLine(line, why);
    noteOdd(track, odd, line);
    item.number = static_cast<int16_t>(table.size() + 1);
    table.push_back(std::move(item));
    return std::nullopt;
}

// The two PCX files differ in the letter of their records, what a record holds and where it
// goes, and whether lines past a limit are read.
struct PcxFormat {
    char letter;
    const char* progressText;
    int lastLine;  // a record after this line ends the read (TooMany, kTooManyLines); 0: none
    // Adds the record of the reader's current line to the track (see addRecord).
    std::optional<Problem> (*addRecord)(GpsTrack& track, const LineReader& lines, PcxUnit unit);
};

// A record line longer than any record is broken whatever it holds.
const char* tooLong(const LineReader& lines) {
    return lines.bytes().size() > kMaxRecordBytes ? kLineTooLong : nullptr;
}

std::optional<Problem> addTrackPoint(GpsTrack& track, const LineReader& lines, PcxUnit unit) {
    bool height = false;
    auto problem = addRecord(track, track.points, kMaxRoutePoints, kTooManyTrackPoints, lines.number(),
                             [&](RoutePoint& point, bool& odd) {
                                 if (const char* why = tooLong(lines)) return why;
                                 return readTrackLine(lines.text(), unit, point, odd, height);
                             });
    if (!problem) track.heights.push_back(height);
    return problem;
}

std::optional<Problem> addWaypoint(GpsTrack& track, const LineReader& lines, PcxUnit unit) {
    return addRecord(track, track.waypoints, kMaxWaypoints, kTooManyWaypoints, lines.number(),
                     [&](Waypoint& waypoint, bool& odd) {
                         if (const char* why = tooLong(lines)) return why;
                         return readWaypointLine(lines.text(), unit, waypoint, odd);
                     });
}

constexpr PcxFormat kPcxTrackFormat{'T', kPcxTrackProgressText, kMaxPcxTrackLines, addTrackPoint};
constexpr PcxFormat kPcxWaypointFormat{'W', kPcxWaypointProgressText, 0, addWaypoint};

// A PCX file: unit lines may stand anywhere and set the unit of the records after them.
Result<GpsTrack> parsePcx(std::string_view bytes, const GpsProgress& progress, const PcxFormat& format) {
    const ReadProgress bar(progress, format.progressText, bytes.size());
    GpsTrack track;
    PcxUnit unit = PcxUnit::Dms;
    bool datumSeen = false;
    LineReader lines(bytes);
    while (lines.next()) {
        const int number = lines.number();
        const bool record = startsWith(lines.bytes(), format.letter);
        if (format.lastLine > 0 && number > format.lastLine) {
            // Lines past the limit are not read, but a record there would be lost.
            if (record) return Problem{ProblemKind::TooMany, number, kTooManyLines};
            continue;
        }
        if (readUnitLine(lines, unit) == UnitLine::Unsupported)
            return Problem{ProblemKind::Unsupported, number, {}};
        readDatumLine(lines, datumSeen, track);
        if (record) {
            if (auto problem = format.addRecord(track, lines, unit)) return std::move(*problem);
        }
        bar.afterLine(lines);
    }
    return track;
}

template <typename Parse>
Result<GpsTrack> parseFile(const std::filesystem::path& path, Parse parse) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    return parse(bytes);
}

}  // namespace

Result<GpsTrack> parsePcxTrack(std::string_view bytes, const GpsProgress& progress) {
    return parsePcx(bytes, progress, kPcxTrackFormat);
}

Result<GpsTrack> parsePcxWaypoints(std::string_view bytes, const GpsProgress& progress) {
    return parsePcx(bytes, progress, kPcxWaypointFormat);
}

Result<GpsTrack> parseWaypointPlus(std::string_view bytes, const GpsProgress& progress) {
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
        if (const char* why = tooLong(lines)) return brokenLine(number, why);
        const std::string text = lines.text();
        const auto fields = commaFields(text);
        std::optional<Problem> problem;
        if (trimBlanks(fields[0]) == "WP") {
            if (fields.size() < kWaypointPlusWaypointFields) return brokenLine(number, kFewFields);
            problem = addRecord(track, track.waypoints, kMaxWaypoints, kTooManyWaypoints, number,
                                [&](Waypoint& waypoint, bool& odd) {
                                    waypoint.name = std::string(fields[2]);
                                    return readWaypointPlusPosition(fields, 3, waypoint, odd);
                                });
        } else {
            if (fields.size() < kWaypointPlusTrackFields) return brokenLine(number, kFewFields);
            problem = addRecord(track, track.points, kMaxRoutePoints, kTooManyTrackPoints, number,
                                [&](RoutePoint& point, bool& odd) -> const char* {
                                    if (const char* why = readWaypointPlusPosition(fields, 2, point, odd))
                                        return why;
                                    const std::string_view time = trimBlanks(fields[5]);
                                    if (characterCount(time) < 2) return kNoTime;
                                    point.elevation = 0;
                                    point.dateText = std::string(fields[4]);
                                    point.timeText = localTimeRead(time, odd);
                                    return nullptr;
                                });
        }
        if (problem) return std::move(*problem);
        bar.afterLine(lines);
    }
    return track;
}

Result<GpsTrack> readPcxTrack(const std::filesystem::path& path, const GpsProgress& progress) {
    return parseFile(path, [&](std::string_view bytes) { return parsePcxTrack(bytes, progress); });
}

Result<GpsTrack> readPcxWaypoints(const std::filesystem::path& path, const GpsProgress& progress) {
    return parseFile(path, [&](std::string_view bytes) { return parsePcxWaypoints(bytes, progress); });
}

Result<GpsTrack> readWaypointPlus(const std::filesystem::path& path, const GpsProgress& progress) {
    return parseFile(path, [&](std::string_view bytes) { return parseWaypointPlus(bytes, progress); });
}

}  // namespace orv
