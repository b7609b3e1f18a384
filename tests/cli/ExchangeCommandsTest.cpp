// orvane-cli convert and render: their usage errors, GPS files passed through every format and
// back, hostile input, and the route map picture drawn without a display.
#include "cli/Cli.h"

#include "CliRun.h"
#include "core/TextFile.h"
#include "exchange/GpxReader.h"
#include "geo/MeshCode.h"
#include "gps/GpsImport.h"
#include "plans/RouteFile.h"
#include "support/GpxFixture.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>
#include <optional>

namespace orv::cli {
namespace {

namespace fs = std::filesystem;

TEST(ExchangeCommandsTest, UsageErrors) {
    EXPECT_EQ(run({"convert", "--help"}).out.rfind("使い方: orvane-cli convert IN OUT [--to gpx|trk|txt] [--name NAME] [--force]\n", 0), 0u);
    EXPECT_EQ(run({"render", "-h"}).out.rfind("使い方: orvane-cli render (--centre MESH | --plan NAME [--data-folder DIR]) --dem DIR\n", 0), 0u);
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"convert", "a.gpx"}, "読むファイルと書くファイルを一つずつ指定してください"},
        {{"convert", "a.kml", "b.gpx"}, "「a.kml」の形式が分かりません（拡張子 .gpx .trk .wpt .txt）"},
        {{"convert", "a.gpx", "b.xyz"}, "「b.xyz」の形式が分かりません（拡張子 .gpx .trk .txt か --to）"},
        {{"convert", "a.gpx", "b.WPT"}, "「b.WPT」の形式が分かりません"},
        {{"convert", "a.gpx", "b", "--to", "kml"}, "--to の形式「kml」は書けません（gpx, trk, txt）"},
        {{"convert", "a.gpx", "b.trk", "--fast"}, "知らないオプション「--fast」です"},
        {{"render", "--dem", "d", "--out", "m.png"}, "--centre か --plan のどちらか一つを指定してください"},
        {{"render", "--centre", "644205", "--plan", "p", "--dem", "d", "--out", "m.png"}, "--centre か --plan のどちらか一つ"},
        {{"render", "--centre", "6442", "--dem", "d", "--out", "m.png"}, "メッシュコード「6442」は6桁の2次メッシュコードではありません"},
        {{"render", "--centre", "644205", "--out", "m.png"}, "--dem がありません"},
        {{"render", "--centre", "644205", "--dem", "d"}, "--out がありません"},
        {{"render", "--centre", "644205", "--dem", "d", "--out", "m.jpg"}, "--out のファイルは .png か .bmp にしてください"},
        {{"render", "--centre", "644205", "--dem", "d", "--out", "m.png", "--contours", "0"}, "--contours は 1〜1000 のメートルで指定してください"},
        {{"render", "--centre", "644205", "--dem", "d", "--out", "m.png", "--mode", "relief"}, "--mode は shaded, bands, graticule, none のどれかです"},
        // Plan names as the windows take them: files inside the data folder only.
        {{"render", "--plan", "../secret", "--dem", "d", "--out", "m.png"},
         "--plan の「../secret」は山行計画の名前になりません: 管理ファイル名に「/」や「\\」は使えません。"},
        {{"render", "--plan", "..", "--dem", "d", "--out", "m.png"}, "管理ファイル名に「.」や「..」は使えません。"},
        {{"profile", "--plan", "/etc/passwd", "--dem", "d", "--out", "m.png"}, "管理ファイル名に「/」や「\\」は使えません。"},
        {{"profile", "--plan", "a\x1b[2Jb", "--dem", "d", "--out", "m.png"},
         "--plan の「a\\x1b[2Jb」は山行計画の名前になりません: 管理ファイル名に制御文字は使えません。"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, kExitUsage) << c.error;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
}

