// Editing the schedule: re-timing, merging entries, long rests, day ends, their questions, and
// the refusals that keep a schedule whole.
#include "schedule/ScheduleEdit.h"

#include "schedule/CourseTimeCalculation.h"
#include "schedule/CourseTimeTools.h"
#include "schedule/ScheduleList.h"
#include "schedule/SampleSchedule.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

using Rows = std::vector<std::string>;
const std::string kBlank = "     ";

// Five stretches of 40, 55, 50, 30 and 45 minutes from 07:00 with short rests of 5; the third
// end is a named hut. The list has been filled once, as after every calculation.
struct ScheduleEditTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    ScheduleEditValues values;  // short rest 5, long rest 60, start "07:00"

    ScheduleEditTest() {
        test::setSchedule(*state, {{40, 1200, "", 2000, 10},
                                   {55, 1500, "", 2500, 20},
                                   {50, 1800, "北岳山荘", 2200, 30},
                                   {30, 1700, "", 1500, 5},
                                   {45, 1300, "", 2600, 8}});
        refillScheduleList(*state);
    }
    const CourseSegment& entry(int k) const { return state->segments[static_cast<size_t>(k)]; }
    Rows times() const { return test::times(*state); }
};

const Rows kPlainTimes{kBlank + "/07:00", "07:40/07:45", "08:40/08:45", "09:35/09:40", "10:10/10:15",
                       "11:00/" + kBlank};

TEST_F(ScheduleEditTest, RetimingGivesShortRestsAndNoDepartureAtTheEnd) {
    EXPECT_EQ(times(), kPlainTimes);
}

TEST_F(ScheduleEditTest, RetimingInGpsModeCountsFromTheFirstRecordedTimeWithoutRests) {
    state->gpsMode = true;
    state->route[1].timeText = "09:00:00";
    retimeSchedule(*state, 5);
    EXPECT_EQ(times(), (Rows{"09:00/" + kBlank, "09:40/" + kBlank, "10:35/" + kBlank, "11:25/" + kBlank,
                             "11:55/" + kBlank, "12:40/" + kBlank}));
}

TEST(ClockTextMinutes, ReadsHoursAndMinutes) {
    const struct {
        const char* text;
        int minutes;
    } cases[] = {{"07:45", 465}, {"7:45", 465}, {"25:10", 1510}, {"100:05", 6005},
                 {"     ", 0},    {"", 0},       {"ab:cd", 0}};
    for (const auto& c : cases) EXPECT_EQ(clockTextMinutes(c.text), c.minutes) << c.text;
}

TEST_F(ScheduleEditTest, LongRestRelabelsAndShiftsEveryLaterTimeByLongMinusShortRest) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(setLongRest(*state, dialogs, 2, values));
    const auto asked = dialogs.messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "区間位置 2 に 60分の大休止時間を設定します。");
    EXPECT_EQ(asked[0].title, "大休止時間の設定");
    EXPECT_EQ(asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(asked[0].icon, Icon::Question);
    EXPECT_EQ(entry(2).name, "大休止");
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "08:40/09:40", "10:30/10:35",
                             "11:05/11:10", "11:55/" + kBlank}));
}

TEST_F(ScheduleEditTest, LongRestKeepsANamedPointsNameAndNoChangesNothing) {
    dialogs.answerMessage(Answer::Yes);
    dialogs.answerMessage(Answer::No);
    EXPECT_TRUE(setLongRest(*state, dialogs, 3, values));
    EXPECT_EQ(entry(3).name, "北岳山荘");
    EXPECT_EQ(entry(3).departure, "10:35");
    const Rows before = times();
    EXPECT_FALSE(setLongRest(*state, dialogs, 1, values));
    EXPECT_EQ(times(), before);
    EXPECT_EQ(entry(1).name, "小休止");
}

TEST_F(ScheduleEditTest, LongRestAtTheLastEntryGivesItADeparture) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(setLongRest(*state, dialogs, 5, values));
    EXPECT_EQ(entry(5).departure, "12:00");
    EXPECT_EQ(entry(4).departure, "10:15");
}

