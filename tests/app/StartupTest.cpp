#include "app/PlanReset.h"
#include "app/StartMenu.h"
#include "app/Startup.h"

#include "core/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/UnknownTools.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct StartupTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    IniStore settings;
    test::ScriptedDialogs dialogs;
    std::vector<std::string> steps;

    StartPaths paths() const {
        return {dir / "app", dir / "home/.local/share/Orvane/Data", dir / "home/.config/Orvane2/Orvane2.ini"};
    }
    StartWindows windows() {
        return {[this] { steps.push_back("splash"); }, [this] { steps.push_back("start menu"); }};
    }
};

TEST_F(StartupTest, FirstStartMakesTheDataFolderPlanFilesAndEverySetting) {
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    EXPECT_EQ(steps, (std::vector<std::string>{"splash", "start menu"}));
    EXPECT_TRUE(dialogs.asked().empty());
    const fs::path data = paths().dataFolder;
    EXPECT_EQ(state->dataFolder, data);
    for (const char* name : {"Orvane.LST", "Orvane.RVD"}) {
        ASSERT_TRUE(fs::is_regular_file(data / name)) << name;
        EXPECT_EQ(fs::file_size(data / name), 0u) << name;
    }
    EXPECT_FALSE(state->rvnFileExists);

    // Every key holds its default text in the store on disk.
    const Result<IniStore> reread = readSettingsFile(paths().settingsFile);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->get("LineColor", "尾根筋"), "192192192    ");
    EXPECT_EQ(reread->get("Config", "数値地図使用可否"), "0");
    EXPECT_EQ(reread->get("Config", "等高線描画時色調整"), ".9");
    EXPECT_EQ(reread->get("DefColor", "Om 以下"), "234180126-1  ");
    EXPECT_EQ(reread->get("BasisData", "登り歩行速度"), "300");
}

TEST_F(StartupTest, UnreadableSettingsAreKeptUnderADatedNameAndReportedOnce) {
    const std::string foreign = "[Config]\r\n\x8E\x52\x96\xBC=1\r\n";  // Shift_JIS, not ours
    const fs::path file = dir.write("home/.config/Orvane2/Orvane2.ini", foreign);
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto shown = dialogs.messages()[0];
    EXPECT_EQ(shown.title, "Orvane起動エラー");
    EXPECT_EQ(shown.icon, Icon::Warning);
    const std::string lead =
        "設定ファイルを読み込めないため、初期値で起動します。\r\n元の設定ファイルは次の名前で残しました。\r\n";
    ASSERT_EQ(shown.text.rfind(lead, 0), 0u) << shown.text;
    const fs::path backup = shown.text.substr(lead.size());
    EXPECT_EQ(backup.parent_path(), file.parent_path());
    EXPECT_EQ(backup.filename().string().rfind("Orvane2.ini.", 0), 0u);
    std::string bytes;
    ASSERT_EQ(readBytes(backup, bytes), FileError::None);
    EXPECT_EQ(bytes, foreign);
    // The defaults are written in its place.
    const Result<IniStore> reread = readSettingsFile(file);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->get("BasisData", "登り歩行速度"), "300");
}

TEST_F(StartupTest, SettingsThatCannotBeWrittenAreReportedOnce) {
    dir.write("home/.config", "a file where the settings folder should be");
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "設定を保存できませんでした。\r\n" + paths().settingsFile.string());
    EXPECT_EQ(dialogs.messages()[0].title, "Orvane起動エラー");
}

// Settings that would grow past what the reader takes are not written: the file stays as it
// was, and the next start reads it again instead of starting from the defaults.
TEST_F(StartupTest, SettingsTooLargeToWriteLeaveTheFileAsItWas) {
    std::string file = "[BasisData]\n登り歩行速度=350\n[Kept]\nnote=";
    file += std::string(kMaxSettingsFileBytes - file.size() - 1, 'x') + "\n";
    dir.write("home/.config/Orvane2/Orvane2.ini", file);
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        dialogs = test::ScriptedDialogs();
        state = makeAppState();
        ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, std::string(kSettingsTooLargeMessage) + "\r\n" +
                                                  paths().settingsFile.string());
        EXPECT_EQ(state->settings.climbSpeed, 350);
        std::string bytes;
        ASSERT_EQ(readBytes(paths().settingsFile, bytes), FileError::None);
        EXPECT_EQ(bytes, file);
    }
}

