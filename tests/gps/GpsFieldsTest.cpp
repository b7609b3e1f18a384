// The record items of GPS files: coordinates in the PCX units and in Waypoint+ files, PCX dates
// and the shift of UTC times to Japanese time.
#include "gps/GpsFields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orv {
namespace {

struct CoordinateCase {
    const char* text;
    PcxUnit unit;
    double max;
    std::optional<std::string> expected;
};

TEST(GpsFieldsTest, PcxCoordinatesInEveryUnit) {
    const CoordinateCase cases[] = {
        {"354512.3", PcxUnit::Dms, 90, "35.45123"},
        {"1394512.3", PcxUnit::Dms, 180, "139.45123"},  // eight digits survive
        {"350000", PcxUnit::Dms, 90, "35"},
        {"5000", PcxUnit::Dms, 90, ".5"},
        {"0", PcxUnit::Dms, 90, "0"},
        {" 354512.3 ", PcxUnit::Dms, 90, "35.45123"},  // blanks around the number
        {"900000", PcxUnit::Dms, 90, "90"},
        {"900001", PcxUnit::Dms, 90, std::nullopt},  // beyond 90°
        {"35.5", PcxUnit::Deg, 90, "35.3"},
        {"139.75", PcxUnit::Deg, 180, "139.45"},
        {"35.50014", PcxUnit::Deg, 90, "35.3"},  // 127800.504″: whole seconds by floor
        {"35.4999", PcxUnit::Deg, 90, "35.2959"},
        {"180.5", PcxUnit::Deg, 180, std::nullopt},
        {"3545.205", PcxUnit::DegMin, 90, "35.45123"},      // 45.205′ = 45′12.3″
        {"13945.2055", PcxUnit::DegMin, 180, "139.451233"},  // 12.33″: hundredths kept
        {"3559.99999", PcxUnit::DegMin, 90, "36"},           // rounds up into the next degree
        {"3530", PcxUnit::DegMin, 90, "35.3"},
        {"9000.01", PcxUnit::DegMin, 90, std::nullopt},
        {"", PcxUnit::Dms, 90, std::nullopt},
        {".", PcxUnit::Dms, 90, std::nullopt},
        {"35x", PcxUnit::Dms, 90, std::nullopt},
        {"-354512", PcxUnit::Dms, 90, std::nullopt},  // the hemisphere letter carries the sign
        {"3.5e5", PcxUnit::Dms, 90, std::nullopt},
        {"1e400", PcxUnit::Deg, 90, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pcxCoordinate(c.text, c.unit, c.max), c.expected) << "'" << c.text << "'";
}

TEST(GpsFieldsTest, TabsAreBlanksAroundNumbers) {
    EXPECT_EQ(pcxCoordinate("\t354512.3 \t", PcxUnit::Dms, 90), "35.45123");
    EXPECT_EQ(waypointPlusCoordinate("\t35.5\t", kMaxLatitudeDegrees), "35.5");
    EXPECT_EQ(pcxCoordinate("3545\t12", PcxUnit::Dms, 90), std::nullopt);  // not around: inside
}

TEST(GpsFieldsTest, WaypointPlusCoordinatesRoundToFiveDecimals) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"35.6789012", "35.6789"},
        {"35.123456", "35.12346"},
        {"  35.5", "35.5"},
        {"0.5", ".5"},
        {"-0.000004", "0"},      // floor(-0.4 + 0.5) = 0
        {"-0.000006", "-.00001"},
        {"-35.123456", "-35.12346"},
        {"+35", "35"},
        {"91", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(waypointPlusCoordinate(text, kMaxLatitudeDegrees), expected) << text;
    EXPECT_EQ(waypointPlusCoordinate("139.123456", kMaxLongitudeDegrees), "139.12346");
    EXPECT_EQ(waypointPlusCoordinate("-179.999999", kMaxLongitudeDegrees), "-180");
}

TEST(GpsFieldsTest, DecimalTextKeepsFifteenDigitsWithoutLeadingZero) {
    EXPECT_EQ(decimalText(354512.3 / 10000.0), "35.45123");
    EXPECT_EQ(decimalText(0.25), ".25");
    EXPECT_EQ(decimalText(-0.25), "-.25");
    EXPECT_EQ(decimalText(1200), "1200");
    EXPECT_EQ(decimalText(0.00001), ".00001");
    EXPECT_EQ(decimalText(0.0), "0");
    EXPECT_EQ(decimalText(-0.0), "0");
}

TEST(GpsFieldsTest, PcxDatesBecomeMonthDayYear) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"08-OCT-99", "10/08/99"},
        {"31-Dec-01", "12/31/01"},
        {"31-DEC-01", "12/31/01"},
        {"01-jan-00", "01/01/00"},
        {"15-FEB-99", "02/15/99"},
        {"15-SEP-99", "09/15/99"},
        {"15-XYZ-99", "00/15/99"},  // unknown month name
        {"8-OCT-99 ", std::nullopt},
        {"08/OCT/99", std::nullopt},
        {"08-OCT-9", std::nullopt},
        {"08-OCT-1999", std::nullopt},
        {"AB-OCT-99", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(pcxDate(text), expected) << text;
}

TEST(GpsFieldsTest, UtcTimesShiftNineHoursWithoutTouchingMinutes) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"15:20:00", "00:20:00"},
        {"14:59:59", "23:59:59"},
        {"15:00:00", "00:00:00"},
        {"00:00:00", "09:00:00"},
        {"23:59:59", "08:59:59"},
        {"24:00:00", "09:00:00"},  // cumulative times of an exported plan
        {"27:30:00", "12:30:00"},
        {"99:00:00", "84:00:00"},
        {"12:60:00", std::nullopt},
        {"12:00:60", std::nullopt},
        {"1:20:00 ", std::nullopt},
        {"12-20-00", std::nullopt},
        {"12:20", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(localTime(text), expected) << text;
}

}  // namespace
}  // namespace orv
