// The terrain background: the pixel colour rule, the pale tint under contours, the
// progressive painting, the redraw sequence with its guard, and the background commands.
#include "map/Background.h"

#include "map/Contours.h"
#include "platform/MenuModel.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

const std::vector<std::string> kModeTools{"ActStpColSMode", "ActStpColMode", "ActDegLineMode",
                                          "ActNoBGMode"};
const std::vector<std::string> kViewTools{"ActViewBCDef", "ActViewBCU1", "ActViewBCU2",
                                          "ActViewBCU3", "ActViewBCU4"};
const std::vector<std::string> kEditTools{"ActBCDefColor", "ActBCUser1", "ActBCUser2", "ActBCUser3",
                                          "ActBCUser4"};

Colour rgb(int r, int g, int b) { return makeColour(r, g, b); }

// A set whose slopes are exact binary fractions, so interpolated values can be checked by hand:
// from 0 m to 1000 m red rises by 125, green by 250, blue falls by 125.
ColourSet dyadicSet() {
    ColourSet set = kDefaultColourSet;
    set[1] = ColourBand{125, 0, 0, 0.0f};
    set[2] = ColourBand{0, 250, 125, 1000.0f};
    return set;
}

struct PixelCase {
    const char* what;
    ColourSet set;
    float elevation;
    float east;
    float divisor;
    Colour expected;
};

