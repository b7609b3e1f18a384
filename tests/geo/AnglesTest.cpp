#include "geo/Angles.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace orv {
namespace {

struct DmsCase {
    const char* text;
    ArcSeconds seconds;
};

TEST(DmsToSeconds, ReadsDegreesMinutesSeconds) {
    const DmsCase cases[] = {
        {"139.4530", 503130},  // trailing zero
        {"139.453", 503130},
        {"35.2", 127200},      // 35°20′
        {"36", 129600},
        {".5", 3000},          // 0°50′ without a leading zero
        {"35.45123", 128712},  // fifth decimal rounded away (down)
        {"35.45127", 128713},  // fifth decimal rounded away (up)
        {"139.455951", 503160}, // rounding carries: 139°45′60″
        {"34.6", 126000},      // 34°60′ counts as 35°00′
        {"34.0099", 122499},   // 99″ counts linearly
        {"999.5959", 3599999}, // largest value of the domain
        {"  139.453xyz", 503130},
    };
    for (const auto& c : cases) EXPECT_EQ(dmsToSeconds(c.text), c.seconds) << c.text;
}

TEST(DmsToSeconds, EmptyOrNonNumericIsZero) {
    for (const char* text : {"", "abc", " ", ".", "-", "N35"})
        EXPECT_EQ(dmsToSeconds(text), 0) << '"' << text << '"';
}

TEST(DmsToSeconds, OutsideTheDomainIsDefined) {
    const DmsCase cases[] = {
        {"-1", 0},
        {"-0.0001", 0},
        {"1000", 3600000},                 // all leading digits are degrees
        {"1234.5612", 1234 * 3600 + 56 * 60 + 12},
        {"596523.1407", 2147483647},       // exactly the largest arc-second count
        {"596523.1408", 2147483647},       // saturates
        {"1e300", 2147483647},
        {"1e999", 0},                      // not a finite number
    };
    for (const auto& c : cases) EXPECT_EQ(dmsToSeconds(c.text), c.seconds) << c.text;
    EXPECT_GT(dmsToSeconds("1000"), dmsToSeconds("999.5959"));
}

struct SecondsCase {
    ArcSeconds seconds;
    const char* text;
};

TEST(SecondsToDms, WritesShortestText) {
    const SecondsCase cases[] = {
        {126000, "35"},        {503130, "139.453"}, {503107, "139.4507"},
        {127200, "35.2"},      {3000, ".5"},        {0, "0"},
        {1, ".0001"},          {60, ".01"},         {3599999, "999.5959"},
        {131405, "36.3005"},   {500400, "139"},     {129630, "36.003"},
    };
    for (const auto& c : cases) EXPECT_EQ(secondsToDms(c.seconds), c.text) << c.seconds;
}

TEST(SecondsToDms, NegativeSecondsUseFloorDivision) {
    // -1″ is -1° plus 59′59″.
    EXPECT_EQ(secondsToDms(-1), "-.4041");
    EXPECT_EQ(secondsToDms(-3600), "-1");
    EXPECT_FALSE(secondsToDms(std::numeric_limits<ArcSeconds>::min()).empty());
    EXPECT_FALSE(secondsToDms(std::numeric_limits<ArcSeconds>::max()).empty());
}

// Every minute and second of degrees around the float32 exponent steps and the ends of the
// domain, and a stride through all of 0°..999°59′59″.
TEST(SecondsToDms, RoundTripsThroughDmsToSeconds) {
    std::vector<ArcSeconds> seconds;
    for (int degrees : {0, 1, 9, 10, 35, 99, 100, 127, 128, 139, 255, 256, 511, 512, 998, 999})
        for (ArcSeconds a = degrees * 3600; a < (degrees + 1) * 3600; ++a) seconds.push_back(a);
    for (ArcSeconds a = 0; a <= 3599999; a += 13) seconds.push_back(a);

    int failures = 0;
    for (ArcSeconds a : seconds) {
        const DmsText text = secondsToDms(a);
        if (dmsToSeconds(text) != a && ++failures <= 10)
            ADD_FAILURE() << a << " -> \"" << text << "\" -> " << dmsToSeconds(text);
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

// The direct digit writer must give exactly the shortest float32 text of D + M/100 + S/10000.
TEST(SecondsToDms, DirectDigitsEqualTheShortestFloatText) {
    auto reference = [](ArcSeconds a) {
        const int d = a / 3600, m = a % 3600 / 60, s = a % 60;
        return shortestText(static_cast<float>(d + m / 100.0 + s / 10000.0));
    };
    for (ArcSeconds a = 0; a < 1000 * 3600; a += 97) ASSERT_EQ(secondsToDms(a), reference(a)) << a;
    for (ArcSeconds a = 999 * 3600; a < 1000 * 3600; ++a) ASSERT_EQ(secondsToDms(a), reference(a)) << a;
    for (ArcSeconds a = 0; a < 7200; ++a) ASSERT_EQ(secondsToDms(a), reference(a)) << a;
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

TEST(ExchangedAngles, DmsTextsInDegreesKeepTheirFractionsOfASecond) {
    const struct {
        const char* text;
        double degrees;
    } cases[] = {
        {"35.45123", 35 + 45 / 60.0 + 12.3 / 3600.0},
        {"139.453", 139 + 45 / 60.0 + 30 / 3600.0},
        {"35.3", 35.5},
        {"35", 35.0},
        {".0001", 1 / 3600.0},
        {" 35.4512345 ", 35 + 45 / 60.0 + 12.345 / 3600.0},
        {"-.3", -0.5},
        {"34.6", 35.0},  // 60 minutes count on, as dmsToSeconds reads them
    };
    for (const auto& c : cases) {
        const auto degrees = dmsTextDegrees(c.text);
        ASSERT_TRUE(degrees) << c.text;
        EXPECT_NEAR(*degrees, c.degrees, 1e-12) << c.text;
    }
    for (const char* bad : {"", "-", ".", "35.45x", "1e5", "N35"}) EXPECT_FALSE(dmsTextDegrees(bad)) << bad;
}

TEST(ExchangedAngles, DegreesBecomeDmsTextsRoundedToTheSecondsDecimals) {
    const struct {
        double degrees;
        int decimals;
        const char* text;
    } cases[] = {
        {35 + 45 / 60.0 + 12.3 / 3600.0, 2, "35.45123"},
        {35 + 45 / 60.0 + 12.345 / 3600.0, 3, "35.4512345"},
        {35 + 45 / 60.0 + 12.345 / 3600.0, 0, "35.4512"},
        {35 + 59 / 60.0 + 59.996 / 3600.0, 2, "36"},  // rounding carries into the degrees
        {0.5, 2, ".3"},
        {-1 / 3600.0, 2, "-.0001"},
        {0.0, 2, "0"},
        {1e-9, 2, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(degreesToDmsText(c.degrees, c.decimals), c.text) << c.degrees;
    // Every text written is read back to the same hundredth of a second.
    for (double lat = 24.0; lat < 46.0; lat += 0.0137) {
        const auto back = dmsTextDegrees(degreesToDmsText(lat, 2));
        ASSERT_TRUE(back);
        ASSERT_NEAR((*back - lat) * 3600.0, 0.0, 0.005 + 1e-9) << lat;
    }
}

}  // namespace
}  // namespace orv
