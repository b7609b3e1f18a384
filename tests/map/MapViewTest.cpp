// The map view: the zoom tools and levels, the range zoom with its rubber-band square, the
// resampling of a deeper level and scrolling.
#include "map/MapView.h"

#include "map/Graticule.h"
#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <random>
#include <string>
#include <vector>

namespace orv {
namespace {

using test::kNorth1;
using test::kWest1;
using test::MapWorld;

std::string levelTool(int n) { return "ActVlv" + std::to_string(n); }

std::vector<bool> levelToolsEnabled(const MenuModel& menus) {
    std::vector<bool> enabled;
    for (int n = 1; n <= 5; ++n) enabled.push_back(menus.isEnabled(ToolId{levelTool(n)}));
    return enabled;
}

TEST(MapZoomTools, FollowTheLevelOnEveryRedraw) {
    struct Case {
        int level;
        bool zoomOut;
        bool zoomIn;
    };
    const std::vector<Case> cases{
        {1, false, true}, {2, true, true}, {3, true, true}, {4, true, true}, {5, true, false}};
    for (const auto& c : cases) {
        MapWorld w;
        w.state->currentLevel = static_cast<int16_t>(c.level);
        updateZoomTools(w.ctx);
        EXPECT_EQ(w.menus.isEnabled("ActZoutMode"), c.zoomOut) << c.level;
        EXPECT_EQ(w.menus.isEnabled("ActZupMode"), c.zoomIn) << c.level;
    }
}

// ---- choosing a level --------------------------------------------------------------------

TEST(MapZoomLevel, ChoosingTheCurrentLevelDoesNothing) {
    MapWorld w;
    w.state->backgroundLevel = 0.9f;
    selectZoomLevel(w.ctx, 1);
    EXPECT_EQ(w.overlayRedraws, 0);
    EXPECT_FLOAT_EQ(w.state->backgroundLevel, 0.9f);
}

TEST(MapZoomLevel, AnotherLevelIsRedrawnAsStored) {
    MapWorld w;
    w.fillLevel(3, 42.0f);
    for (int n = 2; n <= 3; ++n) w.menus.setEnabled(ToolId{levelTool(n)}, true);
    w.state->backgroundLevel = 0.9f;

    selectZoomLevel(w.ctx, 3);
    EXPECT_EQ(w.state->currentLevel, 3);
    EXPECT_EQ(w.map.statusPanels[1], "Level:3");
    EXPECT_FLOAT_EQ(w.state->backgroundLevel, 1.0f);
    EXPECT_EQ(w.overlayRedraws, 1);
    EXPECT_TRUE(w.menus.isEnabled("ActZoutMode"));  // the redraw set the zoom tools
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, true, true, false, false}));

    // Back to level 1: the deeper levels can no longer be chosen, their layers are kept.
    selectZoomLevel(w.ctx, 1);
    EXPECT_EQ(w.map.statusPanels[1], "Level:1");
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_FALSE(w.menus.isEnabled("ActZoutMode"));
    EXPECT_EQ(w.cell(300, 300, 3), 42.0f);
    EXPECT_EQ(w.overlayRedraws, 2);
}

// ---- the zoom square ---------------------------------------------------------------------

// The picture as it is plus the XOR square at (cx, cy) with half size h.
QImage withSquare(const QImage& picture, float cx, float cy, float h) {
    DrawingSurface s(kMapSize, kMapSize);
    s.setImage(picture);
    s.setDrawMode(DrawMode::Xor);
    drawZoomSquare(s, cx, cy, h);
    return s.image();
}

class RangeZoom : public ::testing::Test {
protected:
    void SetUp() override {
        // Something to rubber-band over: a few coloured strips.
        for (int y = 0; y < kMapSize; y += 7)
            w.pictures.map.line(0, y, kMapSize - 1, y, makeColour(10, 200, y % 256));
        original = w.pictures.map.image().copy();
        w.map.mapToolTip = "右クリックでメニュー";
    }

