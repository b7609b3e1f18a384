// orvane-cli panorama: its usage errors, and the panorama from 幌尻岳 over the real zoom-8 tile
// of the Hidaka mountains with the bundled mountain file: the picture, the peaks listed, "-".
#include "cli/Cli.h"

#include "CliRun.h"
#include "support/TempDir.h"
#include "terrain/LocalTileServer.h"
#include "core/TextFile.h"

#include <QImage>
#include <gtest/gtest.h>


namespace orv::cli {
namespace {

namespace fs = std::filesystem;

TEST(PanoramaCommandTest, UsageErrors) {
    EXPECT_EQ(run({"panorama", "--help"}).out.rfind("使い方: orvane-cli panorama --at LAT,LON[,HEIGHT]", 0), 0u);
    EXPECT_NE(run({"help"}).out.find("panorama 地点からの展望図"), std::string::npos);
    const std::string at = "--at=42.72,142.68";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"panorama", "--tiles", "t", "--out", "p.png"}, "--at がありません"},
        {{"panorama", "--at", "42.72", "--tiles", "t", "--out", "p.png"}, "--at は 緯度,経度[,目の高さ] の10進の度"},
        {{"panorama", "--at", "42.72,142.68,1.6,3", "--tiles", "t", "--out", "p.png"}, "--at は 緯度,経度[,目の高さ]"},
        {{"panorama", "--at", "42.4301,142x", "--tiles", "t", "--out", "p.png"}, "--at は 緯度,経度[,目の高さ]"},
        {{"panorama", "--at", "95,142.68", "--tiles", "t", "--out", "p.png"}, "--at は 緯度,経度[,目の高さ]"},
        {{"panorama", "--at", "42.72,142.68,-2", "--tiles", "t", "--out", "p.png"}, "--at の目の高さは 0〜1000"},
        {{"panorama", at, "--out", "p.png"}, "--tiles, --download, --dem のどれかを指定してください"},
        {{"panorama", at, "--tiles", "t", "--download", "--out", "p.png"}, "--tiles と --download は一緒に指定できません"},
        {{"panorama", at, "--tiles", "t", "--cache", "c", "--out", "p.png"}, "--cache と --url は --download と一緒に"},
        {{"panorama", at, "--download", "--url", "http://127.0.0.1/x.png", "--out", "p.png"}, "--url には {z} {x} {y} を含むURL"},
        {{"panorama", at, "--tiles", "t"}, "--out がありません"},
        {{"panorama", at, "--tiles", "t", "--out", "p.jpg"}, "--out のファイルは .png か .bmp にしてください"},
        {{"panorama", at, "--tiles", "t", "--fov", "0", "--out", "p.png"}, "--fov は 1〜360 の数で指定してください"},
        {{"panorama", at, "--tiles", "t", "--azimuth", "east", "--out", "p.png"}, "--azimuth は 0〜360 の数で"},
        {{"panorama", at, "--tiles", "t", "--distance", "301", "--out", "p.png"}, "--distance は 1〜300 の数で"},
        {{"panorama", "--at", "幌尻岳,1.6", "--tiles", "t", "--out", "p.png"}, "--at に山の名前を書くときは --mountains を"},
        {{"panorama", "--at", "幌尻岳,1,2", "--tiles", "t", "--out", "p.png"}, "--at は 緯度,経度[,目の高さ] の10進の度"},
    };
    for (const auto& [args, text] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitUsage) << text;
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
}

// The real zoom-8 tile of the Hidaka mountains as a folder of tiles.
fs::path hidakaTiles(const test::TempDir& dir) {
    const fs::path folder = dir / "tiles";
    fs::create_directories(folder / "8" / "229");
    fs::copy_file(fs::path(ORVANE_REALDATA) / "dem-8-229-94.txt", folder / "8" / "229" / "94.txt");
    return folder;
}

const std::string kHidaka = std::string(ORVANE_ASSETS) + "/sample/hidaka.ndb";