TEST_F(ScheduleEditTest, DayEndStartsTheNextMorningWithAThirtyMinuteFirstPitch) {
    dialogs.answerMessage(Answer::Yes);
    values.startTime = "06:30";
    EXPECT_TRUE(setDayEnd(*state, dialogs, 1, values));
    const auto asked = dialogs.messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "区間位置 2 で１日の行動を終了とします。\r\n\r\n次の日の行動開始時間は登山開始時間とします。");
    EXPECT_EQ(asked[0].title, "行動終了時間の設定");
    EXPECT_EQ(asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(asked[0].icon, Icon::Question);
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "08:40/" + kBlank, kBlank + "/06:30",
                             "07:00/07:05", "07:50/" + kBlank}));
}

TEST_F(ScheduleEditTest, DayEndFirstPitchIsThirtyMinutesWhateverItsWalkingMinutes) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(setDayEnd(*state, dialogs, 0, values));
    // Entry 3 walks 50 minutes but arrives 30 after the start.
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/" + kBlank, kBlank + "/07:00", "07:30/07:35",
                             "08:05/08:10", "08:55/" + kBlank}));
}

TEST_F(ScheduleEditTest, DayEndWhoseFirstPitchIsTheLastEntryLeavesItWithoutDeparture) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(setDayEnd(*state, dialogs, 2, values));
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "08:40/08:45", "09:35/" + kBlank,
                             kBlank + "/07:00", "07:30/" + kBlank}));
}

TEST_F(ScheduleEditTest, MergingFromRowZeroTakesEntryOneIntoTheStart) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(deleteSegment(*state, dialogs, 0, values));
    const auto asked = dialogs.messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "区間 0を削除して一つ前の区間に取り込みます");
    EXPECT_EQ(asked[0].title, "区間の調整");
    EXPECT_EQ(asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(asked[0].icon, Icon::Question);
    EXPECT_EQ(state->segmentCount, 4);
    EXPECT_EQ(entry(0).endPoint, 10);
    EXPECT_EQ(entry(0).latitude, "35.21");
    EXPECT_EQ(entry(0).walkingMinutes, 40);
    EXPECT_EQ(entry(0).walkingDistance, 2000);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(entry(k).number, k);
    EXPECT_EQ(entry(2).name, "北岳山荘");
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:55/08:00", "08:50/08:55", "09:25/09:30",
                             "10:15/" + kBlank}));
    EXPECT_EQ(entry(5).number, 0);
    EXPECT_EQ(entry(5).name, "");
}

TEST_F(ScheduleEditTest, MergingFromTheLastRowDropsTheLastEntry) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(deleteSegment(*state, dialogs, 5, values));
    EXPECT_EQ(dialogs.messages()[0].text, "区間 5を削除して一つ前の区間に取り込みます");
    EXPECT_EQ(state->segmentCount, 4);
    EXPECT_EQ(entry(4).endPoint, 40);
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "08:40/08:45", "09:35/09:40",
                             "10:10/" + kBlank}));
    EXPECT_EQ(entry(5).endPoint, 0);
    EXPECT_EQ(entry(5).arrival, "");
}

TEST_F(ScheduleEditTest, MergeSumsCopiesTheEndAndTakesThePlainMeanSlope) {
    ASSERT_TRUE(mergeSegment(*state, 3, 5));
    const CourseSegment& merged = entry(2);
    EXPECT_EQ(merged.walkingMinutes, 105);
    EXPECT_EQ(merged.walkingDistance, 4700);
    EXPECT_EQ(merged.horizontalDistance, 4680);
    EXPECT_EQ(merged.climbDiff, 200);
    EXPECT_EQ(merged.meanSlope, 25);  // (20 + 30) / 2, not weighted by length
    EXPECT_EQ(merged.endPoint, 30);
    EXPECT_EQ(merged.latitude, "35.23");
    EXPECT_EQ(merged.longitude, "138.43");
    EXPECT_EQ(merged.elevation, 1800);
    EXPECT_EQ(merged.name, "北岳山荘");
    EXPECT_EQ(entry(3).number, 3);
    EXPECT_EQ(entry(3).endPoint, 40);
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "09:30/09:35", "10:05/10:10",
                             "10:55/" + kBlank}));
}

