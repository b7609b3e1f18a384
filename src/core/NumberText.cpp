#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

namespace orv {

namespace {

// Decimals a pattern rounds to at most; a double holds no more meaningful digits, so further
// pattern decimals are written as zeros.
constexpr int kMaxPatternDecimals = 15;

// Significant digits and decimal exponent of a number written in scientific form
// ("1.39453e+02" -> "139453", 2). std::to_chars writes these texts because it never depends
// on the C locale: Qt sets the user's locale at start-up, and a "," decimal separator must not
// reach the files.
bool splitScientific(std::string_view text, std::string& digits, int& exponent) {
    const auto ePos = text.find('e');
    if (ePos == std::string_view::npos) return false;
    digits.clear();
    for (char c : text.substr(0, ePos))
        if (c >= '0' && c <= '9') digits += c;
    std::string_view exp = text.substr(ePos + 1);
    const bool negativeExp = !exp.empty() && exp[0] == '-';
    if (!exp.empty() && (exp[0] == '-' || exp[0] == '+')) exp.remove_prefix(1);
    int value = 0;
    if (std::from_chars(exp.data(), exp.data() + exp.size(), value).ec != std::errc())
        return false;
    exponent = negativeExp ? -value : value;
    return !digits.empty();
}

// Plain positional text (no exponent, no trailing zeros, no leading zero before the point)
// of the significant digits `digits` with decimal exponent `exponent`.
std::string positionalText(std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits == "0") return "0";
    const int pointPos = exponent + 1;  // digits before the point
    if (pointPos <= 0) return "." + std::string(static_cast<size_t>(-pointPos), '0') + digits;
    if (pointPos >= static_cast<int>(digits.size()))
        return digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    return digits.substr(0, static_cast<size_t>(pointPos)) + "." +
           digits.substr(static_cast<size_t>(pointPos));
}

}  // namespace

std::string shortestText(float v) {
    if (std::isnan(v)) return "0";
    if (std::isinf(v)) return v > 0 ? "3.402823E+38" : "-3.402823E+38";
    if (v == 0.0f) return "0";
    const bool negative = v < 0.0f;
    const float magnitude = std::fabs(v);
    // The fewest significant digits (at most seven) that read back as the same float32.
    char buf[32];
    char* end = buf;
    for (int p = 1; p <= 7; ++p) {
        const auto written =
            std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, p - 1);
        if (written.ec != std::errc()) return "0";
        end = written.ptr;
        float back = 0.0f;
        std::from_chars(buf, end, back);
        if (back == magnitude) break;
    }
    std::string digits;
    int exponent = 0;
    if (!splitScientific(std::string_view(buf, static_cast<size_t>(end - buf)), digits, exponent))
        return "0";
    return (negative ? "-" : "") + positionalText(std::move(digits), exponent);
}

std::string integerText(long long v) { return std::to_string(v); }

std::string formatPattern(double v, std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, point);
    int decimals = 0;
    if (point != std::string_view::npos) {
        for (char c : pattern.substr(point + 1))
            if (c == '0' || c == '#') ++decimals;
    }
    size_t minInt = 0;
    for (char c : intPart)
        if (c == '0') ++minInt;
    if (!std::isfinite(v)) v = 0.0;
    const int rounded = std::min(decimals, kMaxPatternDecimals);
    // Round half away from zero at the last decimal, as a display pattern does.
    const double scale = std::pow(10.0, rounded);
    const double scaled = std::round(std::fabs(v) * scale);
    // A value too large to scale has no fraction left to round.
    const double magnitude = std::isfinite(scaled) ? scaled / scale : std::round(std::fabs(v));
    const bool negative = v < 0 && magnitude != 0.0;
    // Buffer for the largest double (309 integer digits) with the decimals.
    char buf[340];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude,
                                         std::chars_format::fixed, rounded);
    if (ec != std::errc()) return "0";
    std::string s(buf, static_cast<size_t>(end - buf));
    if (decimals > rounded) s.append(static_cast<size_t>(decimals - rounded), '0');
    auto dot = s.find('.');
    std::string ip = dot == std::string::npos ? s : s.substr(0, dot);
    std::string fp = dot == std::string::npos ? "" : s.substr(dot);
    if (ip == "0" && minInt == 0) ip.clear();
    if (ip.size() < minInt) ip.insert(0, minInt - ip.size(), '0');
    return (negative ? "-" : "") + ip + fp;
}

double leadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    size_t intDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') { ++i; ++intDigits; }
    size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') { ++j; ++fracDigits; }
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0.0;
    size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') { ++j; ++expDigits; }
        if (expDigits > 0) end = j;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value);
    if (ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

bool isPlainNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

}  // namespace orv
