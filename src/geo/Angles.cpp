#include "geo/Angles.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orv {

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

// Largest scaled value DDD…MMSS still worth computing: beyond it the degrees alone exceed
// the int32 range of arc-seconds, so the result saturates anyway.
constexpr double kScaledLimit = 1.0e13;

// Floor division and remainder for whole numbers of either sign (the remainder is never negative).
constexpr int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// D.MMSS text of 0 ≤ seconds < 1000°: "139.453", "35", ".0001", "0".
DmsText positionText(ArcSeconds seconds) {
    const int degrees = seconds / 3600;
    const int minutes = seconds % 3600 / 60;
    const int secs = seconds % 60;
    char text[9];
    int n = 0;
    if (degrees >= 100) text[n++] = static_cast<char>('0' + degrees / 100);
    if (degrees >= 10) text[n++] = static_cast<char>('0' + degrees / 10 % 10);
    if (degrees >= 1) text[n++] = static_cast<char>('0' + degrees % 10);
    const char fraction[4] = {static_cast<char>('0' + minutes / 10),
                              static_cast<char>('0' + minutes % 10),
                              static_cast<char>('0' + secs / 10), static_cast<char>('0' + secs % 10)};
    int digits = 4;
    while (digits > 0 && fraction[digits - 1] == '0') --digits;
    if (digits > 0) {
        text[n++] = '.';
        for (int i = 0; i < digits; ++i) text[n++] = fraction[i];
    }
    return n == 0 ? DmsText("0") : DmsText(text, static_cast<size_t>(n));
}

}  // namespace

// The text is read as D.MMSS and scaled to the whole number DDDMMSS (four decimals kept, the
// fifth rounded away in double precision). Degrees are everything above the last four digits,
// minutes the two digits before the last two, seconds the last two, so minutes and seconds of
// 60 or more count linearly ("34.6" = 34°60′).
//
// Outside the domain of positions:
// - a negative, empty, non-numeric or non-finite text gives 0;
// - 1000° or more keeps all leading digits as degrees (the same rule as below 1000°), so
//   larger texts never give smaller results than 999.5959; results beyond the int32 range of
//   arc-seconds saturate at its maximum.
ArcSeconds dmsToSeconds(std::string_view text) {
    const double v = leadingNumber(text);
    if (!std::isfinite(v) || v <= 0.0) return 0;
    const double scaled = std::floor(v * 10000.0 + 0.5);
    if (scaled >= kScaledLimit) return std::numeric_limits<ArcSeconds>::max();
    const auto n = static_cast<int64_t>(scaled);
    const int64_t degrees = n / 10000;
    const int64_t minutes = (n / 100) % 100;
    const int64_t seconds = n % 100;
    const int64_t total = degrees * 3600 + minutes * 60 + seconds;
    return static_cast<ArcSeconds>(total > kInt32Max ? kInt32Max : total);
}

// Degrees, minutes and seconds are taken with floor division, so a negative count of seconds
// still gives minutes and seconds in 0..59 above a negative whole degree (-1″ = -1° + 59′ 59″,
// written "-.4041"). The value D + M/100 + S/10000 is rounded to float32 and written in its shortest
// form of at most seven significant digits.
DmsText secondsToDms(ArcSeconds seconds) {
    // Below 1000° the float32 of D.MMSS is finer than its four decimals, so its shortest text
    // is exactly those digits without trailing zeros: written directly, the same text for every
    // second of the range, and many times faster than searching for the shortest form.
    if (seconds >= 0 && seconds < 1000 * 3600) return positionText(seconds);
    const int64_t a = seconds;
    const int64_t d = floorDiv(a, 3600);
    const int64_t r = a - 3600 * d;
    const int64_t m = r / 60;
    const int64_t s = r - 60 * m;
    const double v = static_cast<double>(d) + static_cast<double>(m) / 100.0 +
                     static_cast<double>(s) / 10000.0;
    return shortestText(static_cast<float>(v));
}

std::optional<double> dmsTextDegrees(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const auto isDigit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    double degrees = 0.0;
    size_t digits = 0;
    for (; isDigit(i); ++i, ++digits) degrees = degrees * 10.0 + (text[i] - '0');
    std::string fraction;
    if (i < text.size() && text[i] == '.') {
        for (++i; isDigit(i); ++i) fraction += text[i];
    }
    digits += fraction.size();
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (digits == 0 || i != text.size() || !std::isfinite(degrees)) return std::nullopt;
    fraction.resize(std::max<size_t>(fraction.size(), 4), '0');
    const int minutes = (fraction[0] - '0') * 10 + (fraction[1] - '0');
    double seconds = (fraction[2] - '0') * 10 + (fraction[3] - '0');
    double scale = 0.1;
    for (size_t d = 4; d < fraction.size() && scale > 1e-12; ++d, scale /= 10.0)
        seconds += (fraction[d] - '0') * scale;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return negative ? -value : value;
}

DmsText degreesToDmsText(double degrees, int secondDecimals) {
    if (!std::isfinite(degrees)) return "0";
    secondDecimals = std::clamp(secondDecimals, 0, 4);
    int64_t perSecond = 1;
    for (int d = 0; d < secondDecimals; ++d) perSecond *= 10;
    // Whole units of the last decimal kept, so rounding carries into seconds, minutes and degrees.
    const double units = std::round(std::fabs(degrees) * 3600.0 * static_cast<double>(perSecond));
    if (units >= 1.0e15) return "0";
    const auto total = static_cast<int64_t>(units);
    const int64_t perDegree = 3600 * perSecond;
    const int64_t wholeDegrees = total / perDegree;
    const int64_t rest = total % perDegree;
    const int64_t minutes = rest / (60 * perSecond);
    const int64_t secondUnits = rest % (60 * perSecond);

    std::string fraction;
    fraction += static_cast<char>('0' + minutes / 10);
    fraction += static_cast<char>('0' + minutes % 10);
    std::string seconds = std::to_string(secondUnits);
    const auto width = static_cast<size_t>(secondDecimals + 2);
    if (seconds.size() < width) seconds.insert(0, width - seconds.size(), '0');
    fraction += seconds;
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    std::string text = total != 0 && degrees < 0 ? "-" : "";
    if (wholeDegrees != 0) text += std::to_string(wholeDegrees);
    if (!fraction.empty()) text += "." + fraction;
    return (wholeDegrees == 0 && fraction.empty()) ? DmsText("0") : text;
}

}  // namespace orv
