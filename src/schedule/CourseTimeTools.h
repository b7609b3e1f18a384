#pragma once
// The commands of the course-time window (ORV_CTIME) in one table: the four schedule tools with
// their tool ids, captions and handlers. The menu bar band "メイン処理ﾒﾆｭｰ" and the pop-up band
// "MainPopupMenu" hold the same four tools in this order, category "主処理ﾒﾆｭｰ". No other file
// spells a tool id of this window.
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "platform/ToolId.h"
#include "schedule/ScheduleEdit.h"
#include "state/AppState.h"

#include <span>
#include <string_view>

namespace orv {

namespace scheduleTool {
inline constexpr ToolId kDeleteSegment = "ActDelEreaData";  // "区間の削除"
inline constexpr ToolId kLongRest = "ActDaiKyusi";          // "大休止の設定"
inline constexpr ToolId kDayEnd = "ActLimitDaySet";         // "１日の行動時間終了の設定"
inline constexpr ToolId kSaveSchedule = "ActSaveCTime";     // "ｺｰｽﾀｲﾑの保存"
}  // namespace scheduleTool

inline constexpr const char* kScheduleMenuBand = "メイン処理ﾒﾆｭｰ";
inline constexpr const char* kSchedulePopupBand = "MainPopupMenu";
inline constexpr const char* kScheduleToolCategory = "主処理ﾒﾆｭｰ";

// A tool's work on the schedule at the selected row: true when the segment table changed (the
// window then refills its list).
using ScheduleHandler = bool (*)(AppState& state, Dialogs& dialogs, int selectedRow,
                                 const ScheduleEditValues& values);

struct CourseTimeTool {
    ToolId id;
    std::string_view caption;
    ScheduleHandler handler;
};

// The four tools in menu order.
std::span<const CourseTimeTool> courseTimeTools();

// Adds both bands with the four tools (the menu bar band gets the caption `menuBarCaption`).
void addScheduleCommands(MenuModel& menus, const std::string& menuBarCaption = "");

// Enables the tools for the mode: in GPS-log mode the long rest and the day end are disabled,
// everything else enabled.
void setScheduleCommandStates(MenuModel& menus, bool gpsMode);

// The tool of a tool id; nullptr for any other id.
const CourseTimeTool* findScheduleCommand(std::string_view toolId);
bool isScheduleCommand(std::string_view toolId);

// Runs one of the four tools. Returns true when the segment table changed: the window then
// refills its list (refillScheduleList). Any other tool id does nothing.
bool runScheduleCommand(AppState& state, Dialogs& dialogs, std::string_view toolId,
                        int selectedRow, const ScheduleEditValues& values);

}  // namespace orv
