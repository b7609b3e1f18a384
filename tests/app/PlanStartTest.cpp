// The plan start dialog's logic: the saved plans, the proposed sample mountain file, the disc
// detection with 0, 1 and several discs, and the checks of "実　行" with their exact messages.
#include "app/PlanStart.h"

#include "plans/PlanName.h"
#include "core/TextFile.h"
#include "names/MountainFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

// The bundled file of Japan's main peaks; the Hidaka sample's own file is shipped beside it.
const std::string kSampleMountains = std::string(ORVANE_ASSETS) + "/sample/japan.ndb";
const std::string kHidakaMountains = std::string(ORVANE_ASSETS) + "/sample/hidaka.ndb";

struct PlanStartTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::vector<fs::path> discs;
    int detections = 0;

    void SetUp() override {
        state->appFolder = ORVANE_ASSETS;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        state->demMedia = 1;
    }
    PlanStart make() {
        return PlanStart(*state, dialogs, [this] {
            ++detections;
            return discs;
        });
    }
};

TEST_F(PlanStartTest, OpeningListsThePlansAndProposesTheSampleMountainFile) {
    ASSERT_EQ(writeTextLines(state->dataFolder / "Orvane.LST", {"槍ヶ岳980707 1998/07/07", "穂高 1999/10/12"}),
              FileError::None);
    state->gpsMode = true;
    state->existingPlan = true;
    PlanStart dialog = make();
    dialog.open();
    EXPECT_EQ(dialog.caption(), "ルート読み込み");
    EXPECT_FALSE(state->existingPlan);
    EXPECT_EQ(dialog.planLines(), (std::vector<std::string>{"槍ヶ岳980707\t1998/07/07", "穂高\t1999/10/12"}));
    dialog.pickPlan(1);
    EXPECT_EQ(dialog.name(), "穂高");
    dialog.pickPlan(7);  // no such line
    EXPECT_EQ(dialog.name(), "穂高");

    // No mountain file chosen yet: the box proposes the bundled peaks of Japan; the stored choice
    // stays empty until the dialog is confirmed.
    EXPECT_EQ(dialog.mountainFile(), kSampleMountains);
    EXPECT_EQ(state->mountainFilePath, "");
    dialog.cancel();
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Cancelled);
    EXPECT_EQ(state->mountainFilePath, "");
    EXPECT_TRUE(dialogs.asked().empty());

    state->gpsMode = false;
    PlanStart again = make();
    again.open();
    EXPECT_EQ(again.caption(), "ルート作成");
    again.pickPlan(0);
    ASSERT_TRUE(again.execute());
    EXPECT_TRUE(state->existingPlan);
    EXPECT_EQ(state->planName, "槍ヶ岳980707");
    EXPECT_EQ(state->mountainFilePath, kSampleMountains);
    EXPECT_TRUE(state->mountainFileLoaded);
    EXPECT_EQ(state->mountainCount, 1059);
    EXPECT_EQ(state->demMedia, 1);
    EXPECT_EQ(state->demUnused, 0);

    // Help.
    again.showHelp();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "help");
    EXPECT_EQ(dialogs.asked()[0].text, "ORVANE2.hlp");
}

// A choice stored by an earlier version, the Hidaka sample's file included, is proposed as it was.
TEST_F(PlanStartTest, AStoredMountainFileIsProposedUnchanged) {
    state->mountainFilePath = kHidakaMountains;
    PlanStart dialog = make();
    dialog.open();
    EXPECT_EQ(dialog.mountainFile(), kHidakaMountains);
    dialog.editName("幌尻岳0801");
    ASSERT_TRUE(dialog.execute());
    EXPECT_EQ(state->mountainFilePath, kHidakaMountains);
    EXPECT_EQ(state->mountainCount, 6);
}

TEST_F(PlanStartTest, BrowseStartsAtTheUsersFileInTheBoxAndCancelKeepsIt) {
    PlanStart dialog = make();
    dialog.open();
    dialogs.answerFile(std::nullopt);
    dialog.browseMountainFile();
    EXPECT_EQ(dialog.mountainFile(), kSampleMountains);
    EXPECT_EQ(state->mountainFilePath, "");
    const std::string alps = (dir / "yama" / "alps.ndb").string();
    dialogs.answerFile(alps);
    dialog.browseMountainFile();
    EXPECT_EQ(dialog.mountainFile(), alps);
    EXPECT_EQ(state->mountainFilePath, "");  // taken over only by "実　行"
    dialogs.answerFile(std::nullopt);
    dialog.browseMountainFile();
    ASSERT_EQ(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[0].title, "山名ファイルを開く");
    // The program's sample is not the user's file: the dialog starts in the data folder; a
    // file of the user's in the box is where it starts.
    EXPECT_EQ(dialogs.asked()[0].initialPath, state->dataFolder.string());
    EXPECT_EQ(dialogs.asked()[1].initialPath, state->dataFolder.string());
    EXPECT_EQ(dialogs.asked()[2].initialPath, alps);
    EXPECT_EQ(state->fileFolders.last(FileKind::MountainFile), dir / "yama");
}

