#include "app/OverviewLabels.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(OverviewLabels, LatitudeLabelsWrittenOverTheTemplate) {
    struct Case {
        int scroll;
        int i;
        const char* label;
    } cases[] = {
        {0, 0, "46.0"},     // 46°00′: "46" over "00.0"
        {0, 1, "45.2"},     // 45°20′
        {0, 4, "43.2"},     // 43°20′
        {1040, 0, "37.2"},  // start position
        {1000, 0, "37.4"},  // 37°40′
        {1010, 0, "37.3"},  // 37°35′ cut to four characters
        {1520, 4, "30.4"},  // 30°40′
    };
    for (const auto& c : cases) EXPECT_EQ(overviewLatitudeLabel(c.scroll, c.i), c.label) << c.scroll << " " << c.i;
}

TEST(OverviewLabels, LongitudeLabels) {
    EXPECT_EQ(overviewLongitudeLabel(480, 0), " 134.0");
    EXPECT_EQ(overviewLongitudeLabel(480, 7), " 141.0");
    EXPECT_EQ(overviewLongitudeLabel(0, 0), " 128.0");
    EXPECT_EQ(overviewLongitudeLabel(1040, 7), " 148.0");
}

}  // namespace
}  // namespace orv
