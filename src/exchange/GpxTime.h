#pragma once
// The times of GPX files: ISO 8601 texts in UTC ("2024-05-04T23:10:05Z"), held as whole seconds
// since 1970-01-01 00:00:00 UTC. Fractions of a second are dropped; a time with an offset
// ("2024-05-05T08:10:05+09:00") is brought to UTC, and one without any zone is taken as UTC,
// as GPX defines its times.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

using UtcSeconds = int64_t;

// The UTC seconds of an ISO 8601 date and time YYYY-MM-DDThh:mm:ss[.f…][Z|±hh:mm|±hhmm]
// (blanks around it allowed); nothing for any other text or a date or time that does not exist.
std::optional<UtcSeconds> parseGpxTime(std::string_view text);

// The text GPX files hold for a UTC time: "2024-05-04T23:10:05Z".
std::string gpxTimeText(UtcSeconds time);

// A civil date and time of day in UTC.
struct UtcDateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

UtcDateTime utcDateTime(UtcSeconds time);
// The seconds of a civil date and time; nothing when the date does not exist or a field is out
// of its range.
std::optional<UtcSeconds> utcSeconds(const UtcDateTime& when);

}  // namespace orv
