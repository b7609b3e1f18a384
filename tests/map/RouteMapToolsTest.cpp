#include "map/RouteMapTools.h"
#include "support/UnknownTools.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace orv {
namespace {

TEST(RouteMapMenus, BandsInOrderWithCaptionsAndCategories) {
    MenuModel menus;
    buildRouteMapMenus(menus);
    struct Expected {
        const char* name;
        const char* caption;
        const char* category;
        size_t commands;
    };
    const std::vector<Expected> expected{
        {"PopupMenu", "主ﾒﾆｭｰ", "ﾒｲﾝﾒﾆｭｰ", 13},
        {"MakeRootMenu", "ﾙｰﾄ作成", "ﾙｰﾄ作成ﾒﾆｭｰ", 6},
        {"SetColorMenu", "設定対象", "表示設定", 6},
        {"SetMNameMenu", "山名表示", "山名表示設定", 4},
        {"RidVMenu", "谷・尾根筋図", "谷・尾根図ﾒﾆｭｰ", 3},
        {"DispGMode", "画像表示", "表示ﾒﾆｭｰ", 14},  // 13 commands and the interval sub-menu
        {"BCColorSetMenu", "描画背景色設定", "背景描画色設定ﾒﾆｭｰ", 5},
        {"TRKjobMenu", "TRK処理", "TRK操作ﾒﾆｭｰ", 7},  // with "GPX形式でルート保存"
        {"RVContMenu", "谷尾根筋作図", "谷尾根作図処理メニュー", 3},
        {"RootEditMenu", "ルート編集", "TRK編集ﾒﾆｭｰ", 8},
        {"RefPointSetMenu", "参照ﾙｰﾄ位置処理", "参照ﾙｰﾄ位置処理メニュー", 2},
        {"MPEditMenu", "地形図編集ﾒﾆｭｰ", "地形図寸法編集ﾒﾆｭｰ", 3},
        {"SlevelselMenu", "縮小レベル選択ﾒﾆｭｰ", "縮小ﾒﾆｭｰ", 5},
        {"RVNEditMenu", "尾根谷名称変種", "尾根谷名称編集ﾒﾆｭｰ", 2},
        {"DELRVNData", "尾根谷名称補助ﾒﾆｭｰ", "尾根谷補助ﾒﾆｭｰ", 1},
        {"PopupBand1", "等高線補助", "等高線補助メニュー", 10},
        {"SightMenu", "展望", "展望ﾒﾆｭｰ", 5},
    };
    ASSERT_EQ(menus.bands().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const MenuBand& band = menus.bands()[i];
        SCOPED_TRACE(band.name);
        EXPECT_EQ(band.name, expected[i].name);
        EXPECT_EQ(band.caption, expected[i].caption);
        EXPECT_EQ(band.commands.size(), expected[i].commands);
        for (const MenuCommand& command : band.commands) {
            EXPECT_EQ(command.category, expected[i].category) << command.toolId;
            EXPECT_TRUE(command.enabled);
            EXPECT_FALSE(command.checked);
        }
    }
}

TEST(RouteMapMenus, MainBandInOrder) {
    MenuModel menus;
    buildRouteMapMenus(menus);
    std::vector<std::string> ids;
    std::vector<std::string> captions;
    for (const MenuCommand& c : menus.band(kRouteMapMainBand)->commands) {
        ids.push_back(c.toolId);
        captions.push_back(c.caption);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"ActZupMode", "ActZoutMode", "ActDispOut", "ActRVName",
                                             "ActMountNameMode", "ActMakeRoot", "ActTRKEditMode",
                                             "ActCalCorseTime", "ActNameColorSet", "ActCopyToClip",
                                             "ActCopyToFile", "ActSightMenu", "ActTViewExit"}));
    EXPECT_EQ(captions, (std::vector<std::string>{"範囲拡大", "拡大縮小レベル変更", "描画", "尾根・谷名称",
                                                  "データ表示", "新規ルート作成", "ルート編集と表示",
                                                  "ｺｰｽﾀｲﾑ", "表示の設定", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ",
                                                  "ﾌｧｲﾙにｺﾋﾟｰ", "展望", "ﾙｰﾄ図終了"}));
    std::vector<std::string> sight;
    for (const MenuCommand& c : menus.band(kSightBand)->commands) sight.push_back(c.caption);
    EXPECT_EQ(sight, (std::vector<std::string>{"展望図...", "ここからの展望", "可視マップ", "可視マップを消す",
                                               "山が見える区間"}));
}

