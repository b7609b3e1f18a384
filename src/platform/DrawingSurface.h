#pragma once
// A picture area: a raster with a persistent image, pen, fill and text state.
// Pixel-exact: no antialiasing, the same on screen, in a file and in a test.
//
// Pixel geometry:
// - Coordinates are pixels, origin top left, y downwards; anything outside the raster is clipped.
// - A line covers both end points. Width 1 steps one pixel along the longer axis; wider lines
//   stamp a round pen of that diameter (a square for widths 2 and 3) along the same path.
//   Dotted lines (width 1 only; wider dotted lines are drawn solid, as the classic desktop
//   does) repeat 3 pixels on, 3 off, counted from the first end point of each line, box side
//   or polygon edge. Circles are always solid.
// - A box covers both corners: the box (0,0)-(200,20) spans x 0..200 and y 0..20. A filled box
//   colours every pixel of that rectangle in the given colour; an outline box draws its four
//   sides with the pen and, when the fill style is solid, fills the inside with the fill colour.
// - A circle of radius r covers the pixels with dx² + dy² <= r² + r (the midpoint circle); its
//   rim is drawn with the pen, the inside with the fill colour when the fill style is solid.
// - A polygon's inside follows the even-odd rule, sampled at pixel centres; its closed outline
//   is drawn with the pen over it.
// - Every figure is combined with the raster by the drawing mode, each pixel exactly once, so
//   drawing a figure twice in XOR mode restores the raster. Text and rotated text are drawn
//   the same way (glyph pixels only; the background between them stays untouched).
// - The picture always stays opaque RGB: XOR never touches the alpha byte.
//
// Display scale: a surface shown on a screen of device pixel ratio 2 can keep, beside its image,
// a display image of twice the size into which every figure is drawn again at that density by
// the same rules (lines, rims, fills and glyphs with finer steps; pixels and copied pictures as
// 2 × 2 blocks), only for showing. The image, and all that reads or saves it, stays the same.
#include "core/Colour.h"
#include "core/TextStyle.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

enum class DrawMode { Copy, Xor, InvertedXor };  // InvertedXor: not (pen xor screen)
enum class LineStyle { Solid, Dotted };
enum class FillStyle { Solid, Transparent };
enum class RasterOp { Copy, And, Xor };
enum class PictureFormat { Bmp, Png };

// The format a picture file is written in by its name: PNG for ".png" in any letter case, BMP
// for every other name.
PictureFormat pictureFormatFor(const std::filesystem::path& path);

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Parameters of a text drawn at an angle; the font is made for the call and released after it.
struct RotatedTextSpec {
    int height = 12;     // character height in pixels
    int width = 0;       // average character width, 0 = natural
    int escapement = 0;  // angle in tenths of a degree, counter-clockwise
    int weight = 400;    // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    int charSet = 128;  // kept for the record; Japanese text is always drawn correctly
    std::string face = "ＭＳ ゴシック";
};

class DrawingSurface {
public:
    static constexpr int kMaxSide = 10000;  // width and height are kept within 1..kMaxSide
    static constexpr int kMaxDrawWidth = 100;

    DrawingSurface(int width, int height, Colour background = colours::white);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    void resize(int width, int height);  // contents cleared to the background colour

    // Pen and fill state.
    void setBackColour(Colour c) { backColour_ = c; }
    Colour backColour() const { return backColour_; }
    void setForeColour(Colour c) { foreColour_ = c; }
    Colour foreColour() const { return foreColour_; }
    void setDrawWidth(int pixels);  // kept within 1..kMaxDrawWidth
    int drawWidth() const { return drawWidth_; }
    void setLineStyle(LineStyle s) { lineStyle_ = s; }
    LineStyle lineStyle() const { return lineStyle_; }
    void setDrawMode(DrawMode m) { drawMode_ = m; }
    DrawMode drawMode() const { return drawMode_; }
    void setFillColour(Colour c) { fillColour_ = c; }
    Colour fillColour() const { return fillColour_; }
    void setFillStyle(FillStyle s) { fillStyle_ = s; }
    FillStyle fillStyle() const { return fillStyle_; }

    // Text state: face, size, flags; text is drawn in the fore colour.
    void setFont(const TextStyle& style);  // also sets the fore colour to style.colour
    void setFontFace(const std::string& face);
    void setFontSize(float points);
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    void setFontStrikeThrough(bool on);
    const TextStyle& font() const { return font_; }
    void setCurrentPosition(int x, int y) {
        currentX_ = x;
        currentY_ = y;
    }
    int currentX() const { return currentX_; }
    int currentY() const { return currentY_; }

    // Drawing. Coordinates outside the raster are clipped, never an error.
    void clear();  // whole raster in the back colour; current position back to (0, 0)
    void line(int x1, int y1, int x2, int y2, Colour colour);
    void box(int x1, int y1, int x2, int y2, Colour colour, bool filled);
    void pixel(int x, int y, Colour colour);  // one pixel, combined by the drawing mode
    // The pixels at (x, y) plus each offset, as pixel() puts them, in one pass (a label's glyphs).
    void pixels(std::span<const PixelPoint> offsets, int x, int y, Colour colour);
    Colour pixelAt(int x, int y) const;       // background colour outside the raster
    void circle(int x, int y, int radius, Colour colour);  // nothing for a negative radius
    void polygon(const std::vector<PixelPoint>& points);   // outline in the fore colour
    // Text at the current position (its top-left corner) in the current font and fore colour;
    // advances the current x by the text width.
    void text(std::string_view utf8);
    int textWidth(std::string_view utf8) const;
    int textHeight(std::string_view utf8) const;
    // Text in a font made for this call, in the fore colour; (x, y) is the top-left corner of
    // the unrotated text, and the text turns around that point. The current position stays.
    void rotatedText(int x, int y, std::string_view utf8, const RotatedTextSpec& textParams);