TEST(BackgroundPixel, ColourRule) {
    const ColourSet def = kDefaultColourSet;
    const std::vector<PixelCase> cases{
        {"no data: sea colour, no shading", def, -999.9f, 500.0f, 20.0f, rgb(126, 180, 234)},
        {"just below -2 m: sea colour, no shading", def, -2.01f, -900.0f, 0.1f, rgb(126, 180, 234)},
        {"-2 m itself: band 1 extrapolated below 0 m", def, -2.0f, -2.0f, 20.0f, rgb(19, 149, 20)},
        {"0 m: band 1", def, 0.0f, 0.0f, 20.0f, rgb(20, 150, 20)},
        {"exactly 1000 m: band 2 as it is", def, 1000.0f, 1000.0f, 20.0f, rgb(200, 200, 0)},
        {"exactly 2000 m: band 3", def, 2000.0f, 2000.0f, 20.0f, rgb(135, 71, 0)},
        {"exactly 3000 m: band 4", def, 3000.0f, 3000.0f, 20.0f, rgb(83, 47, 6)},
        {"4000 m: band 5", def, 4000.0f, 4000.0f, 20.0f, rgb(103, 94, 0)},
        {"above 4000 m: band 5, shaded", def, 4500.0f, 4520.0f, 20.0f, rgb(104, 95, 1)},
        {"interpolation floors each component", dyadicSet(), 500.0f, 500.0f, 20.0f,
         rgb(62, 125, 62)},
        {"extrapolation below 0 m clamps at 0", dyadicSet(), -1.0f, -1.0f, 20.0f, rgb(0, 0, 125)},
        {"band shading: rise of 19 m adds 0", def, 0.0f, 19.0f, 20.0f, rgb(20, 150, 20)},
        {"band shading: rise of 20 m adds 1", def, 0.0f, 20.0f, 20.0f, rgb(21, 151, 21)},
        {"band shading: fall of 1 m takes 1", def, 0.0f, -1.0f, 20.0f, rgb(19, 149, 19)},
        {"relief shading at level 1", def, 0.0f, 0.6f, 0.6f, rgb(21, 151, 21)},
        {"steep rise clamps at 255", def, 0.0f, 300.0f, 0.6f, rgb(255, 255, 255)},
        {"no-data east neighbour clamps at 0", def, 0.0f, -999.9f, 0.6f, rgb(0, 0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pixelColour(c.set, c.elevation, c.east, c.divisor), c.expected) << c.what;
}

TEST(BackgroundPixel, PaleTint) {
    struct Case {
        int16_t component;
        float factor;
        int16_t expected;
    };
    // Half way to white, then scaled; halves go to the even neighbour.
    const std::vector<Case> cases{
        {20, 1.0f, 138}, {150, 1.0f, 202}, {0, 1.0f, 128}, {255, 1.0f, 255},
        {20, 0.9f, 124}, {255, 1.2f, 255}, {116, 0.8f, 148},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paleComponent(c.component, c.factor), c.expected)
            << c.component << " × " << c.factor;
}

TEST(BackgroundPixel, WorkingColoursArePaleOnlyUnderContoursInColourModes) {
    auto state = makeAppState();
    state->settings.colourTable[0] = kDefaultColourSet;
    state->settings.colourTable[3] = dyadicSet();
    state->settings.colourSetIndex = 3;
    state->backgroundLevel = 1.0f;

    state->contoursShown = false;
    EXPECT_EQ(makeWorkingColours(*state), dyadicSet());

    state->settings.colourSetIndex = 0;
    state->contoursShown = true;
    for (int16_t mode : {ShadedColour, BandColour}) {
        state->settings.backgroundMethod = mode;
        const ColourSet w = makeWorkingColours(*state);
        EXPECT_EQ(w[1], (ColourBand{138, 202, 138, 0.0f})) << mode;
        EXPECT_EQ(w[6], (ColourBand{168, 180, 186, 0.0f})) << mode;
        EXPECT_EQ(w[5].elevation, 4000.0f);
    }
    for (int16_t mode : {GraticuleOnly, NoBackground}) {
        state->settings.backgroundMethod = mode;
        EXPECT_EQ(makeWorkingColours(*state), kDefaultColourSet) << mode;
    }
}

TEST(BackgroundPixel, ShadeDivisors) {
    EXPECT_EQ(shadeDivisor(ShadedColour, 1), 0.6f);
    EXPECT_EQ(shadeDivisor(ShadedColour, 2), 0.3f);
    EXPECT_EQ(shadeDivisor(ShadedColour, 3), 0.15f);
    EXPECT_EQ(shadeDivisor(ShadedColour, 4), 0.13f);
    EXPECT_EQ(shadeDivisor(ShadedColour, 5), 0.1f);
    for (int level = 1; level <= 5; ++level) EXPECT_EQ(shadeDivisor(BandColour, level), 20.0f);
}

// A route map with its menus, pictures and a grid of a single height on levels 1 and 2.
class BackgroundMap : public ::testing::Test {
protected:
    void SetUp() override {
        state = makeAppState();
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.colourTable[2] = dyadicSet();
        state->settings.registeredSets[2] = 1;
        state->settings.backgroundMethod = ShadedColour;
        state->settings.colourSetIndex = 0;
        state->settings.savedBackgroundLevel = 0.9f;
        state->currentLevel = 1;
        fillLevel(1, 0.0f);
        fillLevel(2, 1000.0f);

        menus.addCommand("PopupMenu", tool("ActZoutMode"));
        menus.addCommand("PopupMenu", tool("ActZupMode"));
        for (const auto& id : kModeTools) menus.addCommand("DispGMode", tool(id));
        for (const auto& id : kViewTools) menus.addCommand("DispGMode", tool(id));
        for (const auto& id : kEditTools) menus.addCommand("BCColorSetMenu", tool(id));
        for (int n = 1; n <= 4; ++n) menus.setEnabled(ToolId{kViewTools[static_cast<size_t>(n)]}, false);

        ctx =
            std::make_unique<MapContext>(MapContext{*state, map, pictures, menus, dialogs, {}, {}});
        ctx->drawOverlays = [this] { onOverlayDraw(); };
    }

    static MenuCommand tool(const std::string& id) {
        MenuCommand c;
        c.toolId = id;
        return c;
    }

    void fillLevel(int level, float metres) {
        for (int row = 0; row < ElevationGrid::kRows; ++row)
            for (int column = 0; column < ElevationGrid::kColumns; ++column)
                state->elevationGrid.set(row, column, level, metres);
    }

    std::vector<std::string> checkedOf(const std::vector<std::string>& tools) const {
        std::vector<std::string> checked;
        for (const auto& id : tools)
            if (menus.isChecked(ToolId{id})) checked.push_back(id);
        return checked;
    }

    // What the overlay redraw sees when it runs.
    struct Overlay {
        bool redrawing = false;
        Colour mapPixel = 0;
        std::string status;
    };
    void onOverlayDraw() {
        overlays.push_back({map.redrawing, pictures.map.pixelAt(100, 100), map.statusPanels[0]});
        if (onOverlay) onOverlay();
    }

    std::unique_ptr<AppState> state;
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<MapContext> ctx;
    std::vector<Overlay> overlays;
    std::function<void()> onOverlay;
};

TEST_F(BackgroundMap, PaintsOneLayerAndShadesTheLastColumnFromColumn600) {
    state->elevationGrid.set(7, 600, 1, 20.0f);  // beyond the picture, east of column 599
    state->elevationGrid.set(8, 5, 1, -5.0f);    // sea
    pictures.buffer.setBackColour(colours::black);
    pictures.buffer.clear();

    paintBackgroundRows(state->elevationGrid, 1, kDefaultColourSet, 20.0f, pictures.buffer, 7, 8);
    EXPECT_EQ(pictures.buffer.pixelAt(598, 7), rgb(20, 150, 20));
    EXPECT_EQ(pictures.buffer.pixelAt(599, 7), rgb(21, 151, 21));
    // Shading looks east only: the cell west of the sea falls by 5 m, the sea cell is plain.
    EXPECT_EQ(pictures.buffer.pixelAt(4, 8), rgb(19, 149, 19));
    EXPECT_EQ(pictures.buffer.pixelAt(5, 8), rgb(126, 180, 234));
    EXPECT_EQ(pictures.buffer.pixelAt(6, 8), rgb(20, 150, 20));
    EXPECT_EQ(pictures.buffer.pixelAt(300, 6), colours::black);
    EXPECT_EQ(pictures.buffer.pixelAt(300, 9), colours::black);

    paintBackgroundRows(state->elevationGrid, 2, kDefaultColourSet, 20.0f, pictures.buffer, 598,
                        700);
    EXPECT_EQ(pictures.buffer.pixelAt(0, 599), rgb(200, 200, 0));
    EXPECT_EQ(pictures.buffer.pixelAt(0, 597), colours::black);
}

TEST_F(BackgroundMap, EveryPaintedPixelFollowsTheOneCellRule) {
    // Heights all over the range, band edges and values no mesh file holds; the painting
    // works on several cells at a time and must agree with the rule cell by cell.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> unusual{-999.9f, -2.0f, -2.0001f, 0.0f, 999.99994f, 1000.0f, 2000.0f,
                                     3999.9f, 4000.0f, 9999.9f, 1e30f, -1e30f, inf, nan};
    uint32_t seed = 12345;
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column) {
            seed = seed * 1664525u + 1013904223u;
            const float metres =
                (seed >> 8) % 50 == 0
                    ? unusual[(seed >> 16) % unusual.size()]
                    : static_cast<float>(static_cast<int>(seed >> 9) % 62000 - 12000) / 10.0f;
            state->elevationGrid.set(row, column, 3, metres);
        }
    ColourSet flat = dyadicSet();  // equal band elevations: the slopes are not numbers
    flat[3].elevation = flat[2].elevation;
    ColourSet pale = kDefaultColourSet;
    for (ColourBand& band : pale) band.red = paleComponent(band.red, 0.93f);

    for (const ColourSet& set : {kDefaultColourSet, pale, flat}) {
        for (float divisor : {0.13f, 20.0f}) {
            paintBackgroundRows(state->elevationGrid, 3, set, divisor, pictures.buffer, 0, 599);
            int wrong = 0;
            for (int y = 0; y < kMapSize; ++y)
                for (int x = 0; x < kMapSize; ++x) {
                    const Colour want = pixelColour(set, state->elevationGrid.get(y, x, 3),
                                                    state->elevationGrid.get(y, x + 1, 3), divisor);
                    if (pictures.buffer.pixelAt(x, y) != want && ++wrong <= 5)
                        ADD_FAILURE() << "pixel (" << x << ", " << y << ") divisor " << divisor;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}

// The four-cell path stays in use where the processor has no wider one: it gives the same
// pixels as the widest path (which the test above holds to the one-cell rule).
TEST_F(BackgroundMap, FourCellPathPaintsWhatTheWidestPathPaints) {
    uint32_t seed = 777;
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column) {
            seed = seed * 1664525u + 1013904223u;
            const float metres = (seed >> 8) % 40 == 0 ? std::numeric_limits<float>::quiet_NaN()
                                                       : static_cast<float>(static_cast<int>(seed >> 9) % 52000 - 2000) / 10.0f;
            state->elevationGrid.set(row, column, 2, metres);
        }
    DrawingSurface four(kMapSize, kMapSize);
    for (float divisor : {0.1f, 0.6f, 20.0f}) {
        paintBackgroundRows(state->elevationGrid, 2, kDefaultColourSet, divisor, pictures.buffer, 0, 599);
        paintBackgroundRows(state->elevationGrid, 2, kDefaultColourSet, divisor, four, 0, 599, PixelPath::FourCells);
        EXPECT_EQ(four.image(), pictures.buffer.image()) << "divisor " << divisor;
    }
}

TEST_F(BackgroundMap, ColourBackgroundShowsThePictureEveryFiveRowsTopToBottom) {
    pictures.buffer.clear();  // white: not a colour of the background
    std::vector<int> paintedRows;
    pictures.map.setShowHandler([this, &paintedRows] {
        int rows = 0;
        while (rows < kMapSize && pictures.buffer.pixelAt(0, rows) != colours::white) ++rows;
        paintedRows.push_back(rows);
        EXPECT_EQ(pictures.map.pixelAt(0, rows == 0 ? 0 : rows - 1),
                  pictures.buffer.pixelAt(0, rows == 0 ? 0 : rows - 1));
    });
    drawColourBackground(*ctx, 0.6f);

    ASSERT_EQ(paintedRows.size(), 120u);  // after rows 0..4, 5..9, …, and once at the end
    for (size_t i = 0; i < paintedRows.size(); ++i)
        EXPECT_EQ(paintedRows[i], 5 * static_cast<int>(i + 1));
    EXPECT_EQ(pictures.map.pixelAt(599, 599), rgb(20, 150, 20));
    EXPECT_EQ(map.workingColours, kDefaultColourSet);
}

TEST_F(BackgroundMap, RedrawShowsTheBackgroundBeforeTheOverlaysAndSetsTheTools) {
    map.markersVisible = true;
    menus.setChecked("ActNoBGMode", true);
    state->settings.backgroundMethod = BandColour;

    redrawMap(*ctx);

    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_TRUE(overlays[0].redrawing);
    EXPECT_EQ(overlays[0].mapPixel, rgb(20, 150, 20));
    EXPECT_FALSE(map.redrawing);
    EXPECT_FALSE(map.markersVisible);
    EXPECT_EQ(checkedOf(kModeTools), std::vector<std::string>{"ActStpColMode"});
    EXPECT_FALSE(menus.isEnabled("ActZoutMode"));
    EXPECT_TRUE(menus.isEnabled("ActZupMode"));

    state->currentLevel = 2;
    redrawMap(*ctx);
    EXPECT_EQ(overlays.back().mapPixel, rgb(200, 200, 0));
    EXPECT_TRUE(menus.isEnabled("ActZoutMode"));
}

TEST_F(BackgroundMap, BlankAndGraticuleBackgroundsReplaceTheColours) {
    redrawMap(*ctx);
    ASSERT_EQ(pictures.map.pixelAt(100, 100), rgb(20, 150, 20));
    map.latitudeLabels[1].visible = true;

    state->settings.backgroundMethod = NoBackground;
    pictures.blank.box(90, 90, 110, 110, colours::red, true);
    redrawMap(*ctx);
    EXPECT_EQ(overlays.back().mapPixel, colours::white);
    EXPECT_EQ(pictures.buffer.pixelAt(100, 100), colours::white);
    EXPECT_FALSE(map.latitudeLabels[1].visible);
    EXPECT_EQ(checkedOf(kModeTools), std::vector<std::string>{"ActNoBGMode"});

    state->settings.backgroundMethod = GraticuleOnly;
    redrawMap(*ctx);
    EXPECT_EQ(pictures.map.image(), pictures.buffer.image());
    EXPECT_EQ(pictures.map.pixelAt(151, 151), colours::white);
    EXPECT_EQ(checkedOf(kModeTools), std::vector<std::string>{"ActDegLineMode"});
}

TEST_F(BackgroundMap, ContoursAreDrawnOnlyWhileShownOverThePaleBackground) {
    // A step from 350 m to 450 m between columns 299 and 300 crosses the 400 m contour.
    fillLevel(1, 350.0f);
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 300; column < ElevationGrid::kColumns; ++column)
            state->elevationGrid.set(row, column, 1, 450.0f);
    state->contourInterval = 100;
    const Colour thin = thinContourColour(kDefaultColourSet, 0.8f);

    redrawMap(*ctx);
    EXPECT_NE(pictures.map.pixelAt(299, 10), thin);
    const Colour plain = pictures.map.pixelAt(100, 10);

    state->contoursShown = true;
    state->backgroundLevel = 1.0f;
    redrawMap(*ctx);
    EXPECT_EQ(pictures.map.pixelAt(299, 10), thin);
    EXPECT_NE(pictures.map.pixelAt(100, 10), plain);
    EXPECT_EQ(pictures.map.pixelAt(100, 10),
              pixelColour(makeWorkingColours(*state), 350.0f, 350.0f, 0.6f));

    // Also over a blank background.
    state->settings.backgroundMethod = NoBackground;
    redrawMap(*ctx);
    EXPECT_EQ(pictures.map.pixelAt(299, 10), thin);
    EXPECT_EQ(pictures.map.pixelAt(100, 10), colours::white);
}

TEST_F(BackgroundMap, ARedrawAskedForDuringARedrawRunsOnceAfterIt) {
    int depth = 0;
    int deepest = 0;
    onOverlay = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (overlays.size() == 1) redrawMap(*ctx);
        --depth;
    };
    redrawMap(*ctx);
    EXPECT_EQ(overlays.size(), 2u);
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(map.redrawing);
    EXPECT_FALSE(map.redrawRequested);
}

