#include "map/Graticule.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

namespace orv {

namespace {

constexpr int kCells = 6;         // the level's area is divided into 6 × 6 cells
constexpr int kCellPixels = 100;  // of 100 pixels each
constexpr int kLabelInset = 2;    // labels sit 2 pixels inside the visible edge
constexpr int kFirstShown = 1;    // only labels 1..5 are shown
constexpr int kLastShown = 5;

// The angle of a label as "##0.0000" of its DmsText.
std::string labelText(ArcSeconds seconds) {
    return formatPattern(leadingNumber(secondsToDms(seconds)), "##0.0000");
}

// The position k/6 of the way from `from` to `to`, rounded to whole arc-seconds.
ArcSeconds sixth(ArcSeconds from, ArcSeconds to, int k) {
    return roundHalfEven(from + k * (static_cast<double>(to) - from) / kCells);
}

}  // namespace

void drawGraticule(MapContext& ctx) {
    DrawingSurface& blank = ctx.pictures.blank;
    MapState& map = ctx.map;

    // The grid: dotted black lines one pixel above and left of each sixth. The blank picture
    // is shared with the ridge/valley tracing, which may have left another drawing mode.
    const DrawMode mode = blank.drawMode();
    blank.setDrawMode(DrawMode::Copy);
    blank.clear();
    blank.setLineStyle(LineStyle::Dotted);
    blank.setDrawWidth(1);
    for (int k = 1; k < kCells; ++k) {
        const int at = k * kCellPixels - 1;
        blank.line(0, at, kMapSize - 1, at, colours::black);
    }
    for (int k = 1; k < kCells; ++k) {
        const int at = k * kCellPixels - 1;
        blank.line(at, 0, at, kMapSize - 1, colours::black);
    }
    blank.setLineStyle(LineStyle::Solid);
    blank.setDrawMode(mode);

    // Labels: latitude k along the left edge, longitude k along the top edge.
    const LevelBounds b = currentLevelBounds(ctx.state);
    for (int k = 0; k <= kCells; ++k) {
        map.latitudeLabels[static_cast<size_t>(k)].text = labelText(sixth(b.south, b.north, k));
        map.longitudeLabels[static_cast<size_t>(k)].text = labelText(sixth(b.west, b.east, k));
    }
    placeGraticuleLabels(ctx);
    for (int k = 0; k <= kCells; ++k) {
        const bool shown = k >= kFirstShown && k <= kLastShown;
        map.latitudeLabels[static_cast<size_t>(k)].visible = shown;
        map.longitudeLabels[static_cast<size_t>(k)].visible = shown;
    }
    map.notify();

    ctx.pictures.buffer.setImage(blank.image());
}

void placeGraticuleLabels(MapContext& ctx) {
    MapState& map = ctx.map;
    for (int k = kFirstShown; k <= kLastShown; ++k) {
        // Latitude label k stands at the height of the value it shows.
        GraticuleLabel& latitude = map.latitudeLabels[static_cast<size_t>(k)];
        latitude.x = map.hScroll + kLabelInset;
        latitude.y = kMapSize - kCellPixels * k;
        GraticuleLabel& longitude = map.longitudeLabels[static_cast<size_t>(k)];
        longitude.x = kCellPixels * k + kLabelInset;
        longitude.y = map.vScroll + kLabelInset;
    }
}

void hideGraticuleLabels(MapState& map) {
    for (GraticuleLabel& label : map.latitudeLabels) label.visible = false;
    for (GraticuleLabel& label : map.longitudeLabels) label.visible = false;
    map.notify();
}

}  // namespace orv
