#include "state/AppState.h"

namespace orv {

// First-level mesh sheets, in the order the start menu looks them up.
const std::array<RegionEntry, kRegionCount> regionTable{{
    RegionEntry{"6741", "天塩"},
    RegionEntry{"6742", "枝幸"},
    RegionEntry{"6641", "羽幌"},
    RegionEntry{"6642", "名寄"},
    RegionEntry{"6643", "紋別"},
    RegionEntry{"6644", "網走"},
    RegionEntry{"6645", "知床岬"},
    RegionEntry{"6646", "安渡移矢岬"},
    RegionEntry{"6541", "留萌"},
    RegionEntry{"6542", "旭川"},
    RegionEntry{"6543", "北見"},
    RegionEntry{"6544", "斜里"},
    RegionEntry{"6545", "標津"},
    RegionEntry{"6546", "色丹島"},
    RegionEntry{"6440", "岩内"},
    RegionEntry{"6441", "札幌"},
    RegionEntry{"6442", "夕張岳"},
    RegionEntry{"6443", "帯広"},
    RegionEntry{"6444", "釧路"},
    RegionEntry{"6445", "根室"},
    RegionEntry{"6339", "久遠"},
    RegionEntry{"6340", "室蘭"},
    RegionEntry{"6341", "苫小牧"},
    RegionEntry{"6342", "浦河"},
    RegionEntry{"6343", "広尾"},
    RegionEntry{"6239", "渡島大島"},
    RegionEntry{"6240", "函館"},
    RegionEntry{"6241", "尻屋崎"},
    RegionEntry{"6140", "青森"},
    RegionEntry{"6141", "野辺地"},
    RegionEntry{"6039", "深浦"},
    RegionEntry{"6040", "弘前"},
    RegionEntry{"6041", "八戸"},
    RegionEntry{"5939", "男鹿"},
    RegionEntry{"5940", "秋田"},
    RegionEntry{"5941", "盛岡"},
    RegionEntry{"5839", "酒田"},
    RegionEntry{"5840", "新庄"},
    RegionEntry{"5841", "一関"},
    RegionEntry{"5738", "相川"},
    RegionEntry{"5739", "村上"},
    RegionEntry{"5740", "仙台"},
    RegionEntry{"5741", "石巻"},
    RegionEntry{"5636", "輪島"},
    RegionEntry{"5638", "長岡"},
    RegionEntry{"5639", "新潟"},
    RegionEntry{"5640", "福島"},
    RegionEntry{"5536", "七尾"},
    RegionEntry{"5537", "富山"},
    RegionEntry{"5538", "高田"},
    RegionEntry{"5539", "日光"},
    RegionEntry{"5540", "白河"},
    RegionEntry{"5436", "金沢"},
    RegionEntry{"5437", "高山"},
    RegionEntry{"5438", "長野"},
    RegionEntry{"5439", "宇都宮"},
    RegionEntry{"5440", "水戸"},
    RegionEntry{"5332", "大社"},
    RegionEntry{"5333", "松江"},
    RegionEntry{"5334", "鳥取"},
    RegionEntry{"5335", "宮津"},
    RegionEntry{"5336", "岐阜"},
    RegionEntry{"5337", "飯田"},
    RegionEntry{"5338", "甲府"},
    RegionEntry{"5339", "東京"},
    RegionEntry{"5340", "千葉"},
    RegionEntry{"5231", "見島"},
    RegionEntry{"5232", "浜田"},
    RegionEntry{"5233", "高梁"},
    RegionEntry{"5234", "姫路"},
    RegionEntry{"5235", "京都及大阪"},
    RegionEntry{"5236", "名古屋"},
    RegionEntry{"5237", "豊橋"},
    RegionEntry{"5238", "静岡"},
    RegionEntry{"5239", "横須賀"},
    RegionEntry{"5240", "大多喜"},
    RegionEntry{"5129", "厳原"},
    RegionEntry{"5130", "小串"},
    RegionEntry{"5131", "山口"},
    RegionEntry{"5132", "広島"},
    RegionEntry{"5133", "岡山及丸亀"},
    RegionEntry{"5134", "徳島"},
    RegionEntry{"5135", "和歌山"},
    RegionEntry{"5136", "伊勢"},
    RegionEntry{"5137", "伊良湖岬"},
    RegionEntry{"5138", "御前崎"},
    RegionEntry{"5139", "三宅島"},
    RegionEntry{"5029", "唐津"},
    RegionEntry{"5030", "福岡"},
    RegionEntry{"5031", "中津"},
    RegionEntry{"5032", "松山"},
    RegionEntry{"5033", "高知"},
    RegionEntry{"5034", "剣山"},
    RegionEntry{"5035", "田辺"},
    RegionEntry{"5036", "木本"},
    RegionEntry{"4928", "福江"},
    RegionEntry{"4929", "長崎"},
    RegionEntry{"4930", "熊本"},
    RegionEntry{"4931", "大分"},
    RegionEntry{"4932", "宇和島"},
    RegionEntry{"4933", "窪川"},
    RegionEntry{"4830", "八代"},
    RegionEntry{"4831", "延岡"},
    RegionEntry{"4730", "鹿児島"},
    RegionEntry{"4731", "宮崎"},
    RegionEntry{"4630", "開聞岳"},
    RegionEntry{"4530", "屋久島"},
    RegionEntry{"4027", "与論島"},
    RegionEntry{"3927", "那覇"},
    RegionEntry{"6841", "稚内"},
}};

std::string regionSheetName(std::string_view code) {
    const std::string_view key = code.substr(0, 4);
    for (const auto& entry : regionTable)
        if (key == entry.code) return entry.sheetName;
    return "";
}

std::array<TextStyle, kTextStyles> initialTextStyles() {
    std::array<TextStyle, kTextStyles> styles{};  // "ＭＳ ゴシック", 9 pt, flags off, black
    styles[0].bold = true;
    styles[0].colour = colours::blue;
    styles[3].colour = colours::blue;
    styles[5].colour = colours::blue;
    styles[8].size = 8.0f;
    return styles;
}

void setStartValues(AppState& state) {
    static_cast<FixedTexts&>(state) = FixedTexts{};
    static_cast<PlanFlags&>(state) = PlanFlags{};
    static_cast<SessionValues&>(state) = SessionValues{};
}

void resetPlanState(AppState& state) {
    clearSegments(state);
    clearRawRoute(state);
    clearRoute(state);
    clearReferenceRoute(state);
    clearWaypoints(state);
    clearMountains(state);
    state.planName.clear();
    state.destinationLineAsRead.clear();
    // A mode forced by the lack of data is not the user's choice: the next plan opens in the
    // stored one.
    if (state.backgroundBeforeNoData && state.settings.backgroundMethod == kNoDataBackgroundMethod)
        state.settings.backgroundMethod = *state.backgroundBeforeNoData;
    static_cast<PlanFlags&>(state) = PlanFlags{};
}

void forceNoDataBackground(AppState& state) {
    if (!state.backgroundBeforeNoData) state.backgroundBeforeNoData = state.settings.backgroundMethod;
    state.settings.backgroundMethod = kNoDataBackgroundMethod;
}

std::unique_ptr<AppState> makeAppState() {
    return std::make_unique<AppState>();
}

void clearRoute(AppState& state) {
    state.route.fill(RoutePoint{});
    state.routeCount = 0;
}

void clearReferenceRoute(AppState& state) {
    state.referenceRoute.fill(RoutePoint{});
    state.refRouteCount = 0;
}

void clearSpareRoute(AppState& state) { state.spareRoute.fill(RoutePoint{}); }

void clearRawRoute(AppState& state) { state.rawRoute.fill(RawPoint{}); }

void clearWaypoints(AppState& state) {
    state.waypoints.fill(Waypoint{});
    state.waypointCount = 0;
}

void clearSegments(AppState& state) {
    state.segments.fill(CourseSegment{});
    state.segmentCount = 0;
}

void clearMountains(AppState& state) {
    state.mountainTable.fill(MountainRecord{});
    state.mountainCount = 0;
}

}  // namespace orv
