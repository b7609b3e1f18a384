#include "app/ElevationLoading.h"

#include "app/FileChecks.h"
#include "platform/Progress.h"
#include "support/MemFixture.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace orv {
namespace {

const char* const kDiscQuestion =
    "ルート図は50mメッシュ数値地図をベースに作成します\r\n\r\n"
    "数値地図（標高）のCD-ROMがドライブにセットされているか確認して下さい。";
const char* const kFolderQuestion =
    "ルート図は50mメッシュ数値地図をベースに作成します\r\n\r\n"
    "ﾊｰﾄﾞﾃﾞｨｽｸの任意のﾌｫﾙﾀﾞｰに必要な数値地図（標高）が\r\n"
    "セットされているか確認して下さい。";
const char* const kSeaWarning =
    "ファイル読み込み段階でエラーが発生しました。\r\n"
    "ファイルが存在しないと判断して該当するすべて\r\n"
    "の範囲を海としてデータ処理します。";

// A plan about to load the block around 533945 (Tokyo sheet), as the start menu prepares it.
struct ElevationLoadingTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    StartMenuModel menu;
    test::ScriptedDialogs dialogs;
    test::TempDir dir;

    void SetUp() override {
        state->centreMeshCode = "533945";
        state->meshCodes = meshNeighbours("533945");
        state->levelCorners[0][1] = meshSouthLatitude("533945");
        state->levelCorners[0][2] = meshWestLongitude("533945");
    }
    // Slot j's file holds j × 1000 + record number (tenths of a metre).
    void writeFolderMeshes(const std::string& folder, bool disc = false) {
        for (int slot = 1; slot <= 9; ++slot) {
            const std::string code = state->meshCodes[static_cast<size_t>(slot)];
            const std::string sub = disc ? code.substr(0, 4) + "/" : "";
            dir.write(folder + "/" + sub + code + ".MEM",
                      test::memFile(code, [slot](int n, int) { return slot * 1000 + n; }));
        }
    }
    float at(int row, int column) const { return state->elevationGrid.get(row, column, 1); }
};

