#include "route/PointNaming.h"

#include "plans/RouteFile.h"
#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

struct PointNamingTest : ::testing::Test, test::MapWorld {
    PointNamingTest() {
        for (int i = 0; i < 9; ++i) addRoutePoint(100 + 40 * i, 300);
        ctx.drawOverlays = [this] { ++overlayRedraws; };
    }
    PointNaming mountainNaming(int point) { return PointNaming(ctx, PointNameKind::Mountain, point); }
    PointNaming placeNaming(int point) { return PointNaming(ctx, PointNameKind::Place, point); }
};

TEST_F(PointNamingTest, MountainModeListsTheMountainsOfTheZoomedArea) {
    addMountain("北岳", 100, 100);
    addMountain("南岳", 500, 500);
    // Level 3: the top-left quarter of level 1.
    const LevelBounds b = bounds(1);
    setCorners(3, (b.south + b.north) / 2, b.north, b.west, (b.west + b.east) / 2);
    state->currentLevel = 3;

    PointNaming naming = mountainNaming(3);
    EXPECT_EQ(naming.caption(), "山名設定");
    EXPECT_EQ(naming.prompt(), "リストから指定位置に登録する山名を選択して下さい。");
    EXPECT_FALSE(naming.textVisible);
    EXPECT_FALSE(naming.registerEnabled);
    EXPECT_FALSE(naming.deleteEnabled);
    EXPECT_EQ(naming.rows, std::vector<std::string>{"1\t北岳\t1500.7"});
    naming.pick(0);
    EXPECT_TRUE(naming.registerEnabled);
    EXPECT_TRUE(naming.registerName());
    naming.finish();
    EXPECT_EQ(state->route[3].mountainName, "北岳");
    EXPECT_EQ(state->route[3].markKind, 7);
    EXPECT_TRUE(state->mountainTable[1].onRoute);
    EXPECT_EQ(overlayRedraws, 1);
}

TEST_F(PointNamingTest, RenamingAsksAndDeletingFreesTheMountain) {
    addMountain("北岳", 100, 100);
    addMountain("間ノ岳", 200, 100);
    PointNaming first = mountainNaming(2);
    first.pick(0);
    first.registerName();
    first.finish();

    dialogs.answerMessage(Answer::No);
    PointNaming second = mountainNaming(2);
    EXPECT_TRUE(second.deleteEnabled);
    second.pick(1);
    second.registerName();
    second.finish();
    EXPECT_EQ(state->route[2].mountainName, "北岳");
    EXPECT_EQ(dialogs.messages().back().text, "既にこのポイントにデータが登録されています。書き換えますか？");

    PointNaming removal = mountainNaming(2);
    removal.deleteName();
    removal.finish();
    EXPECT_EQ(state->route[2].mountainName, "");
    EXPECT_FALSE(state->mountainTable[1].onRoute);

    state->route[4].markKind = 4;
    PointNaming cancelled = mountainNaming(4);
    cancelled.cancel();
    cancelled.finish();
    EXPECT_EQ(state->route[4].markKind, 4);
}

TEST_F(PointNamingTest, APlaceNameOnARoundTripAlsoNamesTheMirroredPoint) {
    state->roundTrip = true;
    PointNaming naming = placeNaming(3);
    EXPECT_EQ(naming.caption(), "地名・名称設定");
    EXPECT_EQ(naming.prompt(), "指定位置に登録する地名・名称を入力して下さい。");
    EXPECT_TRUE(naming.textVisible);
    EXPECT_FALSE(naming.listEnabled);
    EXPECT_FALSE(naming.deleteVisible);
    naming.focusText();
    EXPECT_TRUE(naming.registerEnabled);
    naming.text = "二股";
    EXPECT_TRUE(naming.registerName());
    naming.finish();
    EXPECT_EQ(state->route[3].placeName, "二股");
    EXPECT_EQ(state->route[7].placeName, "二股");
    EXPECT_EQ(state->route[5].placeName, "");
    EXPECT_EQ(state->route[3].markKind, 0);
}

TEST_F(PointNamingTest, NamesReadBackFromTheRouteFileAsEntered) {
    addMountain("Mt Blank", 100, 100);
    for (const char* refused : {"北 沢", "a,b"}) {
        dialogs.answerMessage(Answer::Ok);
        PointNaming naming = placeNaming(2);
        naming.text = refused;
        EXPECT_FALSE(naming.registerName()) << refused;
        EXPECT_FALSE(naming.closed());
        EXPECT_EQ(state->route[2].placeName, "");
    }
    dialogs.answerMessage(Answer::Ok);
    PointNaming mountain = mountainNaming(2);
    mountain.pick(0);
    EXPECT_FALSE(mountain.registerName());
    EXPECT_EQ(dialogs.messages().back().text,
              "名称に半角スペースや「,」（半角カンマ）は使えません。全角文字に置き換えて下さい。");

    PointNaming accepted = placeNaming(2);
    accepted.text = "北　沢";  // an ideographic space separates nothing
    EXPECT_TRUE(accepted.registerName());
    const RoutePoint read = parseRoutePointLine(routePointLine(state->route[2]));
    EXPECT_EQ(read.placeName, "北　沢");
    EXPECT_EQ(read.markKind, state->route[2].markKind);
}

}  // namespace
}  // namespace orv
