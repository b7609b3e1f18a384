// Pixel geometry and drawing modes of the drawing surface.
#include "platform/DrawingSurface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

// A background where every pixel differs from its neighbours, so XOR faults show.
QImage patterned(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, (x * y + 5) & 0xFF));
    return image;
}

int countPixels(const DrawingSurface& s, Colour colour) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixelAt(x, y) == colour) ++n;
    return n;
}

std::set<std::pair<int, int>> pixelsOf(const DrawingSurface& s, Colour colour) {
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixelAt(x, y) == colour) found.insert({x, y});
    return found;
}

bool allOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0xFF) return false;
    return true;
}

struct Figure {
    const char* name;
    std::function<void(DrawingSurface&)> draw;
};

// (A white pen changes nothing in inverted XOR mode, so the figures use other colours.)
const std::vector<Figure>& figures() {
    static const std::vector<Figure> all{
        {"pixel", [](DrawingSurface& s) { s.pixel(10, 10, colours::yellow); }},
        {"line", [](DrawingSurface& s) { s.line(3, 4, 70, 41, colours::blue); }},
        {"wide line",
         [](DrawingSurface& s) {
             s.setDrawWidth(2);
             s.line(70, 2, 5, 50, colours::yellow);
         }},
        {"round pen line",
         [](DrawingSurface& s) {
             s.setDrawWidth(5);
             s.line(10, 10, 60, 30, colours::red);
         }},
        {"dotted line",
         [](DrawingSurface& s) {
             s.setLineStyle(LineStyle::Dotted);
             s.line(0, 30, 79, 30, colours::green);
         }},
        {"box outline",
         [](DrawingSurface& s) {
             s.setDrawWidth(2);
             s.box(20, 10, 60, 50, colours::green, false);
         }},
        {"box filled inside",
         [](DrawingSurface& s) {
             s.setFillStyle(FillStyle::Solid);
             s.setFillColour(colours::blue);
             s.box(5, 5, 40, 30, colours::red, false);
         }},
        {"filled box", [](DrawingSurface& s) { s.box(-10, 12, 30, 80, colours::navy, true); }},
        {"circle",
         [](DrawingSurface& s) {
             s.setFillStyle(FillStyle::Solid);
             s.setFillColour(colours::yellow);
             s.setDrawWidth(3);
             s.circle(40, 30, 20, colours::red);
         }},
        {"polygon",
         [](DrawingSurface& s) {
             s.setFillStyle(FillStyle::Solid);
             s.setFillColour(colours::green);
             s.setForeColour(colours::white);
             s.polygon({{5, 5}, {75, 20}, {30, 55}, {40, 10}});
         }},
        {"text",
         [](DrawingSurface& s) {
             s.setForeColour(colours::navy);
             s.setCurrentPosition(2, 5);
             s.text("谷・尾根 Abc");
         }},
        {"rotated text",
         [](DrawingSurface& s) {
             s.setForeColour(colours::red);
             RotatedTextSpec textParams;
             textParams.height = 16;
             textParams.escapement = 300;
             s.rotatedText(10, 50, "尾根名", textParams);
         }},
    };
    return all;
}

TEST(DrawingSurfaceXor, DrawingTwiceRestoresTheRaster) {
    for (const DrawMode mode : {DrawMode::Xor, DrawMode::InvertedXor}) {
        for (const Figure& figure : figures()) {
            SCOPED_TRACE(figure.name);
            DrawingSurface surface(80, 60);
            surface.setImage(patterned(80, 60));
            const QImage before = surface.image().copy();
            surface.setDrawMode(mode);
            figure.draw(surface);
            EXPECT_NE(surface.image(), before) << "the figure drew nothing";
            EXPECT_TRUE(allOpaque(surface.image()));
            figure.draw(surface);
            EXPECT_EQ(surface.image(), before);
        }
    }
}

