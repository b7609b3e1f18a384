#pragma once
// The items of GPS text records and their conversion into the texts a route point holds:
// coordinates (PCX DDMMSS or decimal degrees, Waypoint+ numbers rounded to five decimals),
// PCX dates DD-MMM-YY as MM/DD/YY, and UTC times shifted to Japanese time.
#include "geo/Angles.h"

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// Coordinate unit of a PCX file, set by its "U  LAT LON" line: DDMMSS.s, decimal degrees, or
// degrees and decimal minutes DDMM.mmmm (which many receivers' software writes).
enum class PcxUnit { Dms, Deg, DegMin };

// Largest latitude and longitude in degrees a record may hold.
inline constexpr double kMaxLatitudeDegrees = 90.0;
inline constexpr double kMaxLongitudeDegrees = 180.0;

// A decimal number filling the whole text apart from blanks around it: digits with an
// optional point and decimals, a sign only when allowSign. Nothing for anything else.
std::optional<double> parseDecimal(std::string_view text, bool allowSign);

// Shortest decimal text of v with at most 15 significant digits, without exponent and
// without a leading zero before the point ("35.45123", ".5", "-.5", "0").
std::string decimalText(double v);

// A PCX coordinate (without its hemisphere letter) as a D.MMSS text: DMS unit DDMMSS.s / 10000
// ("354512.3" -> "35.45123"), DEG unit the whole arc-seconds of the degrees ("35.5" -> "35.3"),
// DM unit the degrees and minutes with the seconds to a hundredth ("3545.205" -> "35.45123").
// Nothing when the text is not a number or lies beyond maxDegrees.
std::optional<DmsText> pcxCoordinate(std::string_view text, PcxUnit unit, double maxDegrees);

// A Waypoint+ coordinate: the number rounded to five decimals, floor(x × 100000 + 0.5) / 100000,
// in its shortest text. Nothing when the text is not a number or its size exceeds maxDegrees.
std::optional<std::string> waypointPlusCoordinate(std::string_view text, double maxDegrees);

// Month number "01".."12" of a month name in any letter case ("OCT", "Oct" -> "10"); "00" for
// a name that is not a month.
std::string monthNumber(std::string_view name);

// A PCX date DD-MMM-YY as MM/DD/YY ("08-OCT-99" -> "10/08/99"); an unknown month name gives
// month "00". Nothing when the text does not have the form (two digits, "-", three characters,
// "-", two digits).
std::optional<std::string> pcxDate(std::string_view text);

// A UTC time HH:MM:SS as Japanese time: the hour + 9, less 24 when it reaches 24, in two
// digits ("15:20:00" -> "00:20:00"). The date is not changed. Hours of 24 or more are taken
// as they are, since a planned route exported as a track holds its cumulative walking time
// ("27:30:00" -> "12:30:00"). Nothing when the text does not have the form, or its minutes or
// seconds reach 60.
std::optional<std::string> localTime(std::string_view utc);

// The other way: a time HH:MM:SS in Japanese time as the UTC a GPS file holds, the hour − 9,
// plus 24 below 0 ("00:20:00" -> "15:20:00"). Nothing when the text does not have the form, or
// its hours reach 24 or its minutes or seconds 60.
std::optional<std::string> utcTime(std::string_view local);

// A PCX date as the format reads any nine characters: the month number of characters 4-6,
// "/", characters 1-2, "/", characters 8-9 ("8-OCT-99 " -> "00/8-/9 "). For dates not in the
// form pcxDate reads. Characters are counted as such, not as bytes.
std::string looseDate(std::string_view text);

// A time as the format shifts any text: the number its first two characters start with + 9,
// less 24 when it reaches 24, written in two digits over those two characters; the rest is
// kept ("15:2x:00" -> "00:2x:00"). For times that localTime does not take. Characters are
// counted as such, not as bytes.
std::string shiftedTime(std::string_view text);

}  // namespace orv
