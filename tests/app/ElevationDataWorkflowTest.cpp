// "標高データの作成" from the start menu and from the plan start dialog, headless: a scripted
// window stands in for the terrain window (and, once, drives the real one's model on the survey
// tile), the scripted Dialogs answer the questions.
#include "app/StartMenu.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "terrain/DemCreation.h"
#include "terrain/TileSources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

const std::string kAssets = ORVANE_ASSETS;
const std::string kRealData = ORVANE_REALDATA;

struct ElevationDataWorkflowTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    IniStore settings;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<StartMenu> menu;

    // What the scripted terrain window saw and does.
    std::vector<std::string> centres;   // the centre mesh it opened with, once per opening
    std::vector<std::string> settingsSeen;
    std::optional<std::string> written;  // the folder it reports, nothing for cancel or failure
    std::optional<std::string> editedSetting;

    void SetUp() override {
        state->appFolder = kAssets;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        state->demMedia = 1;
        state->demFolder = "/data/old";
        menu = std::make_unique<StartMenu>(*state, settings, dir / "Orvane2.ini", dialogs);
        menu->setOpticalDriveFinder([] { return std::vector<fs::path>{}; });
        menu->startDialogs().demCreation = [this](const std::string& centre, std::string& setting) {
            centres.push_back(centre);
            settingsSeen.push_back(setting);
            if (editedSetting) setting = *editedSetting;
            return written;
        };
    }
};