TEST_F(StartupTest, AnUnusableTileUrlIsReplacedAtStartAndTheUserIsTold) {
    dir.write("home/.config/Orvane2/Orvane2.ini", "[Config]\r\n標高ﾀｲﾙURL=https://t.example/14/1/2.png\r\n");
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "設定の標高タイルのURL「https://t.example/14/1/2.png」には {z} {x} {y} がありません。\r\n"
              "国土地理院の標高タイルのURLを使います。");
    EXPECT_EQ(dialogs.messages()[0].title, "Orvane起動エラー");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Warning);
    EXPECT_TRUE(state->settings.tileUrlSetting.empty());
    const Result<IniStore> reread = readSettingsFile(paths().settingsFile);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->get("Config", "標高ﾀｲﾙURL"), "");
}

// A save an earlier run left unfinished is finished at start, forward when its journal shows
// the whole new set was written, else back, and the user is told which.
TEST_F(StartupTest, AnInterruptedSaveIsFinishedAndTheUserIsTold) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> files;
        const char* message;
        const char* route;  // plan.RTD afterwards
        const char* list;   // Orvane.LST afterwards
    };
    const Case cases[] = {
        {"cut off while writing",
         {{"plan.RTD", "old route"}, {"plan.RTD.orvnew", "half a save"}, {"Orvane.LST", "old list"}},
         "前回中断された保存を取り消し、元のファイルに戻しました。\r\nplan.RTD", "old route", "old list"},
        {"cut off between the renames",
         {{"plan.RVD.orvjnl", "Orvane staged files\nforward\nreplace Orvane.LST\nreplace plan.RTD\n"},
          {"Orvane.LST", "new list"}, {"Orvane.LST.orvold", "old list"},
          {"plan.RTD", "old route"}, {"plan.RTD.orvnew", "new route"}},
         "前回中断された保存を完了しました。\r\nOrvane.LST、plan.RTD", "new route", "new list"},
        {"cut off while putting back",
         {{"plan.RVD.orvjnl", "Orvane staged files\nback\nrestore Orvane.LST\ndrop plan.RTD\n"},
          {"Orvane.LST", "new list"}, {"Orvane.LST.orvold", "old list"},
          {"plan.RTD", "old route"}, {"plan.RTD.orvnew", "new route"}},
         "前回中断された保存を取り消し、元のファイルに戻しました。\r\nOrvane.LST、plan.RTD", "old route", "old list"},
    };
    const fs::path data = paths().dataFolder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(data);
        dialogs = test::ScriptedDialogs();
        for (const auto& [name, bytes] : c.files) dir.write("home/.local/share/Orvane/Data/" + std::string(name), bytes);
        ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, c.message);
        EXPECT_EQ(dialogs.messages()[0].title, "ファイル処理");
        EXPECT_EQ(dialogs.messages()[0].icon, Icon::Information);
        std::string bytes;
        ASSERT_EQ(readBytes(data / "plan.RTD", bytes), FileError::None);
        EXPECT_EQ(bytes, c.route);
        ASSERT_EQ(readBytes(data / "Orvane.LST", bytes), FileError::None);
        EXPECT_EQ(bytes, c.list);
        for (const auto& entry : fs::directory_iterator(data))
            EXPECT_EQ(entry.path().string().find(".orv"), std::string::npos) << entry.path();
    }
}

TEST_F(StartupTest, ExistingPlanFilesAreKept) {
    const fs::path data = paths().dataFolder;
    fs::create_directories(data);
    ASSERT_EQ(writeBytesAtomic(data / "Orvane.LST", "plan line\r\n"), FileError::None);
    ASSERT_EQ(writeBytesAtomic(data / "Orvane.RVN", "x"), FileError::None);
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    std::string bytes;
    ASSERT_EQ(readBytes(data / "Orvane.LST", bytes), FileError::None);
    EXPECT_EQ(bytes, "plan line\r\n");
    EXPECT_TRUE(state->rvnFileExists);
}

