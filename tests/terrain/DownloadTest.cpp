// Downloading elevation tiles through a local HTTP server: the finer server's missing tiles
// (404) handed to the coarser one, the cache and how long it believes a 404, a connection cut
// halfway, a server too slow to finish, and no network at all.
#include "terrain/DemBuild.h"
#include "terrain/DemMessages.h"
#include "terrain/DownloadCause.h"

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
    bool recovered = false;  // "/late/" has its tile only once recovered
    test::LocalTileServer server{[this](const std::string& path) {
        if (path == "/dem_png/8/229/94.png") return test::HttpReply{200, png, false};
        if (path == "/cut/8/229/94.png") return test::HttpReply{200, png, true};
        if (path == "/late/8/229/94.png" && recovered) return test::HttpReply{200, png, false};
        if (path == "/slow/8/229/94.png") return test::HttpReply{200, png, false, 50};
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

TEST_F(DownloadTest, NoServerMeansOfflineAndSaysWhyFirst) {
    const std::string base = server.base();
    server.stop();
    auto r = request({{base + "/dem_png/{z}/{x}/{y}.png", 8}});
    r.download.cacheFolder.clear();
    const auto report = buildDemBlock(r);
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(report->offline);
    EXPECT_EQ(report->meshesWritten(), 0);
    const DemSummary summary = summaryParts(*report);
    EXPECT_EQ(summary.text,
              "標高データを作成できませんでした。\r\n"
              "標高タイルのサーバー 127.0.0.1 に接続できません（接続を拒否されました）。ネットワークの接続を確かめてください。\r\n"
              "書き出したメッシュ: 0 / 9\r\n出典：国土地理院");
    // The meshes and the tile with the technical text wait in the details.
    EXPECT_EQ(summary.details.rfind("メッシュ 644214 は書き出していません（読めなかったデータ " + base, 0), 0u) << summary.details;
    EXPECT_NE(summary.details.find("ファイル " + base + "/dem_png/8/229/94.png: 接続を拒否されました："), std::string::npos)
        << summary.details;
    // The command line says it all, the cause first.
    const std::string all = summaryText(*report);
    EXPECT_EQ(all.rfind(summary.text.substr(0, summary.text.find("書き出した")), 0), 0u);
    EXPECT_NE(all.find(summary.details), std::string::npos);
}

TEST_F(DownloadTest, ServerWithoutATileIsBelievedForAWhileAndAskedAgainAfter) {
    const auto r = request({{server.base() + "/late/{z}/{x}/{y}.png", 8}});
    const auto first = buildDemBlock(r);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first->tilesMissing, 1);
    EXPECT_EQ(first->tilesMissingRemembered, 0);
    EXPECT_EQ(first->meshesWritten(), 0);
    const fs::path marker = dir / "cache" / "late" / "8" / "229" / "94.png.none";
    ASSERT_TRUE(fs::exists(marker));

    // The server has the tile now, but the cache's answer is still believed: no request, and
    // the summary says where the answer came from.
    recovered = true;
    const auto second = buildDemBlock(r);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(server.requested().size(), 1u);
    EXPECT_EQ(second->tilesMissingRemembered, 1);
    EXPECT_NE(summaryParts(*second).text.find("サーバーにないタイル: 1（うち 1 は保存先に残る前回の答えによります）\r\n"),
              std::string::npos)
        << summaryText(*second);

    // Once the record is older than it is kept, the tile is asked for again.
    fs::last_write_time(marker, fs::last_write_time(marker) - r.download.missingKeptFor - std::chrono::seconds(1));
    const auto third = buildDemBlock(r);
    ASSERT_TRUE(third.ok());
    EXPECT_EQ(server.requested().size(), 2u);
    EXPECT_EQ(third->meshesWritten(), 9);
    EXPECT_EQ(third->tilesMissing, 0);
    EXPECT_FALSE(fs::exists(marker));
    EXPECT_EQ(summaryParts(*third).text.find("サーバーにないタイル"), std::string::npos);
}

TEST_F(DownloadTest, ServerTricklingBytesFailsAtTheTileDeadline) {
    // A byte every 50 ms never leaves the line silent for the transfer timeout; the tile's
    // deadline ends it all the same.
    auto r = request({{server.base() + "/slow/{z}/{x}/{y}.png", 8}});
    r.download.tileDeadlineMs = 600;
    const auto report = buildDemBlock(r);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 1u);
    EXPECT_EQ(report->problems[0].problem.detail, "受信が遅すぎます（1 秒で終わりません）");
    EXPECT_EQ(report->meshesWritten(), 0);
    EXPECT_FALSE(fs::exists(dir / "cache" / "slow" / "8" / "229" / "94.png"));
    EXPECT_FALSE(fs::exists(dir / "cache" / "slow" / "8" / "229" / "94.png.none"));
}

TEST(DownloadCause, ErrorsAndStatusesAreSaidShortly) {
    const struct {
        QNetworkReply::NetworkError error;
        int status;
        const char* cause;
    } cases[] = {
        {QNetworkReply::HostNotFoundError, 0, "ホストが見つかりません"},
        {QNetworkReply::ConnectionRefusedError, 0, "接続を拒否されました"},
        {QNetworkReply::OperationCanceledError, 0, "応答がありません（時間切れ）"},
        {QNetworkReply::SslHandshakeFailedError, 0, "安全な接続（TLS）を確立できません"},
        {QNetworkReply::ProxyNotFoundError, 0, "プロキシに接続できません"},
        {QNetworkReply::ContentAccessDenied, 403, "アクセスを許可されていません（403）"},
        {QNetworkReply::UnknownContentError, 429, "リクエストが多すぎると断られました（429）"},
        {QNetworkReply::ServiceUnavailableError, 503, "サーバーが応答できない状態です（503）"},
        {QNetworkReply::InternalServerError, 500, "サーバーが応答できない状態です（500）"},
        {QNetworkReply::ProtocolFailure, 0, "通信に失敗しました"},
    };
    for (const auto& c : cases) EXPECT_EQ(downloadCause(c.error, c.status), c.cause) << c.error;
}

TEST(DownloadCause, TheSurveysServerIsNamedByItsOwner) {
    DemBuildReport report;
    report.offline = true;
    report.offlineHost = "cyberjapandata.gsi.go.jp";
    report.offlineCause = downloadCause(QNetworkReply::HostNotFoundError, 0);
    EXPECT_NE(summaryParts(report).text.find("\r\n国土地理院のサーバーに接続できません（ホストが見つかりません）。"), std::string::npos);
}

}  // namespace
}  // namespace orv::terrain
