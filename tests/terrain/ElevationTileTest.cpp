// Elevation tiles: the survey's real z8 tile as text and as PNG, the tile grid, and bad tiles.
#include "terrain/ElevationTile.h"
#include "terrain/TileSources.h"

#include "core/TextFile.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace orv::terrain {
namespace {

const std::string kRealData = ORVANE_REALDATA;
constexpr TileId kHidaka{8, 229, 94};

std::string fileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None) << path;
    return bytes;
}

std::string pngBytes(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

TEST(ElevationTileTest, RealTextTileHasItsHighestCellNearPoroshiri) {
    const auto tile = parseElevationTile(fileBytes(kRealData + "/dem-8-229-94.txt"), kHidaka, "t");
    ASSERT_TRUE(tile.ok()) << tile.problem().detail;
    int bestRow = -1, bestColumn = -1, noData = 0;
    float best = -1e9f;
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < 256; ++c) {
            const float h = tile->at(r, c);
            if (std::isnan(h)) ++noData;
            else if (h > best) best = h, bestRow = r, bestColumn = c;
        }
    EXPECT_FLOAT_EQ(best, 1944.25f);
    EXPECT_EQ(bestRow, 86);
    EXPECT_EQ(bestColumn, 118);
    EXPECT_GT(noData, 0);  // the Pacific in the south-east
    EXPECT_EQ(tile->u0, 229 * 256);
    EXPECT_EQ(tile->v0, 94 * 256);
    EXPECT_EQ(tile->key.lattice, Lattice::WebMercator);
    EXPECT_EQ(tile->key.zoom, 8);
}

TEST(ElevationTileTest, RealPngTileHoldsTheSameHeights) {
    const auto text = parseElevationTile(fileBytes(kRealData + "/dem-8-229-94.txt"), kHidaka, "t");
    const auto png = parseElevationTile(fileBytes(kRealData + "/dem_png-8-229-94.png"), kHidaka, "p");
    ASSERT_TRUE(text.ok());
    ASSERT_TRUE(png.ok()) << png.problem().detail;
    for (size_t i = 0; i < text->heights.size(); ++i) {
        const float a = text->heights[i], b = png->heights[i];
        ASSERT_EQ(std::isnan(a), std::isnan(b)) << i;
        if (!std::isnan(a)) {
            ASSERT_NEAR(a, b, 0.011) << i;  // each form rounds to 0.01 m on its own
        }
    }
}

TEST(ElevationTileTest, PngEncodingOfNegativeHeightsAndNoData) {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 100));           // 1.00 m
    image.setPixel(1, 0, qRgb(128, 0, 0));  // no data
    image.setPixel(2, 0, qRgb(255, 255, 156));  // 2^24 − 100: −1.00 m
    const auto tile = parsePngTile(pngBytes(image), {10, 1, 2}, "x");
    ASSERT_TRUE(tile.ok());
    EXPECT_FLOAT_EQ(tile->at(0, 0), 1.0f);
    EXPECT_TRUE(std::isnan(tile->at(0, 1)));
    EXPECT_FLOAT_EQ(tile->at(0, 2), -1.0f);
}