    MapWorld w;
    QImage original;
};

TEST_F(RangeZoom, StartShowsTheSquareAtTheStoredCentre) {
    startRangeZoom(w.ctx);
    EXPECT_TRUE(w.map.selecting);
    EXPECT_EQ(w.map.mapToolTip, "");
    EXPECT_EQ(w.map.statusPanels[0],
              "マウスで範囲を選択して下さい。左クリックで確定　右クリックで倍率調整");
    EXPECT_EQ(w.pictures.map.drawMode(), DrawMode::Xor);
    EXPECT_EQ(w.pictures.map.drawWidth(), 2);
    EXPECT_EQ(w.pictures.map.image(), withSquare(original, 300, 300, 150));
    // The square is green XORed over the picture along its sides, its inside untouched.
    DrawingSurface before(kMapSize, kMapSize);
    before.setImage(original);
    int changed = 0, notXorGreen = 0, inside = 0;
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const Colour now = w.pictures.map.pixelAt(x, y);
            if (now == before.pixelAt(x, y)) continue;
            ++changed;
            notXorGreen += now != (before.pixelAt(x, y) ^ colours::green);
            inside += x > 152 && x < 448 && y > 152 && y < 448;
        }
    EXPECT_GE(changed, 4 * 300 * 2 - 8);
    EXPECT_EQ(notXorGreen, 0);
    EXPECT_EQ(inside, 0);
}

TEST_F(RangeZoom, DrawingTheSquareTwiceRestoresThePicture) {
    w.pictures.map.setDrawMode(DrawMode::Xor);
    for (const float h : {150.0f, 75.0f, 37.5f}) {
        drawZoomSquare(w.pictures.map, 100.5f, 222.0f, h);
        EXPECT_NE(w.pictures.map.image(), original) << h;
        drawZoomSquare(w.pictures.map, 100.5f, 222.0f, h);
        EXPECT_EQ(w.pictures.map.image(), original) << h;
    }
}

TEST_F(RangeZoom, TheSquareFollowsTheMouseOnThePictureAndTheFrameFollowsIt) {
    struct Case {
        int x, y;
        int hScroll, vScroll;  // after the move, from 50 / 50
        float cx, cy;          // the stored centre
    };
    const std::vector<Case> cases{
        {300, 300, 50, 50, 300, 300},  // inside: nothing scrolls
        {100, 300, 0, 50, 151, 300},   // left of the frame: scroll to 0; kept at h + 1
        {300, 100, 50, 0, 300, 151},
        {500, 480, 99, 99, 449, 449},  // beyond the frame: scroll to 99; kept at 599 − h
        {10, 590, 0, 99, 151, 449},
    };
    for (const auto& c : cases) {
        MapWorld fresh;
        fresh.pictures.map.setImage(original);
        startRangeZoom(fresh.ctx);
        rangeZoomMouseMove(fresh.ctx, c.x, c.y);
        EXPECT_EQ(fresh.map.hScroll, c.hScroll) << c.x << "," << c.y;
        EXPECT_EQ(fresh.map.vScroll, c.vScroll) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(fresh.map.squareX, c.cx) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(fresh.map.squareY, c.cy) << c.x << "," << c.y;
        // The old square is gone, only the new one shows.
        EXPECT_EQ(fresh.pictures.map.image(), withSquare(original, c.cx, c.cy, 150))
            << c.x << "," << c.y;
    }
}

TEST_F(RangeZoom, ScrollingWithTheSquareMovesTheGraticuleLabels) {
    w.state->settings.backgroundMethod = GraticuleOnly;
    drawGraticule(w.ctx);
    startRangeZoom(w.ctx);
    rangeZoomMouseMove(w.ctx, 100, 300);
    EXPECT_EQ(w.map.latitudeLabels[1].x, 2);
}

