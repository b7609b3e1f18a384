// A route measured on printed sheets: the frame sides of ORV_MAPINFO, the refusals of "計算" in
// their order with their exact texts, the point list's rows, deletion and re-input, and the
// finish buttons that make the route or leave none.
#include "sheets/SheetRoute.h"

#include "geo/Angles.h"
#include "map/RouteMapTools.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"
#include "support/SheetBlock.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

struct SheetRouteTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<RouteMap> routeMap;
    std::unique_ptr<SheetRoute> sheets;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        test::fillSheetBlock(*state);
        routeMap = std::make_unique<RouteMap>(*state, dialogs);
        routeMap->create();
        sheets = std::make_unique<SheetRoute>(*routeMap);
        routeMap->setSheetRouteHook([this](ToolId id) { sheets->run(id); });
    }
    // Rectangular frames 400 mm wide and 460 mm high on sheets 5 and 6.
    void registerSheets() {
        sheets->dimensionsWindow = [](SheetDimensions& d) {
            d.rows[4].sides = {"400", "400", "460", "460"};
            d.rows[5].sides = {"400", "400", "460", "460"};
            d.finish();
            return true;
        };
    }
    void begin() { routeMap->dispatch("ActMakeMapRoot"); }
    bool measure(const std::string& dy, const std::string& dx) {
        sheets->latitudeMm = dy;
        sheets->longitudeMm = dx;
        return sheets->addPoint();
    }
    int count() const { return state->rawRoute[0].number; }
    const RawPoint& point(int i) const { return state->rawRoute[static_cast<size_t>(i)]; }
};

TEST_F(SheetRouteTest, WithoutRegisteredSheetsTheDialogOpensAndARectangleIsLinear) {
    registerSheets();
    dialogs.answerMessage(Answer::Ok);
    begin();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "地形図情報が設定されていません。設定して下さい。");
    EXPECT_EQ(dialogs.messages()[0].title, "地形図情報設定");
    EXPECT_TRUE(sheets->visible);
    EXPECT_TRUE(state->sheetRegistered[5]);
    EXPECT_FALSE(state->sheetRegistered[4]);
    EXPECT_EQ(routeMap->map().statusPanels[0], "ルート作成のため地形図に該当するﾒｯｼｭｺｰﾄﾞをクリックして下さい");

    sheets->showSheet(5);
    // From the bottom-left corner: 0.25, 0.5 and 0.75 of the frame go a quarter, half and three
    // quarters across the sheet's 300″ × 450″.
    for (const auto& [dy, dx] : {std::pair{"115", "100"}, std::pair{"230", "200"}, std::pair{"345", "300"}})
        ASSERT_TRUE(measure(dy, dx));
    const ArcSeconds south = dmsToSeconds("42.40");
    const ArcSeconds west = dmsToSeconds("142.30");
    // 112.5″ and 337.5″ round to the even second.
    const std::array<ArcSeconds, 3> east{112, 225, 338};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(dmsToSeconds(point(i).latitude), south + 75 * i) << i;
        EXPECT_EQ(dmsToSeconds(point(i).longitude), west + east[static_cast<size_t>(i - 1)]) << i;
        EXPECT_EQ(point(i).sheetCode, "644205");
    }
    EXPECT_EQ(sheets->listRows[1], "2    42.42300  142.33450 0                    \t644205");
}

TEST_F(SheetRouteTest, CalculateRefusesInItsOrder) {
    dialogs.answerMessage(Answer::Ok);
    begin();  // nothing registered and no dialog: the panel opens anyway
    struct Case {
        std::function<void()> prepare;
        std::string dy, dx;
        const char* text;
        const char* title;
    };
    const std::vector<Case> cases{
        {[this] { sheets->showSheet(5); }, "10", "10", kNoSheetSelectedText, "入力確認"},
        {[this] { registerSheets(); sheets->editDimensions(); sheets->showSheet(5); }, "", "10", kSheetEmptyBoxText, "入力確認"},
        {[] {}, "0", "10", kSheetNotPositiveText, "入力確認"},
        {[] {}, "10", "abc", kSheetNotPositiveText, "入力確認"},
        {[] {}, "-1", "10", kSheetNotPositiveText, "入力確認"},
        {[] {}, "460", "10", kSheetOutOfRangeText, "入力範囲オーバー"},
        {[] {}, "10", "400", kSheetOutOfRangeText, "入力範囲オーバー"},
        {[this] { sheets->showSheet(4); }, "10", "10", kSheetOutOfRangeText, "入力範囲オーバー"},
    };
    for (const Case& c : cases) {
        c.prepare();
        dialogs.answerMessage(Answer::Ok);
        EXPECT_FALSE(measure(c.dy, c.dx)) << c.text;
        EXPECT_EQ(dialogs.messages().back().text, c.text);
        EXPECT_EQ(dialogs.messages().back().title, c.title);
        EXPECT_EQ(dialogs.messages().back().icon, Icon::Error);
        EXPECT_EQ(count(), 0);
        EXPECT_EQ(sheets->latitudeMm, c.dy) << "the boxes stay as typed";
    }
    sheets->showSheet(5);
    EXPECT_TRUE(measure("459.9", "399.9"));
    EXPECT_EQ(count(), 1);
}

