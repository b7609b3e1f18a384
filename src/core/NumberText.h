#pragma once
// Number texts as Orvane writes and reads them: the shortest decimal form of a float32
// (".9", "139.453", "-1", "0"), "##0.00000"-style patterns, and the leading number of a text.
#include <string>
#include <string_view>

namespace orv {

// Shortest decimal text of a float32 with at most 7 significant digits: no exponent,
// no trailing zeros or point, no leading zero before the point (".9", "-.5"), "0" for zero.
std::string shortestText(float v);

// Shortest text of a whole number ("300", "-1").
std::string integerText(long long v);

// Formats v with a pattern of '#', '0' and one optional '.': digits after the point are
// fixed by the count of '0'/'#' there (rounded half away from zero), '0' before the point
// forces that many integer digits. "##0.00000" gives "35.45123", "0.50000".
std::string formatPattern(double v, std::string_view pattern);

// True for a plain decimal number and nothing else: an optional sign, digits with at most one
// point, at least one digit ("2052", "-1.5", ".5"; not "", "12m", "1e3", " 1").
bool isPlainNumber(std::string_view text);

// The number a text starts with: leading blanks skipped, optional sign, digits, an optional
// point with digits, an optional exponent. "12abc" -> 12, "abc" -> 0, "" -> 0, " -1.5x" -> -1.5.
// Results that do not fit a double give 0.
double leadingNumber(std::string_view text);

}  // namespace orv
