// The whole build: a broken source leaves only the meshes in its area unwritten, existing files
// are replaced only when the caller agrees, and the summary says what happened.
#include "terrain/DemBuild.h"
#include "terrain/DemMessages.h"
#include "terrain/Resampler.h"

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

    EXPECT_EQ(report->cellsCoarse(), 0);

    const std::string summary = summaryText(*report);
    EXPECT_EQ(summary.substr(0, summary.find("\r\n")), "標高データを作成しました。");
    EXPECT_NE(summary.find("書き出したメッシュ: 2 / 9\r\n"), std::string::npos);
    EXPECT_NE(summary.find("\r\n元データのセルの大きさ: 5m（DEM5A）\r\n50mより粗いデータのセル: 0\r\n"), std::string::npos)
        << summary;
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

// A real tile pyramid (z8 to z14 over one lowland area): the cells the z14 to z12 tiles give
// are finer than the 50 m grid, those the z11 and coarser tiles give around them are coarse.
TEST_F(DemBuildTest, CellsFromTilesCoarserThanTheGridAreCountedAsCoarse) {
    request.centre = "654461";  // 43°50′–43°55′ N, 144°07′30″–144°15′ E
    request.kind = DemSourceKind::TileFolder;
    request.tileFolder = std::string(ORVANE_REALDATA) + "/tiles-memanbetsu";
    const auto report = buildDemBlock(request);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->meshesWritten(), 9);
    std::vector<std::string> layers;
    std::vector<double> metres;
    for (const auto& s : report->sources) {
        layers.push_back(s.layer.name());
        metres.push_back(s.metres);
    }
    EXPECT_EQ(layers, (std::vector<std::string>{"タイル z14", "タイル z13", "タイル z12", "タイル z11", "タイル z10",
                                                "タイル z9", "タイル z8"}));
    ASSERT_EQ(metres.size(), 7u);
    EXPECT_NEAR(metres[0], 6.9, 0.1);    // 9.55 m at the equator, times cos 43.9°
    EXPECT_NEAR(metres[3], 55.1, 0.2);   // z11: coarser than the grid
    EXPECT_NEAR(metres[6], 441.1, 1.0);
    // The centre mesh lies mostly under the z14 tiles; the outer meshes mostly beyond them.
    // The z12 to z14 tiles cover the centre mesh and reach into its neighbours; the southern row
    // lies beyond them.
    EXPECT_EQ(mesh(*report, "654461").cellsWithData, kMeshSide * kMeshSide);
    EXPECT_EQ(mesh(*report, "654461").cellsCoarse, 0);
    for (const char* code : {"654460", "654462", "654471"}) {
        EXPECT_GT(mesh(*report, code).cellsCoarse, kMeshSide * kMeshSide / 4) << code;
        EXPECT_LT(mesh(*report, code).cellsCoarse, kMeshSide * kMeshSide * 3 / 4) << code;
    }
    EXPECT_GT(mesh(*report, "654451").cellsCoarse, kMeshSide * kMeshSide * 9 / 10);
    const std::string summary = summaryParts(*report).text;
    EXPECT_NE(summary.find("\r\n元データのセルの大きさ: 約6.9m（タイル z14）、約14m（タイル z13）、約28m（タイル z12）、"
                           "約55m（タイル z11）、約110m（タイル z10）、約220m（タイル z9）、約440m（タイル z8）\r\n"
                           "50mより粗いデータのセル: " + std::to_string(report->cellsCoarse()) + "\r\n"),
              std::string::npos)
        << summary;
}

// The sizes as the summary writes them: the survey's DEMs by their products' sizes, tile pixels
// measured at the block to two digits.
TEST(DemSummaryTest, SourceCellSizesAndCoarseCells) {
    DemBuildReport report;
    report.meshes[4].written = true;
    report.meshes[4].cellsWithData = kMeshSide * kMeshSide;
    report.meshes[4].cellsCoarse = 1234;
    LayerKey dem5;
    dem5.stepSeconds = 0.2;
    dem5.grade = 'A';
    LayerKey odd;  // a lattice of another step: its size is measured
    odd.stepSeconds = 1.0;
    const auto tile = [](int zoom) {
        LayerKey k;
        k.lattice = Lattice::WebMercator;
        k.zoom = zoom;
        return k;
    };
    report.sources = {{dem5, dem5.cellMetres(35.0)}, {tile(14), tile(14).cellMetres(35.0)},
                      {tile(12), 9.96}, {odd, odd.cellMetres(35.0)}, {tile(8), tile(8).cellMetres(42.7)}};
    EXPECT_EQ(summaryParts(report).text,
              "標高データを作成しました。\r\n書き出したメッシュ: 1 / 9\r\nデータのあるセル: 100.0%\r\n"
              "元データのセルの大きさ: 5m（DEM5A）、約7.8m（タイル z14）、約10m（タイル z12）、約31m（DEM10）、"
              "約450m（タイル z8）\r\n50mより粗いデータのセル: 1234\r\n海・データなしのセル: 0\r\n出典：国土地理院");

    // Where the threshold falls: a z11 pixel is coarse in the south and in the north, z12 nowhere.
    EXPECT_GT(tile(11).cellMetres(45.5), kCoarseCellMetres);
    EXPECT_LT(tile(12).cellMetres(24.0), kCoarseCellMetres);
    EXPECT_LT((LayerKey{Lattice::LatLon, 0.4, 0, 'B'}.cellMetres(35.0)), kCoarseCellMetres);
}

}  // namespace
}  // namespace orv::terrain