TEST_F(SheetRouteTest, DeletionAppendsAfterTheRestAndReinputTakesTheSelectedSheet) {
    registerSheets();
    sheets->editDimensions();
    begin();
    sheets->showSheet(5);
    for (const char* dy : {"100", "200", "300", "400"}) ASSERT_TRUE(measure(dy, "100"));
    const DmsText third = point(3).latitude;
    const DmsText fourth = point(4).latitude;
    sheets->selectPoint(1);
    routeMap->dispatch("ActMPdel");
    EXPECT_EQ(count(), 3);
    ASSERT_EQ(sheets->listRows.size(), 3u);
    EXPECT_EQ(sheets->listRows[2].substr(0, 5), "3    ");
    EXPECT_EQ(point(2).latitude, third);
    EXPECT_EQ(point(3).latitude, fourth);
    ASSERT_TRUE(measure("50", "100"));
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(point(3).latitude, fourth) << "the next point is appended, not written over point 3";
    EXPECT_EQ(dmsToSeconds(point(4).latitude), dmsToSeconds("42.40") + 33);

    // Point 2 measured again on sheet 6 belongs to sheet 6.
    sheets->selectPoint(1);
    routeMap->dispatch("ActMPreinput");
    sheets->showSheet(6);
    ASSERT_TRUE(measure("100", "100"));
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(point(2).sheetCode, "644206");
}

TEST_F(SheetRouteTest, TheDimensionsDialogStoresSidesAndRegistersOnlyWholeFrames) {
    SheetDimensions d(*state);
    EXPECT_EQ(d.rows[0].information, "644201  42.4000 : 142.3000");
    d.rows[0].sides = {"400", "401.5", "460", "461"};
    d.rows[1].sides = {"400", "", "460", "460"};
    d.rows[2].sides = {"400", "-400", "460", "460"};
    d.rows[3].sides = {"400x", "400", "460", "460"};
    d.finish();
    EXPECT_TRUE(state->sheetRegistered[1]);
    EXPECT_FALSE(state->sheetRegistered[2]);
    EXPECT_FALSE(state->sheetRegistered[3]);
    EXPECT_TRUE(state->sheetRegistered[4]);
    EXPECT_FLOAT_EQ(state->meshCorners[1].bottomWidth, 401.5f);
    EXPECT_FLOAT_EQ(state->meshCorners[4].topWidth, 400.0f);
    // Reopened, the boxes show the sides stored, an empty box for none.
    SheetDimensions again(*state);
    EXPECT_EQ(again.rows[0].sides[1], "401.5");
    EXPECT_EQ(again.rows[1].sides[1], "");
}

TEST_F(SheetRouteTest, FinishMakesTheRouteAndCancelLeavesNone) {
    registerSheets();
    sheets->editDimensions();
    begin();
    sheets->showSheet(5);
    for (const char* dx : {"100", "110", "120"}) ASSERT_TRUE(measure("230", dx));
    dialogs.answerMessage(Answer::Yes);
    sheets->finish();
    EXPECT_EQ(dialogs.messages().back().text, "作成したルートは片道として処理しますか");
    EXPECT_GE(state->routeCount, 3);
    EXPECT_FALSE(sheets->visible);
    EXPECT_FALSE(routeMap->map().drawingPictureShown);

    routeMap->dispatch("ActDelRoot");
    begin();
    sheets->showSheet(5);
    ASSERT_TRUE(measure("230", "100"));
    sheets->cancel();
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(state->nextSheetPoint, 1);
}

}  // namespace
}  // namespace orv
