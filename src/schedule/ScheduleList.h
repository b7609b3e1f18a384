#pragma once
// The schedule list of the course-time window: one row per segment entry 0..segmentCount,
// four tab-separated columns under the headings "区間", "地名点", "標高ｍ", "着/発時間".
// The window shows the rows in a list box with the tab stops below (dialog units: a quarter
// of the font's average character width) and the tooltip "右クリックでメニュー".
#include "state/AppState.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr std::array<int, 3> kScheduleTabStops{30, 120, 150};
inline constexpr std::array<const char*, 4> kScheduleHeadings{"区間", "地名点", "標高ｍ", "着/発時間"};
inline constexpr const char* kScheduleListTooltip = "右クリックでメニュー";

// Said by the schedule commands when there is no schedule to work on yet.
inline constexpr const char* kScheduleMessageTitle = "メッセージ";
inline constexpr const char* kNoScheduleMessage = "コースタイムを計算して下さい。";

// Name an unnamed entry gets in the list and in the text export: "小休止" for the entries
// strictly between the first and the last, three ideographic spaces "　　　" for entry 0 and
// the last entry.
inline constexpr const char* kShortRestName = "小休止";
inline constexpr const char* kLongRestName = "大休止";
inline constexpr const char* kBlankName = "　　　";
std::string defaultSegmentName(int entry, int segmentCount);

// The used entry count, kept inside the table (0..120) whatever segmentCount holds.
int usedSegmentCount(const AppState& state);

// Writes the default name into every entry 0..segmentCount whose name is empty; the entries
// keep these names from then on (a later long rest turns "小休止" into "大休止").
void nameUnnamedSegments(AppState& state);

// One list row: number ("###0"), tab, name, tab, elevation in whole metres ("###0"), tab,
// arrival + "/" + departure. Control characters in the name show as blanks so a name can never
// add a column or a line.
std::string scheduleListRow(const CourseSegment& entry);

// Whether entry 1..segmentCount has a route point outside the elevation data (as the last
// measurement marked them): its times and distances are taken as on level ground.
bool segmentLeavesData(const AppState& state, int entry);
// Follows the number of such an entry in the list.
inline constexpr const char* kOutsideDataMark = "※";
// Shown under the list while an entry carries the mark.
inline constexpr const char* kOutsideDataLegend = "※ 標高データの範囲外を通る区間（平地として計算）";

// The rows of entries 0..segmentCount as the table holds them now (no names written); the
// number of an entry that leaves the elevation data carries kOutsideDataMark.
std::vector<std::string> scheduleListRows(const AppState& state);

// The list refill run after every calculation and every command: names the unnamed entries
// and returns the new rows. With no schedule (segmentCount 0) nothing is named and nothing is
// returned: the window then leaves its list as it is.
std::optional<std::vector<std::string>> refillScheduleList(AppState& state);

}  // namespace orv
