// The route map's output commands as the start menu opens the map: the picture with its
// caption to a file and the clipboard, the route as PCX and GPX files, and a cancelled export
// that does not keep the user in the map when it is left.
#include "app/StartMenu.h"
#include "app/ui/RouteMapWindows.h"

#include "core/TextFile.h"
#include "exchange/GpxReader.h"
#include "gps/GpsImport.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

struct RouteExportFromRouteMapTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    IniStore settings;
    std::unique_ptr<StartMenu> menu;
    std::unique_ptr<RouteMapWindow> window;

    void SetUp() override {
        // The start menu opens the map: it comes first, with the end-of-map dialog confirmed.
        menu = std::make_unique<StartMenu>(*state, settings, dir / "Orvane2.ini", dialogs);
        menu->startDialogs().endOfMap = [] { return DialogOutcome::Accepted; };
        setStartValues(*state);
        test::loadConePlan(*state);
        state->settings.backgroundMethod = BandColour;
        // A route read with the plan, from the cone's foot to its top.
        const char* positions[][2] = {{"42.4130", "142.4000"}, {"42.4200", "142.4100"}};
        for (const auto& [lat, lon] : positions) {
            RoutePoint& p = state->route[static_cast<size_t>(++state->routeCount)];
            p.number = state->routeCount;
            p.latitude = lat;
            p.longitude = lon;
        }
        state->routeLoaded = 1;
        window = std::make_unique<RouteMapWindow>(*state, &dialogs);
        connectRouteMapWindows(*window);
        window->open();
    }

    const QImage& shownMap() { return window->logic().pictures().map.image(); }
};

TEST_F(RouteExportFromRouteMapTest, ThePictureGoesOutWithItsCaptionAndTheMapStaysWithout) {
    const QImage shown = shownMap();
    dialogs.answerFile((dir / "map.bmp").string());
    window->dispatch("ActCopyToFile");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].title, "画像の保存");
    EXPECT_EQ(dialogs.asked()[0].text, "BMPデータファイル(*.BMP)|*.BMP;*.bmp|PNGデータファイル(*.PNG)|*.PNG;*.png");
    const QImage saved(QString::fromStdString((dir / "map.bmp").string()), "BMP");
    ASSERT_EQ(saved.size(), QSize(600, 600));
    EXPECT_NE(saved.convertToFormat(QImage::Format_RGB32).copy(0, 0, 150, 80), shown.copy(0, 0, 150, 80));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32).copy(0, 100, 600, 500), shown.copy(0, 100, 600, 500));
    EXPECT_EQ(shownMap(), shown);

    window->dispatch("ActCopyToClip");
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(copied.copy(0, 0, 150, 80), shown.copy(0, 0, 150, 80));
    EXPECT_EQ(shownMap(), shown);
}

TEST_F(RouteExportFromRouteMapTest, TheRouteAsGpsFilesAndACancelThatDoesNotKeepTheUserInTheMap) {
    bool left = false;
    window->setExitHandler([&] { left = menu->leaveRouteMap(); });

    EXPECT_TRUE(window->logic().menus().isEnabled("ActSaveRootGPX"));
    dialogs.answerFile((dir / "route.TRK").string());
    window->dispatch("ActSaveRootPCX");
    dialogs.answerFile((dir / "route.gpx").string());
    window->dispatch("ActSaveRootGPX");
    dialogs.answerFile(std::nullopt);
    window->dispatch("ActSaveRootPCX");
    ASSERT_EQ(dialogs.asked().size(), 3u);
    for (const auto& asked : dialogs.asked()) EXPECT_EQ(asked.title, "GPSファイルを保存");
    EXPECT_EQ(dialogs.asked()[0].text, "PCXテキストファイル(*.TRK)|*.TRK;*.trk");
    EXPECT_EQ(dialogs.asked()[1].text, "GPXファイル(*.GPX)|*.GPX;*.gpx");

    const auto track = readPcxTrack(dir / "route.TRK", {});
    ASSERT_TRUE(track.ok());
    EXPECT_EQ(track->points.size(), 2u);
    const auto gpx = readGpxFile(dir / "route.gpx");
    ASSERT_TRUE(gpx.ok());
    EXPECT_EQ(gpx->trackPointCount(), 2u);

    window->dispatch("ActTViewExit");
    EXPECT_TRUE(left);
}

}  // namespace
}  // namespace orv
