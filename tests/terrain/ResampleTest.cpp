// Synthetic DEM10B meshes of known surfaces, built into mesh files and read back by the loader:
// every cell holds the surface's mean over the cell, moved from the Tokyo datum to JGD2011.
#include "terrain/DemBuild.h"

#include "core/TextFile.h"
#include "geo/Angles.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "support/TempDir.h"
#include "geo/DatumShift.h"
#include "terrain/SyntheticDem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace orv::terrain {
namespace {

using namespace orv::terrain::test;

constexpr const char* kCentre = "523874";
constexpr double kMetresPerSecond = 30.87;

struct Surface {
    const char* name;
    std::function<double(double lat, double lon)> height;
};

// Mean of a surface over the cell (row n, column k) of the centre mesh, with an independent
// fine midpoint sum over the cell moved by the datum shift at its centre.
double cellMean(const Surface& s, const DatumShift& datum, double north, double west, int n, int k) {
    const double centreLat = (north - (n + 0.5) * 1.5) / 3600.0, centreLon = (west + (k + 0.5) * 2.25) / 3600.0;
    const auto [jLat, jLon] = datum.fromTokyo(centreLat, centreLon);
    constexpr int kSteps = 24;
    double sum = 0;
    for (int i = 0; i < kSteps; ++i)
        for (int j = 0; j < kSteps; ++j)
            sum += s.height(jLat + ((i + 0.5) / kSteps - 0.5) * 1.5 / 3600.0, jLon + ((j + 0.5) / kSteps - 0.5) * 2.25 / 3600.0);
    return sum / (kSteps * kSteps);
}

TEST(ResampleTest, PlaneAndConeComeBackAsCellMeans) {
    auto datum = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(datum.ok());
    const double north = dmsToSeconds(meshSouthLatitude(kCentre)) + 300.0;
    const double west = dmsToSeconds(meshWestLongitude(kCentre));
    const DemShape shape = secondaryMeshShape(52, 38, 7, 4);  // the JGD2011 mesh 523874
    const double step = shape.stepSeconds / 3600.0;
    // The cone's apex on the DEM sample nearest the JGD2011 position of the middle of cell
    // (100, 100): a 10 m model cannot hold a sharper summit than its samples.
    const auto [middleLat, middleLon] = datum->fromTokyo((north - 100.5 * 1.5) / 3600.0, (west + 100.5 * 2.25) / 3600.0);
    const double apexLat = shape.south + (std::round((middleLat - shape.south) / step - 0.5) + 0.5) * step;
    const double apexLon = shape.west + (std::round((middleLon - shape.west) / step - 0.5) + 0.5) * step;
    const double cosLat = std::cos(apexLat * M_PI / 180.0);
    const Surface surfaces[] = {
        {"plane", [](double lat, double lon) { return 500.0 + 0.3 * (lon - 138.5) * 3600.0 - 0.2 * (lat - 35.25) * 3600.0; }},
        {"cone", [=](double lat, double lon) {
             const double dy = (lat - apexLat) * 3600.0 * kMetresPerSecond;
             const double dx = (lon - apexLon) * 3600.0 * kMetresPerSecond * cosLat;
             return 1500.0 - 0.2 * std::hypot(dx, dy);
         }},
    };
    for (const Surface& s : surfaces) {
        SCOPED_TRACE(s.name);
        orv::test::TempDir dir;
        const auto file = dir.write("FG-GML-5238-74-DEM10B-20161001.xml", gmlDocument(shape, s.height));
        DemBuildRequest request;
        request.centre = kCentre;
        request.gmlFiles = {file.string()};
        request.outFolder = dir / "out";
        const auto report = buildDemBlock(request);
        ASSERT_TRUE(report.ok()) << report.problem().detail;
        EXPECT_TRUE(report->problems.empty());
        ASSERT_TRUE(report->meshes[4].written);
        EXPECT_EQ(report->meshes[4].layers, std::vector<std::string>{"DEM10B"});

        std::string bytes;
        ASSERT_EQ(readBytes(dir / "out" / "523874.MEM", bytes), FileError::None);
        auto grid = std::make_unique<ElevationGrid>();
        parseMemFile(bytes, *grid, 200, 200, 1);
        int compared = 0, best = -1;
        float highest = -1e9f;
        double worst = 0;
        for (int n = 0; n < 200; ++n)
            for (int k = 0; k < 200; ++k) {
                const float got = grid->get(200 + n, 200 + k, 1);
                if (got > highest) highest = got, best = n * 200 + k;
                const double centreLat = (north - (n + 0.5) * 1.5) / 3600.0, centreLon = (west + (k + 0.5) * 2.25) / 3600.0;
                const auto [jLat, jLon] = datum->fromTokyo(centreLat, centreLon);
                // Cells whose footprint lies wholly inside the DEM's sample centres.
                const bool inside = jLat - 0.75 / 3600 > shape.south + step && jLat + 0.75 / 3600 < shape.south + 300.0 / 3600 - step &&
                                    jLon - 1.125 / 3600 > shape.west + step && jLon + 1.125 / 3600 < shape.west + 450.0 / 3600 - step;
                if (!inside) continue;
                const double expected = cellMean(s, *datum, north, west, n, k);
                // A 10 m model rounds off the cone's sharp summit by a few decimetres over one
                // sample; in the cells around it that shows as up to 0.1 m besides the rounding.
                const bool nearApex = std::abs(n - 100) <= 1 && std::abs(k - 100) <= 1;
                if (nearApex) EXPECT_NEAR(got, expected, 0.2) << n << " " << k;
                else worst = std::max(worst, std::abs(got - expected));
                ++compared;
            }
        EXPECT_GT(compared, 30000);  // the datum shift moves about 6 rows and 6 columns out
        EXPECT_LT(worst, 0.1);  // the files hold 0.1 m: half of it is rounding
        if (std::string(s.name) == "cone") {
            EXPECT_EQ(best, 100 * 200 + 100);  // the summit on its pixel
        }
    }
}

}  // namespace
}  // namespace orv::terrain