TEST_F(StartupTest, DataFolderThatCannotBeMadeStopsWithAMessage) {
    dir.write("home/.local/share/Orvane", "a file where the folder should be");
    EXPECT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::NoDataFolder);
    EXPECT_TRUE(steps.empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Orvane起動エラー");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
    EXPECT_EQ(dialogs.messages()[0].text.rfind("データフォルダを作成できません。\r\n", 0), 0u);
}

TEST_F(StartupTest, PlanListThatCannotBeMadeStopsWithAMessage) {
    const fs::path data = paths().dataFolder;
    fs::create_directories(data / "Orvane.LST");  // a folder in the plan list's place
    EXPECT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::NoPlanFiles);
    EXPECT_EQ(steps, (std::vector<std::string>{"splash"}));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Orvane起動エラー");
}

TEST_F(StartupTest, ExitQuestionNoKeepsRunningAndWritesNothing) {
    ASSERT_EQ(startProgram(*state, settings, paths(), dialogs, windows()), StartResult::Started);
    StartMenu menu(*state, settings, paths().settingsFile, dialogs);
    state->settings.climbSpeed = 450;
    const auto before = fs::last_write_time(paths().settingsFile);

    dialogs.answerMessage(Answer::No);
    EXPECT_FALSE(menu.confirmExit());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "Orvaneを終了しますか？");
    EXPECT_EQ(dialogs.messages()[0].title, "Orvane終了確認");
    EXPECT_EQ(dialogs.messages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Warning);
    EXPECT_EQ(fs::last_write_time(paths().settingsFile), before);

    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(menu.confirmExit());
    const Result<IniStore> reread = readSettingsFile(paths().settingsFile);
    ASSERT_TRUE(reread.ok());
    EXPECT_EQ(reread->get("BasisData", "登り歩行速度"), "450");
}

TEST_F(StartupTest, StartMenuBandsAndCommands) {
    StartMenu menu(*state, settings, paths().settingsFile, dialogs);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"ActMakeRootMode", "山行計画（ルート作成）"},
        {"ActRootLogGetMode", "山行記録（GPS読込）"},
        {"ActDelCtrlRootFile", "ﾙｰﾄﾌｧｲﾙの削除"},
        {"ActOrvanyInfo", "Orvaneについて"},
        {"ActExitOrvane", "Orvaneの終了"},
    };
    for (const char* bandName : {"起動画面主メニュー", "STUPopupMenu"}) {
        const MenuBand* band = menu.menus().band(bandName);
        ASSERT_NE(band, nullptr) << bandName;
        ASSERT_EQ(band->commands.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(band->commands[i].toolId, expected[i].first);
            EXPECT_EQ(band->commands[i].caption, expected[i].second);
        }
    }
    int closeRequests = 0;
    menu.setCloseRequest([&] { ++closeRequests; });
    menu.dispatch("ActExitOrvane");
    EXPECT_EQ(closeRequests, 1);
    menu.dispatch("ActOrvanyInfo");
    menu.showHelp();
    ASSERT_EQ(dialogs.asked().size(), 2u);
    EXPECT_EQ(dialogs.asked()[0].text, "ORVANE.hlp");
    EXPECT_EQ(dialogs.asked()[1].text, "ORVANE1.hlp");
    test::UnknownToolCatcher unknown;
    menu.dispatch("NoSuchTool");  // does nothing, and is reported
    EXPECT_EQ(dialogs.asked().size(), 2u);
    EXPECT_EQ(unknown.reports(), std::vector<std::string>{"StartMenu: NoSuchTool"});
}