TEST_F(ElevationLoadingTest, HardDiskFolderFillsTheNineBlocksAndTheCorners) {
    writeFolderMeshes("DEM");
    state->demMedia = 1;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder((dir / "DEM").string() + "  ");  // trailing blanks are dropped
    const std::optional<ElevationLoadSummary> load =
        loadElevationBlock(*state, menu, dialogs, "/suggested");

    ASSERT_EQ(dialogs.asked().size(), 2u);
    EXPECT_EQ(dialogs.asked()[0].text, kFolderQuestion);
    EXPECT_EQ(dialogs.asked()[0].title, "数値地図の準備確認");
    EXPECT_EQ(dialogs.asked()[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(dialogs.asked()[0].icon, Icon::Question);
    EXPECT_EQ(dialogs.asked()[1].title, "数値地図のフォルダを選択してください");
    EXPECT_EQ(dialogs.asked()[1].text, "/suggested");
    EXPECT_TRUE(load.has_value());
    EXPECT_EQ(state->demFolder, (dir / "DEM").string());

    // Slot j's block: rows and columns from the slot table, record N is row first + N - 1.
    const int firstRows[] = {0, 0, 0, 0, 200, 200, 200, 400, 400, 400};
    const int firstColumns[] = {0, 0, 200, 400, 0, 200, 400, 0, 200, 400};
    for (int slot = 1; slot <= 9; ++slot) {
        EXPECT_FLOAT_EQ(at(firstRows[slot], firstColumns[slot] + 7), static_cast<float>(slot * 1000 + 1) / 10.0f);
        EXPECT_FLOAT_EQ(at(firstRows[slot] + 199, firstColumns[slot] + 199),
                        static_cast<float>((slot * 1000 + 200) / 10.0));
    }
    // Row and column 600 repeat the block's last row and column.
    EXPECT_EQ(at(600, 17), at(599, 17));
    EXPECT_EQ(at(17, 600), at(17, 599));
    EXPECT_EQ(at(600, 600), at(599, 599));
    EXPECT_EQ(state->currentLevel, 1);
    // 533945: south 35°40′ (128400″), west 139°37′30″ (502650″).
    EXPECT_EQ(state->levelCorners[1][kSouth], "35.35");
    EXPECT_EQ(state->levelCorners[1][kNorth], "35.5");
    EXPECT_EQ(state->levelCorners[1][kWest], "139.3");
    EXPECT_EQ(state->levelCorners[1][kEast], "139.523");
    const auto& centre = state->meshCorners[5];
    EXPECT_EQ(centre.meshCode, "533945");
    EXPECT_EQ(centre.southLatitude, "35.4");
    EXPECT_EQ(centre.northLatitude, "35.45");
    EXPECT_EQ(centre.westLongitude, "139.373");
    EXPECT_EQ(centre.eastLongitude, "139.45");
    EXPECT_EQ(state->meshCorners[1].meshCode, "533954");
    EXPECT_EQ(state->meshCorners[1].northLatitude, "35.5");
    EXPECT_EQ(state->meshCorners[9].southLatitude, "35.35");
    EXPECT_FALSE(menu.progressVisible);
}

TEST_F(ElevationLoadingTest, DiscLayoutReadsTheFirstLevelFolders) {
    writeFolderMeshes("Q/Data", true);
    state->demMedia = 0;
    state->demFolder = (dir / "Q/Data").string();
    dialogs.answerMessage(Answer::Ok);
    loadElevationBlock(*state, menu, dialogs);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, kDiscQuestion);
    EXPECT_FLOAT_EQ(at(200, 200), 500.1f);  // slot 5, record 1
    EXPECT_FLOAT_EQ(at(200, 400), 600.1f);  // slot 6 = 533946
}

TEST_F(ElevationLoadingTest, CancelLeavesGridAndCornersAlone) {
    state->elevationGrid.set(0, 0, 1, 42.0f);
    for (bool atFolder : {false, true}) {
        state->demMedia = 1;
        dialogs.answerMessage(atFolder ? Answer::Ok : Answer::Cancel);
        if (atFolder) dialogs.answerFolder("");
        EXPECT_FALSE(loadElevationBlock(*state, menu, dialogs).has_value());
        EXPECT_EQ(at(0, 0), 42.0f);
        EXPECT_EQ(state->meshCorners[5].meshCode, "");
        EXPECT_EQ(state->levelCorners[1][kSouth], "");
    }
}

// Files missing at the survey's coast: the sea, and nothing said.
TEST_F(ElevationLoadingTest, MissingFilesAreSeaWithoutAnyMessage) {
    writeFolderMeshes("DEM");
    for (int slot = 1; slot <= 9; ++slot)
        if (slot != 5) std::filesystem::remove(dir / ("DEM/" + state->meshCodes[static_cast<size_t>(slot)] + ".MEM"));
    state->demMedia = 1;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder((dir / "DEM").string());
    const ElevationLoadSummary summary = loadElevationBlock(*state, menu, dialogs).value();
    EXPECT_EQ(dialogs.messages().size(), 1u);  // only the data question
    EXPECT_EQ(summary.readFiles, 1);
    EXPECT_EQ(summary.missingFiles, 8);
    for (int row = 0; row < 600; row += 7) {
        for (int column = 0; column < 600; column += 7) {
            if (row >= 200 && row < 400 && column >= 200 && column < 400) continue;  // slot 5
            ASSERT_EQ(at(row, column), ElevationGrid::kNoData);
        }
    }
    EXPECT_EQ(at(599, 599), ElevationGrid::kNoData);
}

// Not one file of the block: a failure naming the folder and the first file; "はい" offers
// another folder (the picker starting beside the empty one), "いいえ" ends the load as a
// cancel. The empty folder is never kept.
TEST_F(ElevationLoadingTest, NoMeshFileAtAllIsAFailureThatOffersAnotherFolder) {
    const std::string firstFile = state->meshCodes[1] + ".MEM";
    const std::string empty = (dir / "empty").string();
    std::filesystem::create_directories(empty);
    writeFolderMeshes("DEM");
    const std::string expected =
        "指定されたフォルダーに数値地図（標高）のファイルがありません。\r\n\r\n"
        "フォルダー：" + empty + "\r\n最初のファイル：" + firstFile +
        "\r\n\r\n別のフォルダーを選択しますか？";

    // "いいえ": nothing loaded, the folder chosen before stays.
    state->demMedia = 1;
    state->demFolder = "/before";
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder(empty);
    dialogs.answerMessage(Answer::No);
    EXPECT_FALSE(loadElevationBlock(*state, menu, dialogs).has_value());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, expected);
    EXPECT_EQ(dialogs.messages()[1].title, "数値地図読込");
    EXPECT_EQ(dialogs.messages()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Warning);
    EXPECT_EQ(state->demFolder, "/before");

    // "はい": the picker again, and the right folder loads.
    dialogs = test::ScriptedDialogs{};
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder(empty);
    dialogs.answerMessage(Answer::Yes);
    dialogs.answerFolder((dir / "DEM").string());
    const std::optional<ElevationLoadSummary> load = loadElevationBlock(*state, menu, dialogs);
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(load->readFiles, 9);
    EXPECT_EQ(state->demFolder, (dir / "DEM").string());
    EXPECT_FLOAT_EQ(at(300, 300), 500.0f + 10.1f);  // slot 5, record 101
    ASSERT_EQ(dialogs.asked().size(), 4u);
    EXPECT_EQ(dialogs.asked()[3].kind, "folder");
    EXPECT_EQ(dialogs.asked()[3].text, dir.path().string());

    // On a disc there is no folder to choose: said, and the load ends.
    dialogs = test::ScriptedDialogs{};
    state->demMedia = 0;
    state->demFolder = empty;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(loadElevationBlock(*state, menu, dialogs).has_value());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              noMeshFilesMessage(empty, state->meshCodes[1].substr(0, 4) + "/" + firstFile, NoMeshFilesOffer::Nothing));
    EXPECT_EQ(dialogs.messages()[1].buttons, Buttons::Ok);
}

