// The course-time window's logic: its fields, "計算" and "逆ルート" with their refusals, the two
// modes and the schedule commands, driven as the window drives it.
#include "schedule/CourseTime.h"

#include "schedule/CourseTimeCalculation.h"
#include "schedule/ScheduleList.h"
#include "support/ScriptedDialogs.h"
#include "support/UnknownTools.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

size_t at(int i) { return static_cast<size_t>(i); }

// The southernmost band again: a step of 60″ north and 28″ east is 2000.03 m, 30.0005 minutes
// on the flat at 4 km/h.
constexpr ArcSeconds kAreaNorth = 100000;
constexpr ArcSeconds kLat = 90000;
constexpr ArcSeconds kLon = 460000;

struct CourseTimeTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<CourseTime> model;

    void SetUp() override {
        setStartValues(*state);
        state->demUnused = 1;
        state->currentLevel = 1;
        state->levelCorners[1] = {secondsToDms(kAreaNorth - 9000), secondsToDms(kAreaNorth),
                                  secondsToDms(kLon - 600), secondsToDms(kLon + 9000)};
        line(5);
        model = std::make_unique<CourseTime>(*state, dialogs);
    }

    // n points in steps of 30 flat minutes at 1000 m: with pitch 55 the segments end at
    // points 2 (30 min), 4 (60 min) and 5 (30 min).
    void line(int n) {
        state->routeCount = 0;
        for (int k = 0; k < n; ++k) {
            RoutePoint& p = state->route[at(++state->routeCount)];
            p = RoutePoint{};
            p.number = state->routeCount;
            p.latitude = secondsToDms(kLat + 60 * k);
            p.longitude = secondsToDms(kLon + 28 * k);
            p.elevation = 1000;
        }
    }

    const CourseSegment& entry(int i) { return state->segments[at(i)]; }
    std::vector<std::string> arrivals() {
        std::vector<std::string> out;
        for (int f = 0; f <= state->segmentCount; ++f) out.push_back(entry(f).arrival);
        return out;
    }
};

TEST_F(CourseTimeTest, OpensWithTheWalkingParametersAndTheStartValues) {
    state->settings.flatSpeed = 3.5f;
    model->open();
    const CourseTimeFields& f = model->fields();
    EXPECT_EQ(f.climbSpeed, "300");
    EXPECT_EQ(f.descentSpeed, "500");
    EXPECT_EQ(f.flatSpeed, "3.5");
    EXPECT_EQ(f.shortRest, "5");
    EXPECT_EQ(f.longRest, "60");
    EXPECT_EQ(f.correction, "1");
    EXPECT_EQ(f.pitch, "55");
    EXPECT_EQ(f.startTime, "07:00");
    EXPECT_EQ(model->forecast(), "     ");
    EXPECT_TRUE(model->rows().empty());
    EXPECT_TRUE(model->parametersEnabled());
    EXPECT_TRUE(model->reverseEnabled());
    EXPECT_FALSE(model->popupAvailable());
    for (const char* id : {"ActDelEreaData", "ActDaiKyusi", "ActLimitDaySet", "ActSaveCTime"})
        EXPECT_TRUE(model->menus().isEnabled(ToolId{id})) << id;

    // A reopened window shows the last schedule and its start.
    model->fields().startTime = "06:15";
    model->calculate();
    CourseTime reopened(*state, dialogs);
    reopened.open();
    EXPECT_EQ(reopened.fields().startTime, "06:15");
    EXPECT_EQ(reopened.forecast(), "08:42");  // stretches of 34 minutes at 3.5 km/h
    EXPECT_EQ(reopened.rows(), scheduleListRows(*state));
    EXPECT_EQ(reopened.rows().size(), 4u);
}

TEST_F(CourseTimeTest, SpinnersWriteTheirValuesIntoTheFields) {
    model->open();
    struct Case {
        int value;
        const char* text;
    };
    for (const Case c : {Case{11, "1.1"}, Case{12, "1.2"}, Case{20, "2"}, Case{30, "3"},
                         Case{31, "3"}, Case{9, "1"}, Case{10, "1"}}) {
        model->setCorrectionSpinner(c.value);
        EXPECT_EQ(model->fields().correction, c.text) << c.value;
    }
    for (const Case c : {Case{60, "60"}, Case{240, "240"}, Case{245, "240"}, Case{25, "30"}}) {
        model->setPitchSpinner(c.value);
        EXPECT_EQ(model->fields().pitch, c.text) << c.value;
    }
}