TEST_F(BackgroundMap, AModeChosenWhileTheBackgroundIsPaintedIsDrawnAfterIt) {
    // The first look at pending events during the painting brings the "段彩図" command.
    bool chosen = false;
    pictures.map.setShowHandler([&] {
        if (chosen) return;
        chosen = true;
        selectBackgroundMode(*ctx, BandColour);
    });
    fillLevel(1, 500.0f);
    state->elevationGrid.set(100, 101, 1, 500.6f);  // a rise east of (100, 100)

    redrawMap(*ctx);
    ASSERT_EQ(overlays.size(), 2u);
    EXPECT_EQ(overlays[0].mapPixel, pixelColour(kDefaultColourSet, 500.0f, 500.6f, 0.6f));
    EXPECT_EQ(overlays[1].mapPixel, pixelColour(kDefaultColourSet, 500.0f, 500.6f, 20.0f));
    EXPECT_NE(overlays[0].mapPixel, overlays[1].mapPixel);
    EXPECT_EQ(checkedOf(kModeTools), std::vector<std::string>{"ActStpColMode"});
    EXPECT_FALSE(map.redrawing);
}

TEST_F(BackgroundMap, ChoosingAModeRedrawsWithTheDrawingNotice) {
    menus.setChecked("ActStpColSMode", true);
    state->backgroundLevel = 0.9f;

    selectBackgroundMode(*ctx, ShadedColour);  // already current
    selectBackgroundMode(*ctx, 7);             // no such mode
    EXPECT_TRUE(overlays.empty());
    EXPECT_EQ(state->backgroundLevel, 0.9f);

    selectBackgroundMode(*ctx, NoBackground);
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays[0].status, "描画中......");
    EXPECT_EQ(map.statusPanels[0], "");
    EXPECT_EQ(state->settings.backgroundMethod, NoBackground);
    EXPECT_EQ(state->backgroundLevel, 1.0f);
    EXPECT_EQ(checkedOf(kModeTools), std::vector<std::string>{"ActNoBGMode"});
}

