#pragma once
// Editing the walking schedule in the course-time window: merging a segment into the previous
// one, a long rest at a segment end, the end of a day's walk, and the re-timing they need.
//
// The row commands take the list's selected row r (0-based; row r shows entry r), or -1 when
// no row has been clicked yet, and the window values they read. They ask their question
// through Dialogs and return true when the table changed: the window then refills its list
// (refillScheduleList in ScheduleList.h). Nothing is changed on No.
//
// Decisions the commands make where a walker could otherwise end up with a broken schedule
// (each refusal is a message box with the information icon; the table stays unchanged):
// - No schedule yet (segmentCount 0): "コースタイムを計算して下さい。", title "メッセージ"
//   (kNoScheduleMessage in ScheduleList.h).
// - No row selected (r = -1, or a row past the last entry):
//   "区間を選択して下さい。", title "メッセージ".
// - "ActDelEreaData" on a schedule of a single entry would leave no schedule at all:
//   "区間が１つだけのため削除できません。", title "区間の調整".
// - "ActDaiKyusi" on an entry without an arrival time (entry 0, or the morning entry after a
//   day end) has no time to rest from: "区間位置 b には到着時間がないため大休止を設定できません。",
//   title "大休止時間の設定".
// - "ActLimitDaySet" changes the entries N = r + 1, N + 1 and N + 2; when N + 2 is past the last
//   entry the next day has no first pitch to start with (this covers the last three rows and
//   keeps every write inside the table): "区間位置 N の後に次の日の区間が足りないため１日の行動終了を
//   設定できません。" (one line), title "行動終了時間の設定".
// - "ActLimitDaySet" with a start-time field that is not HH:MM (hours 00..23):
//   "登山開始時間を「07:00」の形で入力して下さい。", title "行動終了時間の設定".
// - "ActLimitDaySet": when the day's first pitch N + 2 is the last entry it gets no departure,
//   as the last entry never has one.
// - "ActDaiKyusi" on the last entry is allowed: a rest at the end of the walk gives it a
//   departure time.
// - In GPS-log mode (gpsMode ≠ 0) "ActDaiKyusi" and "ActLimitDaySet" do nothing and say nothing
//   (their menu entries are disabled there).
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <string>
#include <string_view>

namespace orv {

// The window values the commands read, as the window's fields show them when the command runs.
struct ScheduleEditValues {
    int shortRest = 5;                // minutes ("小休止" field, read as "計算" reads it)
    int longRest = 60;                // minutes ("大休止" field)
    std::string startTime = "07:00";  // the start-time field's text as it stands
};

// Minutes of a clock text "HH:MM": the number read from the hours (the characters before the
// first ":", or the first two characters when there is no ":") times 60 plus the number read
// from the last two characters. Texts without numbers count 0 ("     " -> 0). Hours above 99
// ("100:05", a long walk without day ends) are read whole, which reading only the first two
// characters (clockMinutes, for the typed start time) would not do.
int clockTextMinutes(std::string_view text);

// Recomputes every arrival and departure from entry 0 (planning mode: from entry 0's
// departure, a short rest at every end but the last; GPS-log mode: from the first five
// characters of route point 1's recorded time, no rests). Long rests and day ends are lost.
// (RetimeSchedule)
void retimeSchedule(AppState& state, int shortRest);

// Merges entry i into entry i - 1 (sums of the distances, minutes and climb; end point,
// position, elevation and name of entry i; the plain mean of the two mean slopes), moves the
// later entries down one place, clears the old last entry, and re-times the schedule.
// i = segmentCount + 1 (the list's last row) drops the last entry: there is no entry after it
// to merge. Returns false, changing nothing, unless 1 <= i <= segmentCount + 1 and a schedule
// exists. Shared with the profile window's segment deletion; unlike "ActDelEreaData" it also
// merges the only entry of a schedule, leaving segmentCount 0. (MergeSegment)
bool mergeSegment(AppState& state, int i, int shortRest);

// "区間の削除": asks "区間 " + r + "を削除して一つ前の区間に取り込みます" (Yes/No, question icon,
// title "区間の調整") and on Yes merges entry r + 1 into entry r. (ActDelEreaData)
bool deleteSegment(AppState& state, Dialogs& dialogs, int selectedRow,
                   const ScheduleEditValues& values);

// "大休止の設定": asks "区間位置 " + r + " に " + long rest + "分の大休止時間を設定します。"
// (Yes/No, question icon, title "大休止時間の設定"); on Yes entry r departs a long rest after its
// arrival ("小休止" becomes "大休止") and the later entries follow with short rests.
// (ActDaiKyusi)
bool setLongRest(AppState& state, Dialogs& dialogs, int selectedRow,
                 const ScheduleEditValues& values);

// "１日の行動時間終了の設定": with N = r + 1 asks "区間位置 " + N + " で１日の行動を終了とします。",
// two line breaks, "次の日の行動開始時間は登山開始時間とします。" (Yes/No, question icon, title
// "行動終了時間の設定"). On Yes: entry N has no departure; entry N + 1 no arrival and departs at
// the start-time text; entry N + 2 arrives 30 minutes later (the day's first pitch) and the
// later entries follow with short rests. (ActLimitDaySet)
bool setDayEnd(AppState& state, Dialogs& dialogs, int selectedRow,
               const ScheduleEditValues& values);

}  // namespace orv
