#include "map/RidgeValleyTracing.h"

#include "map/RidgeValleyLines.h"
#include "route/RouteMap.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

constexpr Colour kRidge = makeColour(250, 0, 250);
constexpr Colour kValley = makeColour(0, 250, 250);

// Tracing on the route map of the cone plan, driven like the window drives it: commands by
// tool id, the settings dialog by a script, clicks on the map picture.
struct RidgeValleyTracingTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<RouteMap> routeMap;
    // What the settings dialog does when it opens; by default "実　行" of the ridge frame.
    std::function<void(RidgeValleySettings&)> inDialog = [](RidgeValleySettings& s) { s.execute(0); };
    std::vector<std::string> popups;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        state->settings.backgroundMethod = NoBackground;
        state->settings.ridgeLine = {static_cast<int16_t>(blueOf(kRidge)), 0,
                                     static_cast<int16_t>(redOf(kRidge)), 3};
        state->settings.valleyLine = {static_cast<int16_t>(blueOf(kValley)),
                                      static_cast<int16_t>(greenOf(kValley)), 0, 1};
        routeMap = std::make_unique<RouteMap>(*state, dialogs);
        routeMap->ridgeValleyTracing().setSettingsDialog([this](RidgeValleySettings& s) { inDialog(s); });
        routeMap->setPopupHook([this](const std::string& band) { popups.push_back(band); });
        routeMap->create();
    }

    RidgeValleyTracing& tracing() { return routeMap->ridgeValleyTracing(); }
    void click(int x, int y) {
        routeMap->mouseMove(x, y);
        routeMap->mouseRelease(MapButton::Left, x, y);
    }
    void rightClick() { routeMap->mouseRelease(MapButton::Right, 10, 10); }
    Colour mapAt(int x, int y) const { return routeMap->pictures().map.pixelAt(x, y); }
    Colour drawingAt(int x, int y) const { return routeMap->pictures().blank.pixelAt(x, y); }
    std::vector<int> kinds() const {
        std::vector<int> k;
        for (int i = 0; i < state->ridgeValleyCount; ++i) k.push_back(state->ridgeValleyPoints[static_cast<size_t>(i)].kind);
        return k;
    }
    // A ridge line clicked at these pixels, ended by a right click and a choice of the pop-up.
    void trace(std::initializer_list<PixelPoint> points, const char* choice = "ActExitRVLine") {
        for (const PixelPoint& p : points) click(p.x, p.y);
        rightClick();
        routeMap->dispatch(choice);
    }
};

TEST_F(RidgeValleyTracingTest, ThreeClicksAndEndStoreOneLineAndDrawTwoSegments) {
    routeMap->dispatch("ActMakeOneSuji");
    EXPECT_TRUE(routeMap->map().drawingPictureShown);
    EXPECT_EQ(routeMap->map().statusPanels[0], "任意の位置で左クリックして下さい。右クリックで処理選択。");
    // Commands that would redraw the map wait until the tracing ends.
    EXPECT_TRUE(routeMap->menus().isHeld("ActZupMode"));

    click(100, 100);
    click(200, 100);
    EXPECT_EQ(drawingAt(150, 100), colours::blue);  // the traced segment on the drawing picture
    click(200, 200);
    rightClick();
    EXPECT_EQ(popups, std::vector<std::string>{"RVContMenu"});
    EXPECT_EQ(routeMap->map().statusPanels[0], "");
    routeMap->dispatch("ActExitRVLine");

    EXPECT_EQ(kinds(), (std::vector<int>{1, 0, 0}));
    EXPECT_TRUE(state->ridgeValleyPresent);
    EXPECT_TRUE(state->ridgeValleyLinesShown);
    EXPECT_FALSE(routeMap->map().drawingPictureShown);
    EXPECT_EQ(drawingAt(150, 100), colours::white);
    EXPECT_EQ(mapAt(150, 100), kRidge);
    EXPECT_EQ(mapAt(200, 150), kRidge);
    EXPECT_NE(mapAt(150, 150), kRidge);
    for (const char* id : {"ActMakeOneSuji", "ActReturnRef", "ActViewRVout"})
        EXPECT_TRUE(routeMap->menus().isEnabled(ToolId{id})) << id;
    EXPECT_TRUE(routeMap->menus().isChecked("ActViewRVout"));
    EXPECT_FALSE(routeMap->menus().isHeld("ActZupMode"));

    // A point keeps the position of its pixel.
    const MapPixel p = positionToPixel(currentLevelBounds(*state), dmsToSeconds(state->ridgeValleyPoints[1].latitude),
                                       dmsToSeconds(state->ridgeValleyPoints[1].longitude));
    EXPECT_NEAR(p.x, 200, 1);
    EXPECT_NEAR(p.y, 100, 1);
}

