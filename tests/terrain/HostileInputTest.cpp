// Every reader of the survey's products against damaged bytes: cut at every few bytes, bytes
// replaced by markup, zero and high bytes. Each answer is data or a problem; nothing crashes
// (the sanitizers watch every access).
#include "terrain/ElevationTile.h"
#include "terrain/GmlDem.h"
#include "terrain/GmlSources.h"

#include "core/TextFile.h"
#include "support/TempDir.h"
#include "terrain/SyntheticDem.h"

#include <gtest/gtest.h>

namespace orv::terrain {
namespace {

using namespace orv::terrain::test;

template <typename Read>
void damage(const std::string& good, size_t stride, Read read) {
    for (size_t at = 0; at < good.size(); at += stride) {
        read(good.substr(0, at));
        for (char c : {'<', '&', '\0', '\xff', ',', '\n'}) {
            std::string bad = good;
            bad[at] = c;
            read(bad);
        }
    }
}

TEST(HostileInputTest, GmlDocumentsInWholeAndInPieces) {
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    const std::string good = gmlDocument(shape, [](double lat, double lon) { return lat * 10 + lon; });
    int problems = 0;
    damage(good, 5, [&](const std::string& bytes) {
        for (size_t piece : {bytes.size() + 1, size_t{13}}) {
            GmlDemParser parser("x.xml");
            for (size_t at = 0; at < bytes.size() && parser.feed(std::string_view(bytes).substr(at, piece)); at += piece) {
            }
            const auto read = parser.finish();
            if (!read) {
                ++problems;
                EXPECT_FALSE(read.problem().detail.empty());
            } else if (read->has_value()) {
                EXPECT_EQ((*read)->heights.size(), 72u);
            }
        }
    });
    EXPECT_GT(problems, 0);
}

TEST(HostileInputTest, TilesAndArchives) {
    std::string text, png;
    ASSERT_EQ(readBytes(std::string(ORVANE_REALDATA) + "/dem-8-229-94.txt", text), FileError::None);
    ASSERT_EQ(readBytes(std::string(ORVANE_REALDATA) + "/dem_png-8-229-94.png", png), FileError::None);
    const auto tile = [](const std::string& bytes) {
        const auto read = parseElevationTile(bytes, {8, 229, 94}, "t");
        if (read) {
            EXPECT_EQ(read->heights.size(), 65536u);
        }
    };
    damage(text, 4099, tile);
    damage(png, 1201, tile);

    orv::test::TempDir dir;
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    ASSERT_TRUE(writeZip((dir / "good.zip").string(), {{"FG-GML-5238-74-DEM10B.xml", gmlDocument(shape, [](double, double) { return 5.0; })}}));
    std::string zip;
    ASSERT_EQ(readBytes(dir / "good.zip", zip), FileError::None);
    damage(zip, 17, [&](const std::string& bytes) {
        dir.write("bad.zip", bytes);
        const auto loaded = readGmlSources({(dir / "bad.zip").string()}, {20, 50, 120, 160});
        EXPECT_EQ(loaded.grids.size() + loaded.problems.size(), 1u);
    });
}

TEST(HostileInputTest, AnArchiveInsideAnArchiveTooLargeIsRefusedBeforeUnpacking) {
    // 358 bytes holding an "inner.zip" of 300 MB of zeros (bzip2).
    std::string bomb;
    ASSERT_EQ(readBytes(std::string(ORVANE_FIXTURES) + "/fuzz/zip/nested-archive-of-300-MB.zip", bomb),
              FileError::None);
    const LoadedSources loaded = readGmlSourceBytes(bomb, "bomb.zip", {20, 50, 120, 160});
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].file, "bomb.zip:inner.zip");
    EXPECT_EQ(loaded.problems[0].problem.kind, ProblemKind::TooLarge);
}

}  // namespace
}  // namespace orv::terrain
