// The contour pixel loop against the rule written out cell by cell, on grids full of the
// heights that break arithmetic: no data, NaN, infinities, quotients beyond the int32 range,
// negative zero, subnormals, heights a hair either side of a contour.
#include "map/Contours.h"

#include "core/Rounding.h"
#include "geo/ElevationGrid.h"
#include "map/MapState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace orv {
namespace {

const Colour kThin = makeColour(148, 144, 135);
const Colour kIndex = makeColour(116, 105, 82);

// The rule as it reads: for rows and columns 1..599, the west pair and then the north pair;
// where both classes are positive, the thin colour across an interval class, then the index
// colour across a class of five intervals, on the pixel up and left of the cell.
void referenceContours(const ElevationGrid& grid, int level, int interval, DrawingSurface& out) {
    const auto classOf = [](float v, int d) { return floorToInt(static_cast<double>(v) / d); };
    const auto at = [&](int column, int row) { return grid.get(row, column, level); };
    out.setDrawMode(DrawMode::Copy);
    for (int i = 1; i < kMapSize; ++i)
        for (int j = 1; j < kMapSize; ++j) {
            const float c = at(j, i);
            for (const float other : {at(j - 1, i), at(j, i - 1)}) {
                if (classOf(other, interval) <= 0 || classOf(c, interval) <= 0) continue;
                if (classOf(other, interval) != classOf(c, interval))
                    out.pixel(j - 1, i - 1, kThin);
                if (classOf(other, 5 * interval) != classOf(c, 5 * interval))
                    out.pixel(j - 1, i - 1, kIndex);
            }
        }
}

// Where two pictures differ: the count of differing pixels and the first one; empty when
// they are the same.
std::string difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    int count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            if (count++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return count == 0 ? "" : std::to_string(count) + " pixels differ, the first at " + first;
}

// Heights that make the classes hard, for an interval: each is used in runs and next to
// ordinary heights.
std::vector<float> awkwardHeights(int interval) {
    const float inf = std::numeric_limits<float>::infinity();
    const auto d = static_cast<float>(interval);
    std::vector<float> v{
        ElevationGrid::kNoData, std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(), inf, -inf, std::numeric_limits<float>::max(),
        std::numeric_limits<float>::lowest(), std::numeric_limits<float>::denorm_min(),
        -std::numeric_limits<float>::denorm_min(), 0.0f, -0.0f, d, std::nextafter(d, 0.0f), 5 * d,
        std::nextafter(5 * d, 0.0f), std::nextafter(5 * d, inf),
        // Quotients about the ends of the int32 range: saturated or not.
        2147483647.0f * d, 2147483520.0f * d, std::nextafter(2147483648.0f * d, inf),
        -2147483648.0f * d, -2147483520.0f * d, std::nextafter(-2147483648.0f * d, -inf), 1e12f,
        -1e12f, 3e38f};
    return v;
}

struct Fixture {
    std::unique_ptr<ElevationGrid> grid = std::make_unique<ElevationGrid>();
    DrawingSurface painted{kMapSize, kMapSize};
    DrawingSurface expected{kMapSize, kMapSize};
};

// A grid of ordinary heights (rough terrain with many contour crossings) with awkward heights
// sprinkled over it, singly and in short runs, on one level; the other levels hold other
// heights so that a wrong level shows. Both pictures start with the same noisy background.
void fill(Fixture& f, int level, int interval, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> height(-30.0f, 12.0f * static_cast<float>(interval));
    std::uniform_int_distribution<int> percent(0, 99);
    const std::vector<float> awkward = awkwardHeights(interval);
    std::uniform_int_distribution<size_t> pick(0, awkward.size() - 1);
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column)
            for (int l = 0; l < ElevationGrid::kLevels; ++l)
                f.grid->set(row, column, l,
                            l == level ? height(random) : 1e6f * static_cast<float>(l + 1));
    for (int k = 0; k < 6000; ++k) {
        const int row = static_cast<int>(random() % ElevationGrid::kRows);
        const int column = static_cast<int>(random() % ElevationGrid::kColumns);
        const float v = awkward[pick(random)];
        const int run = percent(random) < 30 ? 4 : 1;
        for (int r = 0; r < run; ++r) f.grid->set(row, column + r, level, v);
    }
    for (DrawingSurface* s : {&f.painted, &f.expected}) s->clear();
    std::mt19937 paper(seed);
    for (int k = 0; k < 2000; ++k) {
        const int x = static_cast<int>(paper() % kMapSize);
        const int y = static_cast<int>(paper() % kMapSize);
        const Colour c = static_cast<Colour>(paper() & 0xFFFFFF);
        for (DrawingSurface* s : {&f.painted, &f.expected}) s->pixel(x, y, c);
    }
}