TEST_F(PlanStartTest, ExecuteRefusesWhatCannotStartAPlan) {
    struct Case {
        const char* name;
        const char* mountainFile;  // nullptr: the proposed sample
        const char* message;
        const char* title;
        Icon icon;
        bool focusesName;
    };
    const std::string broken = dir.write("broken.ndb", "幌尻岳 42.431\r\n").string();
    const Case cases[] = {
        {"", nullptr, "管理ファイル名は必ず入力して下さい。", "入力注意", Icon::Error, true},
        {"幌尻 岳", nullptr, kPlanNameBlank, "入力注意", Icon::Error, true},
        {"a/b", nullptr, kPlanNameSeparator, "入力注意", Icon::Error, true},
        {"..", nullptr, kPlanNameDots, "入力注意", Icon::Error, true},
        {"幌尻岳", "", "山名ファイルのパスが設定されていません", "入力注意", Icon::None, false},
        {"幌尻岳", broken.c_str(), "この山名ファイルは使用できません。\r\n正しい山名ファイルを指定して下さい",
         "ファイルエラー", Icon::Error, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs = test::ScriptedDialogs{};
        PlanStart dialog = make();
        dialog.open();
        dialog.editName(c.name);
        if (c.mountainFile != nullptr) dialog.editMountainFile(c.mountainFile);
        const int focus = dialog.nameFocusRequests();
        EXPECT_FALSE(dialog.execute());
        EXPECT_FALSE(dialog.closed());
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, c.message);
        EXPECT_EQ(dialogs.messages()[0].title, c.title);
        EXPECT_EQ(dialogs.messages()[0].icon, c.icon);
        EXPECT_EQ(dialog.nameFocusRequests() != focus, c.focusesName);
        EXPECT_FALSE(state->mountainFileLoaded);
        EXPECT_EQ(state->mountainFilePath, "");
    }
}

TEST_F(PlanStartTest, WithoutElevationDataTheBackgroundIsDrawnWithoutIt) {
    state->demUnused = 1;
    state->demMedia = 0;
    PlanStart dialog = make();
    dialog.open();
    EXPECT_FALSE(dialog.useDem());
    EXPECT_FALSE(dialog.discBoxEnabled());
    EXPECT_TRUE(dialog.useDisc());
    EXPECT_EQ(detections, 0);  // the disc box is not in use
    dialog.editName("幌尻岳");
    ASSERT_TRUE(dialog.execute());
    EXPECT_EQ(state->demUnused, 1);
    EXPECT_EQ(state->settings.backgroundMethod, 2);
    EXPECT_EQ(state->demMedia, 0);
    EXPECT_FALSE(state->existingPlan);
}

