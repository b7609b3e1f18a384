// "標高データの作成" headless: the window's commands through dispatch with scripted answers, and
// the exact texts the user is shown.
#include "terrain/DemCreation.h"

#include "core/TextFile.h"
#include "geo/MeshCode.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "terrain/DemMessages.h"

#include <gtest/gtest.h>

namespace orv::terrain {
namespace {

namespace fs = std::filesystem;
using orv::test::Asked;
using orv::test::ScriptedDialogs;

const std::string kRealData = ORVANE_REALDATA;

struct DemCreationTest : ::testing::Test {
    orv::test::TempDir dir;
    orv::test::ScriptedDialogs dialogs;
    DemCreation model{dialogs, "644205"};
};

TEST_F(DemCreationTest, IncompleteChoicesAreRefusedWithTheirMessage) {
    struct Case {
        const char* centre;
        DemSourceKind kind;
        bool haveSource;
        bool haveOut;
        const char* message;
    };
    const Case cases[] = {
        {"", DemSourceKind::Gml, true, true, kDemCentreRefused},
        {"64420", DemSourceKind::Gml, true, true, kDemCentreRefused},
        {"644208", DemSourceKind::Gml, true, true, kDemCentreRefused},
        {"644205", DemSourceKind::Gml, false, true, kDemNoGmlFiles},
        {"644205", DemSourceKind::TileFolder, false, true, kDemNoTileFolder},
        {"644205", DemSourceKind::Download, true, false, kDemNoOutFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        orv::test::ScriptedDialogs asked;
        DemCreation m(asked, c.centre);
        m.kind = c.kind;
        if (c.haveSource) m.gmlFiles = {"a.xml"}, m.tileFolder = "tiles";
        if (c.haveOut) m.outFolder = dir.path().string();
        asked.answerMessage(Answer::Ok);
        EXPECT_TRUE(m.dispatch("ActDemRun"));
        ASSERT_EQ(asked.messages().size(), 1u);
        EXPECT_EQ(asked.messages()[0].text, c.message);
        EXPECT_EQ(asked.messages()[0].title, "標高データの作成");
        EXPECT_EQ(asked.messages()[0].icon, Icon::Warning);
        EXPECT_FALSE(m.lastOutcome().has_value());
    }
}

TEST_F(DemCreationTest, ADownloadIsRefusedWhileTheUrlNamesNoTemplate) {
    DemCreation m(dialogs, "644205", "https://example.invalid/dem/14/1/2.png");
    m.kind = DemSourceKind::Download;
    m.outFolder = dir.path().string();
    dialogs.answerMessage(Answer::Ok);
    EXPECT_TRUE(m.dispatch("ActDemRun"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "標高タイルのURLには {z} {x} {y} を含めてください。");
    EXPECT_FALSE(m.lastOutcome().has_value());
    EXPECT_FALSE(fs::exists(dir / "644205.MEM"));
}

TEST_F(DemCreationTest, TileFolderBuildShowsTheSummaryAndAsksBeforeReplacing) {
    dialogs.answerFolder(kRealData);
    dialogs.answerFolder((dir / "out").string());
    EXPECT_TRUE(model.dispatch("ActDemTileFolder"));
    EXPECT_TRUE(model.dispatch("ActDemOutFolder"));
    EXPECT_EQ(model.kind, DemSourceKind::TileFolder);
    ASSERT_EQ(dialogs.asked().size(), 2u);
    EXPECT_EQ(dialogs.asked()[0].title, "標高タイルのフォルダを選択してください");
    EXPECT_EQ(dialogs.asked()[1].title, "標高データを書き出すフォルダを選択してください");

    std::vector<int> percents;
    DemBuildView view;
    view.progress = [&](int percent, const std::string&) { percents.push_back(percent); };
    dialogs.answerMessage(Answer::Ok);
    EXPECT_TRUE(model.dispatch("ActDemRun", view));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              "標高データを作成しました。\r\n書き出したメッシュ: 9 / 9\r\nデータのあるセル: 100.0%\r\n"
              "元データのセルの大きさ: 約450m（タイル z8）\r\n50mより粗いデータのセル: 360000\r\n"
              "海・データなしのセル: 0\r\n出典：国土地理院");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Information);
    EXPECT_EQ(model.lastOutcome(), DemBuildOutcome::Written);
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));