TEST_F(ElevationDataWorkflowTest, StartMenuCommandOpensTheWindowAndKeepsItsFolder) {
    const std::string own = "https://tiles.example/{z}/{x}/{y}.txt 14";
    struct Case {
        const char* what;
        std::string centreMesh;               // the block's centre before the command
        std::optional<std::string> written;   // what the window reports
        std::optional<std::string> edited;    // the tile URL setting as the user left it
        std::string expectedCentre;
        std::string expectedFolder;
        int16_t expectedMedia;
        std::string expectedSetting;
    };
    const Case cases[] = {
        {"written over the destination's mesh", "644205", "/data/new", std::nullopt, "644205", "/data/new", 1, ""},
        {"no destination: typed in the window", "", "/data/new", std::nullopt, "", "/data/new", 1, ""},
        {"cancelled or failed: nothing changes", "644205", std::nullopt, std::nullopt, "644205", "/data/old", 0, ""},
        {"an edited URL is kept even without a build", "644205", std::nullopt, own, "644205", "/data/old", 0, own},
        {"an edited URL without {z} {x} {y} is not kept", "644205", "/data/new", "https://t/1/2/3.png", "644205",
         "/data/new", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state->centreMeshCode = c.centreMesh;
        state->demFolder = "/data/old";
        state->demMedia = 0;
        state->settings.tileUrlSetting.clear();
        centres.clear();
        settingsSeen.clear();
        written = c.written;
        editedSetting = c.edited;
        menu->dispatch("ActMake50mData");
        ASSERT_EQ(centres.size(), 1u);
        EXPECT_EQ(centres[0], c.expectedCentre);
        EXPECT_EQ(settingsSeen[0], terrain::defaultTileSetting());
        EXPECT_EQ(state->demFolder, c.expectedFolder);
        EXPECT_EQ(state->demMedia, c.expectedMedia);
        EXPECT_EQ(state->settings.tileUrlSetting, c.expectedSetting);
    }
    EXPECT_TRUE(dialogs.asked().empty());

    // A stored setting is what the window shows; the start menu offers the command in its own band.
    state->settings.tileUrlSetting = own;
    settingsSeen.clear();
    editedSetting.reset();
    menu->dispatch("ActMake50mData");
    EXPECT_EQ(settingsSeen.at(0), own);
    const MenuBand* band = menu->menus().band("起動画面データメニュー");
    ASSERT_NE(band, nullptr);
    ASSERT_EQ(band->commands.size(), 1u);
    EXPECT_EQ(band->commands[0].caption, "標高データの作成");
    EXPECT_TRUE(band->commands[0].enabled);
}

// The plan start dialog's button: after meshes were written their folder is the hard-disk data
// folder (the CD-ROM box unchecked), and "実　行" makes it the folder the loader starts at.
TEST_F(ElevationDataWorkflowTest, PlanStartTakesOverTheFolderOnlyAfterSuccess) {
    struct Case {
        const char* what;
        int16_t media;  // the stored source: 0 the disc, 1 the hard disk
        std::optional<std::string> written;
        std::string expectedDiskFolder;
        bool expectedDisc;
        std::string expectedDemFolder;
        int16_t expectedMedia;
    };
    const Case cases[] = {
        {"written, hard disk before", 1, "/data/new", "/data/new", false, "/data/new", 1},
        {"written, the disc before", 0, "/data/new", "/data/new", false, "/data/new", 1},
        {"cancelled, hard disk before", 1, std::nullopt, "/data/old", false, "/data/old", 1},
        {"cancelled, the disc before", 0, std::nullopt, "", true, "/media/cd/Data", 0},  // the disc's folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state->demMedia = c.media;
        state->demFolder = "/data/old";
        state->centreMeshCode = "644205";
        menu->setOpticalDriveFinder([] { return std::vector<fs::path>{"/media/cd"}; });  // one disc
        written = c.written;
        centres.clear();
        std::string diskFolderBefore;
        menu->startDialogs().planStart = [&](PlanStart& dialog) {
            diskFolderBefore = dialog.diskFolder();
            dialog.createElevationData();
            EXPECT_EQ(dialog.diskFolder(), c.expectedDiskFolder);
            EXPECT_EQ(dialog.useDisc(), c.expectedDisc);
            EXPECT_TRUE(dialog.useDem());
            dialog.editName("富士山0801");
            EXPECT_TRUE(dialog.execute());
        };
        menu->dispatch("ActMakeRootMode");  // no search window: the plan stops after the dialog
        ASSERT_EQ(centres.size(), 1u);
        EXPECT_EQ(centres[0], "644205");
        EXPECT_EQ(diskFolderBefore, c.media == 1 ? "/data/old" : "");
        EXPECT_EQ(state->demFolder, c.expectedDemFolder);
        EXPECT_EQ(state->demMedia, c.expectedMedia);
        EXPECT_TRUE(dialogs.asked().empty());
    }
}

// The whole road: the window's model builds the block of 幌尻岳 from the survey tile into a new
// folder, the plan start dialog takes the folder over, and the loader's folder picker starts
// there and reads the new meshes.
TEST_F(ElevationDataWorkflowTest, MeshesMadeInThePlanStartDialogAreLoadedForThePlan) {
    const fs::path out = dir / "dem";
    menu->startDialogs().demCreation = [&](const std::string& centre, std::string& setting) {
        centres.push_back(centre);
        terrain::DemCreation window(dialogs, centre, setting);
        window.centre = "644205";  // typed: no destination was chosen before
        dialogs.answerFolder(kRealData);
        dialogs.answerFolder(out.string());
        window.dispatch("ActDemTileFolder");
        window.dispatch("ActDemOutFolder");
        dialogs.answerMessage(Answer::Ok);  // the summary
        window.dispatch("ActDemRun");
        return window.lastOutcome() == terrain::DemBuildOutcome::Written ? std::optional(window.outFolder)
                                                                         : std::nullopt;
    };
    menu->startDialogs().planStart = [&](PlanStart& dialog) {
        dialog.createElevationData();
        dialog.editName("幌尻岳0801");
        EXPECT_TRUE(dialog.execute());
    };
    menu->startDialogs().mountainSearch = [&](const OverviewRange&, const std::function<void()>&) {
        for (int i = 1; i <= state->mountainCount; ++i)
            if (state->mountainTable[static_cast<size_t>(i)].name == "幌尻岳") {
                state->mountainConfirmed = true;
                return std::optional<int>(i);
            }
        return std::optional<int>();
    };
    bool mapOpened = false;
    menu->startDialogs().openRouteMap = [&] { mapOpened = true; };

    menu->dispatch("ActMakeRootMode");
    ASSERT_EQ(centres, std::vector<std::string>{""});
    ASSERT_TRUE(fs::exists(out / "644205.MEM"));
    EXPECT_EQ(state->demFolder, out.string());
    dialogs.answerMessage(Answer::Ok);  // the data question
    dialogs.answerFolder(out.string());
    menu->confirmBlock();
    ASSERT_TRUE(mapOpened);
    const std::vector<test::Asked> asked = dialogs.asked();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().kind, "folder");
    EXPECT_EQ(asked.back().title, "数値地図のフォルダを選択してください");
    EXPECT_EQ(asked.back().text, out.string());  // where the picker starts
    // 幌尻岳 (2052 m) stands in the centre mesh: its block holds heights near the summit's.
    float highest = -1000;
    for (int row = 200; row < 400; ++row)
        for (int column = 200; column < 400; ++column) highest = std::max(highest, state->elevationGrid.get(row, column, 1));
    EXPECT_GT(highest, 1900.0f);
    EXPECT_LT(highest, 2100.0f);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orv
