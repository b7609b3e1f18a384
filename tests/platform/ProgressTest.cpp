#include "platform/Progress.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

// Counts the pixels of a column range by colour: navy, white, other.
struct Census {
    int navy = 0;
    int white = 0;
    int other = 0;
};
Census census(const DrawingSurface& s, int fromX, int toX) {
    Census c;
    for (int x = fromX; x <= toX; ++x)
        for (int y = 0; y < kProgressHeight; ++y) {
            const Colour p = s.pixelAt(x, y);
            if (p == colours::navy) ++c.navy;
            else if (p == colours::white) ++c.white;
            else ++c.other;
        }
    return c;
}

TEST(ShowProgress, NavyBarWithItsTextInverted) {
    DrawingSurface strip(kProgressWidth, kProgressHeight);
    strip.pixel(150, 10, colours::red);  // whatever was there before is painted over
    showProgress(strip, 22, "644214数値地図データ読込中");

    // Inside the bar: navy, with the glyphs that fall in it white.
    const Census bar = census(strip, 0, 20);
    EXPECT_EQ(bar.other, 0);
    EXPECT_GT(bar.navy, bar.white);
    EXPECT_GT(bar.white, 0);  // the first digits of the text, inverted
    // After the bar: white, with navy glyphs.
    const Census rest = census(strip, 24, kProgressWidth - 1);
    EXPECT_EQ(rest.other, 0);
    EXPECT_GT(rest.navy, 0);
    EXPECT_GT(rest.white, rest.navy);
    // No text beyond its end: the far right is plain white.
    EXPECT_EQ(census(strip, 195, kProgressWidth - 1).navy, 0);
    EXPECT_EQ(strip.drawMode(), DrawMode::Copy);
}

TEST(ShowProgress, FullAndEmptyBarsAndOutOfRangeValues) {
    DrawingSurface strip(kProgressWidth, kProgressHeight);
    showProgress(strip, 200, "");
    EXPECT_EQ(census(strip, 0, kProgressWidth - 1).navy, kProgressWidth * kProgressHeight);
    showProgress(strip, 0, "");
    EXPECT_EQ(census(strip, 1, kProgressWidth - 1).white, (kProgressWidth - 1) * kProgressHeight);
    showProgress(strip, 5000, "");
    EXPECT_EQ(census(strip, 0, kProgressWidth - 1).navy, kProgressWidth * kProgressHeight);
    showProgress(strip, -7, "");
    EXPECT_EQ(census(strip, 1, kProgressWidth - 1).navy, 0);
}

// Kept text and skipped redraws show exactly what showProgress shows, value by value: on a
// strip of the window's size (the text kept) and on a larger picture whose edge the white box
// does not cover (the text drawn each time).
TEST(ProgressStrip, ShowsWhatShowProgressShows) {
    const std::string text = "100 ｍ間隔等高線生成中";
    const std::vector<int> values{0, 0, 1, 2, 2, 57, 200, 200, 3, -7, 5000, 199};
    for (const auto& [width, height] :
         {std::pair{kProgressWidth, kProgressHeight}, std::pair{260, 30}}) {
        DrawingSurface strip(width, height);
        DrawingSurface expected(width, height);
        for (DrawingSurface* s : {&strip, &expected})
            s->box(0, 0, width, height, colours::red, true);  // whatever was there before
        size_t shows = 0;
        strip.setShowHandler([&shows] { ++shows; });
        ProgressStrip progress(strip, text);
        for (const int value : values) {
            progress.show(value);
            showProgress(expected, value, text);
            EXPECT_EQ(strip.image(), expected.image()) << width << " wide, value " << value;
            EXPECT_EQ(strip.currentX(), expected.currentX());
            EXPECT_EQ(strip.currentY(), expected.currentY());
            EXPECT_EQ(strip.drawMode(), DrawMode::Copy);
            EXPECT_EQ(strip.foreColour(), expected.foreColour());
        }
        EXPECT_EQ(shows, values.size());  // shown every time, drawn or not
    }
}

}  // namespace
}  // namespace orv
