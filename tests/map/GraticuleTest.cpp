// The graticule of the GraticuleOnly background: the dotted grid, the label texts of the
// current level, their places at the visible edges, and hiding them in other modes.
#include "map/Graticule.h"

#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

using test::MapWorld;

int blackInRow(const DrawingSurface& s, int y) {
    int n = 0;
    for (int x = 0; x < kMapSize; ++x) n += s.pixelAt(x, y) == colours::black;
    return n;
}
int blackInColumn(const DrawingSurface& s, int x) {
    int n = 0;
    for (int y = 0; y < kMapSize; ++y) n += s.pixelAt(x, y) == colours::black;
    return n;
}

TEST(Graticule, LevelOneLabelsStepBy150And225Seconds) {
    MapWorld w;
    drawGraticule(w.ctx);
    // South 35°35′, north 35°50′; west 139°37′30″, east 140°00′.
    const std::vector<std::string> latitudes{"35.3500", "35.3730", "35.4000", "35.4230",
                                             "35.4500", "35.4730", "35.5000"};
    const std::vector<std::string> longitudes{"139.3730", "139.4115", "139.4500", "139.4845",
                                              "139.5230", "139.5615", "140.0000"};
    for (size_t k = 0; k <= 6; ++k) {
        EXPECT_EQ(w.map.latitudeLabels[k].text, latitudes[k]) << k;
        EXPECT_EQ(w.map.longitudeLabels[k].text, longitudes[k]) << k;
        const bool shown = k >= 1 && k <= 5;
        EXPECT_EQ(w.map.latitudeLabels[k].visible, shown) << k;
        EXPECT_EQ(w.map.longitudeLabels[k].visible, shown) << k;
    }
    // Placed at the visible edges of the frame scrolled to 50 / 50.
    for (size_t k = 1; k <= 5; ++k) {
        EXPECT_EQ(w.map.latitudeLabels[k].x, 52);
        EXPECT_EQ(w.map.latitudeLabels[k].y, 600 - 100 * static_cast<int>(k));
        EXPECT_EQ(w.map.longitudeLabels[k].x, 100 * static_cast<int>(k) + 2);
        EXPECT_EQ(w.map.longitudeLabels[k].y, 52);
    }
}

TEST(Graticule, LabelSixthsRoundHalvesToEven) {
    MapWorld w;
    // 3″ from south to north: the sixths fall on half seconds.
    w.setCorners(2, 128100, 128103, 502650, 502656);
    w.state->currentLevel = 2;
    drawGraticule(w.ctx);
    EXPECT_EQ(w.map.latitudeLabels[1].text, "35.3500");  // 128100.5 → 128100
    EXPECT_EQ(w.map.latitudeLabels[3].text, "35.3502");  // 128101.5 → 128102
    EXPECT_EQ(w.map.latitudeLabels[5].text, "35.3502");  // 128102.5 → 128102
    EXPECT_EQ(w.map.longitudeLabels[1].text, "139.3731");
}

TEST(Graticule, DottedGridOneAboveAndLeftOfEachSixth) {
    MapWorld w;
    w.pictures.blank.setDrawMode(DrawMode::Xor);  // left so by the ridge/valley tracing
    w.pictures.blank.box(0, 0, 599, 599, colours::red, true);
    drawGraticule(w.ctx);
    const DrawingSurface& g = w.pictures.blank;
    // 3 on, 3 off along 600 pixels; where a crossing line's dot is on and this line's is off,
    // the crossing adds a pixel (rows and columns 199 and 499 meet three such dots).
    const int expected[] = {300, 303, 300, 300, 303};
    for (int k = 0; k < 5; ++k) {
        const int at = 99 + 100 * k;
        EXPECT_EQ(blackInRow(g, at), expected[k]) << at;
        EXPECT_EQ(blackInColumn(g, at), expected[k]) << at;
    }
    EXPECT_EQ(g.pixelAt(0, 99), colours::black);
    EXPECT_EQ(g.pixelAt(3, 99), colours::white);
    // Elsewhere only the first dots of the crossing lines: nothing at all along 599.
    EXPECT_EQ(blackInRow(g, 0), 5);
    EXPECT_EQ(blackInColumn(g, 0), 5);
    EXPECT_EQ(blackInRow(g, 100), 0);
    EXPECT_EQ(blackInRow(g, 599), 0);
    EXPECT_EQ(blackInColumn(g, 599), 0);
    EXPECT_EQ(g.drawMode(), DrawMode::Xor);
    EXPECT_EQ(g.lineStyle(), LineStyle::Solid);
    EXPECT_EQ(w.pictures.buffer.image(), g.image());
}

TEST(Graticule, OtherModesHideAllLabelsButKeepTheirTexts) {
    MapWorld w;
    drawGraticule(w.ctx);
    hideGraticuleLabels(w.map);
    for (size_t k = 0; k <= 6; ++k) {
        EXPECT_FALSE(w.map.latitudeLabels[k].visible);
        EXPECT_FALSE(w.map.longitudeLabels[k].visible);
    }
    EXPECT_EQ(w.map.latitudeLabels[1].text, "35.3730");
}

}  // namespace
}  // namespace orv
