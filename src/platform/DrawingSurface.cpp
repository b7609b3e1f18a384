#include "platform/DrawingSurface.h"

#include "core/TextFile.h"
#include "platform/Fonts.h"
#include "platform/JpegPicture.h"
#include "platform/PictureBytes.h"

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace orv {

PictureFormat pictureFormatFor(const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    const bool png = ext.size() == 4 && ext[0] == '.' && (ext[1] | 0x20) == 'p' && (ext[2] | 0x20) == 'n' &&
                     (ext[3] | 0x20) == 'g';
    return png ? PictureFormat::Png : PictureFormat::Bmp;
}

namespace {

using i64 = std::int64_t;

// 96 dots per inch on every picture, so a font size in points gives the same pixels on the
// screen, in a file and in a test whatever the desktop's resolution.
constexpr int kDotsPerMetre = 3780;
// Dotted lines: runs of this many pixels on, then as many off.
constexpr i64 kDotRun = 3;
// Line end points further out than this are first cut back along the line, which keeps all
// pixel arithmetic within 64 bits.
constexpr i64 kFar = i64{1} << 28;
// Picture files larger than this are not read at all.
constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{256} * 1024 * 1024;
// PNG files are compressed at zlib level 1: a map picture (large areas of one colour, thin
// lines) is encoded in a third of the time of Qt's default level 6 and comes out about a
// tenth larger (bench_map). Qt takes
// the level as a quality number, 100 - quality mapped onto 0..9; this is the one for the level.
constexpr int kPngLevel = 1;
constexpr int kPngQuality = 100 - (kPngLevel * 91 + 8) / 9;
// Pixel sizes of a rotated-text font.
constexpr int kMaxFontPixels = 1000;

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgbBits = 0x00FFFFFFu;

// Colour (red + 256·green + 65536·blue) as the raster's 0xRRGGBB bits.
std::uint32_t rgbBits(Colour c) {
    return (static_cast<std::uint32_t>(redOf(c)) << 16) |
           (static_cast<std::uint32_t>(greenOf(c)) << 8) | static_cast<std::uint32_t>(blueOf(c));
}

Colour colourOf(QRgb pixel) { return makeColour(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

// The new screen pixel for a pen pixel; the alpha byte always stays 0xFF.
std::uint32_t combine(std::uint32_t screen, std::uint32_t pen, DrawMode mode) {
    switch (mode) {
        case DrawMode::Copy: return kOpaque | pen;
        case DrawMode::Xor: return kOpaque | ((screen ^ pen) & kRgbBits);
        case DrawMode::InvertedXor: return kOpaque | (~(screen ^ pen) & kRgbBits);
    }
    return screen;
}

std::uint32_t combine(std::uint32_t screen, std::uint32_t source, RasterOp op) {
    switch (op) {
        case RasterOp::Copy: return kOpaque | (source & kRgbBits);
        case RasterOp::And: return kOpaque | (screen & source & kRgbBits);
        case RasterOp::Xor: return kOpaque | ((screen ^ source) & kRgbBits);
    }
    return screen;
}

int clampSide(int side) { return std::clamp(side, 1, DrawingSurface::kMaxSide); }

void setStandardResolution(QImage& image) {
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
}

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A rectangle of pixels with inclusive bounds; empty when left > right or top > bottom.
struct Area {
    i64 left = 0;
    i64 top = 0;
    i64 right = -1;
    i64 bottom = -1;

    bool empty() const { return left > right || top > bottom; }
    bool contains(i64 x, i64 y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    i64 width() const { return empty() ? 0 : right - left + 1; }
    i64 height() const { return empty() ? 0 : bottom - top + 1; }
};

Area intersect(const Area& a, const Area& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

Area grow(const Area& a, i64 by) { return {a.left - by, a.top - by, a.right + by, a.bottom + by}; }

Area spanning(i64 x1, i64 y1, i64 x2, i64 y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// Direct access to the raster's pixels, taken once per figure (this detaches a shared image,
// so a picture copied from the surface itself keeps its old pixels).
class Raster {
public:
    explicit Raster(QImage& image)
        : image_(image), area_{0, 0, image.width() - 1, image.height() - 1} {}

    const Area& area() const { return area_; }

    std::uint32_t* row(i64 y) {
        return reinterpret_cast<std::uint32_t*>(image_.scanLine(static_cast<int>(y)));
    }

    void put(i64 x, i64 y, std::uint32_t pen, DrawMode mode) {
        if (!area_.contains(x, y)) return;
        std::uint32_t& pixel = row(y)[x];
        pixel = combine(pixel, pen, mode);
    }

private:
    QImage& image_;
    Area area_;
};

// The pixels a round pen of a given diameter covers around the point it is put on: a square
// for diameters up to 3, a disc beyond.
class PenShape {
public:
    explicit PenShape(int diameter) {
        const int d = std::max(diameter, 1);
        const int low = -((d - 1) / 2);
        const int high = low + d - 1;
        const double centre = (low + high) / 2.0;
        const double radius2 = d * d / 4.0;
        for (int dy = low; dy <= high; ++dy)
            for (int dx = low; dx <= high; ++dx)
                if ((dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) <= radius2 + 1e-9)
                    offsets_.emplace_back(dx, dy);
        reach_ = std::max(-low, high);
    }

    const std::vector<std::pair<int, int>>& offsets() const { return offsets_; }
    i64 reach() const { return reach_; }  // furthest offset from the point in x or y
    bool single() const { return offsets_.size() == 1; }

private:
    std::vector<std::pair<int, int>> offsets_;
    i64 reach_ = 0;
};

// What a figure covers within an area of the raster, before it is combined with the raster:
// each pixel once, so XOR drawing of overlapping strokes stays reversible.
class Cover {
public:
    static constexpr std::uint8_t kNone = 0;
    static constexpr std::uint8_t kInside = 1;  // fill colour
    static constexpr std::uint8_t kPen = 2;     // pen colour; wins over the inside

    explicit Cover(const Area& area)
        : area_(area), cells_(static_cast<std::size_t>(area.width() * area.height()), kNone) {}

    const Area& area() const { return area_; }
    bool empty() const { return area_.empty(); }

    void mark(i64 x, i64 y, std::uint8_t label) {
        if (!area_.contains(x, y)) return;
        std::uint8_t& cell = cells_[index(x, y)];
        cell = std::max(cell, label);
    }

    // Marks x0..x1 of row y, cut to the area.
    void markRow(i64 y, i64 x0, i64 x1, std::uint8_t label) {
        if (y < area_.top || y > area_.bottom) return;
        x0 = std::max(x0, area_.left);
        x1 = std::min(x1, area_.right);
        for (i64 x = x0; x <= x1; ++x) {
            std::uint8_t& cell = cells_[index(x, y)];
            cell = std::max(cell, label);
        }
    }

    void stamp(i64 x, i64 y, const PenShape& pen) {
        for (const auto& [dx, dy] : pen.offsets()) mark(x + dx, y + dy, kPen);
    }

    // Marks x0..x1 of row y with the pen put on every pixel, cut to what can reach the area.
    void stampRow(i64 y, i64 x0, i64 x1, const PenShape& pen) {
        if (pen.single()) {
            markRow(y, x0, x1, kPen);
            return;
        }
        if (y < area_.top - pen.reach() || y > area_.bottom + pen.reach()) return;
        x0 = std::max(x0, area_.left - pen.reach());
        x1 = std::min(x1, area_.right + pen.reach());
        for (i64 x = x0; x <= x1; ++x) stamp(x, y, pen);
    }

    void apply(Raster& raster, std::uint32_t pen, std::uint32_t fill, DrawMode mode) const {
        const Area area = intersect(area_, raster.area());
        for (i64 y = area.top; y <= area.bottom; ++y) {
            std::uint32_t* pixels = raster.row(y);
            for (i64 x = area.left; x <= area.right; ++x) {
                const std::uint8_t cell = cells_[index(x, y)];
                if (cell == kPen)
                    pixels[x] = combine(pixels[x], pen, mode);
                else if (cell == kInside)
                    pixels[x] = combine(pixels[x], fill, mode);
            }
        }
    }

private:
    std::size_t index(i64 x, i64 y) const {
        return static_cast<std::size_t>((y - area_.top) * area_.width() + (x - area_.left));
    }

    Area area_;
    std::vector<std::uint8_t> cells_;
};

// Cuts a segment with far-out end points back to the square of side 2·kFar around the origin
// (in exact-enough floating point); false when nothing of it lies in that square.
bool cutFar(i64& x1, i64& y1, i64& x2, i64& y2) {
    if (std::max({std::llabs(x1), std::llabs(y1), std::llabs(x2), std::llabs(y2)}) <= kFar)
        return true;
    const long double dx = static_cast<long double>(x2 - x1);
    const long double dy = static_cast<long double>(y2 - y1);
    long double t0 = 0.0L;
    long double t1 = 1.0L;
    const long double limit = static_cast<long double>(kFar);
    const auto clipEdge = [&](long double p, long double q) {
        if (p == 0.0L) return q >= 0.0L;
        const long double r = q / p;
        if (p < 0.0L) {
            if (r > t1) return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0) return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    const long double fx = static_cast<long double>(x1);
    const long double fy = static_cast<long double>(y1);
    if (!clipEdge(-dx, fx + limit) || !clipEdge(dx, limit - fx) || !clipEdge(-dy, fy + limit) ||
        !clipEdge(dy, limit - fy))
        return false;
    const auto at = [](long double start, long double delta, long double t) {
        return static_cast<i64>(std::llround(start + delta * t));
    };
    const i64 nx1 = at(fx, dx, t0);
    const i64 ny1 = at(fy, dy, t0);
    const i64 nx2 = at(fx, dx, t1);
    const i64 ny2 = at(fy, dy, t1);
    x1 = std::clamp(nx1, -kFar, kFar);
    y1 = std::clamp(ny1, -kFar, kFar);
    x2 = std::clamp(nx2, -kFar, kFar);
    y2 = std::clamp(ny2, -kFar, kFar);
    return true;
}

// Walks the pixels of a line along its major axis a (one pixel per step), the minor axis b
// rounded to the nearest pixel; only the steps with a inside aLo..aHi are visited.
template <typename Visit>
void walkMajor(i64 a1, i64 b1, i64 da, i64 db, i64 aLo, i64 aHi, Visit&& visit) {
    const i64 n = std::llabs(da);
    const i64 m = std::llabs(db);
    const i64 sa = da < 0 ? -1 : 1;
    const i64 sb = db < 0 ? -1 : 1;
    i64 first = 0;
    i64 last = 0;
    if (sa > 0) {
        first = std::max<i64>(0, aLo - a1);
        last = std::min(n, aHi - a1);
    } else {
        first = std::max<i64>(0, a1 - aHi);
        last = std::min(n, a1 - aLo);
    }
    for (i64 i = first; i <= last; ++i) {
        const i64 b = n == 0 ? b1 : b1 + sb * ((2 * i * m + n) / (2 * n));
        visit(a1 + sa * i, b, i);
    }
}

// Calls visit(x, y, step) for the pixels of the line (x1,y1)-(x2,y2), both ends included, that
// lie in the window; step counts pixels from the first end point.
template <typename Visit>
void walkLine(i64 x1, i64 y1, i64 x2, i64 y2, const Area& window, Visit&& visit) {
    if (window.empty() || !cutFar(x1, y1, x2, y2)) return;
    const i64 dx = x2 - x1;
    const i64 dy = y2 - y1;
    if (std::llabs(dx) >= std::llabs(dy)) {
        walkMajor(x1, y1, dx, dy, window.left, window.right, [&](i64 x, i64 y, i64 step) {
            if (y >= window.top && y <= window.bottom) visit(x, y, step);
        });
    } else {
        walkMajor(y1, x1, dy, dx, window.top, window.bottom, [&](i64 y, i64 x, i64 step) {
            if (x >= window.left && x <= window.right) visit(x, y, step);
        });
    }
}

bool dotOn(i64 step) { return (step / kDotRun) % 2 == 0; }

// How a line is dotted at a scale: 0 for solid (also every wide line), else the scale. A dotted
// line at scale s puts its pen (s pixels wide) on every s-th step only, where the step of the
// image's pixel is on, so its dots cover just the pixels of the image's dots.
i64 dotScaleOf(LineStyle style, int drawWidth, int scale) {
    return style == LineStyle::Dotted && drawWidth == 1 ? scale : 0;
}

// Adds a line drawn with the pen to the cover.
void coverLine(Cover& cover, const PenShape& pen, i64 dotScale, i64 x1, i64 y1, i64 x2, i64 y2) {
    walkLine(x1, y1, x2, y2, grow(cover.area(), pen.reach()), [&](i64 x, i64 y, i64 step) {
        if (dotScale == 0 || (step % dotScale == 0 && dotOn(step / dotScale))) cover.stamp(x, y, pen);
    });
}

// Where a pen of width `width` put on pixel v of the image goes in a target `scale` times as
// dense, so that the target's pen (scale · width wide) covers just the target pixels of the
// image pixels the image's pen covers.
i64 scaled(i64 v, int scale, int width) {
    if (scale == 1) return v;
    const i64 low = -((width - 1) / 2);
    return v * scale + scale * low + (i64{scale} * width - 1) / 2;
}

// Puts the scale × scale target pixels of image pixel (x, y).
void putBlock(Raster& raster, int scale, i64 x, i64 y, std::uint32_t pen, DrawMode mode) {
    for (i64 dy = 0; dy < scale; ++dy)
        for (i64 dx = 0; dx < scale; ++dx) raster.put(x * scale + dx, y * scale + dy, pen, mode);
}

// A rectangle of a picture or of a raster, in 64 bits.
struct Placement {
    i64 x = 0;
    i64 y = 0;
    i64 width = 0;
    i64 height = 0;
};

Placement placementOf(const PixelRect& r, i64 scale) {
    return {r.x * scale, r.y * scale, r.width * scale, r.height * scale};
}

// Block copy of `from` of the picture into `dest` of the raster, stretched to nearest pixels
// when the sizes differ; both sizes are positive. With a block above 1 every picture pixel
// placed goes into block × block raster pixels (dest then measures a multiple of block).
void blit(Raster& raster, const QImage& picture, const Placement& dest, const Placement& from,
          RasterOp op, i64 block = 1) {
    const Area target =
        intersect(Area{dest.x, dest.y, dest.x + dest.width - 1, dest.y + dest.height - 1}, raster.area());
    const Area inSource = intersect(Area{from.x, from.y, from.x + from.width - 1, from.y + from.height - 1},
                                    Area{0, 0, picture.width() - 1, picture.height() - 1});
    if (op == RasterOp::Copy && from.width == dest.width && from.height == dest.height && !target.empty()) {
        // A picture copied at its own size: whole runs of pixels, clipped on both sides.
        const Area span = intersect(target, Area{inSource.left - from.x + dest.x, inSource.top - from.y + dest.y,
                                                 inSource.right - from.x + dest.x, inSource.bottom - from.y + dest.y});
        for (i64 y = span.top; y <= span.bottom; ++y) {
            const auto* sourceRow = reinterpret_cast<const std::uint32_t*>(
                picture.constScanLine(static_cast<int>(y - dest.y + from.y)));
            const std::uint32_t* in = sourceRow + (span.left - dest.x + from.x);
            std::uint32_t* out = raster.row(y) + span.left;
            for (i64 i = 0; i < span.width(); ++i) out[i] = kOpaque | in[i];
        }
        return;
    }
    for (i64 y = target.top; y <= target.bottom; ++y) {
        const i64 sy = from.y + (y - dest.y) / block * from.height / (dest.height / block);
        if (sy < 0 || sy >= picture.height()) continue;
        const auto* sourceRow = reinterpret_cast<const QRgb*>(picture.constScanLine(static_cast<int>(sy)));
        std::uint32_t* pixels = raster.row(y);
        for (i64 x = target.left; x <= target.right; ++x) {
            const i64 sx = from.x + (x - dest.x) / block * from.width / (dest.width / block);
            if (sx < 0 || sx >= picture.width()) continue;
            pixels[x] = combine(pixels[x], sourceRow[sx], op);
        }
    }
}

int toInt(i64 v) { return static_cast<int>(std::clamp<i64>(v, INT_MIN, INT_MAX)); }

i64 integerSqrt(i64 value) {
    if (value <= 0) return 0;
    i64 root = static_cast<i64>(std::sqrt(static_cast<long double>(value)));
    while (root > 0 && root * root > value) --root;
    while ((root + 1) * (root + 1) <= value) ++root;
    return root;
}

}  // namespace

DrawingSurface::DrawingSurface(int width, int height, Colour background)
    : image_(clampSide(width), clampSide(height), QImage::Format_RGB32), backColour_(background) {
    setStandardResolution(image_);
    clear();
}

void DrawingSurface::resize(int width, int height) {
    image_ = QImage(clampSide(width), clampSide(height), QImage::Format_RGB32);
    setStandardResolution(image_);
    refreshDisplay();
    clear();
}

void DrawingSurface::setDisplayScale(int scale) {
    scale = scale >= 2 ? 2 : 1;
    if (scale == displayScale_) return;
    displayScale_ = scale;
    refreshDisplay();
}

void DrawingSurface::refreshDisplay() {
    const int s = displayScale_;
    const i64 pixelsThere = i64{image_.width()} * s * i64{image_.height()} * s;
    if (s <= 1 || pixelsThere > kMaxDisplayPixels) {
        display_ = QImage();
        return;
    }
    QImage big(image_.width() * s, image_.height() * s, QImage::Format_RGB32);
    for (int y = 0; y < image_.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(big.scanLine(y * s));
        for (int x = 0; x < image_.width(); ++x)
            for (int k = 0; k < s; ++k) out[x * s + k] = in[x];
        for (int k = 1; k < s; ++k)
            std::copy_n(out, big.width(), reinterpret_cast<std::uint32_t*>(big.scanLine(y * s + k)));
    }
    big.setDevicePixelRatio(s);
    display_ = std::move(big);
}

void DrawingSurface::setDrawWidth(int pixels) { drawWidth_ = std::clamp(pixels, 1, kMaxDrawWidth); }

void DrawingSurface::setFont(const TextStyle& style) {
    font_ = style;
    foreColour_ = style.colour;
}

void DrawingSurface::setFontFace(const std::string& face) { font_.face = face; }
void DrawingSurface::setFontSize(float points) { font_.size = points; }
void DrawingSurface::setFontBold(bool on) { font_.bold = on; }
void DrawingSurface::setFontItalic(bool on) { font_.italic = on; }
void DrawingSurface::setFontUnderline(bool on) { font_.underline = on; }
void DrawingSurface::setFontStrikeThrough(bool on) { font_.strikeThrough = on; }

void DrawingSurface::clear() {
    image_.fill(kOpaque | rgbBits(backColour_));
    if (!display_.isNull()) display_.fill(kOpaque | rgbBits(backColour_));
    currentX_ = 0;
    currentY_ = 0;
}

void DrawingSurface::line(int x1, int y1, int x2, int y2, Colour colour) {
    drawLine(image_, 1, x1, y1, x2, y2, colour);
    if (!display_.isNull()) drawLine(display_, displayScale_, x1, y1, x2, y2, colour);
}

void DrawingSurface::drawLine(QImage& target, int scale, int x1, int y1, int x2, int y2,
                              Colour colour) const {
    const std::uint32_t pen = rgbBits(colour);
    const i64 dotScale = dotScaleOf(lineStyle_, drawWidth_, scale);
    Raster raster(target);
    if (drawWidth_ == 1 && scale == 1) {
        // One pixel per step: no pixel is met twice, so it goes straight onto the raster.
        walkLine(x1, y1, x2, y2, raster.area(), [&](i64 x, i64 y, i64 step) {
            if (dotScale == 0 || dotOn(step)) raster.put(x, y, pen, drawMode_);
        });
        return;
    }
    const PenShape shape(drawWidth_ * scale);
    const i64 ax = scaled(x1, scale, drawWidth_);
    const i64 ay = scaled(y1, scale, drawWidth_);
    const i64 bx = scaled(x2, scale, drawWidth_);
    const i64 by = scaled(y2, scale, drawWidth_);
    Cover cover(intersect(grow(spanning(ax, ay, bx, by), shape.reach()), raster.area()));
    if (cover.empty()) return;
    coverLine(cover, shape, dotScale, ax, ay, bx, by);
    cover.apply(raster, pen, pen, drawMode_);
}

void DrawingSurface::box(int x1, int y1, int x2, int y2, Colour colour, bool filled) {
    drawBox(image_, 1, x1, y1, x2, y2, colour, filled);
    if (!display_.isNull()) drawBox(display_, displayScale_, x1, y1, x2, y2, colour, filled);
}

void DrawingSurface::drawBox(QImage& target, int scale, int x1, int y1, int x2, int y2,
                             Colour colour, bool filled) const {
    const std::uint32_t pen = rgbBits(colour);
    Raster raster(target);
    if (filled) {
        const Area covered = spanning(x1, y1, x2, y2);
        const Area area = intersect(Area{covered.left * scale, covered.top * scale, covered.right * scale + scale - 1,
                                         covered.bottom * scale + scale - 1},
                                    raster.area());
        for (i64 y = area.top; y <= area.bottom; ++y) {
            std::uint32_t* pixels = raster.row(y);
            for (i64 x = area.left; x <= area.right; ++x)
                pixels[x] = combine(pixels[x], pen, drawMode_);
        }
        return;
    }
    const Area corners = spanning(scaled(x1, scale, drawWidth_), scaled(y1, scale, drawWidth_),
                                  scaled(x2, scale, drawWidth_), scaled(y2, scale, drawWidth_));
    const PenShape shape(drawWidth_ * scale);
    Cover cover(intersect(grow(corners, shape.reach()), raster.area()));
    if (cover.empty()) return;
    if (fillStyle_ == FillStyle::Solid) {
        // The target pixels of the image pixels inside the corners.
        const Area within = spanning(x1, y1, x2, y2);
        const i64 top = std::max((within.top + 1) * scale, cover.area().top);
        const i64 bottom = std::min(within.bottom * scale - 1, cover.area().bottom);
        for (i64 y = top; y <= bottom; ++y)
            cover.markRow(y, (within.left + 1) * scale, within.right * scale - 1, Cover::kInside);
    }
    const i64 dotScale = dotScaleOf(lineStyle_, drawWidth_, scale);
    const auto& [l, t, r, b] = corners;
    coverLine(cover, shape, dotScale, l, t, r, t);
    coverLine(cover, shape, dotScale, r, t, r, b);
    coverLine(cover, shape, dotScale, r, b, l, b);
    coverLine(cover, shape, dotScale, l, b, l, t);
    cover.apply(raster, pen, rgbBits(fillColour_), drawMode_);
}

void DrawingSurface::pixel(int x, int y, Colour colour) {
    Raster raster(image_);
    raster.put(x, y, rgbBits(colour), drawMode_);
    if (!display_.isNull()) {
        Raster display(display_);
        putBlock(display, displayScale_, x, y, rgbBits(colour), drawMode_);
    }
}

void DrawingSurface::pixels(std::span<const PixelPoint> offsets, int x, int y, Colour colour) {
    if (offsets.empty() || image_.isNull()) return;
    const std::uint32_t pen = rgbBits(colour);
    const i64 width = image_.width();
    const i64 height = image_.height();
    const i64 stride = image_.bytesPerLine() / static_cast<i64>(sizeof(std::uint32_t));
    auto* bits = reinterpret_cast<std::uint32_t*>(image_.bits());  // detaches once
    for (const PixelPoint& o : offsets) {
        const i64 px = i64{x} + o.x;
        const i64 py = i64{y} + o.y;
        if (px < 0 || py < 0 || px >= width || py >= height) continue;
        std::uint32_t& pixel = bits[py * stride + px];
        pixel = combine(pixel, pen, drawMode_);
    }
    if (display_.isNull()) return;
    Raster display(display_);
    for (const PixelPoint& o : offsets) putBlock(display, displayScale_, i64{x} + o.x, i64{y} + o.y, pen, drawMode_);
}

Colour DrawingSurface::pixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return backColour_;
    return colourOf(image_.pixel(x, y));
}

void DrawingSurface::circle(int x, int y, int radius, Colour colour) {
    if (radius < 0) return;
    drawCircle(image_, 1, x, y, radius, colour);
    if (!display_.isNull()) drawCircle(display_, displayScale_, x, y, radius, colour);
}

void DrawingSurface::drawCircle(QImage& target, int scale, int x, int y, int radius,
                                Colour colour) const {
    const i64 cx = scaled(x, scale, drawWidth_);
    const i64 cy = scaled(y, scale, drawWidth_);
    const i64 r = i64{radius} * scale;
    const PenShape shape(drawWidth_ * scale);
    Raster raster(target);
    Cover cover(
        intersect(grow(Area{cx - r, cy - r, cx + r, cy + r}, shape.reach()), raster.area()));
    if (cover.empty()) return;
    // Half width of the disc's row k (dx² + dy² <= r² + r), -1 beyond the disc.
    const auto half = [r](i64 k) -> i64 {
        k = std::llabs(k);
        return k > r ? -1 : integerSqrt(r * r + r - k * k);
    };
    const bool filled = fillStyle_ == FillStyle::Solid;
    const i64 top = std::max(cy - r, cover.area().top - shape.reach());
    const i64 bottom = std::min(cy + r, cover.area().bottom + shape.reach());
    for (i64 row = top; row <= bottom; ++row) {
        const i64 k = row - cy;
        const i64 h = half(k);
        const i64 outer = half(std::llabs(k) + 1);  // the row one step further from the centre
        // The rim: pixels of the disc with a neighbour outside it.
        const i64 rimStart = std::min(outer + 1, h);
        if (filled && rimStart > 0)
            cover.markRow(row, cx - rimStart + 1, cx + rimStart - 1, Cover::kInside);
        cover.stampRow(row, cx + rimStart, cx + h, shape);
        cover.stampRow(row, cx - h, cx - rimStart, shape);
    }
    cover.apply(raster, rgbBits(colour), rgbBits(fillColour_), drawMode_);
}

void DrawingSurface::polygon(const std::vector<PixelPoint>& points) {
    if (points.empty()) return;
    drawPolygon(image_, 1, points);
    if (display_.isNull()) return;
    std::vector<PixelPoint> there;
    there.reserve(points.size());
    for (const PixelPoint& p : points)
        there.push_back({toInt(scaled(p.x, displayScale_, drawWidth_)), toInt(scaled(p.y, displayScale_, drawWidth_))});
    drawPolygon(display_, displayScale_, there);
}

// The points are in the target's pixels already.
void DrawingSurface::drawPolygon(QImage& target, int scale, const std::vector<PixelPoint>& points) const {
    const PenShape shape(drawWidth_ * scale);
    Area bounds{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const PixelPoint& p : points) {
        bounds.left = std::min<i64>(bounds.left, p.x);
        bounds.right = std::max<i64>(bounds.right, p.x);
        bounds.top = std::min<i64>(bounds.top, p.y);
        bounds.bottom = std::max<i64>(bounds.bottom, p.y);
    }
    Raster raster(target);
    Cover cover(intersect(grow(bounds, shape.reach()), raster.area()));
    if (cover.empty()) return;
    const std::size_t n = points.size();
    if (fillStyle_ == FillStyle::Solid && n >= 3) {
        // Even-odd rule at pixel centres; each edge counts for rows y0 <= y < y1.
        std::vector<double> crossings;
        const Area& area = cover.area();
        for (i64 y = area.top; y <= area.bottom; ++y) {
            crossings.clear();
            for (std::size_t i = 0; i < n; ++i) {
                const PixelPoint& a = points[i];
                const PixelPoint& b = points[(i + 1) % n];
                if (a.y == b.y) continue;
                if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y)) {
                    const double t = static_cast<double>(y - a.y) / static_cast<double>(b.y - a.y);
                    crossings.push_back(a.x + t * (static_cast<double>(b.x) - a.x));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            const double lo = static_cast<double>(area.left) - 1.0;
            const double hi = static_cast<double>(area.right) + 1.0;
            for (std::size_t j = 0; j + 1 < crossings.size(); j += 2) {
                const double from = std::clamp(std::ceil(crossings[j]), lo, hi);
                const double to = std::clamp(std::floor(crossings[j + 1]), lo, hi);
                cover.markRow(y, static_cast<i64>(from), static_cast<i64>(to), Cover::kInside);
            }
        }
    }
    const i64 dotScale = dotScaleOf(lineStyle_, drawWidth_, scale);
    for (std::size_t i = 0; i < n; ++i) {
        const PixelPoint& a = points[i];
        const PixelPoint& b = points[(i + 1) % n];
        coverLine(cover, shape, dotScale, a.x, a.y, b.x, b.y);
    }
    cover.apply(raster, rgbBits(foreColour_), rgbBits(fillColour_), drawMode_);
}

QFont DrawingSurface::currentFont() const {
    return fontFor(font_.face, font_.size, font_.bold, font_.italic, font_.underline,
                   font_.strikeThrough);
}

void DrawingSurface::drawGlyphs(const QString& text, const QFont& font, int x, int y,
                                double degreesCounterClockwise) {
    if (text.isEmpty()) return;
    drawGlyphsOn(image_, 1, text, font, x, y, degreesCounterClockwise);
    if (!display_.isNull()) drawGlyphsOn(display_, displayScale_, text, font, x, y, degreesCounterClockwise);
}

void DrawingSurface::drawGlyphsOn(QImage& target, int scale, const QString& text, const QFont& font,
                                  int x, int y, double degreesCounterClockwise) const {
    const QFontMetrics metrics(font, &image_);
    const int advance = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    // Room for italic overhang, underline and accents around the text box.
    const double pad = height + 2.0;
    QTransform place;
    place.scale(scale, scale);
    place.translate(x, y);
    place.rotate(-degreesCounterClockwise);
    const QRectF reach = place.mapRect(QRectF(-pad, -pad, advance + 2 * pad, height + 2 * pad));
    const auto toPixel = [](double v) {
        return static_cast<i64>(
            std::clamp(v, -static_cast<double>(kFar), static_cast<double>(kFar)));
    };
    Raster raster(target);
    const Area area =
        intersect(Area{toPixel(std::floor(reach.left())), toPixel(std::floor(reach.top())),
                       toPixel(std::ceil(reach.right())), toPixel(std::ceil(reach.bottom()))},
                  raster.area());
    if (area.empty()) return;

    // The glyphs are drawn into a mask first and then combined with the raster pixel by pixel,
    // so every drawing mode works on text as on any other figure.
    QImage mask(static_cast<int>(area.width()), static_cast<int>(area.height()),
                QImage::Format_ARGB32_Premultiplied);
    setStandardResolution(mask);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 0));
        painter.translate(static_cast<double>(i64{x} * scale - area.left),
                          static_cast<double>(i64{y} * scale - area.top));
        if (scale != 1) painter.scale(scale, scale);
        painter.rotate(-degreesCounterClockwise);
        painter.drawText(QPointF(0.0, metrics.ascent()), text);
    }
    const std::uint32_t pen = rgbBits(foreColour_);
    for (int my = 0; my < mask.height(); ++my) {
        const auto* cells = reinterpret_cast<const QRgb*>(mask.constScanLine(my));
        std::uint32_t* pixels = raster.row(area.top + my);
        for (int mx = 0; mx < mask.width(); ++mx) {
            if (qAlpha(cells[mx]) < 128) continue;
            std::uint32_t& pixel = pixels[area.left + mx];
            pixel = combine(pixel, pen, drawMode_);
        }
    }
}

void DrawingSurface::text(std::string_view utf8) {
    const QString text = toQString(utf8);
    const QFont font = currentFont();
    drawGlyphs(text, font, currentX_, currentY_, 0.0);
    const i64 advanced = i64{currentX_} + QFontMetrics(font, &image_).horizontalAdvance(text);
    currentX_ = static_cast<int>(std::clamp<i64>(advanced, INT_MIN, INT_MAX));
}

int DrawingSurface::textWidth(std::string_view utf8) const {
    return QFontMetrics(currentFont(), &image_).horizontalAdvance(toQString(utf8));
}

int DrawingSurface::textHeight(std::string_view utf8) const {
    const int lines = 1 + static_cast<int>(std::count(utf8.begin(), utf8.end(), '\n'));
    return QFontMetrics(currentFont(), &image_).height() * lines;
}

void DrawingSurface::rotatedText(int x, int y, std::string_view utf8, const RotatedTextSpec& textParams) {
    // The font lives for this call only.
    QFont font = fontFor(textParams.face, 9.0f, false, textParams.italic, textParams.underline, textParams.strikeThrough);
    const int height = textParams.height == 0 ? 12 : std::clamp(std::abs(textParams.height), 1, kMaxFontPixels);
    font.setPixelSize(height);
    font.setWeight(textParams.weight <= 0 ? QFont::Normal
                                    : static_cast<QFont::Weight>(std::clamp(textParams.weight, 1, 1000)));
    if (textParams.width > 0) {
        const int natural = QFontMetrics(font, &image_).averageCharWidth();
        if (natural > 0) {
            const i64 stretch = i64{std::min(textParams.width, kMaxFontPixels)} * 100 / natural;
            font.setStretch(static_cast<int>(std::clamp<i64>(stretch, 1, 4000)));
        }
    }
    drawGlyphs(toQString(utf8), font, x, y, textParams.escapement / 10.0);
}

void DrawingSurface::copyPicture(const QImage& source, PixelRect dest,
                                 std::optional<PixelRect> sourceRect, RasterOp op) {
    if (source.isNull() || dest.width <= 0 || dest.height <= 0) return;
    // The surface's own image is copied on the display image from the display image.
    const bool itself = !display_.isNull() && source.constBits() == image_.constBits();
    // A local handle keeps the source's pixels even when the source is this surface's image.
    const QImage picture =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const PixelRect from = sourceRect.value_or(PixelRect{0, 0, picture.width(), picture.height()});
    if (from.width <= 0 || from.height <= 0) return;
    {
        Raster raster(image_);
        blit(raster, picture, placementOf(dest, 1), placementOf(from, 1), op);
    }
    if (display_.isNull()) return;
    const QImage shownBefore = display_;  // kept as it was while the display image is drawn
    Raster display(display_);
    if (itself)
        blit(display, shownBefore, placementOf(dest, displayScale_), placementOf(from, displayScale_), op);
    else
        blit(display, picture, placementOf(dest, displayScale_), placementOf(from, 1), op, displayScale_);
}

void DrawingSurface::setImage(const QImage& picture) {
    if (picture.isNull()) return;
    QImage converted = picture.convertToFormat(QImage::Format_RGB32);
    if (converted.width() > kMaxSide || converted.height() > kMaxSide)
        converted = converted.copy(0, 0, std::min(converted.width(), kMaxSide),
                                   std::min(converted.height(), kMaxSide));
    setStandardResolution(converted);
    image_ = std::move(converted);
    refreshDisplay();
}

bool DrawingSurface::copyToClipboard() const {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setImage(image_);
    return true;
}

bool DrawingSurface::savePicture(const std::filesystem::path& path, PictureFormat format) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const bool png = format == PictureFormat::Png;
    if (!buffer.open(QIODevice::WriteOnly) || !image_.save(&buffer, png ? "PNG" : "BMP", png ? kPngQuality : -1))
        return false;
    return writeBytesAtomic(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) ==
           FileError::None;
}

bool DrawingSurface::loadPicture(const std::filesystem::path& path) {
    return takePicture(readPicture(path));
}

bool DrawingSurface::takePicture(std::optional<QImage> picture) {
    if (!picture || picture->isNull()) return false;
    if (picture->format() == QImage::Format_RGB32 && picture->width() <= kMaxSide &&
        picture->height() <= kMaxSide) {
        // Already in the surface's layout and resolution: taken over without a copy.
        image_ = std::move(*picture);
        refreshDisplay();
        return true;
    }
    setImage(*picture);
    return true;
}

std::optional<QImage> DrawingSurface::readPicture(const std::filesystem::path& path) {
    return finishReading(startReading(path));
}

DrawingSurface::PictureReading DrawingSurface::startReading(const std::filesystem::path& path) {
    std::optional<QByteArray> bytes = readFileBytes(path, kMaxPictureFileBytes);
    if (!bytes) return {};
    switch (pictureKindOf(*bytes)) {
        case PictureKind::Jpeg:
            if (!jpegComplete(*bytes)) return {};
            // Colour and greyscale pictures are decoded straight into the surface's pixel
            // layout; the desktop's reader is left the rarer kinds (CMYK).
            if (std::optional<QImage> picture = decodeJpegRgb32(*bytes, kMaxSide)) {
                setStandardResolution(*picture);
                return {std::move(picture), {}};
            }
            return {std::nullopt, std::move(*bytes)};
        case PictureKind::Bmp:
            if (!bmpComplete(*bytes, bytes->size(), kMaxSide)) return {};
            return {std::nullopt, std::move(*bytes)};
        case PictureKind::Other: break;
    }
    return {};
}

std::optional<QImage> DrawingSurface::finishReading(PictureReading reading) {
    if (reading.picture) return std::move(reading.picture);
    QByteArray& bytes = reading.bytes;
    const PictureKind kind = pictureKindOf(bytes);
    if (kind == PictureKind::Other || (kind == PictureKind::Jpeg && !jpegDecodesWhole(bytes, kMaxSide)))
        return std::nullopt;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer, kind == PictureKind::Jpeg ? "jpeg" : "bmp");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        return std::nullopt;
    QImage picture;
    if (!reader.read(&picture) || picture.isNull() || picture.size() != size) return std::nullopt;
    QImage converted = picture.convertToFormat(QImage::Format_RGB32);
    setStandardResolution(converted);
    return converted;
}

void DrawingSurface::show() {
    if (showHandler_) showHandler_();
}

void DrawingSurface::show(const PixelRect& changed) {
    if (areaShowHandler_)
        areaShowHandler_(changed);
    else
        show();
}

}  // namespace orv
