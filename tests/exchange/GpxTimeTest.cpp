// GPX times: ISO 8601 texts in UTC, with fractions, offsets or no zone, and the texts written.
#include "exchange/GpxTime.h"

#include <gtest/gtest.h>

#include <optional>

namespace orv {
namespace {

// 2024-05-04T23:59:30Z
constexpr UtcSeconds kLateMay4 = 1714867170;

TEST(GpxTimeTest, ReadsUtcTimesWithFractionsOffsetsAndWithoutZone) {
    const struct {
        const char* text;
        std::optional<UtcSeconds> time;
    } cases[] = {
        {"2024-05-04T23:59:30Z", kLateMay4},
        {"  2024-05-04T23:59:30.999Z\n", kLateMay4},  // fractions are dropped, not rounded
        {"2024-05-05T08:59:30+09:00", kLateMay4},
        {"2024-05-04T22:59:30-0100", kLateMay4},
        {"2024-05-05T08:59:30+09", kLateMay4},
        {"2024-05-04T23:59:30", kLateMay4},  // no zone: GPX times are UTC
        {"2024-05-04 23:59:30Z", kLateMay4},
        {"1970-01-01T00:00:00Z", 0},
        {"2000-02-29T12:00:00Z", 951825600},
        {"1999-12-31T23:59:59Z", 946684799},
        {"2023-02-29T12:00:00Z", std::nullopt},  // no such day
        {"2024-13-01T00:00:00Z", std::nullopt},
        {"2024-05-04T24:00:00Z", std::nullopt},
        {"2024-05-04T23:60:00Z", std::nullopt},
        {"2024-05-04T23:59:30.Z", std::nullopt},
        {"2024-05-04T23:59:30+9:00", std::nullopt},
        {"2024-05-04T23:59:30+09:", std::nullopt},
        {"2024-05-04T23:59:30ZZ", std::nullopt},
        {"2024-05-04", std::nullopt},
        {"04/05/2024 23:59:30", std::nullopt},
        {"", std::nullopt},
        {"0000-01-01T00:00:00Z", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseGpxTime(c.text), c.time) << "'" << c.text << "'";
}

TEST(GpxTimeTest, WrittenTimesReadBack) {
    EXPECT_EQ(gpxTimeText(kLateMay4), "2024-05-04T23:59:30Z");
    EXPECT_EQ(gpxTimeText(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(gpxTimeText(-1), "1969-12-31T23:59:59Z");
    for (UtcSeconds t = 946684800 - 86400 * 3; t < 946684800 + 86400 * 400; t += 86400 / 2 + 13)
        ASSERT_EQ(parseGpxTime(gpxTimeText(t)), t) << t;
}

}  // namespace
}  // namespace orv
