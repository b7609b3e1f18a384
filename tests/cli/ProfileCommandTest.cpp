// orvane-cli profile: its usage errors, and the profile picture of a saved plan over the sample
// block, with and without the schedule.
#include "cli/Cli.h"

#include "CliRun.h"
#include "core/TextFile.h"
#include "geo/MeshCode.h"
#include "plans/RouteFile.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orv::cli {
namespace {

namespace fs = std::filesystem;

int countColour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu) ? 1 : 0;
    return n;
}

TEST(ProfileCommandTest, UsageErrors) {
    EXPECT_EQ(run({"profile", "--help"}).out.rfind("使い方: orvane-cli profile --plan NAME", 0), 0u);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"profile", "--dem", "d", "--out", "p.png"}, "--plan がありません"},
        {{"profile", "--plan", "p", "--out", "p.png"}, "--dem がありません"},
        {{"profile", "--plan", "p", "--dem", "d"}, "--out がありません"},
        {{"profile", "--plan", "p", "--dem", "d", "--out", "p.jpg"}, "--out のファイルは .png か .bmp にしてください"},
        {{"profile", "--plan", "p", "--dem", "d", "--out", "p.png", "--wide"}, "知らないオプション「--wide」です"},
        {{"profile", "--plan"}, "--plan に山行計画の名前がありません"},
    };
    for (const auto& [args, text] : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitUsage) << text;
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
}

TEST(ProfileCommandTest, DrawsASavedPlanWithAndWithoutTheSchedule) {
    test::TempDir dir;
    auto state = makeAppState();
    state->centreMeshCode = "644205";
    state->meshCodes = meshNeighbours("644205");
    state->levelCorners[0][1] = meshSouthLatitude("644205");
    state->levelCorners[0][2] = meshWestLongitude("644205");
    state->destinationLineAsRead = "幌尻岳 42.4310 142.4102 2052";
    const char* positions[][2] = {{"42.4130", "142.3800"}, {"42.4220", "142.3900"}, {"42.4330", "142.40"},
                                  {"42.4310", "142.4102"}};
    for (const auto& [lat, lon] : positions) {
        RoutePoint& p = state->route[static_cast<size_t>(++state->routeCount)];
        p.number = state->routeCount;
        p.latitude = lat;
        p.longitude = lon;
    }
    state->route[4].mountainName = "幌尻岳";
    ASSERT_EQ(writeTextLines(dir / "幌尻岳.RTD", routeFileLines(*state)), FileError::None);
    const std::string dem = std::string(ORVANE_ASSETS) + "/sample/dem";

    const CliRun plain = run({"profile", "--plan", "幌尻岳", "--data-folder", dir.path().string(), "--dem", dem, "--out",
                              (dir / "plain.bmp").string()});
    ASSERT_EQ(plain.status, kExitOk) << plain.err;
    EXPECT_EQ(plain.out, (dir / "plain.bmp").string() + ": 784×364\n");
    const QImage without(QString::fromStdString((dir / "plain.bmp").string()));
    ASSERT_EQ(without.size(), QSize(784, 364));
    // "-": the same picture as PNG on the output stream, the size on the error stream.
    const CliRun piped = run({"profile", "--plan=幌尻岳", "--data-folder=" + dir.path().string(), "--dem=" + dem, "--out=-"});
    ASSERT_EQ(piped.status, kExitOk) << piped.err;
    EXPECT_EQ(piped.err, "orvane-cli profile: 標準出力: 784×364\n");
    const QImage pipedImage = QImage::fromData(reinterpret_cast<const uchar*>(piped.out.data()), static_cast<int>(piped.out.size()), "PNG");
    EXPECT_EQ(pipedImage.convertToFormat(QImage::Format_RGB32), without.convertToFormat(QImage::Format_RGB32));
    const CliRun scheduled = run({"profile", "--plan", "幌尻岳", "--data-folder", dir.path().string(), "--dem", dem,
                                  "--schedule", "--out", (dir / "scheduled.png").string()});
    ASSERT_EQ(scheduled.status, kExitOk) << scheduled.err;
    const QImage with(QString::fromStdString((dir / "scheduled.png").string()));
    ASSERT_EQ(with.size(), QSize(784, 364));
    // Dividers in the etched shadow colour only with the schedule; the stamp in the corner of both.
    EXPECT_EQ(countColour(without, qRgb(160, 160, 160)), 0);
    EXPECT_GT(countColour(with, qRgb(160, 160, 160)), 20);
    EXPECT_GT(countColour(without.copy(0, 0, 100, 20), qRgb(0, 0, 255)), 10);

    const CliRun missing = run({"profile", "--plan", "無い計画", "--data-folder", dir.path().string(), "--dem", dem,
                                "--out", (dir / "none.png").string()});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_FALSE(fs::exists(dir / "none.png"));
}

}  // namespace
}  // namespace orv::cli