TEST_F(RangeZoom, RightClicksCycleTheSizeByLevel) {
    struct Case {
        int level;
        std::vector<float> sizes;  // half size after each right click
    };
    const std::vector<Case> cases{
        {1, {75, 37.5f, 150, 75}},
        {2, {75, 37.5f, 150}},
        {3, {75, 150, 75}},
        {4, {150, 150}},
    };
    for (const auto& c : cases) {
        MapWorld fresh;
        fresh.pictures.map.setImage(original);
        fresh.state->currentLevel = static_cast<int16_t>(c.level);
        startRangeZoom(fresh.ctx);
        for (size_t i = 0; i < c.sizes.size(); ++i) {
            rangeZoomRightClick(fresh.ctx, 20, 580);
            EXPECT_FLOAT_EQ(fresh.map.halfSize, c.sizes[i])
                << "level " << c.level << " click " << i + 1;
        }
        // Drawn at the mouse position, not kept on the picture; the earlier squares are gone.
        EXPECT_FLOAT_EQ(fresh.map.squareX, 20);
        EXPECT_FLOAT_EQ(fresh.map.squareY, 580);
        EXPECT_EQ(fresh.pictures.map.image(), withSquare(original, 20, 580, c.sizes.back()))
            << c.level;
    }
}

TEST_F(RangeZoom, MouseEventsOutsideASelectionDoNothing) {
    rangeZoomMouseMove(w.ctx, 10, 10);
    rangeZoomRightClick(w.ctx, 10, 10);
    rangeZoomLeftClick(w.ctx, 10, 10);
    EXPECT_EQ(w.pictures.map.image(), original);
    EXPECT_EQ(w.state->currentLevel, 1);
    EXPECT_EQ(w.overlayRedraws, 0);
    EXPECT_FLOAT_EQ(w.map.halfSize, 150);
}

TEST_F(RangeZoom, ALeftClickNearTheCornerZoomsFromPixelOneOne) {
    w.fillLevel(1, 0.0f);
    for (int row = 0; row <= 600; ++row)
        for (int column = 0; column <= 600; ++column)
            w.state->elevationGrid.set(row, column, 1, static_cast<float>(row * 1000 + column));
    w.state->backgroundLevel = 0.9f;
    startRangeZoom(w.ctx);
    rangeZoomLeftClick(w.ctx, 10, 10);

    EXPECT_FALSE(w.map.selecting);
    EXPECT_EQ(w.pictures.map.drawMode(), DrawMode::Copy);
    EXPECT_EQ(w.state->currentLevel, 2);
    EXPECT_EQ(w.map.magnification, 2);
    EXPECT_FLOAT_EQ(w.map.halfSize, 150);
    EXPECT_EQ(w.map.statusPanels[1], "Level:2");
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_FLOAT_EQ(w.state->backgroundLevel, 1.0f);
    EXPECT_EQ(w.overlayRedraws, 1);
    EXPECT_EQ(w.map.mapToolTip, "右クリックでメニュー");
    EXPECT_TRUE(w.menus.isEnabled("ActZoutMode"));

    // The square's top-left pixel (1, 1) is the new level's north-west corner.
    const LevelBounds b = w.bounds(2);
    EXPECT_EQ(b.north, kNorth1 - 2);        // round(N − 1.5)
    EXPECT_EQ(b.west, kWest1 + 2);          // round(W + 2.25)
    EXPECT_EQ(b.south, kNorth1 - 2 - 450);  // 300 pixels of 1.5″
    EXPECT_EQ(b.east, kWest1 + 2 + 675);    // 300 pixels of 2.25″
    EXPECT_EQ(w.cell(0, 0, 2), w.cell(1, 1, 1));
    EXPECT_EQ(w.cell(600, 600, 2), w.cell(301, 301, 1));
    EXPECT_EQ(w.cell(1, 0, 2), (w.cell(1, 1, 1) + w.cell(2, 1, 1)) / 2);
}