TEST_F(ScheduleEditTest, MergeAfterLongRestAndDayEndRestoresPlainShortRests) {
    dialogs.answerMessage(Answer::Yes);
    dialogs.answerMessage(Answer::Yes);
    ASSERT_TRUE(setLongRest(*state, dialogs, 1, values));
    ASSERT_TRUE(setDayEnd(*state, dialogs, 1, values));
    ASSERT_TRUE(mergeSegment(*state, 5, 5));
    EXPECT_EQ(times(), (Rows{kBlank + "/07:00", "07:40/07:45", "08:40/08:45", "09:35/09:40",
                             "10:55/" + kBlank}));
}

TEST_F(ScheduleEditTest, MergeRefusesEntriesOutsideTheSchedule) {
    for (int i : {0, -1, 7, 200}) EXPECT_FALSE(mergeSegment(*state, i, 5)) << i;
    EXPECT_EQ(state->segmentCount, 5);
    EXPECT_EQ(times(), kPlainTimes);
}

// A full table: the last row's merge, a long rest far into a long walk, and a day end near the
// end all stay inside the 121 entries.
TEST(ScheduleEditFullTable, CommandsAtTheEndOfAFullTableStayInside) {
    auto state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::vector<test::Stretch> stretches(kMaxSegments, test::Stretch{60, 1500, "", 3000, 10});
    test::setSchedule(*state, stretches);
    refillScheduleList(*state);
    // 07:00 + 120 · 60 + 119 · 5 minutes.
    EXPECT_EQ(state->segments[120].arrival, "136:55");
    ScheduleEditValues values;
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(setLongRest(*state, dialogs, 120, values));
    EXPECT_EQ(state->segments[120].departure, "137:55");
    EXPECT_FALSE(setDayEnd(*state, dialogs, 118, values));
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(deleteSegment(*state, dialogs, 120, values));
    EXPECT_EQ(state->segmentCount, 119);
    EXPECT_EQ(state->segments[119].departure, kBlank);
    EXPECT_EQ(state->segments[120].number, 0);
}

