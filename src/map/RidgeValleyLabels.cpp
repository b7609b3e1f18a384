#include "map/RidgeValleyLabels.h"

#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orv {

RotatedTextSpec labelFont(const TextStyle& fontStyle, float magnification, int angle) {
    RotatedTextSpec spec;
    const double height = double{fontStyle.size} * double{magnification};
    spec.height = std::isfinite(height) ? std::clamp(roundHalfEven(height), 0, 1000) : 0;
    // A zero height takes the font's default height.
    if (spec.height == 0) spec.height = roundHalfEven(double{fontStyle.size});
    spec.width = 0;
    spec.escapement = angle;
    spec.weight = 400;
    spec.charSet = 1;
    spec.face = fontStyle.face;
    return spec;
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
