// The panorama and the visible-area map as the route map's "展望" menu and the panorama
// window's commands run them, headless, on the cone plan.
#include "panorama/Geodesy.h"
#include "panorama/Panorama.h"
#include "panorama/RouteMapSight.h"
#include "panorama/SyntheticTerrain.h"

#include "geo/Angles.h"
#include "map/MapGeometry.h"
#include "route/Overlays.h"
#include "route/RouteMap.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UnknownTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace orv::panorama {
namespace {

namespace fs = std::filesystem;

// A round hill of `peak` metres and `radius` metres around `centre` on one layer of zoom 8
// (samples about 450 m apart) that reaches some 114 km around it.
MercatorLayer hillLayer(LatLon centre, double peak, double radius) {
    return synthetic::layerAround(centre, 114000.0, 8, [&](LatLon at) {
        return std::max(0.0, peak * (1.0 - inverseGeodesic(centre, at).distance / radius));
    });
}

struct PanoramaWorkflowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<RouteMap> routeMap;
    std::unique_ptr<RouteMapSight> sight;
    std::unique_ptr<Panorama> panorama;
    std::vector<SightRequest> requests;
    std::vector<PanoramaSettings> opened;
    std::vector<std::vector<ObserverChoice>> offered;
    std::function<bool(PanoramaSettings&)> answerDialog = [](PanoramaSettings&) { return true; };
    LatLon summit;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        // The cone's summit as the plan's destination.
        const LevelBounds level1 = levelBounds(state->levelCorners, 1);
        MountainRecord& top = state->mountainTable[1];
        top.name = "円錐山";
        top.latitude = secondsToDms(pixelLatitude(level1, 300.5));
        top.longitude = secondsToDms(pixelLongitude(level1, 300.5));
        top.elevation = "1800";
        state->mountainCount = 1;
        state->selectedMountain = 1;
        state->mountainConfirmed = true;
        summit = *tokyoToJgd(*tokyoShift(), top.latitude, top.longitude);
    }

    PanoramaSources sources() {
        PanoramaSources made;
        made.gather = [this](const SightRequest& request, const terrain::ProgressHook&) {
            requests.push_back(request);
            GatheredTerrain gathered;
            gathered.terrain.addLayer(hillLayer(summit, 1800.0, 8000.0));
            return gathered;
        };
        made.peaks = [this] {
            return std::vector<Peak>{{"円錐山", summit, 1800.0}, {"東の丘", directGeodesic(summit, 90.0, 20000.0), 500.0}};
        };
        return made;
    }

    RouteMap& open() {
        routeMap = std::make_unique<RouteMap>(*state, dialogs);
        routeMap->create();
        sight = std::make_unique<RouteMapSight>(*routeMap, sources());
        panorama = std::make_unique<Panorama>(*state, dialogs, sources());
        sight->panoramaDialog = [this](PanoramaSettings& settings, const std::vector<ObserverChoice>& choices) {
            offered.push_back(choices);
            return answerDialog(settings);
        };
        sight->openPanorama = [this](const PanoramaSettings& settings) {
            opened.push_back(settings);
            panorama->show(settings);
        };
        return *routeMap;
    }

    void addRoutePoint(int x, int y) {
        const LevelBounds level1 = levelBounds(state->levelCorners, 1);
        RoutePoint& point = state->route[static_cast<size_t>(++state->routeCount)];
        point.latitude = secondsToDms(pixelLatitude(level1, y + 0.5));
        point.longitude = secondsToDms(pixelLongitude(level1, x + 0.5));
        state->routeLoaded = true;
    }
};