// With the "標高データの作成" window at hand the failure offers to make the block's data: the
// folder the window wrote to is read at once and becomes the hard-disk source. A folder that
// still holds none of the block's files is said again; a cancel then leaves the source as it
// was before the load (here the disc).
TEST_F(ElevationLoadingTest, NoMeshFileAtAllOffersToMakeTheDataAndReadsItsFolder) {
    const std::string disc = (dir / "Q/Data").string();
    std::filesystem::create_directories(disc);
    writeFolderMeshes("made");
    std::filesystem::create_directories(dir / "elsewhere");
    std::vector<std::string> centres;
    std::string reported = (dir / "made").string();
    const DemCreationWindow window = [&](const std::string& centre, std::string&) {
        centres.push_back(centre);
        return std::optional<std::string>(reported);
    };

    state->demMedia = 0;
    state->demFolder = disc;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerMessage(Answer::Yes);
    const std::optional<ElevationLoadSummary> load = loadElevationBlock(*state, menu, dialogs, {}, window);
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(load->readFiles, 9);
    EXPECT_EQ(centres, std::vector<std::string>{"533945"});
    EXPECT_EQ(state->demFolder, reported);
    EXPECT_EQ(state->demMedia, 1);
    EXPECT_FLOAT_EQ(at(300, 300), 500.0f + 10.1f);  // slot 5, record 101
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "指定されたフォルダーに数値地図（標高）のファイルがありません。\r\n\r\n"
              "フォルダー：" + disc + "\r\n最初のファイル：5339/533954.MEM\r\n\r\n標高データを作成しますか？");
    EXPECT_EQ(dialogs.messages()[1].title, "数値地図読込");
    EXPECT_EQ(dialogs.messages()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Question);
    EXPECT_TRUE(dialogs.allAnswersUsed());

    // The window wrote another block: the question names its folder, and a cancel restores the disc.
    dialogs = test::ScriptedDialogs{};
    centres.clear();
    reported = (dir / "elsewhere").string();
    state->demMedia = 0;
    state->demFolder = disc;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerMessage(Answer::Yes);
    dialogs.answerMessage(Answer::Cancel);
    EXPECT_FALSE(loadElevationBlock(*state, menu, dialogs, {}, window).has_value());
    EXPECT_EQ(centres.size(), 1u);
    ASSERT_EQ(dialogs.messages().size(), 3u);
    EXPECT_EQ(dialogs.messages()[2].text,
              noMeshFilesMessage(reported, "533954.MEM", NoMeshFilesOffer::CreateDataOrAnotherFolder));
    EXPECT_EQ(dialogs.messages()[2].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(state->demFolder, disc);
    EXPECT_EQ(state->demMedia, 0);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(ElevationLoadingTest, FolderNamedLikeAMeshFileCountsAsMissing) {
    writeFolderMeshes("DEM");
    std::filesystem::remove(dir / "DEM/533945.MEM");
    std::filesystem::create_directory(dir / "DEM/533945.MEM");
    state->demMedia = 1;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder((dir / "DEM").string());
    loadElevationBlock(*state, menu, dialogs);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(at(300, 300), ElevationGrid::kNoData);
    EXPECT_FLOAT_EQ(at(300, 400), 600.0f + 10.1f);  // slot 6, record 101
}

TEST_F(ElevationLoadingTest, UnreadableFileWarnsAndBecomesSea) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    writeFolderMeshes("DEM");
    std::filesystem::permissions(dir / "DEM/533945.MEM", std::filesystem::perms::none);
    state->demMedia = 1;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder((dir / "DEM").string());
    loadElevationBlock(*state, menu, dialogs);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, kSeaWarning);
    EXPECT_EQ(dialogs.messages()[1].title, "ファイルエラー");
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Warning);
    EXPECT_EQ(at(300, 300), ElevationGrid::kNoData);
}