TEST(DrawingSurfaceXor, InvertedXorOverWhiteGivesThePenAndOverThePenGivesWhite) {
    for (const Colour pen :
         {colours::navy, colours::red, makeColour(12, 200, 99), colours::black}) {
        DrawingSurface surface(4, 1);
        surface.pixel(0, 0, pen);  // copy mode: screen = pen
        surface.setDrawMode(DrawMode::InvertedXor);
        surface.pixel(0, 0, pen);
        surface.pixel(1, 0, pen);
        EXPECT_EQ(surface.pixelAt(0, 0), colours::white) << pen;
        EXPECT_EQ(surface.pixelAt(1, 0), pen) << pen;
        EXPECT_TRUE(allOpaque(surface.image()));
    }
}

TEST(DrawingSurfaceXor, XorWithWhiteInvertsAndKeepsThePictureOpaque) {
    DrawingSurface surface(3, 1, makeColour(10, 20, 30));
    surface.setDrawMode(DrawMode::Xor);
    surface.line(0, 0, 2, 0, colours::white);
    EXPECT_EQ(surface.pixelAt(1, 0), makeColour(245, 235, 225));
    EXPECT_TRUE(allOpaque(surface.image()));
}

// The progress strip: white box, then in inverted XOR navy text at (2,1), a navy bar 0..value
// and a white box value..200.
TEST(DrawingSurfaceXor, ProgressStripShowsTheTextInvertedUnderTheBar) {
    const std::string text = "TRKデータ読み込み中";
    const int value = 60;

    DrawingSurface glyphs(200, 20);
    glyphs.setForeColour(colours::navy);
    glyphs.setCurrentPosition(2, 1);
    glyphs.text(text);

    DrawingSurface strip(200, 20, colours::black);
    strip.box(0, 0, 200, 20, colours::white, true);
    strip.setDrawMode(DrawMode::InvertedXor);
    strip.setForeColour(colours::navy);
    strip.setCurrentPosition(2, 1);
    strip.text(text);
    strip.box(0, 0, value, 20, colours::navy, true);
    strip.box(value, 0, 200, 20, colours::white, true);

    int glyphsInBar = 0;
    int glyphsAfter = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool glyph = glyphs.pixelAt(x, y) == colours::navy;
            const Colour got = strip.pixelAt(x, y);
            if (x <= value) {
                ASSERT_EQ(got, glyph ? colours::white : colours::navy) << x << "," << y;
                glyphsInBar += glyph;
            } else {
                ASSERT_EQ(got, glyph ? colours::navy : colours::white) << x << "," << y;
                glyphsAfter += glyph;
            }
        }
    }
    EXPECT_GT(glyphsInBar, 20);
    EXPECT_GT(glyphsAfter, 20);
}

TEST(DrawingSurfaceBox, FilledBoxCoversBothCornersClippedToTheRaster) {
    struct Case {
        int x1, y1, x2, y2;
        int left, top, right, bottom;  // expected cover, inclusive
    };
    const Case cases[] = {
        {2, 3, 5, 7, 2, 3, 5, 7},
        {5, 7, 2, 3, 2, 3, 5, 7},       // corners in any order
        {4, 4, 4, 4, 4, 4, 4, 4},       // one pixel
        {-5, -5, 3, 2, 0, 0, 3, 2},     // cut at the top left
        {0, 0, 200, 20, 0, 0, 29, 19},  // the progress strip's box on a smaller raster
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 29, 19},
    };
    for (const Case& c : cases) {
        DrawingSurface surface(30, 20);
        surface.box(c.x1, c.y1, c.x2, c.y2, colours::red, true);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x) {
                const bool inside = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
                ASSERT_EQ(surface.pixelAt(x, y), inside ? colours::red : colours::white)
                    << "box " << c.x1 << "," << c.y1 << "-" << c.x2 << "," << c.y2 << " at " << x
                    << "," << y;
            }
    }
}

TEST(DrawingSurfaceBox, OutlineBoxDrawsItsSidesAndFillsOnlyWithSolidFillStyle) {
    DrawingSurface surface(12, 10);
    surface.box(2, 2, 8, 6, colours::red, false);
    EXPECT_EQ(countPixels(surface, colours::red), 2 * 7 + 2 * 3);
    EXPECT_EQ(surface.pixelAt(5, 4), colours::white);
    EXPECT_EQ(surface.pixelAt(8, 6), colours::red);

    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::blue);
    surface.box(2, 2, 8, 6, colours::red, false);
    EXPECT_EQ(countPixels(surface, colours::blue), 5 * 3);
    EXPECT_EQ(countPixels(surface, colours::red), 2 * 7 + 2 * 3);
}

