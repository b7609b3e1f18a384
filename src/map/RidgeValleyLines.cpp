#include "map/RidgeValleyLines.h"

#include <algorithm>

namespace orv {

namespace {

// Pixels far off the picture are kept at this distance so the line stepping stays short.
constexpr int kFarPixel = 1 << 16;

PixelPoint linePixel(const LevelBounds& view, const RidgeValleyPoint& point) {
    const MapPixel p = positionToPixel(view, dmsToSeconds(point.latitude), dmsToSeconds(point.longitude));
    return {std::clamp(p.x, -kFarPixel, kFarPixel), std::clamp(p.y, -kFarPixel, kFarPixel)};
}

}  // namespace

Colour lineStyleColour(const LineStyleSetting& style) {
    return makeColour(style.red & 0xFF, style.green & 0xFF, style.blue & 0xFF);
}

const LineStyleSetting& lineStyleOf(const SettingsValues& settings, RidgeValleyStyle style) {
    return style == RidgeValleyStyle::Valley ? settings.valleyLine : settings.ridgeLine;
}

LineStyleSetting& lineStyleOf(SettingsValues& settings, RidgeValleyStyle style) {
    return style == RidgeValleyStyle::Valley ? settings.valleyLine : settings.ridgeLine;
}

void drawRidgeValleyLines(const AppState& state, const LevelBounds& view, DrawingSurface& picture,
                          RidgeValleyStyle& current) {
    const int count = std::clamp<int>(state.ridgeValleyCount, 0, kMaxRidgeValleyPoints);
    const DrawMode savedMode = picture.drawMode();
    picture.setDrawMode(DrawMode::Copy);
    picture.setLineStyle(LineStyle::Solid);
    PixelPoint from{};
    if (count > 0) from = linePixel(view, state.ridgeValleyPoints[0]);
    for (int i = 0; i + 1 < count; ++i) {
        const RidgeValleyPoint& point = state.ridgeValleyPoints[static_cast<size_t>(i)];
        if (point.kind == 1) current = RidgeValleyStyle::Ridge;
        if (point.kind == 2) current = RidgeValleyStyle::Valley;
        const RidgeValleyPoint& next = state.ridgeValleyPoints[static_cast<size_t>(i) + 1];
        const PixelPoint to = linePixel(view, next);
        if (next.kind == 0) {
            const LineStyleSetting& style = lineStyleOf(state.settings, current);
            picture.setDrawWidth(style.width);
            picture.line(from.x, from.y, to.x, to.y, lineStyleColour(style));
        }
        from = to;
    }
    picture.setDrawWidth(1);
    picture.setDrawMode(savedMode);
}

}  // namespace orv