TEST(PanoramaCommandTest, FromHoroshiriOverTheHidakaTile) {
    test::TempDir dir;
    const fs::path tiles = hidakaTiles(dir);
    const fs::path png = dir / "horoshiri.png";
    const std::vector<std::string> args{"panorama", "--at", "幌尻岳", "--tiles", tiles.string(), "--mountains", kHidaka,
                                        "--distance", "35", "--list", "--out"};
    auto toFile = args;
    toFile.push_back(png.string());
    const CliRun r = run(toFile);
    ASSERT_EQ(r.status, kExitOk) << r.err;
    // The other peaks of the file stand on the main ridge around it: each is listed and seen.
    for (const char* peak : {"カムイエクウチカウシ山", "1967峰", "札内岳", "チロロ岳", "イドンナップ岳"}) {
        const size_t line = r.out.find(std::string(peak) + " ");
        ASSERT_NE(line, std::string::npos) << peak << '\n' << r.out;
        EXPECT_NE(r.out.substr(line, r.out.find('\n', line) - line).find("見える"), std::string::npos) << r.out;
    }
    const QImage picture(QString::fromStdString(png.string()));
    ASSERT_FALSE(picture.isNull());
    EXPECT_NE(r.out.find(png.string() + ": " + std::to_string(picture.width()) + "×" + std::to_string(picture.height()) +
                         "　見える山 5（範囲内 5）"),
              std::string::npos)
        << r.out;
    // The tile covers the distance asked for: nothing is said missing.
    EXPECT_EQ(r.err, "");

    // "-": the same picture on standard output, the list and the size on the error stream.
    auto piped = args;
    piped.push_back("-");
    const CliRun p = run(piped);
    ASSERT_EQ(p.status, kExitOk) << p.err;
    const QImage pipedImage = QImage::fromData(reinterpret_cast<const uchar*>(p.out.data()), static_cast<int>(p.out.size()), "PNG");
    EXPECT_EQ(pipedImage.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(p.err.find("カムイエクウチカウシ山"), std::string::npos);
    EXPECT_NE(p.err.find("orvane-cli panorama: 標準出力: "), std::string::npos) << p.err;
}

TEST(PanoramaCommandTest, DownloadedThroughTheCacheAndFromTheMeshBlock) {
    test::TempDir dir;
    std::string tile;
    ASSERT_EQ(readBytes(fs::path(ORVANE_REALDATA) / "dem-8-229-94.txt", tile), FileError::None);
    terrain::test::LocalTileServer server([&tile](const std::string& path) {
        return path == "/8/229/94.txt" ? terrain::test::HttpReply{200, tile} : terrain::test::HttpReply{404, ""};
    });
    const std::vector<std::string> args{"panorama", "--at", "幌尻岳", "--mountains", kHidaka, "--distance", "35", "--list",
                                        "--download", "--url", server.base() + "/{z}/{x}/{y}.txt 8", "--cache",
                                        (dir / "cache").string()};
    const CliRun fetched = run(args);
    ASSERT_EQ(fetched.status, kExitOk) << fetched.err;
    EXPECT_NE(fetched.out.find("カムイエクウチカウシ山 1979m"), std::string::npos) << fetched.out;
    EXPECT_EQ(server.requested(), std::vector<std::string>{"/8/229/94.txt"});
    // Once the server is gone, the cache still has the tile.
    server.stop();
    const CliRun cached = run(args);
    ASSERT_EQ(cached.status, kExitOk) << cached.err;
    EXPECT_EQ(cached.out, fetched.out);

    // The 50 m mesh block around the summit alone: near peaks are seen, the terrain beyond the
    // block is said to be unknown.
    const CliRun block = run({"panorama", "--at", "幌尻岳,2", "--mountains", kHidaka, "--dem",
                              std::string(ORVANE_ASSETS) + "/sample/dem", "--distance", "20", "--list"});
    ASSERT_EQ(block.status, kExitOk) << block.err;
    EXPECT_NE(block.out.find("1967峰 1967m"), std::string::npos) << block.out;
    EXPECT_NE(block.err.find("地形の分からない方向が "), std::string::npos) << block.err;
}

TEST(PanoramaCommandTest, FailuresSayWhy) {
    test::TempDir dir;
    const fs::path tiles = hidakaTiles(dir);
    const std::string out = (dir / "p.png").string();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // Far outside the tile: the ground there is unknown.
        {{"panorama", "--at", "35.36,138.73", "--tiles", tiles.string(), "--out", out}, "観測点の標高が分かりません"},
        {{"panorama", "--at", "幌尻岳", "--tiles", tiles.string(), "--mountains", (dir / "none.ndb").string(), "--out", out},
         "none.ndb」は使用できません"},
        {{"panorama", "--at", "富士山", "--tiles", tiles.string(), "--mountains", kHidaka, "--out", out}, "」に「富士山」がありません"},
        {{"panorama", "--at", "42.72,142.68", "--dem", dir.path().string(), "--out", out},
         "観測点の周りの50mメッシュのファイルがありません"},
    };
    for (const auto& [args, text] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitFailed) << text;
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace orv::cli
