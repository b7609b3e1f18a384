#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace orv {
namespace {

struct FloatCase {
    float value;
    const char* text;
};

TEST(ShortestText, WritesTheShortestDecimalForm) {
    const FloatCase cases[] = {
        {0.9f, ".9"},        {139.453f, "139.453"}, {-1.0f, "-1"},     {0.0f, "0"},
        {-0.0f, "0"},        {300.0f, "300"},       {1500.0f, "1500"}, {-0.5f, "-.5"},
        {35.2f, "35.2"},     {139.4507f, "139.4507"}, {0.0001f, ".0001"},
        {1.0e-5f, ".00001"}, {1.0e10f, "10000000000"},
        {1234567.0f, "1234567"},
        {12345678.0f, "12345680"},    // at most seven significant digits
        {0.1234567891f, ".1234568"},
    };
    for (const auto& c : cases) EXPECT_EQ(shortestText(c.value), c.text) << c.text;
}

TEST(ShortestText, NotANumberIsZero) {
    EXPECT_EQ(shortestText(std::numeric_limits<float>::quiet_NaN()), "0");
}

// Qt sets the user's locale at start-up; a "," decimal separator must never reach a text.
TEST(ShortestText, IgnoresTheNumericLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const std::string text = shortestText(139.453f);
    const std::string pattern = formatPattern(35.45123, "##0.00000");
    const double read = leadingNumber("139.453");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(text, "139.453");
    EXPECT_EQ(pattern, "35.45123");
    EXPECT_EQ(read, 139.453);
}

struct PatternCase {
    double value;
    const char* pattern;
    const char* text;
};

TEST(FormatPattern, FixedDecimalsAndIntegerDigits) {
    const PatternCase cases[] = {
        {35.45123, "##0.00000", "35.45123"},
        {0.5, "##0.00000", "0.50000"},
        {139.453, "##0.00000", "139.45300"},
        {1234.5, "##0.00000", "1234.50000"},
        {0.000005, "##0.00000", "0.00001"},   // half away from zero
        {-0.000004, "##0.00000", "0.00000"},  // no sign on a zero result
        {-2.5, "0", "-3"},
        {0.25, "#.#", ".3"},
        {7, "000", "007"},
        {std::nan(""), "0.0", "0.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatPattern(c.value, c.pattern), c.text) << c.pattern;
}

TEST(FormatPattern, ManyDecimalsAndHugeValuesStayBounded) {
    EXPECT_EQ(formatPattern(1.5, "0." + std::string(500, '0')), "1.5" + std::string(499, '0'));
    const std::string huge =
        formatPattern(std::numeric_limits<double>::max(), "0." + std::string(16, '0'));
    EXPECT_EQ(huge.size(), 309u + 1u + 16u);
    EXPECT_EQ(huge.substr(0, 4), "1797");
    EXPECT_EQ(huge.substr(309), "." + std::string(16, '0'));
}

struct LeadingCase {
    const char* text;
    double value;
};

TEST(LeadingNumber, ReadsTheNumberATextStartsWith) {
    const LeadingCase cases[] = {
        {"12abc", 12},  {"abc", 0},    {"", 0},        {"  -1.5x", -1.5}, {"1e3", 1000},
        {"12.", 12},    {".5", 0.5},   {"-", 0},       {"+7", 7},         {"\t3", 3},
        {"1e", 1},      {"2E-2x", 0.02}, {"1e999", 0}, {"-.25", -0.25},   {".", 0},
        {"1 2", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace orv