TEST(PlanReset, ReturnsToTheStateWithoutAPlan) {
    auto state = makeAppState();
    StartMenuModel menu;
    state->planName = "槍ヶ岳980707";
    state->routeCount = 12;
    state->route[3].placeName = "肩の小屋";
    state->refRouteCount = 5;
    state->waypointCount = 2;
    state->waypoints[1].name = "WP";
    state->mountainCount = 3;
    state->mountainTable[2].name = "北岳";
    state->segmentCount = 4;
    state->rawRoute[1].latitude = "35.4";
    state->routeLoaded = true;
    state->mountainFileLoaded = true;
    state->mountainConfirmed = true;
    state->ridgeValleyCount = 7;
    state->ridgeValleyLoaded = 7;
    state->ridgeValleyPresent = true;
    state->ridgeValleyLinesShown = true;
    state->elevationLabelsShown = true;
    menu.caption = "地域選択  槍ヶ岳980707";
    menu.sheetCaption = "5339  東京";
    menu.meshButtonsEnabled = true;
    menu.trkIndicators = {true, true};
    menu.hScroll = 0;
    menu.vScroll = 7;
    menu.preview.pixel(5, 5, colours::red);

    resetPlanState(*state, menu);

    EXPECT_EQ(menu.caption, "地域選択");
    EXPECT_EQ(menu.sheetCaption, "");
    EXPECT_FALSE(menu.meshButtonsEnabled);
    EXPECT_EQ(menu.trkIndicators, (std::array<bool, 2>{false, false}));
    EXPECT_EQ(menu.hScroll, 480);
    EXPECT_EQ(menu.vScroll, 1040);
    EXPECT_EQ(menu.preview.pixelAt(5, 5), colours::white);
    EXPECT_EQ(state->planName, "");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(state->route[3].placeName, "");
    EXPECT_EQ(state->refRouteCount, 0);
    EXPECT_EQ(state->waypointCount, 0);
    EXPECT_EQ(state->waypoints[1].name, "");
    EXPECT_EQ(state->mountainCount, 0);
    EXPECT_EQ(state->mountainTable[2].name, "");
    EXPECT_EQ(state->segmentCount, 0);
    EXPECT_EQ(state->rawRoute[1].latitude, "");
    EXPECT_FALSE(state->routeLoaded);
    EXPECT_FALSE(state->mountainFileLoaded);
    EXPECT_FALSE(state->mountainConfirmed);
    EXPECT_EQ(state->ridgeValleyCount, 0);
    EXPECT_EQ(state->ridgeValleyLoaded, 0);
    EXPECT_FALSE(state->ridgeValleyPresent);
    EXPECT_FALSE(state->ridgeValleyLinesShown);
    EXPECT_FALSE(state->elevationLabelsShown);
}

TEST(AppStateTables, RegionLookupAndStartValues) {
    EXPECT_EQ(regionTable.size(), 110u);
    EXPECT_STREQ(regionTable[0].code, "6741");
    EXPECT_STREQ(regionTable[109].sheetName, "稚内");
    EXPECT_EQ(regionSheetName("533945"), "東京");
    EXPECT_EQ(regionSheetName("523812"), "静岡");
    EXPECT_EQ(regionSheetName("563700"), "");
    EXPECT_EQ(regionSheetName("644205"), "夕張岳");
    EXPECT_EQ(regionSheetName("634275"), "浦河");
    EXPECT_EQ(regionSheetName("53"), "");

    auto state = makeAppState();
    const auto& styles = state->textStyles;
    for (int i = 0; i < kTextStyles; ++i) {
        EXPECT_EQ(styles[static_cast<size_t>(i)].face, "ＭＳ ゴシック");
        EXPECT_EQ(styles[static_cast<size_t>(i)].size, i == 8 ? 8.0f : 9.0f);
        EXPECT_EQ(styles[static_cast<size_t>(i)].bold, i == 0);
        EXPECT_FALSE(styles[static_cast<size_t>(i)].italic);
        const bool blue = i == 0 || i == 3 || i == 5;
        EXPECT_EQ(styles[static_cast<size_t>(i)].colour, blue ? 16711680u : 0u) << i;
    }
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_EQ(state->regionCaption, "地域選択");
    EXPECT_EQ(state->mapWindowTitle, "ルート平面図");
    EXPECT_EQ(state->profileWindowTitle, "ルート断面図");
    EXPECT_EQ(state->japanBounds.north, "46.00");
    EXPECT_EQ(state->contourTint, 0.8f);
    EXPECT_EQ(state->ridgeValleyLabelScale, 1.3f);
    EXPECT_EQ(state->profileFlags, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(state->route.size(), 2049u);
    EXPECT_EQ(state->rawRoute.size(), 1001u);
    EXPECT_EQ(state->waypoints.size(), 251u);
    EXPECT_EQ(state->mountainTable.size(), 10001u);
    EXPECT_EQ(state->segments.size(), 121u);
    EXPECT_EQ(state->ridgeValleyPoints.size(), 4001u);
}

}  // namespace
}  // namespace orv