    // Block copy of a picture (or of sourceRect of it) into dest, stretched when the sizes
    // differ (nearest pixel). Copy puts the source's colours, And and Xor combine them bitwise
    // with the raster: a mask copied with And, then an icon with Xor, gives an icon with a
    // transparent background. Empty or negative sizes copy nothing.
    void copyPicture(const QImage& source, PixelRect dest, std::optional<PixelRect> sourceRect,
                     RasterOp op);

    // The persistent image.
    const QImage& image() const { return image_; }
    // 1 (the default: nothing else is kept) or 2: figures are also drawn into the display image
    // at twice the density. Turning it on fills the display image from the image. Surfaces
    // larger than kMaxDisplayPixels at that scale keep none.
    void setDisplayScale(int scale);
    int displayScale() const { return displayScale_; }
    // What a widget shows: the display image (its device pixel ratio set to the scale) when
    // there is one, else the image.
    const QImage& displayImage() const { return display_.isNull() ? image_ : display_; }
    static constexpr long long kMaxDisplayPixels = 4096LL * 4096LL;
    // The picture becomes this surface's image, converted to opaque RGB; the surface takes its
    // size (cut to kMaxSide). A null picture changes nothing.
    void setImage(const QImage& picture);
    bool copyToClipboard() const;  // false without a desktop application
    // The persistent image as a picture file, written whole or not at all (a temporary file
    // beside the target, renamed over it). False when it could not be written.
    bool savePicture(const std::filesystem::path& path, PictureFormat format) const;
    bool saveBmp(const std::filesystem::path& path) const { return savePicture(path, PictureFormat::Bmp); }
    // A BMP or JPEG file becomes the image (the surface takes its size). False, with the image
    // unchanged, for anything unreadable: other formats, damaged or cut-short files, pictures
    // larger than kMaxSide.
    bool loadPicture(const std::filesystem::path& path);
    // The reading half of loadPicture: the picture in the surface's pixel layout, or nothing
    // for what loadPicture refuses. It uses the desktop's image readers: only on the main
    // thread, once the application object exists.
    static std::optional<QImage> readPicture(const std::filesystem::path& path);
    // readPicture in two steps, the first of which may run on any thread, also before the
    // application object exists (the start reads the overview picture while the desktop
    // connection is made). startReading reads the file and decodes what needs none of the
    // desktop's image readers (colour and greyscale JPEG); finishReading, on the main thread
    // once the application object exists, decodes the rest.
    struct PictureReading {
        std::optional<QImage> picture;  // decoded already
        QByteArray bytes;               // the file, when its decoding is left to finishReading
    };
    static PictureReading startReading(const std::filesystem::path& path);
    static std::optional<QImage> finishReading(PictureReading reading);
    // The taking half: a picture from readPicture becomes the image. False for nothing.
    bool takePicture(std::optional<QImage> picture);

    // "Show at once": asks the widget showing this surface to repaint now.
    void show();
    void setShowHandler(std::function<void()> handler) { showHandler_ = std::move(handler); }
    // The same when only `changed` differs from what was shown before: a widget that knows
    // areas repaints just that one, others all of it.
    void show(const PixelRect& changed);
    void setAreaShowHandler(std::function<void(const PixelRect&)> handler) {
        areaShowHandler_ = std::move(handler);
    }

private:
    QFont currentFont() const;
    // Each figure is drawn into a target at a scale: the image at 1, the display image at the
    // display scale.
    void drawLine(QImage& target, int scale, int x1, int y1, int x2, int y2, Colour colour) const;
    void drawBox(QImage& target, int scale, int x1, int y1, int x2, int y2, Colour colour,
                 bool filled) const;
    void drawCircle(QImage& target, int scale, int x, int y, int radius, Colour colour) const;
    void drawPolygon(QImage& target, int scale, const std::vector<PixelPoint>& points) const;
    void drawGlyphs(const QString& text, const QFont& font, int x, int y,
                    double degreesCounterClockwise);
    void drawGlyphsOn(QImage& target, int scale, const QString& text, const QFont& font, int x,
                      int y, double degreesCounterClockwise) const;
    void refreshDisplay();

    QImage image_;
    int displayScale_ = 1;
    QImage display_;  // null unless the display scale is above 1
    Colour backColour_;
    Colour foreColour_ = colours::black;
    int drawWidth_ = 1;
    LineStyle lineStyle_ = LineStyle::Solid;
    DrawMode drawMode_ = DrawMode::Copy;
    Colour fillColour_ = colours::black;
    FillStyle fillStyle_ = FillStyle::Transparent;
    TextStyle font_;
    int currentX_ = 0;
    int currentY_ = 0;
    std::function<void()> showHandler_;
    std::function<void(const PixelRect&)> areaShowHandler_;
};

}  // namespace orv