TEST_F(BackgroundMap, ChoosingAColourSetRedrawsWithIt) {
    menus.setChecked("ActViewBCDef", true);
    menus.setEnabled("ActViewBCU2", true);
    state->backgroundLevel = 0.9f;

    viewColourSet(*ctx, 0);  // already current
    EXPECT_TRUE(overlays.empty());

    viewColourSet(*ctx, 2);
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays[0].mapPixel, pixelColour(dyadicSet(), 0.0f, 0.0f, 0.6f));
    EXPECT_EQ(state->settings.colourSetIndex, 2);
    EXPECT_EQ(state->backgroundLevel, 1.0f);
    EXPECT_EQ(checkedOf(kViewTools), std::vector<std::string>{"ActViewBCU2"});
}

TEST_F(BackgroundMap, ACancelledColourDialogKeepsTheMapButNotTheSet) {
    redrawMap(*ctx);
    const QImage before = pictures.map.image().copy();
    menus.setChecked("ActViewBCDef", true);
    state->contoursShown = true;
    int opened = 0;
    ctx->openColourDialog = [&] {
        ++opened;
        EXPECT_EQ(state->settings.colourSetIndex, 3);
        state->settings.colourTable[3] = dyadicSet();
        return DialogOutcome::Cancelled;
    };

    editColourSet(*ctx, 3);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(overlays.size(), 1u);  // no redraw
    EXPECT_EQ(pictures.map.image(), before);
    EXPECT_EQ(state->settings.colourSetIndex, 3);
    EXPECT_TRUE(state->contoursShown);
    EXPECT_FALSE(menus.isChecked("ActBCUser3"));
    EXPECT_FALSE(menus.isEnabled("ActViewBCU3"));
    EXPECT_EQ(checkedOf(kViewTools), std::vector<std::string>{"ActViewBCDef"});

    // The next redraw of any kind uses the edited set.
    state->contoursShown = false;
    redrawMap(*ctx);
    EXPECT_EQ(pictures.map.pixelAt(100, 100), pixelColour(dyadicSet(), 0.0f, 0.0f, 0.6f));
}

