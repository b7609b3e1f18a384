#include "route/RouteMapMenus.h"

#include <array>
#include <string>

namespace orv {

namespace {

using C = RouteMapCommandSpec;

constexpr std::array kPopupMenu{
    C{"ActZupMode", "範囲拡大"},
    C{"ActZoutMode", "拡大縮小レベル変更", "SlevelselMenu"},
    C{"ActDispOut", "描画", "DispGMode"},
    C{"ActRVName", "尾根・谷名称", "RVNEditMenu"},
    C{"ActMountNameMode", "データ表示", "SetMNameMenu"},
    C{"ActMakeRoot", "新規ルート作成", "MakeRootMenu"},
    C{"ActTRKEditMode", "ルート編集と表示", "TRKjobMenu"},
    C{"ActCalCorseTime", "ｺｰｽﾀｲﾑ"},
    C{"ActNameColorSet", "表示の設定", "SetColorMenu"},
    C{"ActCopyToClip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ"},
    C{"ActCopyToFile", "ﾌｧｲﾙにｺﾋﾟｰ"},
    C{"ActTViewExit", "ﾙｰﾄ図終了"},
};

constexpr std::array kMakeRootMenu{
    C{"ActMakeNewTRKdata", "ﾏｳｽでﾙｰﾄ作成"},
    C{"ActMakeMapRoot", "地形図寸法からﾙｰﾄ作成"},
    C{"ActBMPMapMakeRoot", "地図画像からﾙｰﾄ作成"},
    C{"ActCopyRefRoot", "参照ﾙｰﾄ全てをﾄﾚｰｽ"},
    C{"ActTPStartRoot", "参照ﾙｰﾄ指定位置からﾏｳｽで作成"},
    C{"ActDelRoot", "作成ﾙｰﾄ削除"},
};

constexpr std::array kSetColorMenu{
    C{"ActChgMountName", "山名表示フォント"},
    C{"ActChgPName", "地名表示フォント"},
    C{"ActChgRVFont", "谷尾根名フォント"},
    C{"ActChgTRKColor", "ﾙｰﾄ表示色"},
    C{"ActChgREFLColor", "参照ﾙｰﾄ表示色"},
    C{"ActBColorSet", "背景描画色", "BCColorSetMenu"},
};

constexpr std::array kSetMNameMenu{
    C{"ActALLMtNameOutput", "全山名の表示"},
    C{"ActMtName", "指定山名のみ表示"},
    C{"ActHDdispON", "標高値表示"},
    C{"ActSumTimeOut", "累積時間表示"},
};

constexpr std::array kRidVMenu{
    C{"ActMakeOneSuji", "作図　　　　　"},  // five ideographic spaces keep the menu wide
    C{"ActViewRVout", "表示"},
    C{"ActReturnRef", "初期状態に戻す"},
};

constexpr std::array kDispGMode{
    C{"ActDispContor", "等高線"},
    C{kContourIntervalEntry, kContourIntervalCaption, "PopupBand1"},
    C{"ActVView", "ﾙｰﾄ断面図"},
    C{"ActViewRV", "谷・尾根筋図", "RidVMenu"},
    C{"ActRVNameViewSet", "尾根・谷名称"},
    C{"ActStpColSMode", "段彩陰影図", {}, true},
    C{"ActStpColMode", "段彩図"},
    C{"ActDegLineMode", "経緯度線のみ"},
    C{"ActNoBGMode", "背景なし"},
    C{"ActViewBCDef", "ﾃﾞﾌｫﾙﾄ背景色", {}, true},
    C{"ActViewBCU1", "ﾕｰｻﾞｰ１背景色"},
    C{"ActViewBCU2", "ﾕｰｻﾞｰ２背景色"},
    C{"ActViewBCU3", "ﾕｰｻﾞｰ３背景色"},
    C{"ActViewBCU4", "ﾕｰｻﾞｰ４背景色"},
};

constexpr std::array kBCColorSetMenu{
    C{"ActBCDefColor", "ﾃﾞﾌｫﾙﾄ"},
    C{"ActBCUser1", "ﾕｰｻﾞｰ１"},
    C{"ActBCUser2", "ﾕｰｻﾞｰ２"},
    C{"ActBCUser3", "ﾕｰｻﾞｰ３"},
    C{"ActBCUser4", "ﾕｰｻﾞｰ４"},
};

constexpr std::array kTRKjobMenu{
    C{"ActEditRootData", "ルート編集"},
    C{"ActSaveRootPCX", "PCX形式でルート保存"},
    C{"ActSaveRootGPX", "GPX形式でルート保存"},
    C{"ActTRKView", "ルート表示"},
    C{"ActViewRefTRK", "参照ルート表示"},
    C{"ActViewSepData", "区間位置表示"},
    C{"ActWPnameDisp", "ｳｪｲﾎﾟｲﾝﾄ名称表示"},
};

constexpr std::array kRVContMenu{
    C{"ActContOneLine", "尾根筋継続"},
    C{"ActContVLine", "谷筋継続"},
    C{"ActExitRVLine", "作図終了"},
};

constexpr std::array kRootEditMenu{
    C{"ActDelTRKPoint", "ﾙｰﾄﾎﾟｲﾝﾄ削除(DEL)"},
    C{"ActMakeMtName", "山名登録"},
    C{"ActMakePName", "地名・名称登録"},
    C{"ActSetCamp", "ﾃﾝﾄ場ｱｲｺﾝ登録"},
    C{"ActSetMtHouse", "山小屋ｱｲｺﾝ登録"},
    C{"ActSetViewPoint", "展望ﾎﾟｲﾝﾄｱｲｺﾝ登録"},
    C{"ActSetWPoint", "水場ｱｲｺﾝ登録"},
    C{"ActExitRootEdit", "ルート編集終了"},
};

constexpr std::array kRefPointSetMenu{
    C{"ActMakeRootPos", "からﾙｰﾄ作成"},  // "No " + number + " からﾙｰﾄ作成" when it pops up
    C{"ActStopMaking", "ﾙｰﾄ作成中断"},
};

constexpr std::array kMPEditMenu{
    C{"ActMPjob", "ﾎﾟｲﾝﾄ処理"},
    C{"ActMPreinput", "再入力"},
    C{"ActMPdel", "削除"},
};

constexpr std::array kSlevelselMenu{
    C{"ActVlv1", "レベル　１"}, C{"ActVlv2", "レベル　２"}, C{"ActVlv3", "レベル　３"},
    C{"ActVlv4", "レベル　４"}, C{"ActVlv5", "レベル　５"},
};

constexpr std::array kRVNEditMenu{
    C{"ActRVNInput", "名称登録"},
    C{"ActRVNDDel", "登録削除"},
};

constexpr std::array kDELRVNData{
    C{"ActDelData", "登録データ削除"},
};

// The interval captions after the first are padded with eight ideographic spaces so that
// the values line up under "等高線間隔　10m".
constexpr std::array kPopupBand1{
    C{"ActCNTPdata1", "等高線間隔　10m"},
    C{"ActCNTPdata2", "　　　　　　　　20m"},
    C{"ActCNTPdata3", "　　　　　　　　40m"},
    C{"ActCNTPdata4", "　　　　　　　　50m"},
    C{"ActCNTPdata5", "　　　　　　　　100m"},
    C{"ActCNTPdata6", "　　　　　　　　200m"},
    C{"ActCNTPdata7", "　　　　　　　　500m"},
    C{"ActCNTPdata8", "　　　　　　　　1000m"},
    C{"ActCNTPdata9", "　　　　　　　　任意"},
    C{"ActDelCnt", "等高線消去"},
};

constexpr std::array<RouteMapBandSpec, 16> kBands{{
    {"PopupMenu", "主ﾒﾆｭｰ", "ﾒｲﾝﾒﾆｭｰ", kPopupMenu},
    {"MakeRootMenu", "ﾙｰﾄ作成", "ﾙｰﾄ作成ﾒﾆｭｰ", kMakeRootMenu},
    {"SetColorMenu", "設定対象", "表示設定", kSetColorMenu},
    {"SetMNameMenu", "山名表示", "山名表示設定", kSetMNameMenu},
    {"RidVMenu", "谷・尾根筋図", "谷・尾根図ﾒﾆｭｰ", kRidVMenu},
    {"DispGMode", "画像表示", "表示ﾒﾆｭｰ", kDispGMode},
    {"BCColorSetMenu", "描画背景色設定", "背景描画色設定ﾒﾆｭｰ", kBCColorSetMenu},
    {"TRKjobMenu", "TRK処理", "TRK操作ﾒﾆｭｰ", kTRKjobMenu},
    {"RVContMenu", "谷尾根筋作図", "谷尾根作図処理メニュー", kRVContMenu},
    {"RootEditMenu", "ルート編集", "TRK編集ﾒﾆｭｰ", kRootEditMenu},
    {"RefPointSetMenu", "参照ﾙｰﾄ位置処理", "参照ﾙｰﾄ位置処理メニュー", kRefPointSetMenu},
    {"MPEditMenu", "地形図編集ﾒﾆｭｰ", "地形図寸法編集ﾒﾆｭｰ", kMPEditMenu},
    {"SlevelselMenu", "縮小レベル選択ﾒﾆｭｰ", "縮小ﾒﾆｭｰ", kSlevelselMenu},
    {"RVNEditMenu", "尾根谷名称変種", "尾根谷名称編集ﾒﾆｭｰ", kRVNEditMenu},
    {"DELRVNData", "尾根谷名称補助ﾒﾆｭｰ", "尾根谷補助ﾒﾆｭｰ", kDELRVNData},
    {"PopupBand1", "等高線補助", "等高線補助メニュー", kPopupBand1},
}};

}  // namespace

std::span<const RouteMapBandSpec> routeMapBands() { return kBands; }

void buildRouteMapMenus(MenuModel& menus) {
    for (const RouteMapBandSpec& band : kBands) {
        const std::string name(band.name);
        menus.addBand(name, std::string(band.caption));
        for (const RouteMapCommandSpec& command : band.commands) {
            MenuCommand item;
            item.toolId = std::string(command.toolId);
            item.caption = std::string(command.caption);
            item.category = std::string(band.category);
            item.subBand = std::string(command.subBand);
            item.separatorBefore = command.separatorBefore;
            menus.addCommand(name, std::move(item));
        }
    }
}

}  // namespace orv