TEST_F(RangeZoom, TwoRightClicksAtLevelOneJumpToLevelFour) {
    w.menus.setEnabled(ToolId{levelTool(3)}, true);  // left from an earlier zoom
    startRangeZoom(w.ctx);
    rangeZoomRightClick(w.ctx, 100, 100);
    rangeZoomRightClick(w.ctx, 100, 100);
    rangeZoomLeftClick(w.ctx, 100, 100);

    EXPECT_EQ(w.state->currentLevel, 4);
    EXPECT_EQ(w.map.magnification, 8);
    EXPECT_EQ(w.map.statusPanels[1], "Level:4");
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, false, true, true, false}));
    // left = top = 62.5: the fractional corner gives the bounds.
    const LevelBounds b = w.bounds(4);
    EXPECT_EQ(b.north, kNorth1 - 94);        // round(N − 93.75)
    EXPECT_EQ(b.west, kWest1 + 141);         // round(W + 140.625)
    EXPECT_EQ(b.south, kNorth1 - 94 - 112);  // round(N′ − 112.5), half to even
    EXPECT_EQ(b.east, kWest1 + 141 + 169);   // round(W′ + 168.75)
}

TEST_F(RangeZoom, LevelOneThenAZoomReEnablesOnlyTheNewLevel) {
    for (int n = 2; n <= 5; ++n) w.menus.setEnabled(ToolId{levelTool(n)}, true);
    w.state->currentLevel = 3;
    selectZoomLevel(w.ctx, 1);
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, false, false, false, false}));
    startRangeZoom(w.ctx);
    rangeZoomLeftClick(w.ctx, 300, 300);
    EXPECT_EQ(levelToolsEnabled(w.menus), (std::vector<bool>{true, true, false, false, false}));
}

// ---- resampling --------------------------------------------------------------------------

// The bilinear interpolation of the block corners around cell (x, y) of a layer built with
// magnification m, worked out directly in double precision.
double bilinear(const MapWorld& w, int level, int m, int x, int y) {
    const int bx = std::min(x / m * m, 600 - m);
    const int by = std::min(y / m * m, 600 - m);
    const double u = static_cast<double>(x - bx) / m;
    const double v = static_cast<double>(y - by) / m;
    const double a = w.cell(bx, by, level), b = w.cell(bx + m, by, level);
    const double c = w.cell(bx, by + m, level), d = w.cell(bx + m, by + m, level);
    return a * (1 - u) * (1 - v) + b * u * (1 - v) + c * (1 - u) * v + d * u * v;
}

struct ResampleCase {
    float halfSize;
    float left, top;
    int magnification;
};
const std::vector<ResampleCase> kResampleCases{
    {150.0f, 1.0f, 1.0f, 2},
    {150.0f, 299.0f, 150.0f, 2},
    {75.0f, 200.0f, 17.0f, 4},
    {37.5f, 62.5f, 524.5f, 8},
};

// Whole-metre samples below 4096 m: every mean of the halving is a multiple of 1/64 with at
// most 19 significant bits, so float holds it exactly and the fill must equal the bilinear
// value exactly.
TEST(ZoomLevelResample, WholeMetreSamplesGiveExactlyTheBilinearValues) {
    for (const auto& c : kResampleCases) {
        MapWorld w;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> metres(-999, 3999);
        for (int row = 0; row <= 600; ++row)
            for (int column = 0; column <= 600; ++column)
                w.state->elevationGrid.set(row, column, 1, static_cast<float>(metres(random)));

        const int level = resampleZoomLevel(*w.state, w.map, c.left, c.top, c.halfSize);
        ASSERT_EQ(level, 1 + (c.magnification == 2 ? 1 : c.magnification == 4 ? 2 : 3));
        ASSERT_EQ(w.map.magnification, c.magnification);
        const int m = c.magnification;
        const int x0 = static_cast<int>(c.left), y0 = static_cast<int>(c.top);
        int mismatches = 0;
        for (int y = 0; y <= 600; ++y) {
            for (int x = 0; x <= 600; ++x) {
                if (x % m == 0 && y % m == 0 &&
                    w.cell(x, y, level) != w.cell(x0 + x / m, y0 + y / m, 1))
                    ++mismatches;  // a sample that is not the copied cell
                if (static_cast<double>(w.cell(x, y, level)) != bilinear(w, level, m, x, y))
                    ++mismatches;
            }
        }
        EXPECT_EQ(mismatches, 0) << "m = " << m << " left " << c.left;
    }
}

