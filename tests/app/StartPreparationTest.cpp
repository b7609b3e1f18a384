// The start's work done on other threads gives what the start would have made itself.
#include "app/StartPreparation.h"

#include "app/Paths.h"
#include "platform/DrawingSurface.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

TEST(StartPreparation, GivesTheOverviewPictureAndTheStateAsTheStartWouldMakeThem) {
    const std::filesystem::path assets(ORVANE_ASSETS);
    StartPreparation preparation(assets);
    const std::unique_ptr<AppState> state = preparation.takeState();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->routeCount, 0);

    DrawingSurface read(1, 1);
    ASSERT_TRUE(read.loadPicture(overviewPicturePath(assets)));
    DrawingSurface prepared(1, 1);
    ASSERT_TRUE(prepared.takePicture(preparation.takeOverview()));
    EXPECT_EQ(prepared.image(), read.image());
    preparation.waitForFonts();
}

// A picture the JPEG library alone cannot decode is read on the other thread and decoded when
// taken, on this thread.
TEST(StartPreparation, AnOverviewLeftToTheDesktopsReaderIsDecodedWhenTaken) {
    test::TempDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(10, 120, 200));
    std::filesystem::create_directories(dir / "overview");
    ASSERT_TRUE(picture.save(QString::fromStdString(overviewPicturePath(dir.path()).string()), "BMP"));
    StartPreparation preparation(dir.path());
    DrawingSurface prepared(1, 1);
    ASSERT_TRUE(prepared.takePicture(preparation.takeOverview()));
    EXPECT_EQ(prepared.image(), picture);
}

TEST(StartPreparation, AFolderWithoutTheOverviewGivesNoPicture) {
    StartPreparation preparation(std::filesystem::path(ORVANE_ASSETS) / "no-such-folder");
    EXPECT_FALSE(preparation.takeOverview().has_value());
    EXPECT_NE(preparation.takeState(), nullptr);
    // Taken twice: nothing the second time, and a state is still made.
    EXPECT_FALSE(preparation.takeOverview().has_value());
    EXPECT_NE(preparation.takeState(), nullptr);
}

}  // namespace
}  // namespace orv