TEST(DrawingSurfaceLine, CoversBothEndsWithOnePixelPerStep) {
    DrawingSurface surface(20, 20);
    surface.line(1, 2, 13, 7, colours::black);
    const auto pixels = pixelsOf(surface, colours::black);
    EXPECT_EQ(pixels.size(), 13u);
    EXPECT_TRUE(pixels.count({1, 2}));
    EXPECT_TRUE(pixels.count({13, 7}));
    std::set<int> columns;
    for (const auto& [x, y] : pixels) columns.insert(x);
    EXPECT_EQ(columns.size(), 13u);
}

TEST(DrawingSurfaceLine, WidthWidensAcrossTheLine) {
    struct Case {
        int width;
        int firstRow, lastRow;
    };
    for (const Case c : {Case{1, 5, 5}, Case{2, 5, 6}, Case{3, 4, 6}, Case{5, 3, 7}}) {
        DrawingSurface surface(20, 12);
        surface.setDrawWidth(c.width);
        surface.line(5, 5, 14, 5, colours::black);
        for (int y = 0; y < 12; ++y)
            EXPECT_EQ(surface.pixelAt(10, y),
                      y >= c.firstRow && y <= c.lastRow ? colours::black : colours::white)
                << "width " << c.width << " row " << y;
    }
}

TEST(DrawingSurfaceLine, DottedLineRepeatsThreeOnThreeOffAndIsSolidWhenWide) {
    DrawingSurface surface(20, 4);
    surface.setLineStyle(LineStyle::Dotted);
    surface.line(0, 1, 19, 1, colours::black);
    std::string pattern;
    for (int x = 0; x < 20; ++x) pattern += surface.pixelAt(x, 1) == colours::black ? '#' : '.';
    EXPECT_EQ(pattern, "###...###...###...##");

    surface.setDrawWidth(2);
    surface.line(0, 2, 19, 2, colours::red);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(surface.pixelAt(x, 2), colours::red);
}

TEST(DrawingSurfaceClip, FiguresFarOutsideAreCutWithoutHarm) {
    DrawingSurface surface(50, 40);
    surface.setDrawWidth(3);
    surface.line(INT_MIN, 10, INT_MAX, 10, colours::black);  // through the raster
    EXPECT_EQ(surface.pixelAt(0, 10), colours::black);
    EXPECT_EQ(surface.pixelAt(49, 11), colours::black);

    surface.setDrawWidth(1);
    surface.line(-1000000000, -1000000000, 1000000000, 1000000000, colours::red);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(surface.pixelAt(i, i), colours::red) << i;

    const QImage before = surface.image().copy();
    surface.setFillStyle(FillStyle::Solid);
    surface.line(INT_MAX, INT_MIN, INT_MAX, INT_MAX, colours::green);
    surface.box(-900, -900, -100, 5000, colours::green, false);
    surface.circle(INT_MAX, INT_MAX, INT_MAX, colours::green);
    surface.polygon({{INT_MIN, INT_MIN}, {INT_MIN + 5, INT_MIN}, {INT_MIN, INT_MIN + 9}});
    surface.setFillStyle(FillStyle::Transparent);
    surface.circle(25, 20, INT_MAX, colours::green);  // the rim lies far outside
    surface.pixel(-1, 0, colours::green);
    surface.pixel(50, 0, colours::green);
    surface.setCurrentPosition(INT_MAX - 3, INT_MIN);
    surface.text("山");
    surface.rotatedText(INT_MIN, INT_MAX, "山", RotatedTextSpec{});
    surface.copyPicture(patterned(8, 8), PixelRect{INT_MAX - 2, 0, INT_MAX, INT_MAX}, std::nullopt,
                        RasterOp::Copy);
    EXPECT_EQ(surface.image(), before);

    // A filled circle larger than the raster: all inside.
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::yellow);
    surface.circle(25, 20, 2000000000, colours::green);
    EXPECT_EQ(countPixels(surface, colours::yellow), 50 * 40);
    // So does the inside of an outline box around everything.
    surface.setFillColour(colours::navy);
    surface.box(INT_MIN, INT_MIN, INT_MAX, INT_MAX, colours::green, false);
    EXPECT_EQ(countPixels(surface, colours::navy), 50 * 40);
}