// The mode forced by the lack of data does not stick: the next plan opens in the stored mode,
// unless the user chose another mode on the map meanwhile.
TEST_F(PlanStartTest, ModeForcedWithoutDataIsNotKeptForTheNextPlan) {
    struct Case {
        const char* what;
        int16_t chosenOnMap;  // -1: the user left the forced mode alone
        int16_t afterPlan;
    };
    const Case cases[] = {{"left alone", -1, 0}, {"background off on the map", 3, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        state->settings.backgroundMethod = 0;
        state->demUnused = 1;
        PlanStart dialog = make();
        dialog.open();
        dialog.editName("地図なし");
        ASSERT_TRUE(dialog.execute());
        EXPECT_EQ(state->settings.backgroundMethod, 2);
        if (c.chosenOnMap >= 0) state->settings.backgroundMethod = c.chosenOnMap;
        resetPlanState(*state);
        EXPECT_EQ(state->settings.backgroundMethod, c.afterPlan);

        // The next plan with data opens in it.
        PlanStart next = make();
        next.open();
        next.setUseDem(true);
        next.editName("幌尻岳");
        ASSERT_TRUE(next.execute());
        EXPECT_EQ(state->settings.backgroundMethod, c.afterPlan);
        resetPlanState(*state);
    }
}

TEST_F(PlanStartTest, DiscDetectionWithNoneOneAndSeveralDiscs) {
    const char* const noDisc = "CD-ROMは接続されていません。";
    const std::vector<fs::path> mounts = {"/media/cdrom0", "/media/cdrom1", "/media/dvd", "/media/cdrom3"};
    struct Case {
        size_t count;
        bool checked;       // the box after the detection
        size_t icons;
        bool prompt;
        int chosen;
        std::string demFolder;
    };
    const Case cases[] = {
        {0, false, 0, false, -1, "/old"},
        {1, true, 1, false, 0, "/media/cdrom0/Data"},
        {3, true, 3, false, -1, "/old"},
        {4, true, 3, false, -1, "/old"},  // only three icons exist
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        dialogs = test::ScriptedDialogs{};
        discs.assign(mounts.begin(), mounts.begin() + static_cast<long>(c.count));
        state->demMedia = 0;
        state->demFolder = "/old";
        PlanStart dialog = make();
        dialog.open();
        EXPECT_TRUE(dialog.discBoxEnabled());
        EXPECT_EQ(dialog.useDisc(), c.checked);
        EXPECT_EQ(dialog.discs().size(), c.icons);
        EXPECT_EQ(dialog.discPromptVisible(), c.icons > 1);
        EXPECT_EQ(dialog.chosenDisc(), c.chosen);
        EXPECT_EQ(state->demFolder, c.demFolder);
        // At opening no box: the missing disc is said inside the dialog.
        EXPECT_TRUE(dialogs.messages().empty());
        EXPECT_EQ(dialog.discNote(), c.count == 0 ? noDisc : "");
        if (c.count == 0) {
            // Ticking the box again with no disc says it with the message.
            dialog.setUseDisc(true);
            EXPECT_FALSE(dialog.useDisc());
            EXPECT_EQ(dialog.discNote(), "");
            ASSERT_EQ(dialogs.messages().size(), 1u);
            EXPECT_EQ(dialogs.messages()[0].text, noDisc);
            EXPECT_EQ(dialogs.messages()[0].title, "CD-ROM認識メッセージ");
            EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
        }
        if (c.icons < 2) continue;

        // Several: "実　行" waits for a click on an icon, which chooses that disc alone.
        dialog.editName("幌尻岳");
        EXPECT_FALSE(dialog.execute());
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, "複数検出されました。選択してアイコンをクリックして下さい。");
        dialog.clickDisc(2);
        EXPECT_EQ(dialog.chosenDisc(), 2);
        EXPECT_EQ(state->demFolder, "/media/dvd/Data");
        dialog.clickDisc(0);
        EXPECT_EQ(dialog.chosenDisc(), 0);
        EXPECT_EQ(state->demFolder, "/media/cdrom0/Data");
        ASSERT_TRUE(dialog.execute());
        EXPECT_EQ(state->demMedia, 0);
    }

    // Unchecking hides the icons and the prompt; checking again looks anew.
    discs.assign(mounts.begin(), mounts.begin() + 3);
    state->demMedia = 0;
    PlanStart dialog = make();
    dialog.open();
    dialog.setUseDisc(false);
    EXPECT_TRUE(dialog.discs().empty());
    EXPECT_FALSE(dialog.discPromptVisible());
    const int before = detections;
    dialog.setUseDisc(true);
    EXPECT_EQ(detections, before + 1);
    EXPECT_TRUE(dialog.discPromptVisible());
    // Unchecking the elevation data disables the disc box; "実　行" then needs no disc.
    dialog.setUseDem(false);
    EXPECT_FALSE(dialog.discBoxEnabled());
    dialog.editName("地図なし");
    dialogs = test::ScriptedDialogs{};
    EXPECT_TRUE(dialog.execute());
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(state->demUnused, 1);
}

TEST_F(PlanStartTest, UnreadablePlanListStillAllowsANewPlan) {
    fs::create_directories(state->dataFolder / "Orvane.LST");  // a folder where the list should be
    PlanStart dialog = make();
    dialog.open();
    EXPECT_TRUE(dialog.planLines().empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "ファイルエラー");
    dialog.editName("幌尻岳");
    EXPECT_TRUE(dialog.execute());
    EXPECT_FALSE(state->existingPlan);
}

}  // namespace
}  // namespace orv