TEST_F(PanoramaWorkflowTest, DialogStartsAtTheDestinationAndTheWindowSeesWhatItConfirmed) {
    RouteMap& map = open();
    answerDialog = [](PanoramaSettings& settings) {
        EXPECT_EQ(settings.observerName, "円錐山");
        EXPECT_EQ(settings.groundHeight, 1800.0);
        EXPECT_EQ(settings.eyeHeight, 1.6);
        EXPECT_EQ(settings.maxDistanceKm, 150.0);
        EXPECT_EQ(settings.fieldOfView, 360.0);
        EXPECT_EQ(settings.refraction, 0.13);
        settings.eyeHeight = 5.0;
        settings.maxDistanceKm = 80.0;
        return true;
    };
    map.dispatch("ActPanorama");

    ASSERT_EQ(offered.size(), 1u);
    ASSERT_EQ(offered[0].size(), 1u);
    EXPECT_EQ(offered[0][0].caption, "円錐山 1800m");
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_DOUBLE_EQ(requests[0].observer.latitude, summit.latitude);
    EXPECT_DOUBLE_EQ(requests[0].observer.longitude, summit.longitude);
    EXPECT_EQ(requests[0].maxDistance, 80000.0);
    // The choices carry over to the next panorama and the next run.
    EXPECT_EQ(state->sightChoices.eyeHeight, 5.0);
    EXPECT_EQ(state->sightChoices.maxDistanceKm, 80.0);
    EXPECT_EQ(panorama->title(), "展望図 — 円錐山（目の高さ 5.0m、80km）");
    EXPECT_FALSE(panorama->picture().image.isNull());
    EXPECT_EQ(panorama->scan().observer.eyeHeight, 5.0);
    // The terrain reaches 114 km around: every direction is known out to 80 km.
    EXPECT_EQ(panorama->scan().columns.size(), 3600u);
    EXPECT_EQ(panorama->scan().unknownColumns, 0);
    EXPECT_EQ(panorama->status(), "");

    // A cancelled dialog opens nothing.
    answerDialog = [](PanoramaSettings&) { return false; };
    map.dispatch("ActPanorama");
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(PanoramaWorkflowTest, PanoramaHereTakesTheNextClickOrTheRightClickOfItsPopup) {
    RouteMap& map = open();
    map.dispatch("ActPanoramaHere");
    EXPECT_EQ(map.map().statusPanels[0], kPickGuide);
    EXPECT_TRUE(map.escapeKey());
    EXPECT_EQ(map.map().statusPanels[0], "");
    map.mouseRelease(MapButton::Left, 120, 200);
    EXPECT_TRUE(opened.empty());

    map.dispatch("ActPanoramaHere");
    map.mouseRelease(MapButton::Left, 120, 200);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(map.map().statusPanels[0], "");
    // The clicked pixel of the shown level, shifted from the Tokyo datum.
    const LevelBounds level1 = levelBounds(state->levelCorners, 1);
    const LatLon expected =
        tokyoShift()->fromTokyo(pixelLatitude(level1, 200.5) / 3600.0, pixelLongitude(level1, 120.5) / 3600.0);
    EXPECT_NEAR(opened[0].observer.latitude, expected.latitude, 1e-9);
    EXPECT_NEAR(opened[0].observer.longitude, expected.longitude, 1e-9);
    EXPECT_TRUE(std::isnan(opened[0].groundHeight));
    EXPECT_EQ(opened[0].observerName, "");
    // A second click is an ordinary click again.
    map.mouseRelease(MapButton::Left, 130, 200);
    EXPECT_EQ(opened.size(), 1u);

    // Chosen in the pop-up of a right click, it sees from where the map was clicked.
    std::vector<std::string> popups;
    map.setPopupHook([&map, &popups](const std::string& band) {
        popups.push_back(band);
        map.dispatch("ActPanoramaHere");
    });
    map.mouseRelease(MapButton::Right, 450, 80);
    EXPECT_EQ(popups, std::vector<std::string>{"PopupMenu"});
    ASSERT_EQ(opened.size(), 2u);
    const LatLon clicked =
        tokyoShift()->fromTokyo(pixelLatitude(level1, 80.5) / 3600.0, pixelLongitude(level1, 450.5) / 3600.0);
    EXPECT_NEAR(opened[1].observer.latitude, clicked.latitude, 1e-9);
    EXPECT_NEAR(opened[1].observer.longitude, clicked.longitude, 1e-9);
    EXPECT_EQ(map.map().statusPanels[0], "");
    EXPECT_FALSE(map.popupPosition());
}

TEST_F(PanoramaWorkflowTest, VisibleAreaTintsTheShownLevelUntilCleared) {
    RouteMap& map = open();
    const QImage before = map.pictures().map.image();
    EXPECT_FALSE(map.menus().isEnabled("ActSightTintClear"));
    map.dispatch("ActSightTint");
    map.mouseRelease(MapButton::Left, 300, 300);

    ASSERT_FALSE(map.map().tint.image.isNull());
    EXPECT_TRUE(map.menus().isEnabled("ActSightTintClear"));
    EXPECT_EQ(map.map().statusPanels[0].rfind("可視マップ: 見える範囲 ", 0), 0u) << map.map().statusPanels[0];
    // The observer is marked on the map.
    EXPECT_NE(map.pictures().map.image().pixel(304, 300), before.pixel(304, 300));
    // From the summit the whole cone is seen: its flanks are tinted, every cell of the level counts.
    // From the summit the upper flanks are seen; on the curved earth the straight flanks bend
    // away below the summit's horizon, so their foot is not.
    const std::string& said = map.map().statusPanels[0];
    const std::string prefix = "可視マップ: 見える範囲 ";
    const double share = std::stod(said.substr(prefix.size()));
    EXPECT_GT(share, 5.0) << said;
    EXPECT_LT(share, 95.0) << said;
    EXPECT_NE(said.find("%（目の高さ 1.6m）"), std::string::npos) << said;
    for (const QPoint at : {QPoint(330, 300), QPoint(300, 260), QPoint(320, 320)})
        EXPECT_NE(map.pictures().map.image().pixel(at), before.pixel(at)) << at.x() << "," << at.y();
    EXPECT_EQ(map.pictures().map.image().pixel(480, 480), before.pixel(480, 480));

    // From the foot of the cone the far side lies behind the summit: left untinted.
    map.dispatch("ActSightTint");
    map.mouseRelease(MapButton::Left, 100, 300);
    EXPECT_NE(map.pictures().map.image().pixel(130, 300), before.pixel(130, 300));
    EXPECT_EQ(map.pictures().map.image().pixel(450, 300), before.pixel(450, 300));

    map.dispatch("ActSightTintClear");
    EXPECT_TRUE(map.map().tint.image.isNull());
    EXPECT_FALSE(map.menus().isEnabled("ActSightTintClear"));
    EXPECT_EQ(map.pictures().map.image(), before);

    // A tint belongs to its level: another level shown drops it.
    map.dispatch("ActSightTint");
    map.mouseRelease(MapButton::Left, 300, 300);
    ASSERT_FALSE(map.map().tint.image.isNull());
    state->levelCorners[2] = state->levelCorners[1];
    state->levelCorners[2][kNorth] = secondsToDms(dmsToSeconds(state->levelCorners[1][kNorth]) - 300);
    state->currentLevel = 2;
    redrawOverlays(map.context());
    EXPECT_TRUE(map.map().tint.image.isNull());
    EXPECT_FALSE(map.menus().isEnabled("ActSightTintClear"));
}

TEST_F(PanoramaWorkflowTest, PeakStretchesAskForAPeakAndSumTheRoute) {
    // Across the hill from west to east: a hill 20 km east of its summit is hidden from the
    // western flank and seen from the eastern one.
    addRoutePoint(200, 300);
    addRoutePoint(400, 300);
    RouteMap& map = open();
    ASSERT_TRUE(map.menus().isEnabled("ActPeakSeenStretch"));
    std::vector<std::string> captions;
    sight->choosePeak = [&captions](const std::vector<PeakChoice>& choices) -> std::optional<size_t> {
        for (const PeakChoice& choice : choices) captions.push_back(choice.caption);
        return 1;
    };
    map.dispatch("ActPeakSeenStretch");
    ASSERT_EQ(captions.size(), 2u);
    // Nearest the route's start first.
    EXPECT_EQ(captions[0].rfind("円錐山 1800m（", 0), 0u) << captions[0];
    EXPECT_EQ(captions[1].rfind("東の丘 500m（", 0), 0u) << captions[1];
    ASSERT_EQ(requests.size(), 1u);
    const LatLon east = directGeodesic(summit, 90.0, 20000.0);
    EXPECT_DOUBLE_EQ(requests[0].observer.latitude, east.latitude);
    EXPECT_DOUBLE_EQ(requests[0].observer.longitude, east.longitude);

    const std::string& status = map.map().statusPanels[0];
    const std::string prefix = "東の丘が見える区間: ";
    ASSERT_EQ(status.rfind(prefix, 0), 0u) << status;
    const double seen = std::stod(status.substr(prefix.size()));
    const size_t total = status.find("km（ルート ");
    ASSERT_NE(total, std::string::npos) << status;
    const double route = std::stod(status.substr(total + std::string("km（ルート ").size()));
    EXPECT_NEAR(route, 200 * 2.25 / 3600 * 111320 * std::cos(summit.latitude * M_PI / 180) / 1000, 0.3) << status;
    EXPECT_GT(seen, 0.3 * route) << status;
    EXPECT_LT(seen, 0.7 * route) << status;
    // Drawn over the route on the eastern flank, not on the western.
    EXPECT_GT(map.map().tint.image.pixelColor(370, 300).alpha(), 0);
    EXPECT_EQ(map.map().tint.image.pixelColor(230, 300).alpha(), 0);
    EXPECT_TRUE(map.menus().isEnabled("ActSightTintClear"));
}

TEST_F(PanoramaWorkflowTest, PanoramaSavesItsPictureAsPng) {
    open();
    PanoramaSettings settings = settingsFromChoices(state->sightChoices);
    settings.observer = summit;
    ASSERT_TRUE(panorama->show(settings));
    test::TempDir dir;
    state->dataFolder = dir.path();
    const fs::path target = dir / "view";
    dialogs.answerFile(target.string());
    panorama->dispatch("ActPanoSave");

    const fs::path written = dir / "view.png";
    ASSERT_TRUE(fs::exists(written));
    std::ifstream in(written, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    QImage read;
    ASSERT_TRUE(read.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size())));
    EXPECT_EQ(read.size(), panorama->picture().image.size());
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().back().title, "展望図の画像保存");
    EXPECT_EQ(panorama->status(), "画像を保存しました: view.png");
}

