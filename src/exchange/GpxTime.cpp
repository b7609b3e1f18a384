#include "exchange/GpxTime.h"

#include <cstdio>

namespace orv {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Years a GPS time can sensibly name; anything else is a broken value, not a time.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2999;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of `count` digits at `at`, or -1.
int digitsAt(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to a civil date of the proleptic Gregorian calendar.
int64_t daysFromCivil(int year, int month, int day) {
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<UtcSeconds> utcSeconds(const UtcDateTime& when) {
    if (when.year < kFirstYear || when.year > kLastYear || when.month < 1 || when.month > 12 ||
        when.day < 1 || when.day > daysInMonth(when.year, when.month) || when.hour < 0 ||
        when.hour > 23 || when.minute < 0 || when.minute > 59 || when.second < 0 || when.second > 59)
        return std::nullopt;
    return daysFromCivil(when.year, when.month, when.day) * kSecondsPerDay + when.hour * 3600 +
           when.minute * 60 + when.second;
}

UtcDateTime utcDateTime(UtcSeconds time) {
    int64_t days = time / kSecondsPerDay;
    int64_t rest = time % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    // Civil date from days since 1970-01-01.
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    UtcDateTime when;
    when.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    when.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    when.year = static_cast<int>(yearOfEra + era * 400 + (when.month <= 2 ? 1 : 0));
    when.hour = static_cast<int>(rest / 3600);
    when.minute = static_cast<int>(rest % 3600 / 60);
    when.second = static_cast<int>(rest % 60);
    return when;
}

std::optional<UtcSeconds> parseGpxTime(std::string_view text) {
    text = trimmed(text);
    UtcDateTime when;
    when.year = digitsAt(text, 0, 4);
    when.month = digitsAt(text, 5, 2);
    when.day = digitsAt(text, 8, 2);
    when.hour = digitsAt(text, 11, 2);
    when.minute = digitsAt(text, 14, 2);
    when.second = digitsAt(text, 17, 2);
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    size_t at = 19;
    if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
        ++at;
        const size_t digits = at;
        while (at < text.size() && isDigit(text[at])) ++at;
        if (at == digits) return std::nullopt;
    }
    int64_t offset = 0;
    if (at < text.size()) {
        const char zone = text[at];
        if ((zone == 'Z' || zone == 'z') && at + 1 == text.size()) {
            // UTC
        } else if (zone == '+' || zone == '-') {
            const int hours = digitsAt(text, at + 1, 2);
            const bool colon = at + 3 < text.size() && text[at + 3] == ':';
            const size_t minutesAt = at + (colon ? 4 : 3);
            const int minutes = minutesAt == text.size() ? 0 : digitsAt(text, minutesAt, 2);
            const size_t end = minutesAt == text.size() ? minutesAt : minutesAt + 2;
            if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || end != text.size() ||
                (colon && minutesAt == text.size()))
                return std::nullopt;
            offset = (zone == '+' ? 1 : -1) * (hours * 3600 + minutes * 60);
        } else {
            return std::nullopt;
        }
    }
    const auto local = utcSeconds(when);
    if (!local) return std::nullopt;
    return *local - offset;
}

std::string gpxTimeText(UtcSeconds time) {
    const UtcDateTime w = utcDateTime(time);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", w.year, w.month, w.day, w.hour,
                  w.minute, w.second);
    return text;
}

}  // namespace orv
