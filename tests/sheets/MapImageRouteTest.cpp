// Tracing a route on scanned sheets: the frame corners give the scales, clicks inside the frame
// become points, re-input and deletion keep the table in order, the stepping keys, the typed
// elevations, the remembered images, and the refusals with their exact texts.
#include "sheets/MapImageRoute.h"

#include "geo/Angles.h"
#include "sheets/MapImageTools.h"
#include "support/ScriptedDialogs.h"
#include "support/SheetBlock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

constexpr ArcSeconds kNorth = 42 * 3600 + 45 * 60;  // "42.45"
constexpr ArcSeconds kWest = 142 * 3600 + 30 * 60;  // "142.30"

struct MapImageRouteTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::vector<std::string> loaded;
    ImageLoad nextLoad = ImageLoad::Loaded;
    std::unique_ptr<MapImageRoute> window;

    void SetUp() override {
        test::fillSheetBlock(*state);
        std::ofstream(dir / "sheet.jpg") << "scan";
        window = std::make_unique<MapImageRoute>(*state, dialogs, [this](const std::string& path, ImageSize& size) {
            loaded.push_back(path);
            size = {1200, 800};
            return nextLoad;
        });
        window->setViewport(600, 400);
        window->activate();
    }

    // Opens sheet 5 from the file dialog and clicks the frame corners (100, 50)/(1000, 650).
    void openReferencedSheet() {
        dialogs.answerFile((dir / "sheet.jpg").string());
        dialogs.answerMessage(Answer::Ok);
        window->openSheetImage(5);
        window->release(MapImageRoute::Button::Left, 100, 50);
        window->release(MapImageRoute::Button::Left, 1000, 650);
    }
    void trace(const std::vector<std::array<int, 2>>& clicks) {
        window->dispatch(mapImageTool::kMakeRoute.str());
        for (const auto& [x, y] : clicks) window->release(MapImageRoute::Button::Left, x, y);
    }
    int count() const { return state->rawRoute[0].number; }
    const RawPoint& point(int i) const { return state->rawRoute[static_cast<size_t>(i)]; }
};

TEST_F(MapImageRouteTest, FrameCornersGiveTheScalesAndClicksTheirPositions) {
    openReferencedSheet();
    const auto& asked = dialogs.asked();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "地図画像 644205を開く");
    EXPECT_EQ(asked[0].text, "BMP地図画像(*.BMP)|*.BMP|JPG地図画像(*.JPG)|*.JPG|");
    EXPECT_EQ(asked[0].selectedFilter, 1u);  // JPG
    EXPECT_EQ(asked[0].initialPath, (state->dataFolder / "644205").string());
    EXPECT_EQ(asked[1].text,
              "必要な情報が登録されていません。\r\n\r\n画像の余白を除いた左上・右下の位置をマウスで指示して下さい。");
    EXPECT_EQ(asked[1].title, "情報設定");
    const MapImageReference& ref = state->mapImageReferences[5];
    EXPECT_TRUE(ref.referenced);
    EXPECT_FLOAT_EQ(ref.lonScale, 0.5f);
    EXPECT_FLOAT_EQ(ref.latScale, 0.5f);
    EXPECT_EQ(window->caption,
              "644205 地図画像からルート作成   左下緯度：経度 42.4000/142.3000 右上緯度：経度 42.4500/142.3730");

    trace({{550, 350}});
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(dmsToSeconds(point(1).longitude), kWest + 225);
    EXPECT_EQ(dmsToSeconds(point(1).latitude), kNorth - 150);
    EXPECT_EQ(point(1).sheetCode, "644205");
    EXPECT_EQ(point(1).extra, 5);
    EXPECT_EQ(window->statusPanels[0], "マウスの左クリックで作成　右クリックで終了");
}