TEST_F(PanoramaWorkflowTest, RunStopsOnCancelAndWithoutTerrain) {
    open();
    PanoramaSettings settings = settingsFromChoices(state->sightChoices);
    settings.observer = summit;
    // Beyond the terrain's square the directions are unknown, and the status line says so.
    ASSERT_TRUE(panorama->show(settings));
    ASSERT_GT(panorama->scan().unknownColumns, 0);
    EXPECT_EQ(panorama->status(),
              "地形の分からない方向が " + std::to_string(panorama->scan().unknownColumns) + " 列あります。");
    const QImage shown = panorama->picture().image;
    panorama->progress = [](int, int, const std::string&) { return false; };
    EXPECT_FALSE(panorama->show(settings));
    EXPECT_EQ(panorama->status(), "展望図の作成を中止しました。");
    // The picture shown stays.
    EXPECT_EQ(panorama->picture().image, shown);
    panorama->progress = nullptr;

    Panorama bare(*state, dialogs, PanoramaSources{});
    EXPECT_FALSE(bare.show(settings));
    EXPECT_EQ(bare.status(), "標高データがないため展望図を描けません。");
    EXPECT_EQ(bare.title(), panorama->title());
    // Commands of a window without a picture do nothing.
    for (const char* id : {"ActPanoZoomIn", "ActPanoZoomOut", "ActPanoFit", "ActPanoSave"}) bare.dispatch(id);
    EXPECT_TRUE(bare.picture().image.isNull());
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(PanoramaWorkflowTest, MenuCommandsHelpHiddenPeaksAndUnknownIds) {
    open();
    bool closed = false;
    panorama->closeWindow = [&closed] { closed = true; };
    panorama->dispatch("ActPanoHidden");
    EXPECT_TRUE(panorama->menus().isChecked("ActPanoHidden"));
    EXPECT_TRUE(state->sightChoices.hiddenPeaks);
    panorama->dispatch("ActPanoHelp");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "help");
    EXPECT_EQ(dialogs.asked()[0].text, "ORVANE15.hlp");
    panorama->dispatch("ActPanoClose");
    EXPECT_TRUE(closed);

    // "設定" sees the panorama again with what the dialog returned.
    PanoramaSettings settings = settingsFromChoices(state->sightChoices);
    settings.observer = summit;
    ASSERT_TRUE(panorama->show(settings));
    panorama->settingsDialog = [](PanoramaSettings& edited) {
        edited.fieldOfView = 90.0;
        edited.azimuth = 180.0;
        return true;
    };
    panorama->dispatch("ActPanoSettings");
    EXPECT_EQ(panorama->settings().fieldOfView, 90.0);
    EXPECT_EQ(requests.back().fieldOfView, 90.0);
    EXPECT_EQ(requests.back().azimuth, 180.0);

    test::UnknownToolCatcher catcher;
    panorama->dispatch("ActNoSuchThing");
    EXPECT_EQ(catcher.reports(), std::vector<std::string>{"Panorama: ActNoSuchThing"});
}

