#pragma once
// The glyph pixels of one text in one text style, rendered once and then put onto a picture at
// several places. The map's labels draw every text five times (four halo copies and the text
// itself); rendering it once keeps a redraw of a long named route quick. The pixels are
// exactly those DrawingSurface::text colours at the same position.
#include "core/Colour.h"
#include "core/TextStyle.h"
#include "platform/DrawingSurface.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class LabelGlyphs {
public:
    LabelGlyphs(const TextStyle& style, std::string_view text);

    // Colours the glyph pixels in the picture's drawing mode, with the text's top-left corner
    // at (x, y) as DrawingSurface::text places it. Pixels outside the picture are left out.
    void draw(DrawingSurface& picture, int x, int y, Colour colour) const;

    // The label as the maps write it: four copies in the halo colour one pixel away diagonally,
    // then the text in `colour` over them, so it reads on any background.
    void drawHaloed(DrawingSurface& picture, int x, int y, Colour colour, Colour halo) const;

    // The four halo offsets.
    static constexpr std::array<std::array<int, 2>, 4> kHaloOffsets{{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};

private:
    // Texts whose rendering would need a canvas larger than this on a side are drawn directly.
    static constexpr int kMaxCanvas = 2048;

    TextStyle style_;
    std::string text_;
    bool direct_ = false;
    std::vector<PixelPoint> pixels_;  // offsets from the text's top-left corner
};

}  // namespace orv