// Arbitrary float samples: each halving mean rounds once, so the fill stays within a few
// float steps of the exact bilinear value.
TEST(ZoomLevelResample, FractionalSamplesStayCloseToTheBilinearValues) {
    for (const auto& c : kResampleCases) {
        MapWorld w;
        std::mt19937 random(11);
        std::uniform_real_distribution<float> metres(-999.9f, 3999.9f);
        for (int row = 0; row <= 600; ++row)
            for (int column = 0; column <= 600; ++column)
                w.state->elevationGrid.set(row, column, 1, metres(random));

        const int level = resampleZoomLevel(*w.state, w.map, c.left, c.top, c.halfSize);
        double worst = 0;
        for (int y = 0; y <= 600; ++y)
            for (int x = 0; x <= 600; ++x)
                worst = std::max(worst, std::abs(w.cell(x, y, level) -
                                                 bilinear(w, level, c.magnification, x, y)));
        EXPECT_LT(worst, 1e-3) << "m = " << c.magnification;
    }
}

TEST(ZoomLevelResample, FillsInHalvingOrder) {
    // One 2 × 2 block: the edge midpoints come from the corners, the centre from the left and
    // right midpoints.
    MapWorld w;
    w.state->elevationGrid.set(0, 0, 1, 0.0f);
    w.state->elevationGrid.set(0, 1, 1, 8.0f);
    w.state->elevationGrid.set(1, 0, 1, 16.0f);
    w.state->elevationGrid.set(1, 1, 1, 40.0f);
    ASSERT_EQ(resampleZoomLevel(*w.state, w.map, 0.0f, 0.0f, 150.0f), 2);
    EXPECT_EQ(w.cell(1, 0, 2), 4.0f);
    EXPECT_EQ(w.cell(1, 2, 2), 28.0f);
    EXPECT_EQ(w.cell(0, 1, 2), 8.0f);
    EXPECT_EQ(w.cell(2, 1, 2), 24.0f);
    EXPECT_EQ(w.cell(1, 1, 2), 16.0f);
}

TEST(ZoomLevelResample, SquaresThatDoNotMakeALevelChangeNothing) {
    struct Case {
        int level;
        float halfSize;
    };
    // m = 3 is no level step; m = 4 from level 4 would pass level 5.
    const std::vector<Case> cases{{1, 100.0f}, {4, 75.0f}, {1, 0.0f}, {1, 140.0f}};
    for (const auto& c : cases) {
        MapWorld w;
        w.state->currentLevel = static_cast<int16_t>(c.level);
        const auto corners = w.state->levelCorners;
        w.fillLevel(5, 9.0f);
        EXPECT_EQ(resampleZoomLevel(*w.state, w.map, 10.0f, 10.0f, c.halfSize), c.level)
            << c.halfSize;
        EXPECT_EQ(w.state->levelCorners, corners);
        EXPECT_EQ(w.map.magnification, 1);
        EXPECT_EQ(w.cell(0, 0, 5), 9.0f);
    }
}

// ---- scrolling ---------------------------------------------------------------------------

