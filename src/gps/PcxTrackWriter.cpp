#include "gps/PcxTrackWriter.h"

#include "core/NumberText.h"
#include "core/TextFile.h"
#include "gps/GpsFields.h"

#include <array>

namespace orv {

namespace {

constexpr const char* kNoTime = "00:00:00";
constexpr std::array<const char*, 12> kMonthNames{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

bool digits(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) return false;
    for (size_t i = at; i < at + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// A D.MMSS text as the file's DDMMSS.s number.
std::string pcxCoordinateText(const DmsText& text) { return decimalText(leadingNumber(text) * 10000.0); }

// MM/DD/YY as DD-MMM-YY; nothing for any other text.
std::optional<std::string> pcxDateOf(std::string_view date) {
    if (date.size() != 8 || date[2] != '/' || date[5] != '/' || !digits(date, 0, 2) ||
        !digits(date, 3, 2) || !digits(date, 6, 2))
        return std::nullopt;
    const int month = (date[0] - '0') * 10 + (date[1] - '0');
    if (month < 1 || month > 12) return std::nullopt;
    return std::string(date.substr(3, 2)) + "-" + kMonthNames[static_cast<size_t>(month - 1)] + "-" +
           std::string(date.substr(6, 2));
}

}  // namespace

std::vector<std::string> pcxTrackLines(std::string_view name, std::span<const RoutePoint> points,
                                       PcxTimes times) {
    std::vector<std::string> lines{
        "H  " + std::string(name), kPcxTokyoDatumLine, "", "U  LAT LON DMS", "", kPcxTrackHeading,
    };
    lines.reserve(lines.size() + points.size());
    for (const RoutePoint& point : points) {
        std::string date = kPcxExportDate;
        std::string time = point.timeText.empty() ? kNoTime : point.timeText;
        if (times == PcxTimes::Recorded) {
            const auto recordedDate = pcxDateOf(point.dateText);
            const auto recordedTime = utcTime(point.timeText);
            if (recordedDate && recordedTime) {
                date = *recordedDate;
                time = *recordedTime;
            }
        }
        lines.push_back("T  N" + pcxCoordinateText(point.latitude) + " E" + pcxCoordinateText(point.longitude) +
                        " " + date + " " + time + " " + shortestText(point.elevation));
    }
    return lines;
}

Status writePcxTrackFile(const std::filesystem::path& path, std::string_view name,
                         std::span<const RoutePoint> points, PcxTimes times) {
    return problemOf(writeTextLines(path, pcxTrackLines(name, points, times)), path.string());
}

}  // namespace orv
