#include "route/LabelGlyphs.h"

#include <QImage>

namespace orv {

LabelGlyphs::LabelGlyphs(const TextStyle& style, std::string_view text)
    : style_(style), text_(text) {
    if (text.empty()) return;
    DrawingSurface canvas(1, 1, colours::white);
    canvas.setFont(style);
    const int width = canvas.textWidth(text);
    const int height = canvas.textHeight(text);
    if (width < 0 || height < 0 || width > kMaxCanvas || height > kMaxCanvas) {
        direct_ = true;
        return;
    }
    // Room for italic overhang, underline and accents around the text box.
    const int pad = height + 2;
    if (width + 2 * pad > kMaxCanvas || height + 2 * pad > kMaxCanvas) {
        direct_ = true;
        return;
    }
    canvas.resize(width + 2 * pad, height + 2 * pad);
    canvas.setForeColour(colours::black);
    canvas.setCurrentPosition(pad, pad);
    canvas.text(text);
    // The canvas is white; the glyph pixels are black.
    const QImage& image = canvas.image();
    const int columns = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < columns; ++x)
            if ((row[x] & 0xFFFFFFu) == 0u) pixels_.push_back({x - pad, y - pad});
    }
}

void LabelGlyphs::draw(DrawingSurface& picture, int x, int y, Colour colour) const {
    if (direct_) {
        picture.setFont(style_);
        picture.setForeColour(colour);
        picture.setCurrentPosition(x, y);
        picture.text(text_);
        return;
    }
    picture.pixels(pixels_, x, y, colour);
}

void LabelGlyphs::drawHaloed(DrawingSurface& picture, int x, int y, Colour colour,
                             Colour halo) const {
    for (const auto& [dx, dy] : kHaloOffsets) draw(picture, x + dx, y + dy, halo);
    draw(picture, x, y, colour);
}

}  // namespace orv