TEST_F(RidgeValleyTracingTest, ContinuingStartsNewLinesWithoutAJoiningSegment) {
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 100}, {200, 100}}, "ActContVLine");
    EXPECT_EQ(routeMap->map().statusPanels[0], "谷筋作図中");
    trace({{100, 300}, {200, 300}}, "ActContOneLine");
    EXPECT_EQ(routeMap->map().statusPanels[0], "尾根筋作図中");
    trace({{400, 400}, {450, 400}});

    EXPECT_EQ(kinds(), (std::vector<int>{1, 0, 2, 0, 1, 0}));
    EXPECT_EQ(mapAt(150, 100), kRidge);
    EXPECT_EQ(mapAt(150, 300), kValley);
    EXPECT_EQ(mapAt(425, 400), kRidge);
    EXPECT_NE(mapAt(150, 200), kValley);  // nothing from (200, 100) to (100, 300)
    EXPECT_NE(mapAt(150, 200), kRidge);
}

TEST_F(RidgeValleyTracingTest, ASecondTracingKeepsTheFirstAndStartsALineOfItsOwn) {
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 100}, {200, 100}});
    inDialog = [](RidgeValleySettings& s) { s.execute(1); };
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 300}, {200, 300}});
    EXPECT_EQ(kinds(), (std::vector<int>{1, 0, 2, 0}));
    EXPECT_EQ(mapAt(150, 300), kValley);
}

TEST_F(RidgeValleyTracingTest, ClicksWhileThePopupIsOpenAreIgnored) {
    routeMap->dispatch("ActMakeOneSuji");
    click(100, 100);
    rightClick();
    click(300, 300);
    EXPECT_EQ(state->ridgeValleyCount, 1);
    rightClick();  // the pop-up again, closed without a choice before
    EXPECT_EQ(popups.size(), 2u);
}

TEST_F(RidgeValleyTracingTest, RevertKeepsThePointsOfThePlanFile) {
    state->ridgeValleyCount = 10;
    state->ridgeValleyLoaded = 10;
    for (size_t i = 0; i < 10; ++i) state->ridgeValleyPoints[i] = {"43.0000", "142.0000", static_cast<int16_t>(i == 0)};
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 100}, {200, 100}, {300, 100}, {400, 100}});
    ASSERT_EQ(state->ridgeValleyCount, 14);
    routeMap->dispatch("ActReturnRef");
    EXPECT_EQ(state->ridgeValleyCount, 10);
    EXPECT_TRUE(state->ridgeValleyPresent);
    EXPECT_EQ(state->ridgeValleyPoints[10].latitude, "");
    EXPECT_NE(mapAt(150, 100), kRidge);

    // Reverting in the middle of a tracing ends it.
    routeMap->dispatch("ActMakeOneSuji");
    click(100, 100);
    rightClick();
    routeMap->dispatch("ActReturnRef");
    EXPECT_EQ(state->ridgeValleyCount, 10);
    EXPECT_FALSE(routeMap->map().drawingPictureShown);
}

TEST_F(RidgeValleyTracingTest, RevertOnANewPlanRemovesEveryTracedPoint) {
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 100}, {200, 100}});
    routeMap->dispatch("ActReturnRef");
    EXPECT_EQ(state->ridgeValleyCount, 0);
}

TEST_F(RidgeValleyTracingTest, TheDisplaySwitchHidesAndShowsTheLines) {
    routeMap->dispatch("ActMakeOneSuji");
    trace({{100, 100}, {200, 100}});
    routeMap->dispatch("ActViewRVout");
    EXPECT_FALSE(state->ridgeValleyLinesShown);
    EXPECT_FALSE(routeMap->menus().isChecked("ActViewRVout"));
    EXPECT_NE(mapAt(150, 100), kRidge);
    routeMap->dispatch("ActViewRVout");
    EXPECT_TRUE(routeMap->menus().isChecked("ActViewRVout"));
    EXPECT_EQ(mapAt(150, 100), kRidge);
}

