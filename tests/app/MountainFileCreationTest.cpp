// "山名ﾌｧｲﾙ新規作成" in the plan start dialog: the new file is asked for, made with its header
// line and registered into; cancelling keeps the file in use.
#include "app/PlanStart.h"

#include "core/Cp932.h"
#include "core/TextFile.h"
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

std::string fileBytes(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None);
    return bytes;
}

struct NewMountainFileTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    void SetUp() override {
        state->appFolder = ORVANE_ASSETS;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        state->mountainFilePath = std::string(ORVANE_ASSETS) + "/sample/hidaka.ndb";
    }
};

TEST_F(NewMountainFileTest, MakesTheFileAndRegistersIntoIt) {
    const fs::path file = dir / "new.YMD";
    dialogs.answerFile(file.string());
    PlanStart start(*state, dialogs, [] { return std::vector<fs::path>{}; });
    start.open();
    int shown = 0;
    start.setMountainRegistration([&](MountainRegistration& r) {
        ++shown;
        EXPECT_TRUE(state->newMountainFile);
        EXPECT_EQ(fileBytes(file), "MeshSize=-1\r\n");
        r.sheet = {"35.40", "138.45", "35.50", "139.00", "400", "400", "460", "460"};
        r.latitudeMm = "230";
        r.longitudeMm = "200";
        ASSERT_TRUE(r.calculate());
        r.mountain.name = "中山";
        r.mountain.reading = "なかやま";
        r.mountain.elevation = "1234";
        ASSERT_TRUE(r.registerMountain());
        r.finish();
    });
    start.createMountainFile();

    EXPECT_EQ(shown, 1);
    const auto& asked = dialogs.asked();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].kind, "saveFile");
    EXPECT_EQ(asked[0].title, "新規山名ファイルの保存");
    EXPECT_EQ(asked[0].text, "山名ファイル(*.YMD)|*.YMD");
    EXPECT_EQ(asked[0].initialPath, state->dataFolder.string());
    EXPECT_FALSE(state->newMountainFile);
    EXPECT_EQ(state->mountainFilePath, file.string());
    EXPECT_EQ(start.mountainFile(), file.string());
    EXPECT_EQ(fileBytes(file), "MeshSize=-1\r\n" + utf8ToCp932("中山 35.45 138.523 1234 なかやま A").text + "\r\n");
}

TEST_F(NewMountainFileTest, CancellingTheSaveDialogKeepsTheFileInUse) {
    const std::string before = state->mountainFilePath;
    dialogs.answerFile(std::nullopt);
    PlanStart start(*state, dialogs, [] { return std::vector<fs::path>{}; });
    start.open();
    bool shown = false;
    start.setMountainRegistration([&](MountainRegistration&) { shown = true; });
    start.createMountainFile();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(state->newMountainFile);
    EXPECT_EQ(state->mountainFilePath, before);
    EXPECT_EQ(start.mountainFile(), before);
}

}  // namespace
}  // namespace orv