TEST(DrawingSurfaceCircle, RimIsTheMidpointCircleAndTheInsideTakesTheFillColour) {
    DrawingSurface surface(21, 21);
    surface.circle(10, 10, 5, colours::black);
    const auto rim = pixelsOf(surface, colours::black);
    // One octant of a radius-5 midpoint circle, the others by symmetry.
    const std::set<std::pair<int, int>> octant{{0, 5}, {1, 5}, {2, 5}, {3, 4}};
    std::set<std::pair<int, int>> expected;
    for (const auto& [a, b] : octant)
        for (const int sa : {-1, 1})
            for (const int sb : {-1, 1}) {
                expected.insert({10 + sa * a, 10 + sb * b});
                expected.insert({10 + sb * b, 10 + sa * a});
            }
    EXPECT_EQ(rim, expected);

    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::yellow);
    surface.circle(10, 10, 5, colours::black);
    EXPECT_EQ(pixelsOf(surface, colours::black), expected);
    EXPECT_EQ(surface.pixelAt(10, 10), colours::yellow);
    EXPECT_EQ(surface.pixelAt(14, 12), colours::yellow);
    EXPECT_EQ(surface.pixelAt(15, 15), colours::white);
}

TEST(DrawingSurfacePolygon, OutlineInTheForeColourInsideInTheFillColour) {
    DrawingSurface surface(30, 30);
    surface.setForeColour(colours::black);
    surface.setFillColour(colours::green);
    const std::vector<PixelPoint> triangle{{2, 2}, {25, 2}, {2, 25}};
    surface.polygon(triangle);  // transparent fill
    EXPECT_EQ(countPixels(surface, colours::green), 0);
    EXPECT_EQ(surface.pixelAt(13, 2), colours::black);
    EXPECT_EQ(surface.pixelAt(2, 13), colours::black);
    EXPECT_EQ(surface.pixelAt(6, 6), colours::white);

    surface.setFillStyle(FillStyle::Solid);
    surface.polygon(triangle);
    EXPECT_EQ(surface.pixelAt(6, 6), colours::green);
    EXPECT_EQ(surface.pixelAt(20, 20), colours::white);
    // Every pixel strictly inside the outline is filled: no gaps between fill and outline.
    for (int y = 3; y < 24; ++y)
        for (int x = 3; x + y < 26; ++x)
            ASSERT_NE(surface.pixelAt(x, y), colours::white) << x << "," << y;
}

TEST(DrawingSurfaceText, JapaneseTextDrawsItsOwnGlyphsAndAdvancesThePosition) {
    DrawingSurface mountain(40, 30);
    mountain.setCurrentPosition(3, 2);
    mountain.text("山");
    EXPECT_GT(countPixels(mountain, colours::black), 10);
    EXPECT_EQ(mountain.currentX(), 3 + mountain.textWidth("山"));
    EXPECT_EQ(mountain.currentY(), 2);
    EXPECT_GT(mountain.textWidth("山"), 8);
    EXPECT_GT(mountain.textHeight("山"), 8);

    // A missing glyph would be the same box for every character.
    DrawingSurface river(40, 30);
    river.setCurrentPosition(3, 2);
    river.text("川");
    EXPECT_NE(mountain.image(), river.image());
}

TEST(DrawingSurfaceText, FontStateChangesTheMeasure) {
    DrawingSurface surface(10, 10);
    const int normal = surface.textWidth("Orvane 山行");
    surface.setFontSize(18.0f);
    EXPECT_GT(surface.textWidth("Orvane 山行"), normal);
    TextStyle style;
    style.colour = colours::red;
    surface.setFont(style);
    EXPECT_EQ(surface.textWidth("Orvane 山行"), normal);
    EXPECT_EQ(surface.foreColour(), colours::red);
}

