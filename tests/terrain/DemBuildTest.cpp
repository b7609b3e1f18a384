// The whole build: a broken source leaves only the meshes in its area unwritten, existing files
// are replaced only when the caller agrees, and the summary says what happened.
#include "terrain/DemBuild.h"
#include "terrain/DemMessages.h"

#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orv::terrain {
namespace {

namespace fs = std::filesystem;

const std::string kRealDem = std::string(ORVANE_REALDATA) + "/FG-GML-5238-74-00-DEM5A-20161001.xml";

struct DemBuildTest : ::testing::Test {
    orv::test::TempDir dir;
    DemBuildRequest request;

    DemBuildTest() {
        request.centre = "523874";
        request.kind = DemSourceKind::Gml;
        request.outFolder = dir / "out";
        // The survey's tertiary mesh 52387400 lies across the Tokyo datum meshes 523874 and
        // 523864; a file that is no XML, named for tertiary mesh 52387500, lies across 523875
        // and 523865.
        request.gmlFiles = {kRealDem, dir.write("FG-GML-5238-75-00-DEM5A-20161001.xml", "not xml at all").string()};
    }

    const MeshResult& mesh(const DemBuildReport& r, const std::string& code) {
        for (const auto& m : r.meshes)
            if (m.code == code) return m;
        ADD_FAILURE() << code;
        return r.meshes[0];
    }
};

TEST_F(DemBuildTest, BrokenSourceSpoilsOnlyItsOwnMeshes) {
    const auto report = buildDemBlock(request);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 1u);
    EXPECT_EQ(report->problems[0].problem.line, 1);
    EXPECT_TRUE(mesh(*report, "523874").written);
    EXPECT_TRUE(mesh(*report, "523864").written);
    EXPECT_EQ(mesh(*report, "523874").layers, std::vector<std::string>{"DEM5A"});
    for (const char* spoiled : {"523875", "523865"}) {
        EXPECT_FALSE(mesh(*report, spoiled).written) << spoiled;
        EXPECT_NE(mesh(*report, spoiled).notWritten.find("読めなかったデータ"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir / "out" / (std::string(spoiled) + ".MEM")));
    }
    EXPECT_EQ(mesh(*report, "533804").notWritten, "データがありません");
    EXPECT_EQ(report->meshesWritten(), 2);
    // 302 of the file's points are an inland water surface without heights.
    EXPECT_GT(report->cellsWithData(), 0);
    EXPECT_LT(report->cellsWithData(), report->cellsWritten());

    const std::string summary = summaryText(*report);
    EXPECT_EQ(summary.substr(0, summary.find("\r\n")), "標高データを作成しました。");
    EXPECT_NE(summary.find("書き出したメッシュ: 2 / 9\r\n"), std::string::npos);
    EXPECT_NE(summary.find("ファイル " + request.gmlFiles[1] + " の 1 行目: "), std::string::npos) << summary;
    EXPECT_EQ(summary.substr(summary.size() - std::string(kSurveyCredit).size()), kSurveyCredit);
}

TEST_F(DemBuildTest, ExistingFilesAreReplacedOnlyWhenTheCallerAgrees) {
    request.gmlFiles.pop_back();
    dir.write("out/523874.mem", "old");
    std::vector<fs::path> asked;
    DemBuildHooks hooks;
    hooks.replaceExisting = [&](const std::vector<fs::path>& existing) {
        asked = existing;
        return false;
    };
    const auto declined = buildDemBlock(request, hooks);
    ASSERT_TRUE(declined.ok());
    EXPECT_TRUE(declined->declined);
    EXPECT_EQ(asked, std::vector<fs::path>{dir / "out" / "523874.mem"});
    EXPECT_FALSE(fs::exists(dir / "out" / "523864.MEM"));
    std::string bytes;
    ASSERT_EQ(readBytes(dir / "out" / "523874.mem", bytes), FileError::None);
    EXPECT_EQ(bytes, "old");
    EXPECT_EQ(replaceQuestion(asked), "出力フォルダに同じメッシュのファイルがあります。\r\n523874.mem\r\n置き換えてよろしいですか");

    // Agreed: the file is replaced under its own name, and nothing is left beside it.
    hooks.replaceExisting = [](const std::vector<fs::path>&) { return true; };
    const auto replaced = buildDemBlock(request, hooks);
    ASSERT_TRUE(replaced.ok());
    EXPECT_EQ(replaced->meshesWritten(), 2);
    ASSERT_EQ(readBytes(dir / "out" / "523874.mem", bytes), FileError::None);
    EXPECT_EQ(bytes.substr(0, 14), "523874 200 200");
    EXPECT_FALSE(fs::exists(dir / "out" / "523874.MEM") && fs::exists(dir / "out" / "523874.mem") &&
                 !fs::equivalent(dir / "out" / "523874.MEM", dir / "out" / "523874.mem"));
}

TEST_F(DemBuildTest, CancelAndBadCentre) {
    DemBuildHooks hooks;
    hooks.progress = [](int, int, const std::string&) { return false; };
    const auto cancelled = buildDemBlock(request, hooks);
    ASSERT_TRUE(cancelled.ok());
    EXPECT_TRUE(cancelled->cancelled);
    EXPECT_EQ(cancelled->meshesWritten(), 0);
    EXPECT_EQ(summaryText(*cancelled).substr(0, summaryText(*cancelled).find("\r\n")), "標高データの作成を取り消しました。");

    for (const char* code : {"52387", "523884", "52387a", ""}) {
        request.centre = code;
        const auto bad = buildDemBlock(request);
        ASSERT_FALSE(bad.ok()) << code;
        EXPECT_EQ(buildProblemText(bad.problem()),
                  "標高データを作成できません。\r\nメッシュコード「" + std::string(code) + "」は6桁の2次メッシュコードではありません");
    }
}

}  // namespace
}  // namespace orv::terrain