TEST_F(MapImageRouteTest, ClicksOnTheFrameEdgeCountAndBeyondItAreIgnored) {
    openReferencedSheet();
    trace({{1000, 650}, {1001, 300}, {99, 300}, {500, 651}, {100, 50}});
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(dmsToSeconds(point(2).longitude), kWest);
    EXPECT_EQ(dmsToSeconds(point(2).latitude), kNorth);
    // A right click opens the tracing pop-up and adds nothing.
    EXPECT_EQ(window->release(MapImageRoute::Button::Right, 500, 300), std::optional<std::string>("MapDataEditMenu"));
    EXPECT_EQ(count(), 2);
}

TEST_F(MapImageRouteTest, SecondCornerInLineWithTheFirstIsAskedAgain) {
    dialogs.answerFile((dir / "sheet.jpg").string());
    dialogs.answerMessage(Answer::Ok);
    window->openSheetImage(5);
    window->release(MapImageRoute::Button::Left, 100, 50);
    dialogs.answerMessage(Answer::Ok);
    window->release(MapImageRoute::Button::Left, 100, 650);
    EXPECT_EQ(dialogs.messages().back().text,
              "左上と右下の位置が縦または横に並んでいます。\r\n右下の位置をもう一度クリックして下さい。");
    EXPECT_FALSE(state->mapImageReferences[5].referenced);
    EXPECT_TRUE(window->secondCorner);
    window->release(MapImageRoute::Button::Left, 1000, 650);
    EXPECT_TRUE(state->mapImageReferences[5].referenced);
}

TEST_F(MapImageRouteTest, ReinputReplacesAPointAndDeletionClosesTheGap) {
    openReferencedSheet();
    trace({{200, 100}, {300, 100}, {400, 100}, {500, 100}, {600, 100}});
    ASSERT_EQ(count(), 5);
    window->stepTo(2);
    window->dispatch(mapImageTool::kReinputPoint.str());
    window->release(MapImageRoute::Button::Left, 300, 600);
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(window->stepperMaximum, 5);
    EXPECT_EQ(dmsToSeconds(point(2).latitude), kNorth - 275);
    EXPECT_EQ(dmsToSeconds(point(3).latitude), kNorth - 25);
    // The next click appends again.
    window->release(MapImageRoute::Button::Left, 700, 100);
    EXPECT_EQ(count(), 6);

    window->stepTo(6);
    window->dispatch(mapImageTool::kDeletePoint.str());
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(window->pointBox, 5);
    window->stepTo(3);
    window->dispatch(mapImageTool::kDeletePoint.str());
    EXPECT_EQ(count(), 4);
    EXPECT_EQ(point(3).number, 3);
    EXPECT_EQ(dmsToSeconds(point(3).longitude), kWest + 200);  // the old fourth point (500, 100)
}

TEST_F(MapImageRouteTest, SteppingKeysMoveThroughThePoints) {
    openReferencedSheet();
    std::vector<std::array<int, 2>> clicks;
    for (int i = 0; i < 25; ++i) clicks.push_back({150 + 30 * i, 300});
    trace(clicks);
    struct Case {
        int from;
        MapImageRoute::Key key;
        int to;
    };
    for (const Case& c : {Case{7, MapImageRoute::Key::PageDown, 1}, Case{12, MapImageRoute::Key::PageDown, 2},
                          Case{20, MapImageRoute::Key::PageUp, 25}, Case{3, MapImageRoute::Key::PageUp, 13},
                          Case{25, MapImageRoute::Key::Up, 25}, Case{1, MapImageRoute::Key::Down, 1},
                          Case{9, MapImageRoute::Key::Up, 10}}) {
        window->stepTo(c.from);
        window->key(c.key);
        EXPECT_EQ(window->pointBox, c.to) << c.from;
    }
}

