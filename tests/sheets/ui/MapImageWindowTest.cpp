// The map-image window on the desktop's widgets: a scan-like picture of the centre sheet is
// read from its file, the frame corners and a click become a point, and a picture too large to
// hold is refused from its header.
#include "sheets/ui/MapImageWindow.h"

#include "sheets/MapImageTools.h"
#include "support/ScriptedDialogs.h"
#include "support/SheetBlock.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace orv {
namespace {

struct MapImageWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    void SetUp() override {
        test::fillSheetBlock(*state);
    }
};

TEST_F(MapImageWindowTest, AScanIsReadAndTracedOn) {
    MapImageWindow window(*state, dialogs);
    dialogs.answerFile(std::string(ORVANE_FIXTURES) + "/scan/644205.jpg");
    dialogs.answerMessage(Answer::Ok);
    MapImageRoute& logic = window.logic();
    logic.openSheetImage(5);
    ASSERT_TRUE(logic.imageLoaded);
    EXPECT_EQ(logic.image.width, 680);
    EXPECT_EQ(logic.image.height, 680);
    // The white margin is 40 pixels wide.
    logic.release(MapImageRoute::Button::Left, 40, 40);
    logic.release(MapImageRoute::Button::Left, 640, 640);
    window.dispatch(mapImageTool::kMakeRoute.str());
    logic.release(MapImageRoute::Button::Left, 340, 340);
    EXPECT_EQ(state->rawRoute[0].number, 1);
    EXPECT_EQ(state->rawRoute[1].longitude, "142.3345");  // 225″ east of 142°30′
    EXPECT_EQ(state->rawRoute[1].latitude, "42.423");     // 150″ south of 42°45′
    window.dispatch(mapImageTool::kEndRoute.str());
    EXPECT_EQ(logic.outcome, MapImageOutcome::RouteWanted);
}

// Long read-outs are cut and shown whole as tool tips: the picture keeps its room.
TEST_F(MapImageWindowTest, LongReadoutsKeepThePicturesRoom) {
    MapImageWindow window(*state, dialogs);
    window.show();
    QCoreApplication::processEvents();
    auto* picture = window.findChild<QScrollArea*>("imageScroll");
    ASSERT_NE(picture, nullptr);
    const QSize pictureSize = picture->size();
    const QSize windowSize = window.size();

    MapImageRoute& logic = window.logic();
    const std::string longText(300, 'x');
    logic.latitudeLabel = "緯度： " + longText;
    logic.statusPanels[0] = "地図画像を読み込めませんでした。" + longText;
    logic.statusPanels[1] = "ﾏｳｽ位置　緯度： " + longText;
    logic.changed();
    QCoreApplication::processEvents();

    EXPECT_EQ(picture->size(), pictureSize);
    EXPECT_EQ(window.size(), windowSize);
    for (const char* name : {"latitude", "status0", "status1"}) {
        auto* label = window.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(label->toolTip().endsWith(QString::fromStdString(longText))) << name;
        EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << name;
    }
}

TEST_F(MapImageWindowTest, APictureBeyondTheLimitIsRefusedFromItsHeader) {
    test::TempDir dir;
    // A BMP whose header claims 20001 pixels across: refused before any pixel is read.
    const std::string path = (dir / "big.bmp").string();
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::white);
    ASSERT_TRUE(small.save(QString::fromStdString(path), "BMP"));
    {
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(file, nullptr);
        std::fseek(file, 18, SEEK_SET);
        const unsigned char width[4] = {0x21, 0x4e, 0, 0};  // 20001
        std::fwrite(width, 1, 4, file);
        std::fclose(file);
    }
    MapImageWindow window(*state, dialogs);
    dialogs.answerFile(path);
    dialogs.answerMessage(Answer::Ok);
    window.logic().openSheetImage(2);
    EXPECT_FALSE(window.logic().imageLoaded);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "地図画像が大きすぎます。幅・高さとも20000ピクセルまでの画像を指定して下さい。\r\n" + path);
}

TEST_F(MapImageWindowTest, ACutShortScanIsRefusedOnTheStatusLine) {
    // 176 bytes of a JPEG whose header claims 20000 × 20000 grey pixels.
    MapImageWindow window(*state, dialogs);
    dialogs.answerFile(std::string(ORVANE_FIXTURES) + "/scan/cut-20000.jpg");
    window.logic().openSheetImage(5);
    EXPECT_FALSE(window.logic().imageLoaded);
    EXPECT_EQ(window.logic().statusPanels[0], "地図画像を読み込めませんでした。");
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace orv