TEST_F(CourseTimeTest, CalculateFillsTheListAndTheForecast) {
    model->open();
    model->fields().climbSpeed = "250";
    model->fields().shortRest = "10";
    model->calculate();

    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(state->segmentCount, 3);
    EXPECT_EQ(arrivals(), (std::vector<std::string>{"     ", "07:30", "08:40", "09:20"}));
    EXPECT_EQ(entry(1).departure, "07:40");
    EXPECT_EQ(model->forecast(), "09:20");
    EXPECT_EQ(model->rows(), scheduleListRows(*state));
    EXPECT_EQ(model->rows()[1], "1\t小休止\t1000\t07:30/07:40");
    EXPECT_TRUE(model->listVisible());
    EXPECT_TRUE(model->popupAvailable());
    // The edited parameters are now the walking parameters.
    EXPECT_EQ(state->settings.climbSpeed, 250.0f);
    EXPECT_EQ(state->settings.shortRest, 10);

    // Correction 1.2: 30 minutes become 36, 60 become 72.
    model->setCorrectionSpinner(12);
    model->calculate();
    EXPECT_EQ(arrivals(), (std::vector<std::string>{"     ", "07:36", "08:58", "09:44"}));
}

TEST_F(CourseTimeTest, InvalidFieldsAreRefusedAndNothingChanges) {
    model->open();
    model->calculate();
    const std::vector<std::string> before = arrivals();
    const std::vector<std::string> rows = model->rows();
    const float minutes = state->route[2].minutesOut;

    struct Case {
        std::string CourseTimeFields::*field;
        const char* text;
        const char* message;
    };
    const std::vector<Case> cases{
        {&CourseTimeFields::climbSpeed, "0", kCourseTimeSpeedMessage},
        {&CourseTimeFields::descentSpeed, "速い", kCourseTimeSpeedMessage},
        {&CourseTimeFields::flatSpeed, "-4", kCourseTimeSpeedMessage},
        {&CourseTimeFields::flatSpeed, "", kCourseTimeSpeedMessage},
        {&CourseTimeFields::shortRest, "-1", kCourseTimeRestMessage},
        {&CourseTimeFields::longRest, "2000", kCourseTimeRestMessage},
        {&CourseTimeFields::pitch, "0", kCourseTimePitchMessage},
        {&CourseTimeFields::pitch, "abc", kCourseTimePitchMessage},
        {&CourseTimeFields::startTime, "7:00", kCourseTimeStartMessage},
        {&CourseTimeFields::startTime, "24:00", kCourseTimeStartMessage},
        {&CourseTimeFields::startTime, "", kCourseTimeStartMessage},
    };
    for (const Case& c : cases) {
        test::ScriptedDialogs asked;
        CourseTime window(*state, asked);
        window.open();
        window.fields().climbSpeed = "100";  // would change every time
        window.fields().*c.field = c.text;
        window.calculate();
        ASSERT_EQ(asked.messages().size(), 1u) << c.text;
        EXPECT_EQ(asked.messages()[0].text, c.message) << c.text;
        EXPECT_EQ(asked.messages()[0].title, "メッセージ");
        EXPECT_EQ(asked.messages()[0].icon, Icon::Information);
        EXPECT_EQ(arrivals(), before) << c.text;
        EXPECT_EQ(window.rows(), rows) << c.text;
        EXPECT_EQ(state->route[2].minutesOut, minutes) << c.text;
        EXPECT_EQ(state->settings.climbSpeed, 300.0f) << c.text;
        EXPECT_TRUE(window.listVisible());
    }
}

TEST_F(CourseTimeTest, EmptyOrZeroCorrectionCountsAsOne) {
    model->open();
    for (const char* text : {"", "0", "abc"}) {
        model->fields().correction = text;
        model->calculate();
        EXPECT_EQ(entry(1).walkingMinutes, 30.0f) << text;
    }
}

TEST_F(CourseTimeTest, NamedDestinationEndsTheLastEntryOnce) {
    state->route[5].mountainName = "山頂";
    model->open();
    model->calculate();
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(state->segmentCount, 3);
    EXPECT_EQ(entry(2).endPoint, 4);
    EXPECT_EQ(entry(3).endPoint, 5);
    EXPECT_EQ(entry(3).name, "山頂");
    EXPECT_EQ(entry(3).departure, kNoTime);
    EXPECT_EQ(model->forecast(), entry(3).arrival);
}

