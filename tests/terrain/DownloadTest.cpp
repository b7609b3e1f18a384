// Downloading elevation tiles through a local HTTP server: the finer server's missing tiles
// (404) handed to the coarser one, the cache, a connection cut halfway, and no network at all.
#include "terrain/DemBuild.h"
#include "terrain/DemMessages.h"

#include "core/TextFile.h"
#include "support/TempDir.h"
#include "terrain/LocalTileServer.h"

#include <gtest/gtest.h>

namespace orv::terrain {
namespace {

namespace fs = std::filesystem;

const std::string kPng = std::string(ORVANE_REALDATA) + "/dem_png-8-229-94.png";

struct DownloadTest : ::testing::Test {
    orv::test::TempDir dir;
    std::string png;
    test::LocalTileServer server{[this](const std::string& path) {
        if (path == "/dem_png/8/229/94.png") return test::HttpReply{200, png, false};
        if (path == "/cut/8/229/94.png") return test::HttpReply{200, png, true};
        return test::HttpReply{404, "not found", false};
    }};

    DownloadTest() { EXPECT_EQ(readBytes(kPng, png), FileError::None); }

    DemBuildRequest request(std::vector<TileServer> servers) {
        DemBuildRequest r;
        r.centre = "644205";
        r.kind = DemSourceKind::Download;
        r.download.servers = std::move(servers);
        r.download.cacheFolder = dir / "cache";
        r.download.minimumIntervalMs = 0;
        r.download.timeoutMs = 10000;
        r.outFolder = dir / "out";
        return r;
    }
};

TEST_F(DownloadTest, MissingFineTilesFallBackToCoarseOnesAndTheCacheServesTheNextRun) {
    const auto r = request({{server.base() + "/fine/{z}/{x}/{y}.png", 9}, {server.base() + "/dem_png/{z}/{x}/{y}.png", 8}});
    const auto report = buildDemBlock(r);
    ASSERT_TRUE(report.ok()) << report.problem().detail;
    EXPECT_TRUE(report->problems.empty()) << sourceProblemText(report->problems[0]);
    EXPECT_EQ(report->meshesWritten(), 9);
    EXPECT_EQ(report->tilesMissing, 2);  // the block spans two tiles of zoom 9, both 404
    EXPECT_EQ(server.requested(), (std::vector<std::string>{"/fine/9/458/188.png", "/fine/9/459/188.png", "/dem_png/8/229/94.png"}));
    EXPECT_TRUE(fs::exists(dir / "cache" / "dem_png" / "8" / "229" / "94.png"));
    EXPECT_TRUE(fs::exists(dir / "cache" / "fine" / "9" / "458" / "188.png.none"));
    std::string first;
    ASSERT_EQ(readBytes(dir / "out" / "644205.MEM", first), FileError::None);

    // The server gone: everything comes from the cache and the same files come out.
    server.stop();
    fs::remove_all(dir / "out");
    const auto again = buildDemBlock(r);
    ASSERT_TRUE(again.ok());
    EXPECT_TRUE(again->problems.empty());
    EXPECT_FALSE(again->offline);
    EXPECT_EQ(again->meshesWritten(), 9);
    std::string second;
    ASSERT_EQ(readBytes(dir / "out" / "644205.MEM", second), FileError::None);
    EXPECT_EQ(first, second);
    EXPECT_EQ(server.requested().size(), 3u);
}

TEST_F(DownloadTest, ConnectionCutHalfwayWritesNothingItTouches) {
    const auto report = buildDemBlock(request({{server.base() + "/cut/{z}/{x}/{y}.png", 8}}));
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 1u);
    EXPECT_EQ(report->problems[0].file, server.base() + "/cut/8/229/94.png");
    EXPECT_EQ(report->meshesWritten(), 0);
    EXPECT_FALSE(fs::exists(dir / "out" / "644205.MEM"));
    EXPECT_FALSE(fs::exists(dir / "cache" / "cut" / "8" / "229" / "94.png"));
    const std::string summary = summaryText(*report);
    EXPECT_NE(summary.find("ファイル " + server.base() + "/cut/8/229/94.png: "), std::string::npos) << summary;
    EXPECT_NE(summary.find("メッシュ 644205 は書き出していません"), std::string::npos);
}

TEST_F(DownloadTest, NoServerMeansOfflineAndSaysSo) {
    const std::string base = server.base();
    server.stop();
    auto r = request({{base + "/dem_png/{z}/{x}/{y}.png", 8}});
    r.download.cacheFolder.clear();
    const auto report = buildDemBlock(r);
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(report->offline);
    EXPECT_EQ(report->meshesWritten(), 0);
    EXPECT_NE(summaryText(*report).find("ネットワークの接続を確かめてください"), std::string::npos);
}

}  // namespace
}  // namespace orv::terrain