TEST(DrawingSurfaceText, RotatedTextTurnsAroundItsTopLeftCorner) {
    DrawingSurface surface(120, 120);
    surface.setCurrentPosition(7, 9);
    RotatedTextSpec textParams;
    textParams.height = 20;
    textParams.escapement = 900;  // a quarter turn counter-clockwise: the text runs upwards
    surface.rotatedText(60, 100, "尾根尾根", textParams);
    const auto pixels = pixelsOf(surface, colours::black);
    ASSERT_GT(pixels.size(), 40u);
    for (const auto& [x, y] : pixels) {
        EXPECT_GE(x, 58);
        EXPECT_LE(x, 60 + 2 * textParams.height);
        EXPECT_LE(y, 101);
        EXPECT_GE(y, 100 - 4 * textParams.height - 4);
    }
    EXPECT_EQ(surface.currentX(), 7);
    EXPECT_EQ(surface.currentY(), 9);
}

TEST(DrawingSurfaceCopy, AndThenXorGivesAnIconWithATransparentBackground) {
    // Mask: white where the background shows through, black under the icon; the icon itself is
    // black around its shape.
    QImage mask(4, 4, QImage::Format_RGB32);
    mask.fill(qRgb(255, 255, 255));
    QImage icon(4, 4, QImage::Format_RGB32);
    icon.fill(qRgb(0, 0, 0));
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) {
            mask.setPixel(i, j, qRgb(0, 0, 0));
            icon.setPixel(i, j, qRgb(255, 0, 0));
        }
    DrawingSurface surface(10, 10);
    surface.setImage(patterned(10, 10));
    const QImage before = surface.image().copy();
    surface.copyPicture(mask, {3, 3, 4, 4}, std::nullopt, RasterOp::And);
    surface.copyPicture(icon, {3, 3, 4, 4}, std::nullopt, RasterOp::Xor);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool shape = x >= 4 && x <= 5 && y >= 4 && y <= 5;
            if (shape)
                EXPECT_EQ(surface.pixelAt(x, y), colours::red);
            else
                EXPECT_EQ(surface.image().pixel(x, y), before.pixel(x, y)) << x << "," << y;
        }
}

TEST(DrawingSurfaceCopy, StretchesAndTakesPartsOfTheSource) {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 255, 0));
    source.setPixel(0, 1, qRgb(0, 0, 255));
    source.setPixel(1, 1, qRgb(255, 255, 0));

    DrawingSurface surface(8, 8);
    surface.copyPicture(source, {2, 2, 4, 4}, std::nullopt, RasterOp::Copy);
    EXPECT_EQ(surface.pixelAt(2, 2), colours::red);
    EXPECT_EQ(surface.pixelAt(3, 3), colours::red);
    EXPECT_EQ(surface.pixelAt(4, 3), colours::green);
    EXPECT_EQ(surface.pixelAt(5, 5), colours::yellow);
    EXPECT_EQ(surface.pixelAt(3, 5), colours::blue);
    EXPECT_EQ(surface.pixelAt(6, 6), colours::white);
    EXPECT_EQ(countPixels(surface, colours::white), 64 - 16);

    surface.copyPicture(source, {0, 0, 3, 1}, PixelRect{1, 1, 1, 1}, RasterOp::Copy);
    EXPECT_EQ(surface.pixelAt(0, 0), colours::yellow);
    EXPECT_EQ(surface.pixelAt(2, 0), colours::yellow);
    EXPECT_EQ(surface.pixelAt(3, 0), colours::white);
}

TEST(DrawingSurfaceCopy, ASurfaceCanCopyFromItsOwnImage) {
    DrawingSurface surface(6, 1);
    for (int x = 0; x < 6; ++x) surface.pixel(x, 0, makeColour(x * 10, 0, 0));
    surface.copyPicture(surface.image(), {1, 0, 5, 1}, PixelRect{0, 0, 5, 1}, RasterOp::Copy);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(surface.pixelAt(x, 0), makeColour((x - 1) * 10, 0, 0));

    DrawingSurface other(2, 2);
    other.setImage(surface.image());
    EXPECT_EQ(other.width(), 6);
    EXPECT_EQ(other.image(), surface.image());
}

