// orvane-cli: its help and usage errors, and "dem" writing the Hidaka block from the survey's
// tile, read back by the loader.
#include "cli/Cli.h"

#include "CliRun.h"
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv::cli {
namespace {

namespace fs = std::filesystem;

TEST(CliTest, HelpAndUsageErrors) {
    const CliRun help = run({"dem", "--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out.rfind("使い方: orvane-cli dem --centre CODE (--gml FILE_OR_ZIP... | --tiles DIR | --download [--cache DIR]) --out DIR [--force]\n", 0), 0u);
    EXPECT_EQ(run({"--help"}).status, kExitOk);

    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{}, "使い方: orvane-cli COMMAND"},
        {{"draw"}, "コマンド「draw」はありません"},
        {{"dem", "--tiles", "t", "--out", "o"}, "--centre がありません"},
        {{"dem", "--centre", "6442", "--tiles", "t", "--out", "o"}, "メッシュコード「6442」は6桁の2次メッシュコードではありません"},
        {{"dem", "--centre", "644205", "--out", "o"}, "--gml, --tiles, --download のどれか一つを指定してください"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--download", "--out", "o"}, "のどれか一つ"},
        {{"dem", "--centre", "644205", "--gml", "--out", "o"}, "--gml にファイルがありません"},
        {{"dem", "--centre", "644205", "--tiles", "t"}, "--out がありません"},
        {{"dem", "--centre", "644205", "--download", "--url", "http://x/a.png", "--out", "o"}, "{z} {x} {y}"},
        {{"dem", "--centre", "644205", "--download", "--zoom", "9", "--out", "o"}, "--zoom は --url の後に"},
        {{"dem", "--centre", "644205", "--tiles", "t", "--out", "o", "--fast"}, "知らないオプション「--fast」です"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, kExitUsage) << c.error;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(CliTest, DemWritesTheSampleBlockFromTheSurveyTile) {
    test::TempDir dir;
    const std::vector<std::string> args{"dem", "--centre", "644205", "--tiles", ORVANE_REALDATA, "--out", (dir / "dem").string()};
    const CliRun first = run(args);
    ASSERT_EQ(first.status, kExitOk) << first.err;
    EXPECT_EQ(first.out.substr(first.out.size() - std::string("出典：国土地理院\n").size()), "出典：国土地理院\n");

    // The loader reads the block; 幌尻岳 is the highest cell, on its pixel.
    auto grid = std::make_unique<ElevationGrid>();
    const auto codes = meshNeighbours("644205");
    for (int slot = 1; slot <= 9; ++slot) {
        std::string bytes;
        ASSERT_EQ(readBytes(meshFilePath(dir / "dem", codes[static_cast<size_t>(slot)], false), bytes), FileError::None);
        const MeshSlotPlace& place = meshSlotPlaces[static_cast<size_t>(slot)];
        parseMemFile(bytes, *grid, place.firstRow, place.firstColumn, 1);
        // The bundled sample is this very output.
        std::string bundled;
        ASSERT_EQ(readBytes(meshFilePath(std::string(ORVANE_ASSETS) + "/sample/dem", codes[static_cast<size_t>(slot)], false), bundled), FileError::None);
        EXPECT_EQ(bytes, bundled) << codes[static_cast<size_t>(slot)];
    }
    int bestRow = 0, bestColumn = 0;
    for (int r = 0; r < 600; ++r)
        for (int c = 0; c < 600; ++c)
            if (grid->get(r, c, 1) > grid->get(bestRow, bestColumn, 1)) bestRow = r, bestColumn = c;
    EXPECT_EQ(bestRow, 276);
    EXPECT_EQ(bestColumn, 297);
    EXPECT_NEAR(grid->get(bestRow, bestColumn, 1), 1939.0f, 0.01f);

    // Again: refused without --force, done with it.
    const CliRun refused = run(args);
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_NE(refused.err.find("--force で置き換えます"), std::string::npos);
    EXPECT_NE(refused.err.find((dir / "dem" / "644205.MEM").string()), std::string::npos);
    std::vector<std::string> forced = args;
    forced.push_back("--force");
    EXPECT_EQ(run(forced).status, kExitOk);
}

TEST(CliTest, FailureExitsNonZeroWithTheMessage) {
    test::TempDir dir;
    const CliRun r = run({"dem", "--centre", "644205", "--gml", (dir / "missing.zip").string(), "--out", (dir / "dem").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("ファイル " + (dir / "missing.zip").string() + ": "), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "dem" / "644205.MEM"));
}

TEST(CliTest, DemWriteFailureExitsNonZeroAndLeavesNoFile) {
    test::TempDir dir;
    fs::create_directories(dir / "dem" / "644205.MEM.orvnew");  // a folder where a file is to go
    dir.write("dem/644206.MEM.orvtmp", "half a file of a killed run");
    const CliRun r = run({"dem", "--centre", "644205", "--tiles", ORVANE_REALDATA, "--out", (dir / "dem").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err.rfind("標高データを書き出せませんでした。\n書き込めません（ディスクの空きがないか、書き込めない場所です）: ", 0), 0u)
        << r.err;
    EXPECT_EQ(r.err.find("は書き出していません"), std::string::npos) << r.err;  // the cause is said once
    EXPECT_TRUE(r.out.empty());
    for (const auto& entry : fs::directory_iterator(dir / "dem")) EXPECT_FALSE(entry.is_regular_file()) << entry.path();
}

}  // namespace
}  // namespace orv::cli
