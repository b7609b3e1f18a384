#include "schedule/ScheduleEdit.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "schedule/CourseTimeCalculation.h"
#include "schedule/ScheduleList.h"

#include <algorithm>
#include <cstdint>

namespace orv {
namespace {

constexpr const char* kNoRowMessage = "区間を選択して下さい。";
constexpr const char* kMergeTitle = "区間の調整";
constexpr const char* kSingleEntryMessage = "区間が１つだけのため削除できません。";
constexpr const char* kLongRestTitle = "大休止時間の設定";
constexpr const char* kDayEndTitle = "行動終了時間の設定";
constexpr const char* kBadStartTimeMessage = "登山開始時間を「07:00」の形で入力して下さい。";
// The first pitch of the next day counts this many minutes, whatever its walking minutes.
constexpr int kDayFirstPitchMinutes = 30;

CourseSegment& entryAt(AppState& state, int index) {
    return state.segments[static_cast<size_t>(std::clamp(index, 0, kMaxSegments))];
}

bool refuse(Dialogs& dialogs, const std::string& text, const std::string& title) {
    dialogs.message(text, title, Buttons::Ok, Icon::Information);
    return false;
}

bool ask(Dialogs& dialogs, const std::string& text, const std::string& title) {
    return dialogs.message(text, title, Buttons::YesNo, Icon::Question) == Answer::Yes;
}

// The checks every row command starts with: a schedule exists and a row of it is selected.
bool rowUsable(const AppState& state, Dialogs& dialogs, int selectedRow) {
    const int count = usedSegmentCount(state);
    if (count == 0) return refuse(dialogs, kNoScheduleMessage, kScheduleMessageTitle);
    if (selectedRow < 0 || selectedRow > count) return refuse(dialogs, kNoRowMessage, kScheduleMessageTitle);
    return true;
}

bool hasClockTime(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int64_t arrivalAfter(const CourseSegment& entry, int64_t start) {
    return roundHalfEven(static_cast<double>(entry.walkingMinutes) + static_cast<double>(start));
}

// Entries first..count walk on from `start` minutes: each arrives after its walking minutes and
// leaves a short rest later; the last one does not leave.
void walkOn(AppState& state, int first, int64_t start, int shortRest) {
    const int count = usedSegmentCount(state);
    for (int k = std::max(first, 1); k <= count; ++k) {
        CourseSegment& entry = entryAt(state, k);
        const int64_t t = arrivalAfter(entry, start);
        entry.arrival = clockText(t);
        if (k == count) {
            entry.departure = kNoTime;
        } else {
            start = t + shortRest;
            entry.departure = clockText(start);
        }
    }
}

}  // namespace

int clockTextMinutes(std::string_view text) {
    const size_t colon = text.find(':');
    const std::string_view hours = colon == std::string_view::npos ? text.substr(0, 2)
                                                                   : text.substr(0, colon);
    const std::string_view minutes = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    return roundHalfEven(leadingNumber(hours) * 60.0 + leadingNumber(minutes));
}

void retimeSchedule(AppState& state, int shortRest) {
    const int count = usedSegmentCount(state);
    if (count == 0) return;
    CourseSegment& start = entryAt(state, 0);
    if (state.gpsMode) {
        // Recorded walk: the arrivals count on from the first point's time, without rests.
        const std::string begin = state.route[1].timeText.substr(0, 5);
        start.departure = kNoTime;
        start.arrival = begin;
        int64_t s = clockTextMinutes(begin);
        for (int k = 1; k <= count; ++k) {
            CourseSegment& entry = entryAt(state, k);
            s = arrivalAfter(entry, s);
            entry.arrival = clockText(s);
            entry.departure = kNoTime;
        }
        return;
    }
    walkOn(state, 1, clockTextMinutes(start.departure), shortRest);
}

bool mergeSegment(AppState& state, int i, int shortRest) {
    const int count = usedSegmentCount(state);
    if (count == 0 || i < 1 || i > count + 1) return false;
    if (i <= count) {
        CourseSegment& into = entryAt(state, i - 1);
        const CourseSegment& from = entryAt(state, i);
        into.horizontalDistance += from.horizontalDistance;
        into.walkingDistance += from.walkingDistance;
        into.walkingMinutes += from.walkingMinutes;
        into.climbDiff += from.climbDiff;
        into.endPoint = from.endPoint;
        into.latitude = from.latitude;
        into.longitude = from.longitude;
        into.elevation = from.elevation;
        into.name = from.name;
        into.meanSlope = (into.meanSlope + from.meanSlope) / 2;
        for (int k = i; k < count; ++k) {
            CourseSegment& moved = entryAt(state, k);
            moved = entryAt(state, k + 1);
            moved.number = static_cast<int16_t>(moved.number - 1);
        }
    }
    // Merging the row after the last entry takes in an empty entry: only the clearing of the
    // old last entry remains, so the schedule loses its last entry.
    entryAt(state, count) = CourseSegment{};
    state.segmentCount = static_cast<int16_t>(count - 1);
    retimeSchedule(state, shortRest);
    return true;
}

bool deleteSegment(AppState& state, Dialogs& dialogs, int selectedRow,
                   const ScheduleEditValues& values) {
    if (!rowUsable(state, dialogs, selectedRow)) return false;
    if (usedSegmentCount(state) == 1) return refuse(dialogs, kSingleEntryMessage, kMergeTitle);
    const int i = selectedRow + 1;
    if (!ask(dialogs, "区間 " + std::to_string(i - 1) + "を削除して一つ前の区間に取り込みます",
             kMergeTitle))
        return false;
    return mergeSegment(state, i, values.shortRest);
}

bool setLongRest(AppState& state, Dialogs& dialogs, int selectedRow,
                 const ScheduleEditValues& values) {
    if (state.gpsMode) return false;
    if (!rowUsable(state, dialogs, selectedRow)) return false;
    const int b = selectedRow;
    const std::string position = std::to_string(b);
    CourseSegment& entry = entryAt(state, b);
    if (!hasClockTime(entry.arrival))
        return refuse(dialogs,
                      "区間位置 " + position + " には到着時間がないため大休止を設定できません。",
                      kLongRestTitle);
    if (!ask(dialogs,
             "区間位置 " + position + " に " + std::to_string(values.longRest) +
                 "分の大休止時間を設定します。",
             kLongRestTitle))
        return false;
    if (entry.name == kShortRestName) entry.name = kLongRestName;
    const int64_t leave = int64_t{clockTextMinutes(entry.arrival)} + values.longRest;
    entry.departure = clockText(leave);
    walkOn(state, b + 1, leave, values.shortRest);
    return true;
}

bool setDayEnd(AppState& state, Dialogs& dialogs, int selectedRow,
               const ScheduleEditValues& values) {
    if (state.gpsMode) return false;
    if (!rowUsable(state, dialogs, selectedRow)) return false;
    const int count = usedSegmentCount(state);
    const int n = selectedRow + 1;
    const std::string position = std::to_string(n);
    if (n + 2 > count)
        return refuse(dialogs,
                      "区間位置 " + position +
                          " の後に次の日の区間が足りないため１日の行動終了を設定できません。",
                      kDayEndTitle);
    if (!isStartTimeText(values.startTime)) return refuse(dialogs, kBadStartTimeMessage, kDayEndTitle);
    if (!ask(dialogs,
             "区間位置 " + position + " で１日の行動を終了とします。\r\n\r\n" +
                 "次の日の行動開始時間は登山開始時間とします。",
             kDayEndTitle))
        return false;
    entryAt(state, n).departure = kNoTime;
    CourseSegment& morning = entryAt(state, n + 1);
    morning.arrival = kNoTime;
    morning.departure = values.startTime;
    CourseSegment& firstPitch = entryAt(state, n + 2);
    const int64_t arrival = int64_t{clockTextMinutes(values.startTime)} + kDayFirstPitchMinutes;
    firstPitch.arrival = clockText(arrival);
    const int64_t leave = arrival + values.shortRest;
    // The last entry never leaves, as everywhere else in the schedule.
    firstPitch.departure = n + 2 == count ? std::string(kNoTime) : clockText(leave);
    walkOn(state, n + 3, leave, values.shortRest);
    return true;
}

}  // namespace orv