// Display scale 2: a display image at twice the density beside the image.

// The image at twice its size, each pixel a 2 × 2 block.
QImage doubled(const QImage& image) {
    QImage big(image.width() * 2, image.height() * 2, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.setPixel(x, y, image.pixel(x / 2, y / 2));
    return big;
}

// How many 2 × 2 blocks of the display image are not of one colour.
int finerBlocks(const QImage& display) {
    int n = 0;
    for (int y = 0; y + 1 < display.height(); y += 2)
        for (int x = 0; x + 1 < display.width(); x += 2) {
            const QRgb p = display.pixel(x, y);
            if (display.pixel(x + 1, y) != p || display.pixel(x, y + 1) != p || display.pixel(x + 1, y + 1) != p) ++n;
        }
    return n;
}

QImage withoutRatio(QImage image) {
    image.setDevicePixelRatio(1.0);
    return image;
}

TEST(DrawingSurfaceDisplay, ScaleOneKeepsNoDisplayImage) {
    DrawingSurface surface(30, 20);
    EXPECT_EQ(&surface.displayImage(), &surface.image());
    surface.setDisplayScale(2);
    surface.setDisplayScale(1);
    EXPECT_EQ(&surface.displayImage(), &surface.image());
    // Too large to double: the surface shows its image.
    DrawingSurface large(DrawingSurface::kMaxSide, DrawingSurface::kMaxSide);
    large.setDisplayScale(2);
    EXPECT_EQ(&large.displayImage(), &large.image());
}

// Extra figures with pixels and pictures, among them ones the surface copies from itself.
const std::vector<Figure>& pictureFigures() {
    static const std::vector<Figure> all{
        {"pixels",
         [](DrawingSurface& s) {
             const std::vector<PixelPoint> glyph{{0, 0}, {1, 1}, {2, 0}, {-3, 2}};
             s.pixels(glyph, 20, 20, colours::red);
         }},
        {"picture and",
         [](DrawingSurface& s) { s.copyPicture(patterned(9, 7), {30, 10, 9, 7}, std::nullopt, RasterOp::And); }},
        {"picture stretched xor",
         [](DrawingSurface& s) {
             s.copyPicture(patterned(9, 7), {-3, 40, 31, 13}, PixelRect{2, 1, 6, 5}, RasterOp::Xor);
         }},
        {"own picture xor",
         [](DrawingSurface& s) {
             s.copyPicture(s.image(), {10, 3, 40, 30}, PixelRect{20, 10, 40, 30}, RasterOp::Xor);
         }},
    };
    return all;
}

TEST(DrawingSurfaceDisplay, TheImageStaysAsAtScaleOneAndXorDrawingRestoresTheDisplayImage) {
    std::vector<Figure> all = figures();
    all.insert(all.end(), pictureFigures().begin(), pictureFigures().end());
    for (const DrawMode mode : {DrawMode::Copy, DrawMode::Xor, DrawMode::InvertedXor}) {
        for (const Figure& figure : all) {
            SCOPED_TRACE(figure.name);
            SCOPED_TRACE(static_cast<int>(mode));
            DrawingSurface plain(80, 60);
            DrawingSurface sharp(80, 60);
            sharp.setDisplayScale(2);
            for (DrawingSurface* s : {&plain, &sharp}) {
                s->setImage(patterned(80, 60));
                s->setDrawMode(mode);
            }
            EXPECT_EQ(sharp.displayImage().devicePixelRatio(), 2.0);
            const QImage shownBefore = withoutRatio(sharp.displayImage().copy());
            EXPECT_EQ(shownBefore, doubled(sharp.image()));
            figure.draw(plain);
            figure.draw(sharp);
            EXPECT_EQ(sharp.image(), plain.image());
            EXPECT_NE(withoutRatio(sharp.displayImage().copy()), shownBefore) << "nothing shown";
            EXPECT_TRUE(allOpaque(sharp.displayImage()));
            // And, and a copy from the surface's own changed image, are not undone by repeating them.
            const std::string name = figure.name;
            if (mode == DrawMode::Copy || name == "picture and" || name == "own picture xor") continue;
            figure.draw(sharp);
            EXPECT_EQ(withoutRatio(sharp.displayImage().copy()), shownBefore);
        }
    }
}

TEST(DrawingSurfaceDisplay, FiguresGainDetailAndPixelsArePutAsBlocks) {
    DrawingSurface surface(80, 60);
    surface.setDisplayScale(2);
    for (const char* name : {"line", "round pen line", "circle", "text", "rotated text"}) {
        SCOPED_TRACE(name);
        surface.clear();
        for (const Figure& figure : figures())
            if (std::string(figure.name) == name) figure.draw(surface);
        EXPECT_GT(finerBlocks(surface.displayImage()), 0);
    }
    // Axis-aligned one-pixel lines, pixels and pictures have nothing finer to show.
    std::vector<Figure> blocks{
        {"dotted box",
         [](DrawingSurface& s) {
             s.setLineStyle(LineStyle::Dotted);
             s.box(3, 3, 50, 40, colours::red, false);
             s.setLineStyle(LineStyle::Solid);
         }},
        {"line", [](DrawingSurface& s) { s.line(79, 50, 0, 50, colours::blue); }},
    };
    blocks.insert(blocks.end(), pictureFigures().begin(), pictureFigures().end());
    surface.clear();
    surface.setDrawWidth(1);
    for (const Figure& figure : blocks) {
        SCOPED_TRACE(figure.name);
        figure.draw(surface);
        EXPECT_EQ(withoutRatio(surface.displayImage().copy()), doubled(surface.image()));
    }
}

TEST(DrawingSurfaceDisplay, ANewImageOrSizeRefillsTheDisplayImage) {
    DrawingSurface surface(10, 10);
    surface.setDisplayScale(2);
    surface.line(0, 0, 9, 4, colours::red);
    surface.setImage(patterned(7, 5));
    EXPECT_EQ(withoutRatio(surface.displayImage().copy()), doubled(surface.image()));
    surface.resize(12, 3);
    EXPECT_EQ(surface.displayImage().size(), QSize(24, 6));
    EXPECT_EQ(withoutRatio(surface.displayImage().copy()), doubled(surface.image()));
    surface.line(0, 0, 11, 2, colours::red);
    surface.clear();
    EXPECT_EQ(withoutRatio(surface.displayImage().copy()), doubled(surface.image()));
}

TEST(DrawingSurfaceState, SizesAreKeptWithinLimitsAndClearResetsThePosition) {
    DrawingSurface surface(0, 20000, colours::navy);
    EXPECT_EQ(surface.width(), 1);
    EXPECT_EQ(surface.height(), DrawingSurface::kMaxSide);
    surface.resize(-4, 7);
    EXPECT_EQ(surface.width(), 1);
    EXPECT_EQ(surface.height(), 7);
    EXPECT_EQ(surface.pixelAt(0, 6), colours::navy);
    EXPECT_EQ(surface.pixelAt(5, 5), colours::navy);  // outside: the back colour

    surface.setDrawWidth(0);
    EXPECT_EQ(surface.drawWidth(), 1);
    surface.setDrawWidth(100000);
    EXPECT_EQ(surface.drawWidth(), DrawingSurface::kMaxDrawWidth);

    surface.setCurrentPosition(4, 5);
    surface.setBackColour(colours::yellow);
    surface.clear();
    EXPECT_EQ(surface.currentX(), 0);
    EXPECT_EQ(surface.currentY(), 0);
    EXPECT_EQ(surface.pixelAt(0, 3), colours::yellow);
}

TEST(DrawingSurfaceState, ShowCallsTheShowHandler) {
    DrawingSurface surface(2, 2);
    surface.show();  // no handler: nothing happens
    int shown = 0;
    surface.setShowHandler([&] { ++shown; });
    surface.show();
    EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace orv