// Records whether the schedule list was showing when each message box came up.
struct WatchingDialogs : test::ScriptedDialogs {
    std::function<bool()> listShown;
    std::vector<bool> shownAtMessage;
    Answer message(const std::string& text, const std::string& title, Buttons buttons,
                   Icon icon) override {
        if (listShown) shownAtMessage.push_back(listShown());
        return ScriptedDialogs::message(text, title, buttons, icon);
    }
};

// A walked track (the times of the workflow's horoshiri.TRK in local time) passes the pitch
// exactly at its last point: that point ends one entry, the last.
TEST_F(CourseTimeTest, RecordedTrackEndingOnAPitchEndsItsLastEntryOnce) {
    state->gpsMode = true;
    const char* const times[] = {"08:10:00", "08:40:00", "09:30:00", "10:20:00", "11:00:00"};
    for (int i = 1; i <= 5; ++i) state->route[at(i)].timeText = times[i - 1];
    CourseTime gps(*state, dialogs);
    gps.open();
    gps.calculate();
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(state->segmentCount, 2);
    EXPECT_EQ(entry(1).endPoint, 3);  // 80 minutes > 30
    EXPECT_EQ(entry(2).endPoint, 5);  // 90 minutes > 55, and the end
    EXPECT_EQ(entry(2).arrival, "11:00");
    EXPECT_EQ(gps.forecast(), "11:00");
}

// A refusal found while the list is hidden comes up over the list shown again.
TEST_F(CourseTimeTest, RefusalComesOverTheShownList) {
    line(125);
    WatchingDialogs watching;
    CourseTime window(*state, watching);
    watching.listShown = [&window] { return window.listVisible(); };
    window.open();
    window.fields().pitch = "1";
    window.fields().climbSpeed = "100";
    window.calculate();
    ASSERT_EQ(watching.messages().size(), 1u);
    EXPECT_EQ(watching.messages()[0].text, kTooManySegmentsMessage);
    EXPECT_EQ(watching.shownAtMessage, std::vector<bool>{true});
}

TEST_F(CourseTimeTest, MoreThan120SegmentsAreRefusedAndNothingChanges) {
    model->open();
    model->calculate();
    const std::vector<std::string> before = arrivals();
    line(125);
    state->route[2].minutesOut = -1;  // a value the refused calculation must not touch
    model->fields().pitch = "1";
    model->fields().climbSpeed = "100";
    model->calculate();

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kTooManySegmentsMessage);
    EXPECT_EQ(arrivals(), before);
    EXPECT_EQ(state->route[2].minutesOut, -1.0f);
    EXPECT_EQ(state->settings.climbSpeed, 300.0f);
    EXPECT_EQ(model->forecast(), "09:10");
    EXPECT_TRUE(model->listVisible());
}

TEST_F(CourseTimeTest, ReverseRouteSchedulesTheWayBack) {
    for (int i = 1; i <= 5; ++i) state->route[at(i)].elevation = 1000.0f + 100.0f * static_cast<float>(i - 1);
    state->route[1].placeName = "登山口";
    model->open();
    model->calculate();
    const std::string forward = model->forecast();

    model->fields().shortRest = "0";
    model->reverse();
    EXPECT_EQ(state->route[1].elevation, 1400.0f);
    EXPECT_EQ(state->route[5].placeName, "登山口");
    EXPECT_EQ(entry(0).endPoint, 1);
    EXPECT_EQ(entry(0).elevation, 1400.0f);
    EXPECT_EQ(state->settings.shortRest, 0);
    EXPECT_NE(model->forecast(), forward);
    EXPECT_EQ(model->forecast(), entry(state->segmentCount).arrival);
    // The named start now ends the route, and its one last entry.
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(entry(state->segmentCount).endPoint, 5);
    EXPECT_EQ(entry(state->segmentCount).name, "登山口");
    EXPECT_NE(entry(state->segmentCount - 1).endPoint, 5);

    model->reverse();
    EXPECT_EQ(state->route[1].placeName, "登山口");
    model->fields().shortRest = "5";
    model->calculate();
    EXPECT_EQ(model->forecast(), forward);
}

TEST_F(CourseTimeTest, ReverseIsRefusedForARoundTrip) {
    state->roundTrip = true;
    model->open();
    model->calculate();
    const std::vector<std::string> before = arrivals();
    model->reverse();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "往復計算モードでは実行できません");
    EXPECT_EQ(dialogs.messages()[0].title, "メッセージ");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
    EXPECT_EQ(state->route[1].latitude, secondsToDms(kLat));
    EXPECT_EQ(arrivals(), before);
}

