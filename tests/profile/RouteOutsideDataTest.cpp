// A planned route whose first points lie west of the sample block: the profile shows them as a
// gap on its base line and the schedule marks the entry that reaches them.
#include "profile/Profile.h"

#include "core/Rounding.h"
#include "schedule/ScheduleList.h"
#include "SummitRoute.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace orv {
namespace {

TEST(RouteOutsideDataTest, TheProfileLeavesAGapAndTheScheduleMarksTheEntry) {
    auto state = makeAppState();
    test::planSummitRoute(*state);
    const ElevationRange inside = [&] {
        // The range of the points that stay inside.
        ElevationRange r{INT32_MIN, INT32_MAX};
        for (int v = 4; v <= state->routeCount; ++v) {
            const int m = roundHalfEven(state->route[static_cast<size_t>(v)].elevation);
            r.highest = std::max(r.highest, m);
            r.lowest = std::min(r.lowest, m);
        }
        return r;
    }();
    // Points 1..3 move beyond the block's west edge (142°30′).
    for (size_t v = 1; v <= 3; ++v) state->route[v].longitude = "142.2930";
    measureRoute(*state);
    for (size_t v = 1; v <= 3; ++v) ASSERT_TRUE(state->route[v].outsideData) << v;

    const ElevationRange range = routeElevationRange(*state);
    EXPECT_EQ(range.highest, inside.highest);
    EXPECT_EQ(range.lowest, inside.lowest);

    test::ScriptedDialogs dialogs;
    Profile profile(*state, dialogs);
    profile.activate();
    const ProfileScale scale = profileScale(*state, 0);
    const std::vector<PixelPoint> points = profilePoints(*state, scale);
    for (size_t v = 1; v <= 3; ++v) EXPECT_EQ(points[v].y, kPlotTop + kPlotHeight) << v;
    // Between points 3 and 4 the plot is sky down to the grey gap line, with no profile line
    // (only the dotted scale lines cross it).
    const int x = (points[3].x + points[4].x) / 2;
    ASSERT_LT(points[3].x + 20, points[4].x);
    EXPECT_EQ(profile.surface().pixelAt(x, kPlotTop + kPlotHeight - 1), colours::shadow3D);
    for (int y = kPlotTop + 1; y < kPlotTop + kPlotHeight - 1; ++y)
        if ((y - kPlotTop) % 60 != 0) {
            ASSERT_EQ(profile.surface().pixelAt(x, y), kSkyColour) << y;
        }

    test::scheduleRoute(*state);
    const std::vector<std::string> rows = scheduleListRows(*state);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_TRUE(rows[1].starts_with(std::string("1") + kOutsideDataMark + "\t")) << rows[1];
    EXPECT_TRUE(rows[0].starts_with("0\t"));
    for (size_t b = 2; b < rows.size(); ++b) EXPECT_EQ(rows[b].find(kOutsideDataMark), std::string::npos) << rows[b];
    EXPECT_TRUE(segmentLeavesData(*state, 1));
    EXPECT_FALSE(segmentLeavesData(*state, 2));
}

}  // namespace
}  // namespace orv
