#include "map/RouteMapTools.h"

#include <string>

namespace orv {

namespace {

using T = RouteMapTool;
using A = MapAction;
using namespace mapTool;

constexpr std::array kPopupMenu{
    T{kRangeZoom, "範囲拡大", A::StartRangeZoom},
    T{kZoomLevelMenu, "拡大縮小レベル変更", A::None, 0, "SlevelselMenu"},
    T{kDrawingMenu, "描画", A::None, 0, "DispGMode"},
    T{kRidgeValleyNameMenu, "尾根・谷名称", A::None, 0, "RVNEditMenu"},
    T{kDataDisplayMenu, "データ表示", A::None, 0, "SetMNameMenu"},
    T{kNewRouteMenu, "新規ルート作成", A::None, 0, "MakeRootMenu"},
    T{kRouteEditAndViewMenu, "ルート編集と表示", A::None, 0, "TRKjobMenu"},
    T{kCourseTime, "ｺｰｽﾀｲﾑ", A::CourseTime},
    T{kDisplaySettingsMenu, "表示の設定", A::None, 0, "SetColorMenu"},
    T{kCopyToClipboard, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ", A::CopyToClipboard},
    T{kCopyToFile, "ﾌｧｲﾙにｺﾋﾟｰ", A::CopyToFile},
    T{kSightMenu, "展望", A::None, 0, kSightBand},
    T{kExitMap, "ﾙｰﾄ図終了", A::ExitMap},
};

constexpr std::array kSightTools{
    T{kPanorama, "展望図...", A::Sight},
    T{kPanoramaHere, "ここからの展望", A::Sight},
    T{kSightTint, "可視マップ", A::Sight, 0, {}, true},
    T{kClearSightTint, "可視マップを消す", A::ClearSightTint},
    T{kPeakSeenStretches, "山が見える区間", A::Sight, 0, {}, true},
};

constexpr std::array kMakeRootMenu{
    T{kMouseRoute, "ﾏｳｽでﾙｰﾄ作成", A::BeginMouseRoute},
    T{kRouteFromSheet, "地形図寸法からﾙｰﾄ作成", A::RouteFromSheet},
    T{kRouteFromMapImage, "地図画像からﾙｰﾄ作成", A::RouteFromMapImage},
    T{kTraceReferenceRoute, "参照ﾙｰﾄ全てをﾄﾚｰｽ", A::TraceReferenceRoute},
    T{kReferenceStart, "参照ﾙｰﾄ指定位置からﾏｳｽで作成", A::BeginReferenceStart},
    T{kDeleteRoute, "作成ﾙｰﾄ削除", A::DeleteRoute},
};

constexpr std::array kSetColorMenu{
    T{kMountainNameFont, "山名表示フォント", A::ChangeFont, 0},
    T{kPlaceNameFont, "地名表示フォント", A::ChangeFont, 1},
    T{kRidgeValleyNameFont, "谷尾根名フォント", A::ChangeFont, 9},
    T{kRouteColour, "ﾙｰﾄ表示色", A::ChangeRouteColour},
    T{kReferenceColour, "参照ﾙｰﾄ表示色", A::ChangeReferenceColour},
    T{kBackgroundColourMenu, "背景描画色", A::None, 0, "BCColorSetMenu"},
};

constexpr std::array kSetMNameMenu{
    T{kAllMountainNames, "全山名の表示", A::AllMountainNames},
    T{kDestinationNameOnly, "指定山名のみ表示", A::DestinationNameOnly},
    T{kElevationLabels, "標高値表示", A::ToggleElevationLabels},
    T{kCumulativeTimes, "累積時間表示", A::ToggleCumulativeTimes},
};

constexpr std::array kRidVMenu{
    // Five ideographic spaces keep the menu wide.
    T{kTraceRidgeValley, "作図　　　　　", A::TraceRidgeValley},
    T{kRidgeValleyLines, "表示", A::ToggleRidgeValleyLines},
    T{kRevertRidgeValley, "初期状態に戻す", A::RevertRidgeValley},
};

constexpr std::array kDispGMode{
    T{kContours, "等高線", A::ShowContours},
    T{kContourIntervalMenu, kContourIntervalCaption, A::None, 0, "PopupBand1"},
    T{kProfile, "ﾙｰﾄ断面図", A::ShowProfile},
    T{kRidgeValleyMenu, "谷・尾根筋図", A::None, 0, "RidVMenu"},
    T{kRidgeValleyNames, "尾根・谷名称", A::ToggleRidgeValleyNames},
    T{kBackgroundModes[0], "段彩陰影図", A::SelectBackgroundMode, 0, {}, true},
    T{kBackgroundModes[1], "段彩図", A::SelectBackgroundMode, 1},
    T{kBackgroundModes[2], "経緯度線のみ", A::SelectBackgroundMode, 2},
    T{kBackgroundModes[3], "背景なし", A::SelectBackgroundMode, 3},
    T{kViewColourSets[0], "ﾃﾞﾌｫﾙﾄ背景色", A::ViewColourSet, 0, {}, true},
    T{kViewColourSets[1], "ﾕｰｻﾞｰ１背景色", A::ViewColourSet, 1},
    T{kViewColourSets[2], "ﾕｰｻﾞｰ２背景色", A::ViewColourSet, 2},
    T{kViewColourSets[3], "ﾕｰｻﾞｰ３背景色", A::ViewColourSet, 3},
    T{kViewColourSets[4], "ﾕｰｻﾞｰ４背景色", A::ViewColourSet, 4},
};

constexpr std::array kBCColorSetMenu{
    T{kEditColourSets[0], "ﾃﾞﾌｫﾙﾄ", A::EditColourSet, 0},
    T{kEditColourSets[1], "ﾕｰｻﾞｰ１", A::EditColourSet, 1},
    T{kEditColourSets[2], "ﾕｰｻﾞｰ２", A::EditColourSet, 2},
    T{kEditColourSets[3], "ﾕｰｻﾞｰ３", A::EditColourSet, 3},
    T{kEditColourSets[4], "ﾕｰｻﾞｰ４", A::EditColourSet, 4},
};

constexpr std::array kTRKjobMenu{
    T{kRouteEdit, "ルート編集", A::RouteEditOn},
    T{kSaveRoutePcx, "PCX形式でルート保存", A::SaveTrackPcx},
    T{kSaveRouteGpx, "GPX形式でルート保存", A::SaveTrackGpx},
    T{kRouteView, "ルート表示", A::ToggleRouteView},
    T{kReferenceRoute, "参照ルート表示", A::ToggleReferenceRoute},
    T{kSegmentPositions, "区間位置表示", A::ToggleSegmentPositions},
    T{kWaypointNames, "ｳｪｲﾎﾟｲﾝﾄ名称表示", A::ToggleWaypointNames},
};

constexpr std::array kRVContMenu{
    T{kContinueRidge, "尾根筋継続", A::ContinueRidgeValley, 0},
    T{kContinueValley, "谷筋継続", A::ContinueRidgeValley, 1},
    T{kEndRidgeValley, "作図終了", A::EndRidgeValley},
};

constexpr std::array kRootEditMenu{
    T{kDeleteRoutePoint, "ﾙｰﾄﾎﾟｲﾝﾄ削除(DEL)", A::DeleteRoutePoint},
    T{kRegisterMountainName, "山名登録", A::RegisterMountainName},
    T{kRegisterPlaceName, "地名・名称登録", A::RegisterPlaceName},
    T{kMarks[0], "ﾃﾝﾄ場ｱｲｺﾝ登録", A::SetMark, 1},
    T{kMarks[1], "山小屋ｱｲｺﾝ登録", A::SetMark, 2},
    T{kMarks[2], "展望ﾎﾟｲﾝﾄｱｲｺﾝ登録", A::SetMark, 3},
    T{kMarks[3], "水場ｱｲｺﾝ登録", A::SetMark, 4},
    T{kRouteEditEnd, "ルート編集終了", A::RouteEditOff},
};

constexpr std::array kRefPointSetMenu{
    // "No " + number + " からﾙｰﾄ作成" when it pops up.
    T{kRouteFromReferencePoint, "からﾙｰﾄ作成", A::StartFromReferencePoint},
    T{kStopMaking, "ﾙｰﾄ作成中断", A::StopMaking},
};

constexpr std::array kMPEditMenu{
    T{kSheetPointJob, "ﾎﾟｲﾝﾄ処理", A::SheetPointJob},
    T{kSheetPointReinput, "再入力", A::SheetPointReinput},
    T{kSheetPointDelete, "削除", A::SheetPointDelete},
};

constexpr std::array kSlevelselMenu{
    T{kZoomLevels[0], "レベル　１", A::SelectZoomLevel, 1},
    T{kZoomLevels[1], "レベル　２", A::SelectZoomLevel, 2},
    T{kZoomLevels[2], "レベル　３", A::SelectZoomLevel, 3},
    T{kZoomLevels[3], "レベル　４", A::SelectZoomLevel, 4},
    T{kZoomLevels[4], "レベル　５", A::SelectZoomLevel, 5},
};

constexpr std::array kRVNEditMenu{
    T{kRidgeValleyNameInput, "名称登録", A::RidgeValleyNameInput},
    T{kRidgeValleyNameDelete, "登録削除", A::RidgeValleyNameDelete},
};

constexpr std::array kDELRVNData{
    T{kRidgeValleyNameDataDelete, "登録データ削除", A::RidgeValleyNameDataDelete},
};

// The interval captions after the first are padded with eight ideographic spaces so that the
// values line up under "等高線間隔　10m".
constexpr std::array kPopupBand1{
    T{kContourIntervals[0], "等高線間隔　10m", A::SetContourInterval, 1},
    T{kContourIntervals[1], "　　　　　　　　20m", A::SetContourInterval, 2},
    T{kContourIntervals[2], "　　　　　　　　40m", A::SetContourInterval, 3},
    T{kContourIntervals[3], "　　　　　　　　50m", A::SetContourInterval, 4},
    T{kContourIntervals[4], "　　　　　　　　100m", A::SetContourInterval, 5},
    T{kContourIntervals[5], "　　　　　　　　200m", A::SetContourInterval, 6},
    T{kContourIntervals[6], "　　　　　　　　500m", A::SetContourInterval, 7},
    T{kContourIntervals[7], "　　　　　　　　1000m", A::SetContourInterval, 8},
    T{kContourIntervals[8], "　　　　　　　　任意", A::SetContourInterval, 9},
    T{kClearContours, "等高線消去", A::ClearContours},
};

// Understood by the dispatcher, offered by no band.
constexpr std::array kUnbanded{
    T{kMarks[4], "", A::SetMark, 5},
};

constexpr std::array<RouteMapBand, 17> kBands{{
    {kRouteMapMainBand, "主ﾒﾆｭｰ", "ﾒｲﾝﾒﾆｭｰ", kPopupMenu},
    {"MakeRootMenu", "ﾙｰﾄ作成", "ﾙｰﾄ作成ﾒﾆｭｰ", kMakeRootMenu},
    {"SetColorMenu", "設定対象", "表示設定", kSetColorMenu},
    {"SetMNameMenu", "山名表示", "山名表示設定", kSetMNameMenu},
    {"RidVMenu", "谷・尾根筋図", "谷・尾根図ﾒﾆｭｰ", kRidVMenu},
    {"DispGMode", "画像表示", "表示ﾒﾆｭｰ", kDispGMode},
    {"BCColorSetMenu", "描画背景色設定", "背景描画色設定ﾒﾆｭｰ", kBCColorSetMenu},
    {"TRKjobMenu", "TRK処理", "TRK操作ﾒﾆｭｰ", kTRKjobMenu},
    {"RVContMenu", "谷尾根筋作図", "谷尾根作図処理メニュー", kRVContMenu},
    {kRouteEditBand, "ルート編集", "TRK編集ﾒﾆｭｰ", kRootEditMenu},
    {kReferencePointBand, "参照ﾙｰﾄ位置処理", "参照ﾙｰﾄ位置処理メニュー", kRefPointSetMenu},
    {"MPEditMenu", "地形図編集ﾒﾆｭｰ", "地形図寸法編集ﾒﾆｭｰ", kMPEditMenu},
    {"SlevelselMenu", "縮小レベル選択ﾒﾆｭｰ", "縮小ﾒﾆｭｰ", kSlevelselMenu},
    {"RVNEditMenu", "尾根谷名称変種", "尾根谷名称編集ﾒﾆｭｰ", kRVNEditMenu},
    {"DELRVNData", "尾根谷名称補助ﾒﾆｭｰ", "尾根谷補助ﾒﾆｭｰ", kDELRVNData},
    {"PopupBand1", "等高線補助", "等高線補助メニュー", kPopupBand1},
    {kSightBand, "展望", "展望ﾒﾆｭｰ", kSightTools},
}};

// The table is checked when it is compiled: every id stands once, every entry that opens a band
// names a band of the table and has no action of its own, and every other entry has one.
template <typename Visit>
constexpr bool everyTool(Visit visit) {
    for (const RouteMapBand& band : kBands)
        for (const RouteMapTool& tool : band.tools)
            if (!visit(tool)) return false;
    for (const RouteMapTool& tool : kUnbanded)
        if (!visit(tool)) return false;
    return true;
}

constexpr bool isBand(std::string_view name) {
    for (const RouteMapBand& band : kBands)
        if (band.name == name) return true;
    return false;
}

constexpr int occurrences(ToolId id) {
    int count = 0;
    everyTool([&](const RouteMapTool& tool) {
        if (tool.id == id) ++count;
        return true;
    });
    return count;
}

static_assert(everyTool([](const RouteMapTool& tool) { return occurrences(tool.id) == 1; }),
              "a tool id stands twice in the route map's table");
static_assert(everyTool([](const RouteMapTool& tool) {
                  return tool.subBand.empty() ? tool.action != MapAction::None
                                              : tool.action == MapAction::None && isBand(tool.subBand);
              }),
              "an entry of the route map's table opens no band and has no action, or both");

}  // namespace

std::span<const RouteMapBand> routeMapBands() { return kBands; }

const RouteMapTool* findRouteMapTool(std::string_view toolId) {
    const RouteMapTool* found = nullptr;
    everyTool([&](const RouteMapTool& tool) {
        if (tool.id == toolId) found = &tool;
        return found == nullptr;
    });
    return found;
}

MapCommand mapCommandOf(std::string_view toolId) {
    const RouteMapTool* tool = findRouteMapTool(toolId);
    if (tool == nullptr) return {};
    return {tool->action, tool->parameter};
}

void buildRouteMapMenus(MenuModel& menus) {
    for (const RouteMapBand& band : kBands) {
        const std::string name(band.name);
        menus.addBand(name, std::string(band.caption));
        for (const RouteMapTool& tool : band.tools) {
            MenuCommand item;
            item.toolId = tool.id.str();
            item.caption = std::string(tool.caption);
            item.category = std::string(band.category);
            item.subBand = std::string(tool.subBand);
            item.separatorBefore = tool.separatorBefore;
            menus.addCommand(name, std::move(item));
        }
    }
}

}  // namespace orv
