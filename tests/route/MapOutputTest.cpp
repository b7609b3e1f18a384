// The route map's picture handed out: the caption block's texts and number rules, where it is
// written, the clipboard and the picture file, and the map redrawn without the caption.
#include "route/MapOutput.h"

#include "core/TextFile.h"
#include "route/Overlays.h"
#include "support/MapWorld.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

namespace orv {
namespace {

using test::MapWorld;

struct MapOutputTest : ::testing::Test {
    MapWorld world{MapWorld::Plan::Cone};
    AppState& state = *world.state;
    test::TempDir dir;

    // A measured route's totals and the elevations of its two points.
    void setTotals(float mapDistance, float walkDistance, float minutesOut, float minutesBack, float low, float high) {
        state.route[0].mapDistance = mapDistance;
        state.route[0].walkDistance = walkDistance;
        state.route[0].minutesOut = minutesOut;
        state.route[0].minutesBack = minutesBack;
        world.addRoutePoint(280, 310).elevation = low;
        world.addRoutePoint(300, 300).elevation = high;
    }

    // The map as a plain redraw leaves it, without any caption.
    QImage plainMap() {
        redrawOverlays(world.ctx);
        return world.pictures.map.image();
    }

    // The plain map with the caption of `title` written over it.
    QImage captioned(const std::string& title) {
        DrawingSurface expected(kMapSize, kMapSize);
        expected.setImage(plainMap());
        drawMapCaption(expected, state, mapCaption(state, title));
        return expected.image();
    }
};

TEST_F(MapOutputTest, CaptionOfAKnownRouteFollowsTheNumberRules) {
    setTotals(1234.9f, 1500.99f, 318.0f, 240.0f, 1000.4f, 1525.6f);
    const MapCaption caption = mapCaption(state, "円錐山");
    EXPECT_EQ(caption.title, "円錐山");
    EXPECT_EQ(caption.lines, (std::array<std::string, 4>{
                                 "地図上距離.........1234 ｍ",
                                 "総歩行距離.........1500 ｍ",
                                 "歩行時間（往/帰)...5.3時間/4時間",
                                 "標高差.............526ｍ",  // the points' rounded heights 1000 and 1526
                             }));

    // Hours to one decimal with halves up.
    const std::pair<float, const char*> hours[] = {{315.0f, "5.3"}, {314.9f, "5.2"}, {3.0f, "0.1"}, {2.9f, "0"}, {600.0f, "10"}};
    for (const auto& [minutes, text] : hours) {
        state.route[0].minutesOut = minutes;
        EXPECT_EQ(mapCaption(state, "").lines[2], std::string("歩行時間（往/帰)...") + text + "時間/4時間") << minutes;
    }
}

TEST_F(MapOutputTest, EmptyRouteCaptionShowsZeros) {
    clearRoute(state);
    EXPECT_EQ(mapCaption(state, "円錐山").lines, (std::array<std::string, 4>{
                                                     "地図上距離.........0 ｍ",
                                                     "総歩行距離.........0 ｍ",
                                                     "歩行時間（往/帰)...0時間/0時間",
                                                     "標高差.............0ｍ",
                                                 }));
    EXPECT_EQ(captionDate(QDate(2024, 5, 4)), "2024/05/04");
}

TEST_F(MapOutputTest, CaptionCoversTheTopLeftCornerInItsHaloAndColours) {
    // Colours the map's pattern never holds.
    state.textStyles[0].colour = colours::black;
    state.textStyles[1].colour = colours::red;
    DrawingSurface& map = world.pictures.map;
    map.setDrawMode(DrawMode::Xor);  // as while a zoom square is shown
    drawMapCaption(map, state, mapCaption(state, "円錐山  2024/05/04"));
    EXPECT_EQ(map.drawMode(), DrawMode::Xor);

    // White halo and both colours inside the block, nothing below or right of it.
    EXPECT_GE(world.leftmost(colours::white, 0, 0, 200, 80), 1);
    EXPECT_GE(world.leftmost(colours::black, 0, 0, 200, 24), 2);
    EXPECT_EQ(world.leftmost(colours::black, 0, 30, 599, 599), -1);
    EXPECT_GE(world.leftmost(colours::red, 0, 20, 200, 80), 2);
    EXPECT_EQ(world.leftmost(colours::red, 0, 0, 599, 17), -1);
    EXPECT_TRUE(world.untouchedBox(0, 90, 599, 599));
    EXPECT_TRUE(world.untouchedBox(320, 0, 599, 89));
}

TEST_F(MapOutputTest, ClipboardGetsTheCaptionedMapAndTheMapLosesIt) {
    setTotals(1234.9f, 1500.99f, 318.0f, 240.0f, 1000.4f, 1525.6f);
    const QImage expected = captioned("円錐山");
    copyMapToClipboard(world.ctx);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_EQ(world.pictures.map.image(), plainMap());
    EXPECT_NE(world.pictures.map.image(), expected);
}

TEST_F(MapOutputTest, FileGetsTheCaptionWithTheDateAsTheChosenFilterSays) {
    setTotals(1234.9f, 1500.99f, 318.0f, 240.0f, 1000.4f, 1525.6f);
    state.dataFolder = dir / "data";
    const QImage expected = captioned("円錐山  2024/05/04");
    // A bare name gets the chosen entry's extension and format.
    world.dialogs.answerFile((dir / "map").string());
    world.dialogs.answerFile((dir / "map2").string());
    world.dialogs.chooseFilter(0);
    world.dialogs.chooseFilter(1);
    EXPECT_EQ(saveMapToFile(world.ctx, QDate(2024, 5, 4)), MapSaveOutcome::Saved);
    EXPECT_EQ(saveMapToFile(world.ctx, QDate(2024, 5, 4)), MapSaveOutcome::Saved);

    ASSERT_EQ(world.dialogs.asked().size(), 2u);
    const test::Asked& asked = world.dialogs.asked()[0];
    EXPECT_EQ(asked.kind, "saveFile");
    EXPECT_EQ(asked.title, "画像の保存");
    EXPECT_EQ(asked.text, "BMPデータファイル(*.BMP)|*.BMP;*.bmp|PNGデータファイル(*.PNG)|*.PNG;*.png");
    // The first dialog starts in the data folder, the next where the last picture went.
    EXPECT_EQ(asked.initialPath, (dir / "data").string());
    EXPECT_EQ(world.dialogs.asked()[1].initialPath, dir.path().string());

    EXPECT_FALSE(std::filesystem::exists(dir / "map"));
    EXPECT_FALSE(std::filesystem::exists(dir / "map2"));
    std::string bytes;
    ASSERT_EQ(readBytes(dir / "map.BMP", bytes), FileError::None);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "BMP")
                  .convertToFormat(QImage::Format_RGB32),
              expected);
    ASSERT_EQ(readBytes(dir / "map2.PNG", bytes), FileError::None);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "PNG")
                  .convertToFormat(QImage::Format_RGB32),
              expected);
    EXPECT_EQ(world.pictures.map.image(), plainMap());
}

TEST_F(MapOutputTest, CancelledOrUnwritableFileStillRemovesTheCaption) {
    std::filesystem::create_directory(dir / "taken.bmp");
    world.dialogs.answerFile(std::nullopt);
    world.dialogs.answerFile((dir / "taken.bmp").string());
    EXPECT_EQ(saveMapToFile(world.ctx, QDate(2024, 5, 4)), MapSaveOutcome::Cancelled);
    EXPECT_EQ(world.pictures.map.image(), plainMap());
    EXPECT_EQ(saveMapToFile(world.ctx, QDate(2024, 5, 4)), MapSaveOutcome::Failed);
    EXPECT_EQ(world.pictures.map.image(), plainMap());

    const auto messages = world.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "画像を保存できません。\r\n" + (dir / "taken.bmp").string());
    EXPECT_EQ(messages[0].title, "画像の保存");
    EXPECT_EQ(messages[0].icon, Icon::Warning);
}

}  // namespace
}  // namespace orv
