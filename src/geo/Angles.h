#pragma once
// Angles: whole arc-seconds for arithmetic, and the D.MMSS angle text every position is held in
// ("139.453" = 139°45′30″).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

using ArcSeconds = int32_t;
using DmsText = std::string;

// D.MMSS text to arc-seconds. Reads the leading number, keeps four decimals (rounding away
// the fifth), and counts minutes and seconds linearly ("34.6" = 34°60′ = 35°00′).
// Outside the domain (negative, 1000° or more, not a number) the result is defined, see the .cpp.
ArcSeconds dmsToSeconds(std::string_view text);

// Arc-seconds to the shortest D.MMSS text ("35", "139.453", "139.4507", ".5", "0").
DmsText secondsToDms(ArcSeconds seconds);

// Positions exchanged with other programs keep the fractions of a second their texts hold
// ("35.45123" = 35°45′12.3″), which the whole arc-seconds above drop.

// A D.MMSS text in degrees with every decimal of the seconds it holds: the first two digits
// after the point are minutes, the next two seconds, the rest decimals of a second (minutes
// and seconds of 60 or more count linearly, as in dmsToSeconds). Leading blanks and a sign are
// read; nothing when the text is no plain number ("35.4512x", "", "1e5").
std::optional<double> dmsTextDegrees(std::string_view text);

// Degrees as a D.MMSS text with the seconds rounded to `secondDecimals` decimals (0..4),
// without trailing zeros or a leading zero before the point ("35.4512345", ".3", "-.0001").
DmsText degreesToDmsText(double degrees, int secondDecimals);

}  // namespace orv
