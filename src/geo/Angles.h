#pragma once
// Angles: whole arc-seconds for arithmetic, and the D.MMSS angle text every position is held in
// ("139.453" = 139°45′30″).
#include <cstdint>
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

}  // namespace orv