TEST(ExchangeCommandsTest, ConvertPassesATrackThroughPcxAndWaypointPlusAndBack) {
    test::TempDir dir;
    const auto gpx = dir.write("log.gpx", test::gpxFixture());
    const auto original = readGpxFile(gpx);
    ASSERT_TRUE(original.ok());

    const CliRun toPcx = run({"convert", gpx.string(), (dir / "log.trk").string()});
    ASSERT_EQ(toPcx.status, kExitOk) << toPcx.err;
    EXPECT_EQ(toPcx.out, (dir / "log.trk").string() + ": ルート4点、ウェイポイント0点\n");
    EXPECT_EQ(toPcx.err, "orvane-cli convert: PCXのトラックファイルにウェイポイントは書けないため、2点のウェイポイントは書きませんでした。\n");
    std::string bytes;
    ASSERT_EQ(readBytes(dir / "log.trk", bytes), FileError::None);
    EXPECT_NE(bytes.find("H  log\r\nM  G Tokyo "), std::string::npos);
    EXPECT_NE(bytes.find(" 04-MAY-24 23:59:30 1190.5\r\n"), std::string::npos);  // the receiver's own date and UTC time

    ASSERT_EQ(run({"convert", (dir / "log.trk").string(), (dir / "back.gpx").string()}).status, kExitOk);
    const CliRun toPlus = run({"convert", gpx.string(), (dir / "log.dat").string(), "--to", "txt"});
    ASSERT_EQ(toPlus.status, kExitOk) << toPlus.err;
    ASSERT_EQ(run({"convert", (dir / "log.dat").string(), (dir / "plus.gpx").string()}).status, kExitUsage);
    fs::rename(dir / "log.dat", dir / "log.TXT");
    ASSERT_EQ(run({"convert", (dir / "log.TXT").string(), (dir / "plus.gpx").string(), "--name", "記録"}).status, kExitOk);

    // Both ways back give the same positions within a tenth of a second after the datum
    // conversions, and the same times.
    const auto& track = original->tracks[0].segments;
    const std::vector<const GpxPoint*> points{&track[0][0], &track[0][1], &track[1][0], &track[1][1]};
    for (const char* name : {"back.gpx", "plus.gpx"}) {
        SCOPED_TRACE(name);
        const auto back = readGpxFile(dir / name);
        ASSERT_TRUE(back.ok()) << back.problem().detail;
        ASSERT_EQ(back->trackPointCount(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            const GpxPoint& p = back->tracks[0].segments[0][i];
            EXPECT_NEAR((p.latitude - points[i]->latitude) * 3600.0, 0.0, 0.1);
            EXPECT_NEAR((p.longitude - points[i]->longitude) * 3600.0, 0.0, 0.1);
            EXPECT_EQ(p.time, points[i]->time) << i;
        }
    }
    const auto plus = readGpxFile(dir / "plus.gpx");
    EXPECT_EQ(plus->name, "記録");
    ASSERT_EQ(plus->waypoints.size(), 2u);
    EXPECT_EQ(plus->waypoints[1].name, "幌尻山荘");
}

// The heights of a PCX track's ALT column go into the GPX file and come back; a point without
// one has no height in the GPX file either.
TEST(ExchangeCommandsTest, ConvertKeepsTheHeightsOfAPcxTrack) {
    test::TempDir dir;
    const auto trk = dir.write("walk.trk", "H  walk\r\nU  LAT LON DMS\r\n"
                                           "T  N423000 E1423800 04-MAY-24 23:59:30 1190.5\r\n"
                                           "T  N423010 E1423810 04-MAY-24 23:59:40\r\n"
                                           "T  N423020 E1423820 05-MAY-24 00:00:30 2052\r\n");
    ASSERT_EQ(run({"convert", trk.string(), (dir / "walk.gpx").string()}).status, kExitOk);
    const auto gpx = readGpxFile(dir / "walk.gpx");
    ASSERT_TRUE(gpx.ok());
    ASSERT_EQ(gpx->trackPointCount(), 3u);
    const auto& points = gpx->tracks[0].segments[0];
    EXPECT_EQ(points[0].elevation, std::optional<double>(1190.5));
    EXPECT_EQ(points[1].elevation, std::nullopt);
    EXPECT_EQ(points[2].elevation, std::optional<double>(2052.0));

    ASSERT_EQ(run({"convert", (dir / "walk.gpx").string(), (dir / "back.trk").string()}).status, kExitOk);
    const auto back = readPcxTrack(dir / "back.trk", {});
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back->points.size(), 3u);
    EXPECT_EQ(back->points[0].elevation, 1190.5f);
    EXPECT_EQ(back->points[2].elevation, 2052.0f);
}