// The refusals: each shows its message once, asks nothing else and leaves the table as it was.
TEST_F(ScheduleEditTest, CommandsThatCannotWorkSayWhyAndChangeNothing) {
    using Command = bool (*)(AppState&, Dialogs&, int, const ScheduleEditValues&);
    struct Case {
        const char* what;
        Command command;
        int row;
        std::string startTime;
        int segmentCount;  // -1: the sample schedule
        std::string text;
        std::string title;
    };
    const std::string select = "区間を選択して下さい。";
    const std::string calculate = "コースタイムを計算して下さい。";
    const std::vector<Case> cases{
        {"merge, no row", deleteSegment, -1, "07:00", -1, select, "メッセージ"},
        {"long rest, no row", setLongRest, -1, "07:00", -1, select, "メッセージ"},
        {"day end, no row", setDayEnd, -1, "07:00", -1, select, "メッセージ"},
        {"merge, row past the list", deleteSegment, 6, "07:00", -1, select, "メッセージ"},
        {"merge, no schedule", deleteSegment, 0, "07:00", 0, calculate, "メッセージ"},
        {"long rest, no schedule", setLongRest, 0, "07:00", 0, calculate, "メッセージ"},
        {"merge, single entry", deleteSegment, 1, "07:00", 1, "区間が１つだけのため削除できません。",
         "区間の調整"},
        {"long rest at the start", setLongRest, 0, "07:00", -1,
         "区間位置 0 には到着時間がないため大休止を設定できません。", "大休止時間の設定"},
        {"day end, third last row", setDayEnd, 3, "07:00", -1,
         "区間位置 4 の後に次の日の区間が足りないため１日の行動終了を設定できません。",
         "行動終了時間の設定"},
        {"day end, last row", setDayEnd, 5, "07:00", -1,
         "区間位置 6 の後に次の日の区間が足りないため１日の行動終了を設定できません。",
         "行動終了時間の設定"},
        {"day end, start time not HH:MM", setDayEnd, 0, "7時", -1,
         "登山開始時間を「07:00」の形で入力して下さい。", "行動終了時間の設定"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedDialogs asked;
        if (c.segmentCount >= 0) state->segmentCount = static_cast<int16_t>(c.segmentCount);
        const Rows before = times();
        ScheduleEditValues v;
        v.startTime = c.startTime;
        EXPECT_FALSE(c.command(*state, asked, c.row, v));
        ASSERT_EQ(asked.asked().size(), 1u);
        EXPECT_EQ(asked.asked()[0].text, c.text);
        EXPECT_EQ(asked.asked()[0].title, c.title);
        EXPECT_EQ(asked.asked()[0].icon, Icon::Information);
        EXPECT_EQ(times(), before);
        state->segmentCount = 5;
    }
}

TEST_F(ScheduleEditTest, LongRestOnTheMorningEntryAfterADayEndIsRefused) {
    dialogs.answerMessage(Answer::Yes);
    ASSERT_TRUE(setDayEnd(*state, dialogs, 0, values));
    EXPECT_FALSE(setLongRest(*state, dialogs, 2, values));
    EXPECT_EQ(dialogs.messages().back().text,
              "区間位置 2 には到着時間がないため大休止を設定できません。");
}

TEST_F(ScheduleEditTest, LongRestAndDayEndDoNothingSilentlyInGpsMode) {
    state->gpsMode = true;
    EXPECT_FALSE(setLongRest(*state, dialogs, 2, values));
    EXPECT_FALSE(setDayEnd(*state, dialogs, 1, values));
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(times(), kPlainTimes);
}

TEST_F(ScheduleEditTest, MergingInGpsModeRetimesFromTheRecordedStart) {
    state->gpsMode = true;
    state->route[1].timeText = "09:00:00";
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(deleteSegment(*state, dialogs, 1, values));
    EXPECT_EQ(times(), (Rows{"09:00/" + kBlank, "10:35/" + kBlank, "11:25/" + kBlank, "11:55/" + kBlank,
                             "12:40/" + kBlank}));
}

TEST(ScheduleCommands, BothBandsHoldTheFourToolsAndGpsModeDisablesTwo) {
    MenuModel menus;
    addScheduleCommands(menus);
    for (const char* band : {"メイン処理ﾒﾆｭｰ", "MainPopupMenu"}) {
        const MenuBand* b = menus.band(band);
        ASSERT_NE(b, nullptr) << band;
        std::vector<std::string> listed;
        for (const MenuCommand& c : b->commands) {
            listed.push_back(c.toolId + " " + c.caption);
            EXPECT_EQ(c.category, "主処理ﾒﾆｭｰ");
        }
        EXPECT_EQ(listed, (Rows{"ActDelEreaData 区間の削除", "ActDaiKyusi 大休止の設定",
                                "ActLimitDaySet １日の行動時間終了の設定", "ActSaveCTime ｺｰｽﾀｲﾑの保存"}));
    }
    setScheduleCommandStates(menus, true);
    EXPECT_TRUE(menus.isEnabled("ActDelEreaData"));
    EXPECT_FALSE(menus.isEnabled("ActDaiKyusi"));
    EXPECT_FALSE(menus.isEnabled("ActLimitDaySet"));
    EXPECT_TRUE(menus.isEnabled("ActSaveCTime"));
    setScheduleCommandStates(menus, false);
    EXPECT_TRUE(menus.isEnabled("ActDaiKyusi"));
    EXPECT_TRUE(menus.isEnabled("ActLimitDaySet"));
}

TEST_F(ScheduleEditTest, DispatchRunsTheCommandForItsToolId) {
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(runScheduleCommand(*state, dialogs, "ActDaiKyusi", 1, values));
    EXPECT_EQ(entry(1).name, "大休止");
    EXPECT_FALSE(runScheduleCommand(*state, dialogs, "ActUnknown", 1, values));
    EXPECT_TRUE(isScheduleCommand("ActSaveCTime"));
    EXPECT_FALSE(isScheduleCommand("ActCalCorseTime"));
}

}  // namespace
}  // namespace orv