TEST_F(MapImageRouteTest, ASheetOpenedAgainUsesItsImageAndFrame) {
    openReferencedSheet();
    const size_t asked = dialogs.asked().size();
    window->openSheetImage(5);
    EXPECT_EQ(dialogs.asked().size(), asked);
    // Another sheet's image is looked for beside the first one.
    dialogs.answerFile(std::nullopt);
    window->openSheetImage(6);
    EXPECT_EQ(dialogs.asked().back().initialPath, (dir / "644206").string());
    EXPECT_EQ(loaded.size(), 2u);

    // A new plan whose slot 5 is another sheet forgets the slot's image.
    state->meshCorners[5].meshCode = "644299";
    window->activate();
    EXPECT_TRUE(state->mapImageReferences[5].imagePath.empty());
    EXPECT_FALSE(state->mapImageReferences[5].referenced);
    // No other sheet has its image now: the dialog starts where the last map image was found.
    dialogs.answerFile(std::nullopt);
    window->openSheetImage(5);
    EXPECT_EQ(dialogs.asked().back().initialPath, (dir / "644299").string());
    EXPECT_NE(state->dataFolder, dir.path());
}

TEST_F(MapImageRouteTest, WithoutElevationDataEveryPointGetsATypedElevation) {
    state->demUnused = 1;
    window->activate();
    openReferencedSheet();
    trace({{200, 100}, {300, 100}, {400, 100}});
    dialogs.answerMessage(Answer::Ok);
    window->dispatch(mapImageTool::kEndRoute.str());
    EXPECT_EQ(dialogs.messages().back().text, "数値地図を使用していませんので標高値を入力して下さい。");
    EXPECT_EQ(dialogs.messages().back().title, "標高値入力メッセージ");
    EXPECT_EQ(window->currentPoint, 1);
    for (const char* typed : {"1200", "1350.5", "abc"}) {
        EXPECT_EQ(window->outcome, MapImageOutcome::Open);
        window->enterElevation(typed);
    }
    EXPECT_EQ(window->outcome, MapImageOutcome::RouteWanted);
    EXPECT_FLOAT_EQ(point(1).elevation, 1200.0f);
    EXPECT_FLOAT_EQ(point(2).elevation, 1350.5f);
    EXPECT_FLOAT_EQ(point(3).elevation, 0.0f);
}

TEST_F(MapImageRouteTest, CancelAndClosingByTheFrame) {
    openReferencedSheet();
    trace({{200, 100}});
    dialogs.answerMessage(Answer::No);
    EXPECT_FALSE(window->closeByFrame());
    EXPECT_EQ(dialogs.messages().back().text, "作成中のルートを中止しますか？");
    EXPECT_EQ(window->outcome, MapImageOutcome::Open);
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(window->closeByFrame());
    EXPECT_EQ(window->outcome, MapImageOutcome::Cancelled);
}

TEST_F(MapImageRouteTest, FilesThatCannotBeShownAreSaidAndTheSheetsComeBack) {
    struct Case {
        ImageLoad load;
        std::string message;  // empty: said on the status line
    };
    const std::string file = (dir / "sheet.jpg").string();
    for (const Case& c : {Case{ImageLoad::Missing, "指定されたﾌｫﾙﾀﾞｰには該当するファイルが見つかりません。\r\n再入力して下さい。"},
                          Case{ImageLoad::TooLarge, "地図画像が大きすぎます。幅・高さとも20000ピクセルまでの画像を指定して下さい。\r\n" + file},
                          Case{ImageLoad::Unreadable, ""}}) {
        nextLoad = c.load;
        test::ScriptedDialogs asked;
        MapImageRoute w(*state, asked, [&](const std::string&, ImageSize&) { return c.load; });
        w.activate();
        asked.answerFile(file);
        if (!c.message.empty()) asked.answerMessage(Answer::Ok);
        w.openSheetImage(3);
        if (c.message.empty()) {
            EXPECT_TRUE(asked.messages().empty());
            EXPECT_EQ(w.statusPanels[0], "地図画像を読み込めませんでした。");
        } else {
            ASSERT_EQ(asked.messages().size(), 1u);
            EXPECT_EQ(asked.messages()[0].text, c.message);
            EXPECT_EQ(asked.messages()[0].title, "ファイル読み込みエラー");
        }
        EXPECT_TRUE(w.sheetPanelVisible);
        EXPECT_TRUE(state->mapImageReferences[3].imagePath.empty());
        EXPECT_EQ(w.currentSheet, 0);
    }
}

}  // namespace
}  // namespace orv
