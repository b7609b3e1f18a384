#include "map/ColourPreview.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/Background.h"

#include <algorithm>
#include <vector>

namespace orv {

namespace {

constexpr Colour kSkyColour = makeColour(192, 192, 255);
constexpr int kModelWidth = 960;  // width of the model in its own units
constexpr int kThinStep = 8;
constexpr int kIndexStep = 40;
constexpr float kLabelPoints = 9.0f;
// Profile points are kept well inside what the drawing code handles, whatever the file says.
constexpr int kMaxCoordinate = 20000;

int clampCoordinate(int v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); }

Colour bandColour(const ColourBand& band) { return makeColour(band.red, band.green, band.blue); }

Colour paleColour(const ColourBand& band, float factor) {
    return makeColour(paleComponent(band.red, factor), paleComponent(band.green, factor),
                      paleComponent(band.blue, factor));
}

std::vector<PixelPoint> profilePoints(const ColourProfile& profile) {
    std::vector<PixelPoint> points;
    points.reserve(profile.size());
    for (const ProfileSample& s : profile) {
        const int x = roundHalfEven(2.0 * static_cast<double>(s.x));
        const int y = floorToInt((5000.0 - static_cast<double>(s.elevation)) / 21.0);
        points.push_back({clampCoordinate(x), clampCoordinate(y)});
    }
    return points;
}

void drawSky(DrawingSurface& preview, const std::vector<PixelPoint>& profile) {
    std::vector<PixelPoint> sky;
    sky.reserve(profile.size() + 2);
    sky.push_back({0, 0});
    sky.insert(sky.end(), profile.begin(), profile.end());
    sky.push_back({480, 0});

    const Colour fore = preview.foreColour();
    const Colour fill = preview.fillColour();
    const FillStyle style = preview.fillStyle();
    preview.setForeColour(kSkyColour);
    preview.setFillColour(kSkyColour);
    preview.setFillStyle(FillStyle::Solid);
    preview.polygon(sky);
    preview.setForeColour(fore);
    preview.setFillColour(fill);
    preview.setFillStyle(style);

    for (size_t i = 1; i < profile.size(); ++i)
        preview.line(profile[i - 1].x, profile[i - 1].y, profile[i].x, profile[i].y, colours::white);
}

}  // namespace

ColourSet stripBands(const ColourSet& working, bool contoursShown, float backgroundLevel) {
    if (!contoursShown) return working;
    ColourSet pale = working;
    for (ColourBand& band : pale) {
        band.blue = paleComponent(band.blue, backgroundLevel);
        band.green = paleComponent(band.green, backgroundLevel);
        band.red = paleComponent(band.red, backgroundLevel);
    }
    return pale;
}

Colour stripColour(const ColourSet& bands, float elevation) {
    // The strip's sea starts below 0 m (the map's below −2 m); with the east neighbour at the
    // same height the map's rule adds no shading.
    if (elevation < 0.0f) return bandColour(bands[0]);
    return pixelColour(bands, elevation, elevation, 1.0f);
}

void drawColourStrip(DrawingSurface& strip, const ColourSet& bands) {
    const DrawMode mode = strip.drawMode();
    strip.setDrawMode(DrawMode::Copy);
    for (int row = 0; row < kStripHeight; ++row) {
        const Colour colour = stripColour(bands, stripElevation(row));
        const int y = kStripHeight - 1 - row;
        for (int x = 0; x < kStripWidth; ++x) strip.pixel(x, y, colour);
    }
    strip.setDrawMode(mode);
}

void drawColourPreview(DrawingSurface& preview, const DrawingSurface& strip,
                       const ColourSet& working, float contourTint,
                       const std::optional<ColourProfile>& profile) {
    const DrawMode mode = preview.drawMode();
    preview.setDrawMode(DrawMode::Copy);
    preview.copyPicture(strip.image(), {0, 0, kModelWidth, kPreviewHeight},
                        PixelRect{0, 0, kStripWidth - 1, kStripHeight - 1}, RasterOp::Copy);

    if (profile) drawSky(preview, profilePoints(*profile));

    const ColourBand& contour = working[6];
    const Colour thin = paleColour(contour, contourTint);
    for (int y = 0; y <= kPreviewHeight; y += kThinStep) preview.line(0, y, kModelWidth, y, thin);

    const TextStyle font = preview.font();
    const Colour fore = preview.foreColour();
    preview.setFontSize(kLabelPoints);
    for (int y = 0; y <= kPreviewHeight; y += kIndexStep) {
        preview.line(0, y, kModelWidth, y, bandColour(contour));
        preview.setForeColour(colours::black);
        preview.setCurrentPosition(1, y);
        preview.text(integerText(5000 - 25 * y));
    }
    preview.setFont(font);
    preview.setForeColour(fore);
    preview.setDrawMode(mode);
}

}  // namespace orv
