#pragma once
// The course-time calculation: cutting the route, re-measured with the walking parameters
// (measureRoute in route/Measurement.h), into course segments at walking-time limits and named
// points and giving every segment end its clock times, and reversing the route.
#include "state/AppState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The texts of a time field that has no time: five blanks.
inline constexpr const char* kNoTime = "     ";

inline constexpr const char* kDuplicateSegmentTitle = "区間データ警告";
inline constexpr const char* kDuplicateSegmentMessage =
    "同一の区間データが存在します。どちらかを削除して下さい。";
inline constexpr const char* kTooManySegmentsMessage =
    "区間が120を超えるため計算できません。区間時間を長くして下さい。";
inline constexpr const char* kReverseRoundTripTitle = "メッセージ";
inline constexpr const char* kReverseRoundTripMessage = "往復計算モードでは実行できません";

// The first pitch of a day is cut at 30 minutes, later ones at the pitch length.
inline constexpr int kFirstPitchMinutes = 30;

// "HH:MM" of a count of whole minutes: hours = floor(t / 60) and the remaining minutes, each
// padded to two digits. Hours go on past 24 ("25:10" on a long day).
std::string clockText(int64_t minutes);

// The minutes of a clock text: the number the first two characters start with, times 60, plus
// the number the last two characters start with ("07:45" -> 465). Missing parts read 0.
double clockMinutes(std::string_view text);

// True for a text of the form HH:MM with hours 00..23 and minutes 00..59.
bool isStartTimeText(std::string_view text);

// The window values buildSchedule reads.
struct ScheduleParameters {
    int pitchMinutes = 55;      // limit of every pitch but a day's first
    double correction = 1.0;    // walking minutes are multiplied by it
    int shortRest = 5;          // minutes at every segment end
    std::string startTime = "07:00";  // HH:MM, departure of entry 0 (planning mode)
};

struct ScheduleResult {
    bool ok = true;
    std::string message;  // why nothing was changed, when !ok
    // Entries f whose end point is that of entry f + 1: the window warns once per pair.
    std::vector<int> duplicates;
};

// Rebuilds the segment table from the re-measured route: a segment ends where its walking
// minutes first exceed the pitch limit, and at every named point from point 2 on; the last
// segment ends at the last point. No two entries end at the same point. Then climb differences, mean slopes and the clock times
// (from the start time and short rests in planning mode, from the recorded times in GPS-log
// mode). A route that needs more entries than the table holds leaves the table as it was.
// (EreaCalData)
ScheduleResult buildSchedule(AppState& state, const ScheduleParameters& parameters);

// Copies route slots 0..routeCount into the spare route table, and puts them back from there:
// a calculation that cannot be scheduled leaves the route as it found it.
void copyRouteToSpare(AppState& state);
void restoreRouteFromSpare(AppState& state);

// Reverses the route points in place through the spare route table (which keeps the route as
// it was): point j takes the fields of point routeCount − j + 1 with its minutes out and back
// exchanged, and number j. The slope angle and the map pixel stay with the slot (the next
// measurement recomputes them).
void reverseRoute(AppState& state);

}  // namespace orv