TEST_F(ElevationLoadingTest, OtherMediaValueAsksNothing) {
    state->demMedia = 2;
    state->demFolder = dir.path().string();
    const std::optional<ElevationLoadSummary> load = loadElevationBlock(*state, menu, dialogs);
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_TRUE(load.has_value());
    EXPECT_EQ(at(0, 0), ElevationGrid::kNoData);
}

TEST_F(ElevationLoadingTest, SetMeshCornersFillsCornersOnly) {
    state->elevationGrid.set(10, 10, 1, 5.0f);
    setMeshCorners(*state);
    EXPECT_EQ(state->meshCorners[5].westLongitude, "139.373");
    EXPECT_EQ(state->meshCorners[3].eastLongitude, "139.523");
    EXPECT_EQ(state->elevationGrid.get(10, 10, 1), 5.0f);
}

TEST(FileChecks, LookingErrorsWarnButMissingFilesDoNot) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    dir.write("a.MEM", "x");
    std::filesystem::create_directory(dir / "folder.MEM");
    EXPECT_TRUE(fileExistsOrSea(dir / "a.MEM", dialogs));
    EXPECT_FALSE(fileExistsOrSea(dir / "b.MEM", dialogs));
    EXPECT_FALSE(fileExistsOrSea(dir / "a.MEM/inside", dialogs));  // a file is no folder
    EXPECT_FALSE(fileExistsOrSea(dir / "folder.MEM", dialogs));
    EXPECT_TRUE(dialogs.asked().empty());
    // A name too long for the file system is an error while looking.
    EXPECT_FALSE(fileExistsOrSea(dir / std::string(300, 'x'), dialogs));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kSeaWarning);
    EXPECT_FALSE(fileExists(dir / std::string(300, 'x')));
    EXPECT_FALSE(fileExists(dir / "folder.MEM"));
}

TEST(Progress, ValuesOfTheNineMeshes) {
    const int expected[] = {22, 44, 67, 89, 111, 133, 156, 178, 200};
    for (int j = 1; j <= 9; ++j) EXPECT_EQ(progressValue(j, 9), expected[j - 1]) << j;
}

TEST_F(ElevationLoadingTest, CodesThatNameNoMeshLeaveTheSeaAndOddFieldsAreCounted) {
    writeFolderMeshes("DEM");
    // Slot 1 names no mesh (as a block moved past the code range would): nothing is looked up.
    state->meshCodes[1] = "../DEM/533945";
    // Slot 5 holds one field with an exponent.
    const std::string centre = state->meshCodes[5];
    std::string bytes = test::memFile(centre, [](int, int) { return 10; });
    bytes.replace(bytes.find("   10"), 5, " 1e10");
    dir.write("DEM/" + centre + ".MEM", bytes);
    state->demMedia = 1;
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder((dir / "DEM").string());
    dialogs.answerMessage(Answer::Ok);
    const ElevationLoadSummary summary = loadElevationBlock(*state, menu, dialogs).value();
    EXPECT_EQ(summary.readFiles, 8);
    EXPECT_EQ(summary.missingFiles, 1);
    EXPECT_EQ(summary.oddFields, 1);
    // The odd field is said once, after the load, with the count of files read.
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "数値地図（標高）のファイル8個を読み込みました。\r\n"
              "数値として読めない値が1個あり、データなしとして扱います。");
    EXPECT_EQ(dialogs.messages()[1].title, "数値地図読込");
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Information);
    EXPECT_EQ(at(0, 0), ElevationGrid::kNoData);
    EXPECT_EQ(at(200, 200), ElevationGrid::kNoData);  // the field that was no number
    EXPECT_FLOAT_EQ(at(200, 201), 1.0f);
}

}  // namespace
}  // namespace orv