TEST_F(RidgeValleyTracingTest, TheClickAfterTheLastPointTheTableHoldsIsRefused) {
    state->ridgeValleyCount = kMaxRidgeValleyPoints - 1;
    routeMap->dispatch("ActMakeOneSuji");
    click(100, 100);
    EXPECT_EQ(state->ridgeValleyCount, kMaxRidgeValleyPoints);
    EXPECT_TRUE(dialogs.messages().empty());
    dialogs.answerMessage(Answer::Ok);
    click(200, 100);
    EXPECT_EQ(state->ridgeValleyCount, kMaxRidgeValleyPoints);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "谷・尾根筋のポイントは4001点までです。これ以上登録できません。");
    EXPECT_EQ(dialogs.messages()[0].title, "谷尾根筋作図");
}

TEST_F(RidgeValleyTracingTest, ClosingTheSettingsWithoutExecuteTracesNothing) {
    inDialog = [](RidgeValleySettings&) {};
    routeMap->dispatch("ActMakeOneSuji");
    EXPECT_FALSE(routeMap->map().drawingPictureShown);
    click(100, 100);
    EXPECT_EQ(state->ridgeValleyCount, 0);
}

// The settings dialog on its own.
struct RidgeValleySettingsTest : ::testing::Test {
    SettingsValues settings;
    test::ScriptedDialogs dialogs;
};

TEST_F(RidgeValleySettingsTest, OpensWithTheStylesAndTakesWidthsAndColours) {
    settings.ridgeLine = {10, 20, 30, 3};
    settings.valleyLine = {0, 0, 255, 1};
    RidgeValleySettings dialog(settings, dialogs);
    EXPECT_EQ(dialog.slider, (std::array<int, 2>{3, 1}));
    EXPECT_EQ(dialog.widthText, (std::array<std::string, 2>{"3", "1"}));
    EXPECT_EQ(dialog.swatch[0], makeColour(30, 20, 10));

    dialog.moveSlider(1, 4);
    EXPECT_EQ(dialog.widthText[1], "4");
    dialogs.answerColour(makeColour(1, 2, 3));
    dialog.pickColour(0);
    dialogs.answerColour(std::nullopt);
    dialog.pickColour(1);
    EXPECT_EQ(dialogs.asked()[0].title, "谷・尾根筋色の作成");
    EXPECT_EQ(settings.ridgeLine.red, 1);
    EXPECT_EQ(settings.ridgeLine.blue, 3);
    EXPECT_EQ(settings.valleyLine.red, 255);  // cancelled: unchanged

    dialog.setWidthText(0, "5");
    EXPECT_TRUE(dialog.execute(1));
    EXPECT_EQ(dialog.chosenFrame(), 1);
    EXPECT_EQ(settings.ridgeLine.width, 5);
    EXPECT_EQ(settings.valleyLine.width, 4);
    dialog.help();
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE12.hlp");
}

TEST_F(RidgeValleySettingsTest, WidthsThatAreNotWholeNumbersOneToFiveAreRefused) {
    for (const char* text : {"0", "6", "2.5", "", "x", "-1"}) {
        RidgeValleySettings dialog(settings, dialogs);
        dialog.setWidthText(1, text);
        dialogs.answerMessage(Answer::Ok);
        EXPECT_FALSE(dialog.execute(0)) << text;
        EXPECT_FALSE(dialog.chosenFrame()) << text;
    }
    EXPECT_EQ(dialogs.messages().back().text, "線の太さは1から5の整数で入力して下さい。");
    EXPECT_EQ(settings.ridgeLine.width, 3);
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

// "地名・名称登録" through the route map in edit mode: the dialog's answer lands on the point
// the panel shows, and the panel shows it.
TEST_F(RidgeValleyTracingTest, APlaceNameFromTheEditMenuGoesOnThePanelsPoint) {
    const LevelBounds view = currentLevelBounds(*state);
    for (int i = 1; i <= 3; ++i) {
        RoutePoint& p = state->route[static_cast<size_t>(i)];
        p.number = static_cast<int16_t>(i);
        p.latitude = secondsToDms(pixelLatitude(view, 300));
        p.longitude = secondsToDms(pixelLongitude(view, 100 * i));
    }
    state->routeCount = 3;
    state->routeLoaded = true;
    routeMap->setPointNamingHook([](PointNaming& naming) {
        EXPECT_EQ(naming.caption(), "地名・名称設定");
        naming.text = "二股";
        naming.registerName();
    });
    routeMap->dispatch("ActEditRootData");
    routeMap->choosePointNumber(2);
    routeMap->dispatch("ActMakePName");
    EXPECT_EQ(state->route[2].placeName, "二股");
    EXPECT_EQ(routeMap->creation().routePointPanel.labels[5], "地名： 二股");
}

}  // namespace
}  // namespace orv