TEST_F(CourseTimeTest, GpsLogModeTakesTheRecordedTimes) {
    state->gpsMode = true;
    state->settings.climbSpeed = 0;  // not used for a record
    const char* times[] = {"09:00:00", "09:12:30", "09:40:00", "10:20:00", "10:30:00"};
    for (int i = 1; i <= 5; ++i) state->route[at(i)].timeText = times[i - 1];
    model->open();

    EXPECT_FALSE(model->parametersEnabled());
    EXPECT_FALSE(model->reverseEnabled());
    EXPECT_EQ(model->fields().climbSpeed, "0");
    EXPECT_EQ(model->fields().correction, "");
    EXPECT_EQ(model->fields().startTime, "09:00");
    EXPECT_EQ(model->forecast(), "10:30");
    EXPECT_FALSE(model->menus().isEnabled("ActDaiKyusi"));
    EXPECT_FALSE(model->menus().isEnabled("ActLimitDaySet"));
    EXPECT_TRUE(model->menus().isEnabled("ActDelEreaData"));
    EXPECT_TRUE(model->menus().isEnabled("ActSaveCTime"));

    model->setCorrectionSpinner(20);  // disabled: nothing happens
    EXPECT_EQ(model->fields().correction, "");
    model->calculate();
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(state->route[2].minutesOut, 12.5f);
    EXPECT_EQ(state->route[2].timeText, "09:12:30");
    // 40 recorded minutes to point 3 end the first pitch, 50 more to point 5 the second.
    EXPECT_EQ(arrivals(), (std::vector<std::string>{"09:00", "09:40", "10:30"}));
    EXPECT_EQ(entry(1).departure, "     ");
    EXPECT_EQ(model->forecast(), "10:30");

    // The long-rest and day-end commands do nothing here.
    model->selectRow(1);
    model->dispatch("ActDaiKyusi");
    model->dispatch("ActLimitDaySet");
    EXPECT_TRUE(dialogs.asked().empty());
    model->reverse();
    EXPECT_EQ(state->route[1].timeText, "09:00:00");
}

TEST_F(CourseTimeTest, ScheduleCommandsWorkOnTheSelectedRow) {
    model->open();
    model->calculate();
    EXPECT_EQ(model->selectedRow(), -1);
    model->selectRow(1);
    EXPECT_EQ(model->selectedRow(), 1);

    // A long rest of 60 minutes at entry 1 moves the later times by 55 minutes.
    dialogs.answerMessage(Answer::Yes);
    model->dispatch("ActDaiKyusi");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "大休止時間の設定");
    EXPECT_EQ(entry(1).departure, "08:30");
    EXPECT_EQ(model->rows()[1], "1\t大休止\t1000\t07:30/08:30");
    EXPECT_EQ(model->forecast(), "10:05");

    // Merging the last row drops the last entry.
    model->selectRow(3);
    dialogs.answerMessage(Answer::Yes);
    model->dispatch("ActDelEreaData");
    EXPECT_EQ(state->segmentCount, 2);
    EXPECT_EQ(model->rows().size(), 3u);
    EXPECT_EQ(model->selectedRow(), -1);

    model->selectRow(7);  // no such row
    EXPECT_EQ(model->selectedRow(), -1);
    test::UnknownToolCatcher unknown;
    model->dispatch("ActUnknown");
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(unknown.reports(), std::vector<std::string>{"CourseTime: ActUnknown"});
}

TEST_F(CourseTimeTest, ButtonsAndCommandsDuringACalculationWaitForIt) {
    // The calculation lets window events run while the list is hidden: what the user chooses
    // meanwhile runs after it, in order.
    model->open();
    size_t pendingThen = 0;
    bool listHiddenThen = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            listHiddenThen = !model->listVisible();
            model->help();
            model->calculate();
            pendingThen = model->pendingCommands();
        },
        Qt::QueuedConnection);
    model->calculate();
    EXPECT_TRUE(listHiddenThen);
    EXPECT_EQ(pendingThen, 2u);
    EXPECT_EQ(model->pendingCommands(), 0u);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "help");
    EXPECT_TRUE(model->listVisible());
    EXPECT_FALSE(model->rows().empty());
}

TEST_F(CourseTimeTest, HelpAndClose) {
    int closes = 0;
    model->closeRequested = [&] { ++closes; };
    model->open();
    model->help();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "help");
    EXPECT_EQ(dialogs.asked()[0].text, "ORVANE5.hlp");
    model->close();
    EXPECT_TRUE(model->closed());
    EXPECT_EQ(closes, 1);
}

}  // namespace
}  // namespace orv
