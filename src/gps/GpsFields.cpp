#include "gps/GpsFields.h"

#include "core/Blanks.h"
#include "core/Characters.h"
#include "core/NumberText.h"
#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// GPS records take tabs for blanks too.
std::string_view trimBlanks(std::string_view text) { return orv::trimBlanks(text, kSpacesAndTabs); }

// Decimal minutes of four places are finer than a tenth of a second: keep hundredths.
constexpr int kDegMinSecondDecimals = 2;

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Two digits as a number; -1 when they are not digits.
int twoDigits(std::string_view text) {
    if (text.size() < 2 || !isDigit(text[0]) || !isDigit(text[1])) return -1;
    return (text[0] - '0') * 10 + (text[1] - '0');
}

constexpr std::array<std::string_view, 12> kMonths{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

}  // namespace

std::optional<double> parseDecimal(std::string_view text, bool allowSign) {
    text = trimBlanks(text);
    size_t i = 0;
    if (allowSign && i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t numberStart = i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0 || i != text.size()) return std::nullopt;
    // from_chars reads no "+" sign; a leading "-" it reads itself.
    const size_t from = (numberStart > 0 && text[0] == '+') ? numberStart : 0;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + from, text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string decimalText(double v) {
    if (!std::isfinite(v) || v == 0.0) return "0";
    // Fifteen significant digits, as a double's text shows them: "3.54512300000000e+01".
    char buf[48];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(v),
                                         std::chars_format::scientific, 14);
    if (ec != std::errc()) return "0";
    const std::string_view text(buf, static_cast<size_t>(end - buf));
    const size_t ePos = text.find('e');
    if (ePos == std::string_view::npos) return "0";
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (isDigit(c)) digits += c;
    int exponent = 0;
    std::string_view exp = text.substr(ePos + 1);
    const bool negativeExp = !exp.empty() && exp.front() == '-';
    if (!exp.empty() && (exp.front() == '-' || exp.front() == '+')) exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
    if (negativeExp) exponent = -exponent;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = v < 0 ? "-" : "";
    const int before = exponent + 1;  // digits before the point
    if (before <= 0) {
        out += "." + std::string(static_cast<size_t>(-before), '0') + digits;
    } else if (static_cast<size_t>(before) >= digits.size()) {
        out += digits + std::string(static_cast<size_t>(before) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<size_t>(before)) + "." +
               digits.substr(static_cast<size_t>(before));
    }
    return out;
}

std::optional<DmsText> pcxCoordinate(std::string_view text, PcxUnit unit, double maxDegrees) {
    const auto number = parseDecimal(text, false);
    if (!number) return std::nullopt;
    if (unit == PcxUnit::Dms) {
        const double dms = *number / 10000.0;
        if (dms > maxDegrees) return std::nullopt;
        return decimalText(dms);
    }
    if (unit == PcxUnit::DegMin) {
        const double degrees = std::floor(*number / 100.0);
        const double value = degrees + (*number - degrees * 100.0) / 60.0;
        if (value > maxDegrees) return std::nullopt;
        return degreesToDmsText(value, kDegMinSecondDecimals);
    }
    if (*number > maxDegrees) return std::nullopt;
    return secondsToDms(floorToInt(*number * 3600.0));
}

std::optional<std::string> waypointPlusCoordinate(std::string_view text, double maxDegrees) {
    const auto number = parseDecimal(text, true);
    if (!number || std::fabs(*number) > maxDegrees) return std::nullopt;
    return decimalText(std::floor(*number * 100000.0 + 0.5) / 100000.0);
}

std::string monthNumber(std::string_view name) {
    if (name.size() != 3) return "00";
    for (size_t m = 0; m < kMonths.size(); ++m) {
        const std::string_view month = kMonths[m];
        if (upper(name[0]) == month[0] && upper(name[1]) == month[1] &&
            upper(name[2]) == month[2]) {
            const auto n = static_cast<int>(m) + 1;
            return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
        }
    }
    return "00";
}

std::optional<std::string> pcxDate(std::string_view text) {
    if (text.size() != 9 || twoDigits(text) < 0 || text[2] != '-' || text[6] != '-' ||
        twoDigits(text.substr(7)) < 0)
        return std::nullopt;
    return monthNumber(text.substr(3, 3)) + "/" + std::string(text.substr(0, 2)) + "/" +
           std::string(text.substr(7, 2));
}

std::string looseDate(std::string_view text) {
    const auto part = [text](size_t from, size_t count) { return std::string(characterSlice(text, from, count)); };
    return monthNumber(part(3, 3)) + "/" + part(0, 2) + "/" + part(7, 2);
}

std::string shiftedTime(std::string_view text) {
    if (characterCount(text) < 2) return std::string(text);
    int local = static_cast<int>(leadingNumber(characterSlice(text, 0, 2))) + 9;
    if (local >= 24) local -= 24;
    local = std::clamp(local, 0, 99);
    std::string out{static_cast<char>('0' + local / 10), static_cast<char>('0' + local % 10)};
    out += characterSlice(text, 2);
    return out;
}

std::optional<std::string> utcTime(std::string_view local) {
    if (local.size() != 8 || local[2] != ':' || local[5] != ':') return std::nullopt;
    const int hour = twoDigits(local);
    const int minute = twoDigits(local.substr(3));
    const int second = twoDigits(local.substr(6));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const int utc = (hour + 24 - 9) % 24;
    std::string out(local);
    out[0] = static_cast<char>('0' + utc / 10);
    out[1] = static_cast<char>('0' + utc % 10);
    return out;
}

std::optional<std::string> localTime(std::string_view utc) {
    if (utc.size() != 8 || utc[2] != ':' || utc[5] != ':') return std::nullopt;
    const int hour = twoDigits(utc);
    const int minute = twoDigits(utc.substr(3));
    const int second = twoDigits(utc.substr(6));
    if (hour < 0 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    int local = hour + 9;
    if (local >= 24) local -= 24;
    std::string out(utc);
    out[0] = static_cast<char>('0' + local / 10);
    out[1] = static_cast<char>('0' + local % 10);
    return out;
}

}  // namespace orv