TEST(MapScrolling, LabelsFollowOnlyInGraticuleMode) {
    MapWorld w;
    w.state->settings.backgroundMethod = GraticuleOnly;
    drawGraticule(w.ctx);
    setHorizontalScroll(w.ctx, 60);
    setVerticalScroll(w.ctx, 30);
    EXPECT_EQ(w.map.hScroll, 60);
    EXPECT_EQ(w.map.vScroll, 30);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(w.map.latitudeLabels[k].x, 62);
        EXPECT_EQ(w.map.latitudeLabels[k].y, 600 - 100 * k);
        EXPECT_EQ(w.map.longitudeLabels[k].x, 100 * k + 2);
        EXPECT_EQ(w.map.longitudeLabels[k].y, 32);
        EXPECT_TRUE(w.map.latitudeLabels[k].visible);
    }

    w.state->settings.backgroundMethod = ShadedColour;
    setHorizontalScroll(w.ctx, 0);
    setVerticalScroll(w.ctx, 99);
    EXPECT_EQ(w.map.latitudeLabels[1].x, 62);
    EXPECT_EQ(w.map.longitudeLabels[1].y, 32);
    EXPECT_EQ(w.map.vScroll, 99);

    setHorizontalScroll(w.ctx, 150);  // the bar's range is 0..99
    EXPECT_EQ(w.map.hScroll, 99);
}

// ---- the frame, the wheel and the middle button -----------------------------------------

TEST(MapFrame, ScrollRangesFollowTheFrameSize) {
    struct Case {
        int width, height;          // the window gives
        int frameWidth, frameHeight;  // kept
        int hMax, vMax;
    };
    const std::vector<Case> cases{
        {500, 500, 500, 500, 99, 99}, {560, 530, 560, 530, 39, 69}, {599, 700, 599, 600, 0, 0},
        {100, -5, 300, 300, 299, 299},
    };
    for (const auto& c : cases) {
        MapWorld w;
        w.state->settings.backgroundMethod = GraticuleOnly;
        drawGraticule(w.ctx);
        setHorizontalScroll(w.ctx, 99);
        setVerticalScroll(w.ctx, 99);
        setMapFrameSize(w.ctx, c.width, c.height);
        EXPECT_EQ(w.map.frameWidth, c.frameWidth) << c.width;
        EXPECT_EQ(w.map.frameHeight, c.frameHeight) << c.width;
        EXPECT_EQ(horizontalScrollMax(w.map), c.hMax) << c.width;
        EXPECT_EQ(verticalScrollMax(w.map), c.vMax) << c.width;
        // A scroll beyond the new range comes back to its end, and the labels with it.
        EXPECT_EQ(w.map.hScroll, std::min(99, c.hMax)) << c.width;
        EXPECT_EQ(w.map.vScroll, std::min(99, c.vMax)) << c.width;
        EXPECT_EQ(w.map.latitudeLabels[1].x, w.map.hScroll + 2) << c.width;
        setHorizontalScroll(w.ctx, 1000);
        EXPECT_EQ(w.map.hScroll, c.hMax) << c.width;
        // The view a map starts with is centred (50 / 50 in the default frame).
        EXPECT_EQ(centredHorizontalScroll(w.map), std::min((600 - c.frameWidth) / 2, c.hMax));
    }
}