// convert never writes the file it reads, and replaces an existing file only with --force.
TEST(ExchangeCommandsTest, ConvertRefusesItsInputAsOutputAndAnExistingFileWithoutForce) {
    test::TempDir dir;
    const auto gpx = dir.write("m.gpx", test::gpxFixture());
    const auto trk = dir.write("m.trk", "T  N423000 E1423800 04-MAY-24 23:59:30 1190.5\r\n");
    fs::create_hard_link(gpx, dir / "linked.gpx");
    std::string before;
    ASSERT_EQ(readBytes(gpx, before), FileError::None);
    for (const fs::path& out : {gpx, dir.path() / "." / "m.gpx", dir / "linked.gpx"}) {
        for (const bool force : {false, true}) {
            SCOPED_TRACE(out.string() + (force ? " --force" : ""));
            std::vector<std::string> args{"convert", gpx.string(), out.string()};
            if (force) args.push_back("--force");
            const CliRun r = run(args);
            EXPECT_EQ(r.status, kExitFailed);
            EXPECT_EQ(r.err, "orvane-cli convert: 読むファイルと書くファイルが同じです: " + out.string() + "\n");
        }
    }
    std::string after;
    ASSERT_EQ(readBytes(gpx, after), FileError::None);
    EXPECT_EQ(after, before);

    const CliRun refused = run({"convert", gpx.string(), trk.string()});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.err, "orvane-cli convert: 「" + trk.string() + "」はすでにあります（--force で置き換えます）\n");
    const CliRun forced = run({"convert", gpx.string(), trk.string(), "--force"});
    ASSERT_EQ(forced.status, kExitOk) << forced.err;
    const auto replaced = readPcxTrack(trk, {});
    ASSERT_TRUE(replaced.ok());
    EXPECT_EQ(replaced->points.size(), 4u);
}

// What a file holds is quoted with its control characters visible and cut short.
TEST(ExchangeCommandsTest, ConvertQuotesTheFilesTextEscapedAndCut) {
    test::TempDir dir;
    const auto trk = dir.write("datum.trk", "M  G \x1b[2J\x1b]0;owned\x07\r\nT  N423000 E1423800 04-MAY-24 23:59:30 1\r\n");
    const CliRun datum = run({"convert", trk.string(), (dir / "datum.gpx").string()});
    ASSERT_EQ(datum.status, kExitOk) << datum.err;
    EXPECT_EQ(datum.err, "orvane-cli convert: ＴＲＫデータの測地系「\\x1b[2J\\x1b]0;owned\\x07」は分からないため、"
                         "日本測地系として読み込みました。\n");

    const auto gpx = dir.write("huge.gpx", "<" + std::string(20u << 20, 'a') + "/>");
    const CliRun huge = run({"convert", gpx.string(), (dir / "huge.trk").string()});
    EXPECT_EQ(huge.status, kExitFailed);
    EXPECT_LT(huge.err.size(), 1000u);
    EXPECT_NE(huge.err.find("最初の要素が「aaaa"), std::string::npos) << huge.err.substr(0, 300);
    EXPECT_NE(huge.err.find("…\n"), std::string::npos);
}