// The program's own sources: with no tile at hand the loaded block is the near terrain, the
// cone's summit where the plan has it.
TEST_F(PanoramaWorkflowTest, ProgramSourcesTakeTheLoadedBlockAsNearTerrain) {
    test::TempDir tiles;
    state->sightChoices.download = false;
    state->sightChoices.tileFolder = tiles.path();
    PanoramaSources made = programSources(*state, {});
    ASSERT_TRUE(made.gather);
    ASSERT_TRUE(made.addBlock);
    SightRequest request;
    request.observer = summit;
    request.maxDistance = 10000.0;
    GatheredTerrain gathered = made.gather(request, {});
    made.addBlock(gathered.terrain);
    EXPECT_NEAR(gathered.terrain.heightAt(toWorld(summit), 13), 1800.0, 20.0);
    EXPECT_NEAR(gathered.terrain.heightAt(toWorld(directGeodesic(summit, 90.0, 3000.0)), 13), 1800.0 - 6.0 * 3000.0 / 51.1, 40.0);
}

TEST(PanoramaSettingsCheck, ValuesOutOfRangeAreRefusedInJapanese) {
    PanoramaSettings usable;
    usable.observer = {42.8, 142.7};
    EXPECT_FALSE(settingsProblem(usable));
    struct Case {
        void (*spoil)(PanoramaSettings&);
        const char* message;
    };
    const Case cases[] = {
        {[](PanoramaSettings& s) { s.observer = {10.0, 142.0}; }, "観測点が日本の範囲にありません。"},
        {[](PanoramaSettings& s) { s.observer.longitude = std::nan(""); }, "観測点が日本の範囲にありません。"},
        {[](PanoramaSettings& s) { s.eyeHeight = -1.0; }, "目の高さは0〜1000mで入力してください。"},
        {[](PanoramaSettings& s) { s.maxDistanceKm = 301.0; }, "最大距離は1〜300kmで入力してください。"},
        {[](PanoramaSettings& s) { s.fieldOfView = 4.0; }, "視野は5〜360度で入力してください。"},
        {[](PanoramaSettings& s) { s.azimuth = 400.0; }, "方位は0〜360度で入力してください。"},
        {[](PanoramaSettings& s) { s.refraction = 2.0; }, "屈折係数は-1〜1で入力してください。"},
    };
    for (const Case& c : cases) {
        PanoramaSettings spoilt = usable;
        c.spoil(spoilt);
        EXPECT_EQ(settingsProblem(spoilt).value_or(""), c.message);
    }
    // Remembered choices out of range come back within it.
    SightChoices wild;
    wild.maxDistanceKm = 1000.0;
    wild.azimuth = -90.0;
    const PanoramaSettings clamped = settingsFromChoices(wild);
    EXPECT_EQ(clamped.maxDistanceKm, 300.0);
    EXPECT_EQ(clamped.azimuth, 270.0);
}

}  // namespace
}  // namespace orv::panorama
