#pragma once
// The commands of the start menu (ORV_MAIN) in one table: tool ids, captions and handlers. The
// menu bar band "起動画面主メニュー" and the pop-up band "STUPopupMenu" hold the same five plan
// commands in this order, category "起動画面主メニュー"; "標高データの作成" has a band of its own,
// which the window shows as a button beside its panels. No other file spells a tool id of this
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
inline constexpr ToolId kMakeElevationData = "ActMake50mData"; // "標高データの作成"
}  // namespace startTool

inline constexpr const char* kStartMenuBand = "起動画面主メニュー";
inline constexpr const char* kStartPopupBand = "STUPopupMenu";
inline constexpr const char* kStartDataBand = "起動画面データメニュー";

struct StartMenuTool {
    ToolId id;
    std::string_view caption;
    void (StartMenu::*handler)();
    bool separatorBefore = false;
    bool dataBand = false;  // in kStartDataBand instead of the main and pop-up bands
};

// Every command: the five of the main bands in menu order, then the data band's.
std::span<const StartMenuTool> startMenuTools();

// The command of a tool id; nullptr for an unknown id.
const StartMenuTool* findStartMenuTool(std::string_view toolId);

// Adds the main and pop-up bands with the five plan commands, then the data band.
void buildStartMenus(MenuModel& menus);

}  // namespace orv