TEST(RouteMapMenus, SubBandLinks) {
    MenuModel menus;
    buildRouteMapMenus(menus);
    const std::vector<std::pair<const char*, const char*>> links{
        {"ActZoutMode", "SlevelselMenu"}, {"ActDispOut", "DispGMode"},
        {"ActRVName", "RVNEditMenu"},     {"ActMountNameMode", "SetMNameMenu"},
        {"ActMakeRoot", "MakeRootMenu"},  {"ActTRKEditMode", "TRKjobMenu"},
        {"ActNameColorSet", "SetColorMenu"}, {"ActBColorSet", "BCColorSetMenu"},
        {"ActViewRV", "RidVMenu"},        {"ActDispContorMenu", "PopupBand1"},
        {"ActSightMenu", "SightMenu"},
    };
    std::set<std::string> opening;
    for (const auto& [id, band] : links) {
        const MenuCommand* command = menus.command(id);
        ASSERT_NE(command, nullptr) << id;
        EXPECT_EQ(command->subBand, band) << id;
        EXPECT_NE(menus.band(band), nullptr) << band;
        opening.insert(id);
    }
    // No other entry opens a band; "等高線" stays a command, its intervals follow right after it.
    for (const MenuBand& band : menus.bands()) {
        for (const MenuCommand& command : band.commands) {
            if (!opening.contains(command.toolId)) {
                EXPECT_EQ(command.subBand, "") << command.toolId;
            }
        }
    }
    const auto& display = menus.band("DispGMode")->commands;
    EXPECT_EQ(display[0].toolId, "ActDispContor");
    EXPECT_EQ(display[1].toolId, "ActDispContorMenu");
    EXPECT_EQ(display[1].caption, "等高線間隔");
}

TEST(RouteMapMenus, PaddedAndNumberedCaptions) {
    MenuModel menus;
    buildRouteMapMenus(menus);
    const std::string pad8 = "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000";
    const std::vector<std::pair<const char*, std::string>> captions{
        {"ActMakeOneSuji", "作図\u3000\u3000\u3000\u3000\u3000"},
        {"ActCNTPdata1", "等高線間隔\u300010m"},
        {"ActCNTPdata2", pad8 + "20m"},
        {"ActCNTPdata5", pad8 + "100m"},
        {"ActCNTPdata8", pad8 + "1000m"},
        {"ActCNTPdata9", pad8 + "任意"},
        {"ActVlv1", "レベル\u3000１"},
        {"ActVlv5", "レベル\u3000５"},
        {"ActViewBCU3", "ﾕｰｻﾞｰ３背景色"},
        {"ActBCUser4", "ﾕｰｻﾞｰ４"},
        {"ActDelTRKPoint", "ﾙｰﾄﾎﾟｲﾝﾄ削除(DEL)"},
        {"ActMakeRootPos", "からﾙｰﾄ作成"},
    };
    for (const auto& [id, caption] : captions) {
        ASSERT_NE(menus.command(id), nullptr) << id;
        EXPECT_EQ(menus.command(id)->caption, caption) << id;
    }
    // ActSetEtPoint is understood by the dispatcher but offered by no band.
    EXPECT_EQ(menus.command("ActSetEtPoint"), nullptr);
}

TEST(RouteMapCommands, ParametersOfTheToolIds) {
    struct Case {
        const char* toolId;
        MapCommand expected;
    };
    using A = MapAction;
    const std::vector<Case> cases{
        {"ActVlv1", {A::SelectZoomLevel, 1}},         {"ActVlv5", {A::SelectZoomLevel, 5}},
        {"ActStpColSMode", {A::SelectBackgroundMode, 0}}, {"ActStpColMode", {A::SelectBackgroundMode, 1}},
        {"ActDegLineMode", {A::SelectBackgroundMode, 2}}, {"ActNoBGMode", {A::SelectBackgroundMode, 3}},
        {"ActViewBCDef", {A::ViewColourSet, 0}},      {"ActViewBCU4", {A::ViewColourSet, 4}},
        {"ActBCDefColor", {A::EditColourSet, 0}},     {"ActBCUser2", {A::EditColourSet, 2}},
        {"ActCNTPdata1", {A::SetContourInterval, 1}}, {"ActCNTPdata9", {A::SetContourInterval, 9}},
        {"ActDelCnt", {A::ClearContours, 0}},         {"ActDispContor", {A::ShowContours, 0}},
        {"ActZupMode", {A::StartRangeZoom, 0}},       {"ActTViewExit", {A::ExitMap, 0}},
        {"ActSetCamp", {A::SetMark, 1}},              {"ActSetWPoint", {A::SetMark, 4}},
        {"ActSetEtPoint", {A::SetMark, 5}},           {"ActContOneLine", {A::ContinueRidgeValley, 0}},
        {"ActContVLine", {A::ContinueRidgeValley, 1}}, {"ActChgRVFont", {A::ChangeFont, 9}},
        // Entries that open a band, and unknown ids, do nothing.
        {"ActZoutMode", {A::None, 0}},                {"ActBColorSet", {A::None, 0}},
        {"ActDispContorMenu", {A::None, 0}},        {"ActNoSuchTool", {A::None, 0}},
        {"", {A::None, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(mapCommandOf(c.toolId), c.expected) << c.toolId;
}

TEST(RouteMapCommands, EveryCommandOfTheBandsIsKnown) {
    for (const RouteMapBand& band : routeMapBands()) {
        for (const RouteMapTool& tool : band.tools) {
            EXPECT_EQ(mapCommandOf(tool.id.text()).action == MapAction::None, !tool.subBand.empty())
                << tool.id.text();
            EXPECT_EQ(findRouteMapTool(tool.id.text()), &tool);
        }
    }
}

}  // namespace
}  // namespace orv
