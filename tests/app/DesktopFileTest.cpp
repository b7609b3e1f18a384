// The desktop file beside the settings: the folders of the kinds of file and the windows'
// places come back at the next start, entries that do not read are passed over, and the
// settings file keeps its own sections and keys.
#include "app/DesktopFile.h"
#include "app/Startup.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct DesktopFileTest : ::testing::Test {
    test::TempDir dir;
    IniStore settings;
    test::ScriptedDialogs dialogs;

    StartPaths paths() const { return {dir / "app", dir / "data", dir / "config/Orvane2/Orvane2.ini"}; }
    fs::path desktopFile() const { return dir / "config/Orvane2/Orvane2.desktop.ini"; }
    std::unique_ptr<AppState> start() {
        auto state = makeAppState();
        EXPECT_EQ(startProgram(*state, settings, paths(), dialogs, {}), StartResult::Started);
        return state;
    }
};

TEST_F(DesktopFileTest, FoldersAndWindowPlacesComeBackAtTheNextStart) {
    fs::create_directories(dir / "gps");
    auto first = start();
    EXPECT_TRUE(first->windowFrames.empty());
    first->fileFolders.remember(FileKind::GpsFile, dir / "gps" / "route.TRK");
    first->windowFrames["ORV_VVIEW"] = WindowFrame{1000, 80, 842, 500};
    first->windowFrames["ORV_TVIEW"] = WindowFrame{-1600, 0, 1200, 900};
    ASSERT_TRUE(saveSettingsAtExit(*first, settings, paths().settingsFile, dialogs));
    EXPECT_TRUE(fs::is_regular_file(desktopFile()));

    settings.clear();
    auto second = start();
    EXPECT_EQ(second->fileFolders.last(FileKind::GpsFile), dir / "gps");
    EXPECT_TRUE(second->fileFolders.last(FileKind::Picture).empty());
    EXPECT_EQ(second->windowFrames, first->windowFrames);

    // The settings file has only its own sections.
    const Result<IniStore> stored = readSettingsFile(paths().settingsFile);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored->text().find("[Folders]"), std::string::npos);
    EXPECT_EQ(stored->text().find("[Windows]"), std::string::npos);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DesktopFileTest, EntriesThatDoNotReadAreLeftOutAndAForeignFileIsNoObstacle) {
    dir.write("config/Orvane2/Orvane2.desktop.ini",
              "[Folders]\ngps=relative/folder\npicture=/pictures\nnokind=/x\n"
              "[Windows]\nORV_MAIN=10,20,640,480\nORV_TVIEW=0,0,0,0\nORV_CTIME=a,b,c,d\n=1,2,3,4\n");
    auto state = start();
    EXPECT_TRUE(state->fileFolders.last(FileKind::GpsFile).empty());
    EXPECT_EQ(state->fileFolders.last(FileKind::Picture), fs::path("/pictures"));
    EXPECT_EQ(state->windowFrames, (WindowFrames{{"ORV_MAIN", WindowFrame{10, 20, 640, 480}}}));

    // A file that is not ours (not UTF-8) is passed over without a word and without harm.
    dir.write("config/Orvane2/Orvane2.desktop.ini", "[Windows]\nORV_MAIN=\xFF\xFE\n");
    auto again = start();
    EXPECT_TRUE(again->windowFrames.empty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DesktopFileTest, SightChoicesComeBackAndValuesOutOfRangeAreNotRead) {
    auto first = start();
    first->sightChoices.eyeHeight = 3.5;
    first->sightChoices.maxDistanceKm = 220.0;
    first->sightChoices.refraction = 0.2;
    first->sightChoices.fieldOfView = 120.0;
    first->sightChoices.azimuth = 45.5;
    first->sightChoices.hiddenPeaks = true;
    first->sightChoices.download = false;
    first->sightChoices.tileFolder = dir / "tiles";
    ASSERT_TRUE(saveSettingsAtExit(*first, settings, paths().settingsFile, dialogs));
    settings.clear();
    auto second = start();
    const SightChoices& read = second->sightChoices;
    EXPECT_EQ(read.eyeHeight, 3.5);
    EXPECT_EQ(read.maxDistanceKm, 220.0);
    EXPECT_EQ(read.refraction, 0.2);
    EXPECT_EQ(read.fieldOfView, 120.0);
    EXPECT_EQ(read.azimuth, 45.5);
    EXPECT_TRUE(read.hiddenPeaks);
    EXPECT_FALSE(read.download);
    EXPECT_EQ(read.tileFolder, dir / "tiles");
    const Result<IniStore> stored = readSettingsFile(paths().settingsFile);
    ASSERT_TRUE(stored.ok());
    EXPECT_EQ(stored->text().find("[Sight]"), std::string::npos);

    dir.write("config/Orvane2/Orvane2.desktop.ini",
              "[Sight]\nEyeHeight=-2\nDistance=301\nRefraction=x\nFieldOfView=1e9\nAzimuth=nan\n"
              "HiddenPeaks=yes\nTileFolder=relative\n");
    settings.clear();
    auto third = start();
    const SightChoices defaults;
    EXPECT_EQ(third->sightChoices.eyeHeight, defaults.eyeHeight);
    EXPECT_EQ(third->sightChoices.maxDistanceKm, defaults.maxDistanceKm);
    EXPECT_EQ(third->sightChoices.refraction, defaults.refraction);
    EXPECT_EQ(third->sightChoices.fieldOfView, defaults.fieldOfView);
    EXPECT_EQ(third->sightChoices.azimuth, defaults.azimuth);
    EXPECT_FALSE(third->sightChoices.hiddenPeaks);
    EXPECT_TRUE(third->sightChoices.tileFolder.empty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DesktopFileTest, AFolderTheFileCannotHoldIsLeftOutOfIt) {
    auto state = makeAppState();
    state->fileFolders.setLast(FileKind::Picture, "/bilder/\xE9t\xE9");  // Latin-1, not UTF-8
    state->fileFolders.setLast(FileKind::Schedule, "/schedules");
    const IniStore store = desktopStore(*state);
    EXPECT_EQ(store.text(), "[Folders]\nschedule=/schedules\n");
    ASSERT_TRUE(saveDesktopFile(*state, desktopFile()).ok());
}

}  // namespace
}  // namespace orv
