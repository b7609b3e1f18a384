#include "route/LabelGlyphs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

// A picture of stripes, so that every pixel the text leaves alone can be told from the glyphs.
DrawingSurface stripes() {
    DrawingSurface picture(120, 60);
    for (int y = 0; y < picture.height(); ++y)
        picture.line(0, y, picture.width() - 1, y, makeColour(40 + 3 * y, 90, 200 - 2 * y));
    return picture;
}

TEST(LabelGlyphs, ColourTheSamePixelsAsDrawingTheTextDirectly) {
    TextStyle plain;
    TextStyle decorated;
    decorated.size = 14.0f;
    decorated.bold = true;
    decorated.italic = true;
    decorated.underline = true;
    decorated.strikeThrough = true;
    struct Case {
        const TextStyle* style;
        std::string text;
        int x;
        int y;
    };
    const std::vector<Case> cases{
        {&plain, "幌尻岳", 10, 10},
        {&plain, "1500m", 0, 0},
        {&decorated, "七ッ沼カール", 30, 20},
        {&decorated, "Wg", -6, -4},     // cut at the top-left corner
        {&plain, "00:00", 100, 50},     // cut at the bottom-right corner
        {&plain, "", 10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DrawingSurface direct = stripes();
        direct.setFont(*c.style);
        direct.setForeColour(colours::red);
        direct.setCurrentPosition(c.x, c.y);
        direct.text(c.text);
        if (!c.text.empty()) {
            EXPECT_NE(direct.image(), stripes().image());
        }

        DrawingSurface stamped = stripes();
        LabelGlyphs(*c.style, c.text).draw(stamped, c.x, c.y, colours::red);
        EXPECT_EQ(stamped.image(), direct.image());
    }
}

TEST(LabelGlyphs, HugeFontsAreDrawnDirectly) {
    TextStyle huge;
    huge.size = 1000.0f;
    DrawingSurface direct = stripes();
    direct.setFont(huge);
    direct.setForeColour(colours::blue);
    direct.setCurrentPosition(-600, -600);
    direct.text("■");
    ASSERT_NE(direct.image(), stripes().image());

    DrawingSurface stamped = stripes();
    LabelGlyphs(huge, "■").draw(stamped, -600, -600, colours::blue);
    EXPECT_EQ(stamped.image(), direct.image());
}

}  // namespace
}  // namespace orv
