#pragma once
// The commands of the start menu (ORV_MAIN) in one table: tool ids, captions and handlers. The
// menu bar band "起動画面主メニュー" and the pop-up band "STUPopupMenu" hold the same five
// commands in this order, category "起動画面主メニュー". No other file spells a tool id of this
// window.
#include "platform/MenuModel.h"
#include "platform/ToolId.h"

#include <span>
#include <string_view>

namespace orv {

class StartMenu;

namespace startTool {
inline constexpr ToolId kPlan = "ActMakeRootMode";           // "山行計画（ルート作成）"
inline constexpr ToolId kGpsRecord = "ActRootLogGetMode";    // "山行記録（GPS読込）"
inline constexpr ToolId kDeletePlans = "ActDelCtrlRootFile";  // "ﾙｰﾄﾌｧｲﾙの削除"
inline constexpr ToolId kAbout = "ActOrvanyInfo";             // "Orvaneについて"
inline constexpr ToolId kExit = "ActExitOrvane";              // "Orvaneの終了"
}  // namespace startTool

inline constexpr const char* kStartMenuBand = "起動画面主メニュー";
inline constexpr const char* kStartPopupBand = "STUPopupMenu";

struct StartMenuTool {
    ToolId id;
    std::string_view caption;
    void (StartMenu::*handler)();
    bool separatorBefore = false;
};

// The five commands in menu order.
std::span<const StartMenuTool> startMenuTools();

// The command of a tool id; nullptr for an unknown id.
const StartMenuTool* findStartMenuTool(std::string_view toolId);

// Adds both bands with the five commands.
void buildStartMenus(MenuModel& menus);

}  // namespace orv
