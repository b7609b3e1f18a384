#include "map/RidgeValleyLabels.h"

#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace orv {

namespace {

// The pixels of one label relative to its anchor: those of the text, and those only its four
// white copies cover (the outline). The label is rendered once, then put onto the picture at
// every redraw: a file of many labels stays quick to draw.
struct LabelPixels {
    std::vector<PixelPoint> text;
    std::vector<PixelPoint> outline;
    bool direct = false;  // too large to keep: drawn with the rotated text itself
};

// Labels whose rendering would need a larger canvas are drawn directly.
constexpr int kMaxCanvas = 1024;
// The rendered labels kept; the cache starts afresh when it holds more.
constexpr size_t kMaxCachedLabels = 4096;

std::string cacheKey(const RidgeValleyName& label, const TextStyle& fontStyle) {
    return fontStyle.face + '\x1f' + std::to_string(fontStyle.size) + '\x1f' + std::to_string(label.angle) +
           '\x1f' + std::to_string(label.magnification) + '\x1f' + label.text;
}

LabelPixels renderLabel(const RidgeValleyName& label, const TextStyle& fontStyle) {
    LabelPixels pixels;
    const RotatedTextSpec font = labelFont(fontStyle, label.magnification, label.angle);
    // A text turned any way stays within its length plus its height of its anchor.
    const int characters = static_cast<int>(std::count_if(label.text.begin(), label.text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    }));
    const long long reach = (static_cast<long long>(characters) + 2) * font.height + 4;
    if (reach * 2 + 1 > kMaxCanvas) {
        pixels.direct = true;
        return pixels;
    }
    const int r = static_cast<int>(reach);
    DrawingSurface canvas(2 * r + 1, 2 * r + 1, colours::white);
    canvas.setForeColour(colours::black);
    canvas.rotatedText(r, r, label.text, font);
    const int side = 2 * r + 1;
    std::vector<char> inText(static_cast<size_t>(side) * static_cast<size_t>(side), 0);
    const auto at = [side](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(side) + static_cast<size_t>(x); };
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (canvas.pixelAt(x, y) != colours::white) {
                inText[at(x, y)] = 1;
                pixels.text.push_back({x - r, y - r});
            }
    std::vector<char> inOutline(inText.size(), 0);
    constexpr std::array<std::array<int, 2>, 4> kOutline{{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
    for (const PixelPoint& p : pixels.text)
        for (const auto& [dx, dy] : kOutline) {
            const int x = p.x + r + dx;
            const int y = p.y + r + dy;
            if (x < 0 || y < 0 || x >= side || y >= side || inText[at(x, y)] || inOutline[at(x, y)]) continue;
            inOutline[at(x, y)] = 1;
            pixels.outline.push_back({x - r, y - r});
        }
    return pixels;
}

const LabelPixels& labelPixels(const RidgeValleyName& label, const TextStyle& fontStyle) {
    static std::map<std::string, LabelPixels> cache;
    std::string key = cacheKey(label, fontStyle);
    if (const auto found = cache.find(key); found != cache.end()) return found->second;
    if (cache.size() >= kMaxCachedLabels) cache.clear();
    return cache.emplace(std::move(key), renderLabel(label, fontStyle)).first->second;
}

}  // namespace

RotatedTextSpec labelFont(const TextStyle& fontStyle, float magnification, int angle) {
    RotatedTextSpec font;
    const double height = double{fontStyle.size} * double{magnification};
    font.height = std::isfinite(height) ? std::clamp(roundHalfEven(height), 0, 1000) : 0;
    // A zero height takes the font's default height.
    if (font.height == 0) font.height = roundHalfEven(double{fontStyle.size});
    font.width = 0;
    font.escapement = angle;
    font.weight = 400;
    font.charSet = 1;
    font.face = fontStyle.face;
    return font;
}

void drawLabel(DrawingSurface& picture, int x, int y, int angle, std::string_view text,
               float magnification, const TextStyle& fontStyle) {
    picture.rotatedText(x, y, text, labelFont(fontStyle, magnification, angle));
}

void drawLabels(const AppState& state, const LevelBounds& view, DrawingSurface& picture,
                const RidgeValleyNames& names) {
    const TextStyle& fontStyle = state.textStyles[kLabelFontStyle];
    const TextStyle& colourStyle = state.textStyles[kLabelColourStyle];
    const Colour savedColour = picture.foreColour();
    const DrawMode savedMode = picture.drawMode();
    picture.setDrawMode(DrawMode::Copy);
    constexpr std::array<std::array<int, 2>, 4> kOutline{{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}};
    for (const RidgeValleyNameEntry& entry : names.entries) {
        if (!entry.name) continue;
        const RidgeValleyName& label = *entry.name;
        const ArcSeconds latitude = dmsToSeconds(label.latitude);
        const ArcSeconds longitude = dmsToSeconds(label.longitude);
        if (latitude > view.north || latitude < view.south || longitude < view.west || longitude > view.east)
            continue;
        const MapPixel p = positionToPixel(view, latitude, longitude);
        const LabelPixels& pixels = labelPixels(label, fontStyle);
        if (!pixels.direct) {
            picture.pixels(pixels.outline, p.x, p.y, colours::white);
            picture.pixels(pixels.text, p.x, p.y, colourStyle.colour);
            continue;
        }
        picture.setForeColour(colours::white);
        for (const auto& [dx, dy] : kOutline)
            drawLabel(picture, p.x + dx, p.y + dy, label.angle, label.text, label.magnification, fontStyle);
        picture.setForeColour(colourStyle.colour);
        drawLabel(picture, p.x, p.y, label.angle, label.text, label.magnification, fontStyle);
    }
    picture.setForeColour(savedColour);
    picture.setDrawMode(savedMode);
}

void drawRidgeValleyNames(const AppState& state, const LevelBounds& view, DrawingSurface& picture) {
    if (!state.rvnFileExists) return;
    drawLabels(state, view, picture, readRidgeValleyNames(ridgeValleyNameFilePath(state.dataFolder)));
}

}  // namespace orv
