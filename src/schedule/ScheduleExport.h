#pragma once
// "ｺｰｽﾀｲﾑの保存": the schedule as a text file (CP932, CR LF, written atomically).
//
// Lines: the plan name; the header "地点名" + 16 blanks, "標高ｍ" + 4, "着発時間" + 6,
// "緯度：経度" + 9, "歩行距離ｍ" + 1 (76 display columns); then one line per entry
// 0..segmentCount: a name field of 22 display columns and a data field of 60 columns
// (82 in all). In the data field, counted from its column 1: elevation "###0" at 1,
// arrival "/" departure at 10, latitude ":" longitude (each "##0.0000") at 25, walking
// distance "##00.0" at 45; anything reaching past column 60 is cut.
//
// Decisions:
// - Names are padded by display width, so half-width characters keep the columns too.
// - A name wider than 22 columns widens the name column of every line, header included, up to
//   60 columns, so the other columns stay aligned and the name stays whole; a name wider than
//   that is cut at 60 columns without splitting a double-width character.
// - Unnamed entries are written "小休止" (between the first and the last) or "　　　" (first and
//   last); the table is not changed by saving.
// - An entry without a latitude or longitude text gets blanks in that column, not 0.0000.
// - Control characters in texts are written as blanks; characters the code page cannot hold
//   as "?" (one column), so the file's columns match what is counted here.
// - With no schedule (segmentCount 0) nothing is asked or written:
//   "コースタイムを計算して下さい。", title "メッセージ", information icon.
// - A failed write shows "コースタイムを保存できませんでした。" + CR LF + the path, title
//   "コースタイムの保存", error icon; an existing file is then left as it was.
#include "core/TextFile.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kScheduleSaveTitle = "コースタイムの保存";
inline constexpr const char* kScheduleSaveFilter = "テキストファイル(*.TXT)|*.TXT";
inline constexpr const char* kScheduleSaveExtension = "TXT";
inline constexpr int kExportNameColumns = 22;
inline constexpr int kExportMaxNameColumns = 60;
inline constexpr int kExportDataColumns = 60;

// The name column width for this schedule: 22, or the widest name up to 60.
int scheduleExportNameColumns(const AppState& state);

// The header line for a name column of `nameColumns` display columns.
std::string scheduleExportHeader(int nameColumns = kExportNameColumns);

// The 60-column data field of one entry.
std::string scheduleExportDataField(const CourseSegment& entry);

// All lines of the file (UTF-8; the writer converts them to CP932).
std::vector<std::string> scheduleExportLines(const AppState& state);

// Writes the lines to `path` (CP932, CR LF, atomically).
FileError writeScheduleText(const AppState& state, const std::filesystem::path& path);

// The command: the save dialog (title "コースタイムの保存", initial name the plan name in the
// folder of the last saved schedule, else the data folder, filter "テキストファイル(*.TXT)|*.TXT"),
// then the file, whose folder is remembered. Returns true when a file was written; a
// cancelled dialog writes nothing and says nothing. (ActSaveCTime)
bool saveSchedule(AppState& state, Dialogs& dialogs);

}  // namespace orv
