// orvane-cli panorama: its usage errors, and the panorama from 幌尻岳 over the real zoom-8 tile
// of the Hidaka mountains with the bundled mountain file: the picture, the peaks listed, "-".
#include "cli/Cli.h"

#include "CliRun.h"
#include <gtest/gtest.h>


namespace orv::cli {
namespace {

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
    };
    for (const auto& [args, text] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitUsage) << text;
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace orv::cli
