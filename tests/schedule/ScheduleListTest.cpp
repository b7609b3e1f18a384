// The schedule list: its rows, the names the refill gives unnamed entries, and a list left alone
// when there is no schedule.
#include "schedule/ScheduleList.h"

#include "schedule/SampleSchedule.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

using Rows = std::vector<std::string>;

TEST(ScheduleList, RefillNamesUnnamedEntriesAndListsFourTabbedColumns) {
    auto state = makeAppState();
    test::setSchedule(*state, {{40, 1234.4f, "", 2000}, {55, 2999.6f, "北岳山荘", 2500}, {50, 1800, "", 2200}},
                      "07:00", 5, 980);
    const auto rows = refillScheduleList(*state);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, (Rows{"0\t　　　\t980\t     /07:00", "1\t小休止\t1234\t07:40/07:45",
                           "2\t北岳山荘\t3000\t08:40/08:45", "3\t　　　\t1800\t09:35/     "}));
    // The table keeps the names from now on.
    EXPECT_EQ(state->segments[0].name, "　　　");
    EXPECT_EQ(state->segments[1].name, "小休止");
    EXPECT_EQ(state->segments[3].name, "　　　");
    EXPECT_EQ(state->segments[4].name, "");
}

TEST(ScheduleList, NoScheduleLeavesTheListAndTheTableAlone) {
    auto state = makeAppState();
    state->segments[0].departure = "07:00";
    EXPECT_FALSE(refillScheduleList(*state).has_value());
    EXPECT_EQ(state->segments[0].name, "");
    EXPECT_TRUE(scheduleListRows(*state).empty());
}

TEST(ScheduleList, NamesCannotAddColumnsOrLines) {
    CourseSegment entry;
    entry.number = 7;
    entry.name = "A\tB\r\nC";
    entry.elevation = -3;
    entry.arrival = "10:00";
    entry.departure = "10:05";
    EXPECT_EQ(scheduleListRow(entry), "7\tA B  C\t-3\t10:00/10:05");
}

TEST(ScheduleList, ACountBeyondTheTableListsOnlyTheTable) {
    auto state = makeAppState();
    state->segmentCount = 500;
    EXPECT_EQ(refillScheduleList(*state)->size(), static_cast<size_t>(kMaxSegments + 1));
    EXPECT_EQ(state->segments[kMaxSegments].name, "　　　");
}

}  // namespace
}  // namespace orv
