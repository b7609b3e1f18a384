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