TEST(ContourPixelLoop, MatchesTheRuleOnAwkwardGrids) {
    struct Case {
        int level;
        int interval;
    };
    const std::vector<Case> cases{{1, 100}, {1, 1},    {2, 3},    {5, 10},
                                  {0, 40},  {3, 1000}, {4, 32767}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        Fixture f;
        fill(f, c.level, c.interval, seed++);
        std::vector<int> rows;
        paintContourRows(*f.grid, c.level, c.interval, kThin, kIndex, f.painted,
                         [&rows](int row) { rows.push_back(row); });
        referenceContours(*f.grid, c.level, c.interval, f.expected);
        EXPECT_EQ(difference(f.painted.image(), f.expected.image()), "")
            << "level " << c.level << ", interval " << c.interval;
        ASSERT_EQ(rows.size(), 599u);
        EXPECT_EQ(rows.front(), 1);
        EXPECT_EQ(rows.back(), 599);
    }
}

// Every awkward height next to every other one, as west and as north neighbour, at interval 1
// (the quotients are the heights themselves) and interval 7 (inexact quotients).
TEST(ContourPixelLoop, EveryPairOfAwkwardHeights) {
    for (const int interval : {1, 7}) {
        std::vector<float> heights = awkwardHeights(interval);
        for (const float extra : {150.0f, 151.0f, 749.0f, 750.0f, 2000.5f})
            heights.push_back(extra);
        const size_t n = heights.size();
        const size_t pairs = n * n;
        Fixture f;
        for (int row = 0; row < ElevationGrid::kRows; ++row)
            for (int column = 0; column < ElevationGrid::kColumns; ++column)
                f.grid->set(row, column, 1, 150.0f);
        // Pair p side by side in the rows from row 1, one above the other in the columns from
        // row 300.
        size_t p = 0;
        for (int row = 1; row < 300 && p < pairs; ++row)
            for (int column = 0; column + 1 < kMapSize && p < pairs; column += 2, ++p) {
                f.grid->set(row, column, 1, heights[p / n]);
                f.grid->set(row, column + 1, 1, heights[p % n]);
            }
        p = 0;
        for (int column = 0; column < kMapSize && p < pairs; ++column)
            for (int row = 300; row + 1 < kMapSize && p < pairs; row += 2, ++p) {
                f.grid->set(row, column, 1, heights[p / n]);
                f.grid->set(row + 1, column, 1, heights[p % n]);
            }
        paintContourRows(*f.grid, 1, interval, kThin, kIndex, f.painted);
        referenceContours(*f.grid, 1, interval, f.expected);
        EXPECT_EQ(difference(f.painted.image(), f.expected.image()), "") << "interval " << interval;
    }
}

TEST(ContourPixelLoop, NothingWithoutAnIntervalOrOutsideTheLevels) {
    Fixture f;
    fill(f, 1, 100, 99);
    const QImage before = f.painted.image().copy();
    for (const auto& [level, interval] :
         std::vector<std::pair<int, int>>{{1, 0}, {1, -100}, {6, 100}, {-1, 100}}) {
        int rows = 0;
        paintContourRows(*f.grid, level, interval, kThin, kIndex, f.painted,
                         [&rows](int) { ++rows; });
        EXPECT_EQ(f.painted.image(), before) << level << " " << interval;
        EXPECT_EQ(rows, 0);
    }
}

// The pixels are set whatever the pen's drawing mode, and the mode stays.
TEST(ContourPixelLoop, SetsPixelsWhateverThePenMode) {
    Fixture f;
    fill(f, 1, 100, 7);
    f.painted.setDrawMode(DrawMode::Xor);
    paintContourRows(*f.grid, 1, 100, kThin, kIndex, f.painted);
    EXPECT_EQ(f.painted.drawMode(), DrawMode::Xor);
    referenceContours(*f.grid, 1, 100, f.expected);
    EXPECT_EQ(difference(f.painted.image(), f.expected.image()), "");
}

}  // namespace
}  // namespace orv