TEST(ExchangeCommandsTest, ConvertRefusesABrokenFileWithTheImportsMessage) {
    test::TempDir dir;
    const auto gpx = dir.write("cut.gpx", "<gpx>\n<trk><trkseg>\n<trkpt lat=\"35\" lon=\"139\"><ele>1");
    const CliRun r = run({"convert", gpx.string(), (dir / "out.trk").string()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "orvane-cli convert: GPXデータの 3 行目でGPXとして読めなくなりました。\nファイルが途中で終わっています。\n");
    EXPECT_FALSE(fs::exists(dir / "out.trk"));
}

// The rendered picture, or a null image.
QImage picture(const fs::path& path) { return QImage(QString::fromStdString(path.string())); }

// A plan on the sample block around mesh 644205: its destination line and route positions.
std::unique_ptr<AppState> samplePlan(const std::string& destination,
                                     std::initializer_list<std::array<const char*, 2>> positions) {
    auto state = makeAppState();
    state->centreMeshCode = "644205";
    state->meshCodes = meshNeighbours("644205");
    state->levelCorners[0][1] = meshSouthLatitude("644205");
    state->levelCorners[0][2] = meshWestLongitude("644205");
    state->destinationLineAsRead = destination;
    for (const auto& [lat, lon] : positions) {
        RoutePoint& p = state->route[static_cast<size_t>(++state->routeCount)];
        p.number = state->routeCount;
        p.latitude = lat;
        p.longitude = lon;
    }
    return state;
}

// Pixels of the colour in the box x0..x1, y0..y1.
int count(const QImage& image, QRgb colour, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

TEST(ExchangeCommandsTest, RenderDrawsTheSampleBlockWithARouteAndItsCaption) {
    test::TempDir dir;
    const std::string dem = std::string(ORVANE_ASSETS) + "/sample/dem";
    const auto gpx = dir.write("log.gpx", test::gpxFixture());
    const CliRun plain = run({"render", "--centre", "644205", "--dem", dem, "--contours", "100", "--out", (dir / "plain.png").string()});
    ASSERT_EQ(plain.status, kExitOk) << plain.err;
    EXPECT_EQ(plain.out, (dir / "plain.png").string() + ": 600×600\n");
    const CliRun routed = run({"render", "--centre", "644205", "--dem", dem, "--contours", "100", "--route", gpx.string(),
                               "--out", (dir / "route.bmp").string()});
    ASSERT_EQ(routed.status, kExitOk) << routed.err;

    const QImage without = picture(dir / "plain.png");
    const QImage with = picture(dir / "route.bmp");
    ASSERT_EQ(without.size(), QSize(600, 600));
    ASSERT_EQ(with.size(), QSize(600, 600));
    const QRgb red = qRgb(255, 0, 0);  // the route's colour
    EXPECT_EQ(count(without, red, 0, 0, 599, 599), 0);
    EXPECT_GT(count(with, red, 90, 0, 599, 599), 10);
    // The caption covers the top-left corner of the routed picture only; away from the route,
    // its names and the caption both pictures are the same terrain.
    EXPECT_GT(count(with, qRgb(255, 255, 255), 0, 0, 200, 80), count(without, qRgb(255, 255, 255), 0, 0, 200, 80) + 100);
    EXPECT_EQ(with.copy(420, 100, 180, 500).convertToFormat(QImage::Format_RGB32),
              without.copy(420, 100, 180, 500).convertToFormat(QImage::Format_RGB32));
}

TEST(ExchangeCommandsTest, RenderDrawsASavedPlanFromItsDataFolder) {
    test::TempDir dir;
    auto state = samplePlan("幌尻岳 42.4310 142.4102 2052", {{"42.4348", "142.3748"}, {"42.4330", "142.40"}, {"42.4310", "142.4102"}});
    state->route[3].mountainName = "幌尻岳";
    ASSERT_EQ(writeTextLines(dir / "幌尻岳.RTD", routeFileLines(*state)), FileError::None);

    const CliRun r = run({"render", "--plan", "幌尻岳", "--data-folder", dir.path().string(), "--dem",
                          std::string(ORVANE_ASSETS) + "/sample/dem", "--mode", "bands", "--out", (dir / "plan.png").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const QImage image = picture(dir / "plan.png");
    EXPECT_GT(count(image, qRgb(255, 0, 0), 90, 0, 599, 599), 10);

    const CliRun missing = run({"render", "--plan", "無い計画", "--data-folder", dir.path().string(), "--dem", "d", "--out",
                                (dir / "none.png").string()});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_FALSE(fs::exists(dir / "none.png"));
}

TEST(ExchangeCommandsTest, RenderNamesThePlansDestinationFromTheMountainFile) {
    test::TempDir dir;
    // The destination as the sample mountain file has it, off the route.
    const auto state = samplePlan("幌尻岳 42.4301 142.4112 2052", {{"42.4348", "142.3748"}, {"42.4330", "142.40"}});
    ASSERT_EQ(writeTextLines(dir / "幌尻岳.RTD", routeFileLines(*state)), FileError::None);
    const auto render = [&](std::vector<std::string> extra, const fs::path& out) {
        std::vector<std::string> args{"render", "--plan", "幌尻岳", "--data-folder", dir.path().string(), "--dem",
                                      std::string(ORVANE_ASSETS) + "/sample/dem", "--out", out.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args);
    };

    const std::string sample = std::string(ORVANE_ASSETS) + "/sample/hidaka.ndb";
    const CliRun named = render({"--mountains", sample}, dir / "named.png");
    ASSERT_EQ(named.status, kExitOk) << named.err;
    const CliRun plain = render({}, dir / "plain.png");
    ASSERT_EQ(plain.status, kExitOk) << plain.err;
    // The destination off the route is marked and named; the rest of the picture is the same.
    const QImage with = picture(dir / "named.png");
    const QImage without = picture(dir / "plain.png");
    EXPECT_NE(with, without);
    EXPECT_EQ(with.copy(0, 350, 600, 250), without.copy(0, 350, 600, 250));

    const CliRun broken = render({"--mountains", (dir / "missing.ndb").string()}, dir / "none.png");
    EXPECT_EQ(broken.status, kExitFailed);
    EXPECT_NE(broken.err.find("山名ファイル「" + (dir / "missing.ndb").string() + "」は使用できません。"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "none.png"));
    const CliRun centre = run({"render", "--centre", "644205", "--mountains", sample, "--dem", "d", "--out", "m.png"});
    EXPECT_EQ(centre.status, kExitUsage);
    EXPECT_NE(centre.err.find("--mountains は --plan と一緒に指定してください"), std::string::npos);
}

}  // namespace
}  // namespace orv::cli