TEST(MapScrolling, TheWheelScrollsAndTheMiddleButtonPans) {
    MapWorld w;
    setHorizontalScroll(w.ctx, 50);
    setVerticalScroll(w.ctx, 50);
    // A notch towards the user scrolls down by 30 pixels; a fine wheel by its share.
    scrollMapByWheel(w.ctx, 0, -120);
    EXPECT_EQ(w.map.vScroll, 80);
    scrollMapByWheel(w.ctx, 40, 0);
    EXPECT_EQ(w.map.hScroll, 40);
    scrollMapByWheel(w.ctx, 0, 1200);
    EXPECT_EQ(w.map.vScroll, 0);
    scrollMapByWheel(w.ctx, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    EXPECT_EQ(w.map.hScroll, 99);
    EXPECT_EQ(w.map.vScroll, 0);

    // The pixel grabbed at (200, 200) stays under the pointer: each move gives the pointer's
    // picture pixel at the scroll of that moment.
    setHorizontalScroll(w.ctx, 50);
    beginMapPan(w.ctx, 200, 200);
    panMap(w.ctx, 230, 190);
    EXPECT_EQ(w.map.hScroll, 20);
    EXPECT_EQ(w.map.vScroll, 10);
    panMap(w.ctx, 240, 200);  // 10 further right: the frame shows x 10 further left
    EXPECT_EQ(w.map.hScroll, 0);  // from 20 by −40, held at the edge
    EXPECT_EQ(w.map.vScroll, 10);
    endMapPan(w.ctx);
    panMap(w.ctx, 100, 100);
    EXPECT_EQ(w.map.hScroll, 0);
    EXPECT_EQ(w.map.vScroll, 10);
}

// ---- zooming about the pointer -----------------------------------------------------------

// The longitude and latitude of the frame point (fx, fy) at the current level and scroll.
std::pair<double, double> underFrame(const MapWorld& w, int fx, int fy) {
    const LevelBounds b = w.bounds(w.state->currentLevel);
    return {b.west + longitudeStep(b) * (fx + w.map.hScroll),
            b.north - latitudeStep(b) * (fy + w.map.vScroll)};
}

TEST(MapZoomAbout, InAndOutKeepThePlaceUnderThePointer) {
    struct Case {
        int x, y;               // the pointer on the picture, scroll 50 / 50
        int hScroll, vScroll;   // at level 2
        bool kept;              // the place stays under the pointer (no scroll at its end)
    };
    const std::vector<Case> cases{
        {320, 280, 30, 70, true},
        {60, 560, 99, 12, false},  // near the picture's corner: as far as the ranges allow
    };
    for (const auto& c : cases) {
        MapWorld w;
        setHorizontalScroll(w.ctx, 50);
        setVerticalScroll(w.ctx, 50);
        const int fx = c.x - 50;
        const int fy = c.y - 50;
        const auto before = underFrame(w, fx, fy);
        ASSERT_TRUE(zoomInAbout(w.ctx, c.x, c.y)) << c.x;
        EXPECT_EQ(w.state->currentLevel, 2);
        EXPECT_EQ(w.map.statusPanels[1], "Level:2");
        EXPECT_EQ(w.map.magnification, 2);
        EXPECT_TRUE(w.menus.isEnabled("ActVlv2"));
        EXPECT_EQ(w.map.hScroll, c.hScroll) << c.x;
        EXPECT_EQ(w.map.vScroll, c.vScroll) << c.x;
        const auto after = underFrame(w, fx, fy);
        if (c.kept) {
            const LevelBounds b = w.bounds(2);
            EXPECT_LE(std::abs(after.first - before.first), longitudeStep(b)) << c.x;
            EXPECT_LE(std::abs(after.second - before.second), latitudeStep(b)) << c.x;
        }

        // Back up about the same frame point: the first view again where it was kept.
        ASSERT_TRUE(zoomOutAbout(w.ctx, fx + w.map.hScroll, fy + w.map.vScroll));
        EXPECT_EQ(w.state->currentLevel, 1);
        if (c.kept) {
            EXPECT_NEAR(w.map.hScroll, 50, 1);
            EXPECT_NEAR(w.map.vScroll, 50, 1);
        }
    }
}

TEST(MapZoomAbout, NothingBeyondTheLevelsOrDuringTheSquare) {
    MapWorld w;
    EXPECT_FALSE(zoomOutAbout(w.ctx, 300, 300));  // level 1 is the top
    startRangeZoom(w.ctx);
    const QImage withSquare = w.pictures.map.image().copy();
    EXPECT_FALSE(zoomInAbout(w.ctx, 300, 300));
    EXPECT_EQ(w.state->currentLevel, 1);
    EXPECT_EQ(w.pictures.map.image(), withSquare);
    endRangeZoom(w.ctx);
    for (int level = 2; level <= 5; ++level) ASSERT_TRUE(zoomInAbout(w.ctx, 300, 300)) << level;
    EXPECT_EQ(w.state->currentLevel, 5);
    EXPECT_FALSE(zoomInAbout(w.ctx, 300, 300));
}

}  // namespace
}  // namespace orv
