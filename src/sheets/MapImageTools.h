#pragma once
// The commands of the map-image window (ORV_MGEDIT) in one table: tool ids, captions and the
// bands that hold them. No other file spells a tool id of this window.
#include "platform/MenuModel.h"
#include "platform/ToolId.h"

#include <array>

namespace orv {

namespace mapImageTool {
inline constexpr ToolId kMakeRoute = "ActMapMakeRoot";        // "ルート作成"
inline constexpr ToolId kCancel = "ActMapCancel";             // "中断"
inline constexpr ToolId kFileList = "ActMapList";             // "読み込みファイルリスト"
inline constexpr ToolId kSelectSheet = "ActMapSel";           // "地形図選択"
inline constexpr ToolId kDeletePoint = "ActMapEDel";          // "ポイント削除"
inline constexpr ToolId kReinputPoint = "ActMapEReInput";     // "ポイント再入力"
inline constexpr ToolId kStopRoute = "ActMPjobStop";          // "ルート作成中止"
inline constexpr ToolId kEndRoute = "ActMRootExit";           // "ルート作成終了"
// The file list's entries for mesh slots 1..9, in slot order (slot j at index j − 1).
inline constexpr std::array<ToolId, 9> kSheetFiles{"ActMap1", "ActMap2", "ActMap3", "ActMap4", "ActMap5",
                                                   "ActMap6", "ActMap7", "ActMap8", "ActMap9"};
}  // namespace mapImageTool

inline constexpr const char* kMapImageMenuBand = "地図画像処理ﾒﾆｭｰ";
inline constexpr const char* kMapImageEditBand = "BJMapEditMenu";
inline constexpr const char* kMapImageTracingBand = "MapDataEditMenu";
inline constexpr const char* kMapImageFileListBand = "MapFileList";

// Adds the menu bar band, the editing pop-up, the tracing pop-up and the file list.
void addMapImageCommands(MenuModel& menus);

}  // namespace orv