TEST_F(BackgroundMap, AConfirmedColourDialogRegistersAndShowsTheSet) {
    menus.setChecked("ActViewBCDef", true);
    state->contoursShown = true;
    state->backgroundLevel = 0.9f;
    ctx->openColourDialog = [&] {
        state->settings.colourTable[4] = dyadicSet();
        state->settings.registeredSets[4] = 1;
        return DialogOutcome::Accepted;
    };

    editColourSet(*ctx, 4);
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_EQ(overlays[0].mapPixel, pixelColour(dyadicSet(), 0.0f, 0.0f, 0.6f));
    EXPECT_TRUE(menus.isChecked("ActBCUser4"));
    EXPECT_TRUE(menus.isEnabled("ActViewBCU4"));
    EXPECT_FALSE(state->contoursShown);
    EXPECT_EQ(state->backgroundLevel, 1.0f);
    EXPECT_EQ(checkedOf(kViewTools), std::vector<std::string>{"ActViewBCU4"});

    // The default set has no edit check mark.
    ctx->openColourDialog = [] { return DialogOutcome::Accepted; };
    editColourSet(*ctx, 0);
    EXPECT_EQ(overlays.size(), 2u);
    EXPECT_FALSE(menus.isChecked("ActBCDefColor"));
    EXPECT_EQ(checkedOf(kViewTools), std::vector<std::string>{"ActViewBCDef"});
}

TEST_F(BackgroundMap, ShowingContoursUsesTheSavedLevelAndRedrawsTheOverlaysAgain) {
    showContours(*ctx);  // no interval chosen yet: nothing to show
    EXPECT_TRUE(overlays.empty());
    EXPECT_FALSE(state->contoursShown);

    state->contourInterval = 100;
    std::string statusWhilePainting;
    pictures.map.setShowHandler([&] {
        if (statusWhilePainting.empty()) statusWhilePainting = map.statusPanels[0];
    });
    showContours(*ctx);
    EXPECT_EQ(statusWhilePainting, "背景色を調整します。");
    ASSERT_EQ(overlays.size(), 2u);
    EXPECT_EQ(overlays[1].status, "");
    EXPECT_FALSE(overlays[1].redrawing);
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(state->backgroundLevel, 0.9f);
    // Band 1 paled at level 0.9: round(137.5 × 0.9) = 124, round(202.5 × 0.9) = 182.
    EXPECT_EQ(pictures.map.pixelAt(100, 100), rgb(124, 182, 124));
}

}  // namespace
}  // namespace orv
