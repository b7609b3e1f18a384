// The panorama over real terrain: the survey's zoom-8 elevation tile of the Hidaka mountains as a
// tile folder, the peaks of the bundled mountain file, the observer on 幌尻岳. The main ridge
// around it forms the skyline in the directions of its peaks, the peaks are seen and labelled,
// and the picture labels no other; from the ridge's north-west flank the peaks beyond it are
// hidden.
#include "geo/Angles.h"
#include "geo/DatumShift.h"
#include "names/MountainFile.h"
#include "panorama/PanoramaPicture.h"
#include "panorama/PanoramaScan.h"
#include "panorama/TerrainGathering.h"
#include "state/AppState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace orv::panorama {
namespace {

namespace fs = std::filesystem;

std::vector<Peak> hidakaPeaks() {
    const Result<MountainFileData> read = readMountainFile(fs::path(ORVANE_ASSETS) / "sample" / "hidaka.ndb", JapanBounds{});
    const Result<DatumShift> shift = DatumShift::create(ModernDatum::Jgd2011);
    std::vector<Peak> peaks;
    if (!read || !shift) return peaks;
    for (const MountainRecord& r : read->records)
        peaks.push_back({r.name, shift->fromTokyo(*dmsTextDegrees(r.latitude), *dmsTextDegrees(r.longitude)),
                         std::stod(r.elevation)});
    return peaks;
}

TEST(HidakaPanoramaTest, FromHoroshiriTheMainRidgeAndItsPeaks) {
    test::TempDir dir;
    fs::create_directories(dir / "8" / "229");
    fs::copy_file(fs::path(ORVANE_REALDATA) / "dem-8-229-94.txt", dir / "8" / "229" / "94.txt");
    const std::vector<Peak> peaks = hidakaPeaks();
    ASSERT_EQ(peaks.size(), 6u);
    ASSERT_EQ(peaks[0].name, "幌尻岳");

    SightRequest request;
    request.observer = peaks[0].position;
    request.maxDistance = 35000.0;  // within the tile
    GatheredTerrain gathered = gatherFromFolder(dir.path(), request);
    EXPECT_EQ(gathered.statusText(), "");
    // The tile's pixels are 450 m wide: its ground under the summit is lower than the summit.
    const float ground = gathered.terrain.heightAt(toWorld(peaks[0].position), 8);
    EXPECT_GT(ground, 1800.0f);
    EXPECT_LT(ground, 2000.0f);
    Observer observer;
    observer.position = peaks[0].position;
    observer.groundHeight = peaks[0].height;  // on the summit, as the panorama of a mountain stands
    ScanOptions options;
    options.maxDistance = request.maxDistance;
    const PanoramaScan scan = scanPanorama(gathered.terrain, observer, options);
    EXPECT_EQ(scan.unknownColumns, 0);

    const std::vector<PeakSight> sights = sightPeaks(scan, peaks);
    std::set<std::string> seen;
    for (const PeakSight& s : sights) {
        EXPECT_TRUE(s.inView) << s.peak.name;
        EXPECT_GT(s.distance, 3000.0) << s.peak.name;
        EXPECT_LT(s.distance, 20000.0) << s.peak.name;
        // The skyline in the peak's direction is the ridge at the peak or beyond it, never
        // nearer terrain, and the peak stands on it (the tile's 450 m pixels round the
        // summits off, so the surveyed summit rises a little above it).
        const ScanColumn* column = scan.columnAt(s.azimuth);
        ASSERT_NE(column, nullptr);
        ASSERT_FALSE(column->spans.empty()) << s.peak.name;
        EXPECT_GT(column->spans.back().distance, 0.9 * s.distance) << s.peak.name;
        EXPECT_GT(s.elevationAngle, column->spans.back().highAngle) << s.peak.name;
        EXPECT_LT(s.elevationAngle, column->spans.back().highAngle + 1.0) << s.peak.name;
        if (s.visible) seen.insert(s.peak.name);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"カムイエクウチカウシ山", "1967峰", "札内岳", "チロロ岳", "イドンナップ岳"}));

    // From the slopes north-west of the ridge, the peaks beyond its crest to the south-east are
    // hidden, those on this side of it seen.
    Observer northWest;
    northWest.position = {42.80, 142.55};
    northWest.groundHeight = std::nan("");
    std::set<std::string> fromNorthWest;
    for (const PeakSight& s : sightPeaks(scanPanorama(gathered.terrain, northWest, options), peaks))
        if (s.visible) fromNorthWest.insert(s.peak.name);
    EXPECT_EQ(fromNorthWest, (std::set<std::string>{"幌尻岳", "1967峰", "チロロ岳", "イドンナップ岳"}));

    // Each peak seen is labelled once, and no other.
    const PanoramaPicture picture = drawPanorama(scan, sights, viewFitting(scan, 3600, 500));
    std::multiset<std::string> labelled;
    for (const LabelPlace& label : picture.labels) labelled.insert(sights.at(label.peak).peak.name);
    for (const std::string& name : seen) EXPECT_EQ(labelled.count(name), 1u) << name;
    EXPECT_EQ(labelled.size(), seen.size());
}

}  // namespace
}  // namespace orv::panorama