TEST(ElevationTileTest, BadTilesSayWhatIsWrong) {
    const std::string real = fileBytes(kRealData + "/dem-8-229-94.txt");
    const std::string firstLine = real.substr(0, real.find('\n') + 1);
    std::string lines255;
    for (size_t at = 0, n = 0; n < 255; ++n) {
        const size_t end = real.find('\n', at) + 1;
        lines255 += real.substr(at, end - at);
        at = end;
    }
    std::string shortRow = real;
    shortRow.erase(shortRow.find(','), shortRow.find(',', shortRow.find(',') + 1) - shortRow.find(','));
    std::string badValue = real;
    badValue.replace(0, badValue.find(','), "12x");
    std::string impossible = real;
    impossible.replace(0, impossible.find(','), "1e300");
    const std::string png = fileBytes(kRealData + "/dem_png-8-229-94.png");
    struct Case {
        const char* name;
        std::string bytes;
        int line;
        const char* detail;
    };
    const Case cases[] = {
        {"255 lines", lines255, 255, "255行"},
        {"257 lines", lines255 + firstLine + firstLine + firstLine, 257, "256行を超えて"},
        {"a short row", shortRow, 1, "255個"},
        {"a row too long", "1," + real, 1, "256個を超えて"},
        {"a value that is no number", badValue, 1, "12x"},
        {"a value no height comes near", impossible, 1, "1e300"},
        {"a PNG that does not decode", png.substr(0, 8) + "garbage after the signature", 0, "PNG画像として読めません"},
        {"a truncated PNG", png.substr(0, png.size() / 3), 0, "PNG"},
        {"a PNG of the wrong size", pngBytes(QImage(255, 256, QImage::Format_RGB32)), 0, "255 × 256"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto tile = parseElevationTile(c.bytes, kHidaka, "t");
        ASSERT_FALSE(tile.ok());
        EXPECT_EQ(tile.problem().line, c.line);
        EXPECT_NE(tile.problem().detail.find(c.detail), std::string::npos) << tile.problem().detail;
    }
}

TEST(ElevationTileTest, TileGridAroundTheHidakaBlock) {
    // The block 42°35′–42°50′ N, 142°30′–142°52′30″ E lies inside tile 8/229/94 …
    const GeoBox block{42 + 35 / 60.0, 42 + 50 / 60.0, 142.5, 142.875};
    const TileRange z8 = tilesCovering(block, 8);
    EXPECT_EQ(z8.x0, 229);
    EXPECT_EQ(z8.x1, 229);
    EXPECT_EQ(z8.y0, 94);
    EXPECT_EQ(z8.y1, 94);
    const GeoBox box = tileBox(kHidaka);
    EXPECT_NEAR(box.west, 142.03125, 1e-9);
    EXPECT_NEAR(box.east, 143.4375, 1e-9);
    EXPECT_NEAR(box.north, 43.0689, 1e-4);
    EXPECT_NEAR(box.south, 42.0330, 1e-4);
    // … and over a dozen tiles each way at zoom 14.
    const TileRange z14 = tilesCovering(block, 14);
    EXPECT_EQ(z14.x1 - z14.x0 + 1, 18);
    EXPECT_EQ(z14.y1 - z14.y0 + 1, 17);
}

TEST(ElevationTileTest, FolderFindsTilesByPathAndByName) {
    orv::test::TempDir dir;
    const std::string text = fileBytes(kRealData + "/dem-8-229-94.txt");
    dir.write("8/229/94.txt", text);
    dir.write("flat/dem_png-8-229-94.png", fileBytes(kRealData + "/dem_png-8-229-94.png"));
    dir.write("8/229/95.txt", "far away and broken");  // outside the block: never read
    dir.write("notes.txt", "x");
    const GeoBox block{42.6, 42.8, 142.5, 142.8};
    const auto loaded = readTileFolder(dir.path(), block);
    EXPECT_TRUE(loaded.problems.empty());
    ASSERT_EQ(loaded.grids.size(), 1u);  // one tile per z/x/y
    EXPECT_EQ(loaded.grids[0].key.zoom, 8);

    const auto empty = readTileFolder(dir.path(), {35, 35.1, 139, 139.1});
    ASSERT_EQ(empty.problems.size(), 1u);
    EXPECT_EQ(empty.problems[0].problem.detail, "範囲の標高タイルがありません");
}

TEST(ElevationTileTest, UrlTemplatesAndTheSetting) {
    EXPECT_EQ(tileUrl("https://h/dem/{z}/{x}/{y}.txt", {14, 14573, 6036}), "https://h/dem/14/14573/6036.txt");
    const auto servers = tileServersFromSetting("https://a/{z}/{x}/{y}.png 15 https://b/{z}/{x}/{y}.txt");
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].zoom, 15);
    EXPECT_EQ(servers[1].zoom, 14);
    EXPECT_EQ(tileServersSetting(servers), "https://a/{z}/{x}/{y}.png 15 https://b/{z}/{x}/{y}.txt 14");
    EXPECT_EQ(tileServersFromSetting("nonsense").size(), defaultTileServers().size());
    EXPECT_EQ(defaultTileServers()[0].zoom, 15);
}

TEST(ElevationTileTest, ASettingIsUsableOnlyWithATemplate) {
    const struct {
        const char* setting;
        bool usable;
    } cases[] = {
        {"https://a/{z}/{x}/{y}.png", true},
        {"junk https://a/{z}/{x}/{y}.png 15", true},
        {"", false},
        {"https://a/{z}/{x}.png 14", false},
        {"14 15", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isUsableTileSetting(c.setting), c.usable) << c.setting;
    EXPECT_TRUE(isUsableTileSetting(defaultTileSetting()));
}

}  // namespace
}  // namespace orv::terrain
