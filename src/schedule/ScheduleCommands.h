#pragma once
// The course-time window's four schedule commands as menu entries, and their dispatch.
// The menu bar band "メイン処理ﾒﾆｭｰ" and the popup band "MainPopupMenu" hold the same four
// tools in this order, category "主処理ﾒﾆｭｰ".
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "schedule/ScheduleEdit.h"
#include "state/AppState.h"

#include <array>
#include <string_view>

namespace orv {

inline constexpr const char* kScheduleMenuBand = "メイン処理ﾒﾆｭｰ";
inline constexpr const char* kSchedulePopupBand = "MainPopupMenu";
inline constexpr const char* kScheduleToolCategory = "主処理ﾒﾆｭｰ";

struct ScheduleTool {
    const char* toolId;
    const char* caption;
};

inline constexpr std::array<ScheduleTool, 4> kScheduleTools{{
    {"ActDelEreaData", "区間の削除"},
    {"ActDaiKyusi", "大休止の設定"},
    {"ActLimitDaySet", "１日の行動時間終了の設定"},
    {"ActSaveCTime", "ｺｰｽﾀｲﾑの保存"},
}};

// Adds both bands with the four tools (the menu bar band gets the caption `menuBarCaption`).
void addScheduleCommands(MenuModel& menus, const std::string& menuBarCaption = "");

// Enables the tools for the mode: in GPS-log mode "ActDaiKyusi" and "ActLimitDaySet" are
// disabled, everything else enabled.
void setScheduleCommandStates(MenuModel& menus, bool gpsMode);

// True for the four tool ids above.
bool isScheduleCommand(std::string_view toolId);

// Runs one of the four tools. Returns true when the segment table changed: the window then
// refills its list (refillScheduleList). Unknown tool ids do nothing.
bool runScheduleCommand(AppState& state, Dialogs& dialogs, std::string_view toolId,
                        int selectedRow, const ScheduleEditValues& values);

}  // namespace orv
