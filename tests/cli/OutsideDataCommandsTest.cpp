// render and profile say how much of the route lies outside the elevation data, the figure the
// route map shows; a route inside the block prints nothing more.
#include "CliRun.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace orv::cli {
namespace {

TEST(OutsideDataCommandsTest, RenderReportsTheStretchesBeyondTheBlock) {
    test::TempDir dir;
    // Eastwards from inside the sample block across its east edge (142°52′30″ on the Tokyo datum).
    const auto gpx = dir.write("east.gpx",
                               "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><trk><trkseg>\n"
                               "<trkpt lat=\"42.70\" lon=\"142.80\"/><trkpt lat=\"42.70\" lon=\"142.85\"/>\n"
                               "<trkpt lat=\"42.70\" lon=\"142.90\"/><trkpt lat=\"42.70\" lon=\"142.95\"/>\n"
                               "</trkseg></trk></gpx>\n");
    const CliRun r = run({"render", "--centre", "644205", "--dem", std::string(ORVANE_ASSETS) + "/sample/dem", "--route",
                          gpx.string(), "--out", (dir / "east.png").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const size_t line = r.out.find('\n');
    ASSERT_NE(line, std::string::npos);
    const std::string figures = r.out.substr(line + 1);
    EXPECT_TRUE(figures.starts_with("地図上距離 ")) << figures;
    EXPECT_NE(figures.find("km は標高データの範囲外）\n"), std::string::npos) << figures;
}

}  // namespace
}  // namespace orv::cli