    // Again into the same folder: the user is asked, and "いいえ" leaves the files alone.
    const auto written = fs::last_write_time(dir / "out" / "644205.MEM");
    dialogs.answerMessage(Answer::No);
    model.dispatch("ActDemRun", view);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text,
              "出力フォルダに同じメッシュのファイルがあります。\r\n644214.MEM 644215.MEM 644216.MEM 644204.MEM "
              "644205.MEM 644206.MEM 634274.MEM 634275.MEM 634276.MEM\r\n置き換えてよろしいですか");
    EXPECT_EQ(dialogs.messages()[1].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Question);
    EXPECT_EQ(model.lastOutcome(), DemBuildOutcome::Refused);
    EXPECT_EQ(fs::last_write_time(dir / "out" / "644205.MEM"), written);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// The nine files go in as one set: a write that fails anywhere leaves every old file as it was
// and is told as a failure; what an interrupted run left beside them is cleared first.
TEST_F(DemCreationTest, FailedWriteReplacesNoFileAndSaysSo) {
    const auto codes = meshNeighbours("644205");
    const struct {
        const char* what;
        const char* blocked;  // a folder where the build writes a file
    } cases[] = {
        {"staging the centre mesh fails", "644205.MEM.orvnew"},
        {"renaming over the centre mesh fails", "644205.MEM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path out = dir / c.what;
        for (size_t slot = 1; slot <= 9; ++slot)
            if (codes[slot] != "644205") dir.write(std::string(c.what) + "/" + codes[slot] + ".MEM", "old");
        fs::create_directories(out / c.blocked);
        dir.write(std::string(c.what) + "/644206.MEM.orvtmp", "half a file of a killed run");
        dir.write(std::string(c.what) + "/644204.MEM.orvnew", "staged by a killed run");

        ScriptedDialogs asked;
        DemCreation m{asked, "644205"};
        m.kind = DemSourceKind::TileFolder;
        m.tileFolder = kRealData;
        m.outFolder = out.string();
        asked.answerMessage(Answer::Yes);  // replace the old files
        m.dispatch("ActDemRun");
        ASSERT_EQ(asked.messages().size(), 2u);
        const Asked told = asked.messages()[1];
        EXPECT_EQ(told.text.rfind("標高データを書き出せませんでした。\r\n書き込めません（ディスクの空きがないか、書き込めない場所です）: ", 0), 0u)
            << told.text;
        EXPECT_NE(told.text.find("\r\n出力フォルダのファイルは元のままです。\r\n書き出したメッシュ: 0 / 9\r\n"), std::string::npos)
            << told.text;
        EXPECT_EQ(told.icon, Icon::Error);
        EXPECT_EQ(m.lastOutcome(), DemBuildOutcome::NothingWritten);

        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(out)) {
            if (!entry.is_regular_file()) continue;
            std::string bytes;
            ASSERT_EQ(readBytes(entry.path(), bytes), FileError::None);
            EXPECT_EQ(bytes, "old") << entry.path();
            left.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(left.size(), 8u);
    }
}

TEST_F(DemCreationTest, CancelDuringTheBuildAndFilesChosenOnce) {
    dialogs.answerFile(kRealData + "/FG-GML-5238-74-00-DEM5A-20161001.xml");
    dialogs.answerFile(kRealData + "/FG-GML-5238-74-00-DEM5A-20161001.xml");
    dialogs.answerFile(std::nullopt);
    model.kind = DemSourceKind::TileFolder;
    for (int i = 0; i < 3; ++i) model.dispatch("ActDemAddGml");
    EXPECT_EQ(model.gmlFiles.size(), 1u);
    EXPECT_EQ(model.kind, DemSourceKind::Gml);
    EXPECT_EQ(dialogs.asked()[0].title, "FG-GMLファイルを開く");
    EXPECT_EQ(dialogs.asked()[0].text, "FG-GML DEM(*.xml;*.zip)|*.xml;*.XML;*.zip;*.ZIP");

    model.centre = "523874";
    model.outFolder = (dir / "out").string();
    DemBuildView view;
    view.keepResponsive = [&] {
        EXPECT_TRUE(model.running());
        EXPECT_FALSE(model.dispatch("ActDemAddGml"));  // only cancel is taken while it runs
        return model.dispatch("ActDemCancel");
    };
    dialogs.answerMessage(Answer::Ok);
    model.dispatch("ActDemRun", view);
    EXPECT_EQ(model.lastOutcome(), DemBuildOutcome::Cancelled);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "標高データの作成を取り消しました。\r\n書き出したメッシュ: 0 / 9\r\n出典：国土地理院");
    EXPECT_FALSE(model.running());
    EXPECT_FALSE(fs::exists(dir / "out" / "523874.MEM"));
}

}  // namespace
}  // namespace orv::terrain
