#include "map/Background.h"

#include "map/Contours.h"
#include "map/Graticule.h"
#include "map/MapView.h"
#include "map/RouteMapTools.h"
#include "platform/Events.h"

#include <algorithm>
#include <array>
#include <string>

namespace orv {

namespace {

// The commands of the four background modes, the five view commands and the five edit
// commands, indexed by mode and colour set.
constexpr const auto& kModeTools = mapTool::kBackgroundModes;
constexpr const auto& kViewTools = mapTool::kViewColourSets;
constexpr const auto& kEditTools = mapTool::kEditColourSets;
static_assert(kViewTools.size() == kColourSets && kEditTools.size() == kColourSets);

const std::string kDrawingText = "描画中......";
const std::string kAdjustingText = "背景色を調整します。";

// Rows painted between two looks at pending events while the background is drawn.
constexpr int kRowsPerShow = 5;

bool validMode(int mode) { return mode >= ShadedColour && mode <= NoBackground; }
bool validSet(int set) { return set >= 0 && set < kColourSets; }

// The visible picture takes the buffer's image and repaints.
void showBuffer(MapPictures& pictures) {
    pictures.map.setImage(pictures.buffer.image());
    pictures.map.show();
}

void setStatus(MapState& map, const std::string& text) {
    map.statusPanels[0] = text;
    map.notify();
}

// One pass of the redraw sequence.
void redrawOnce(MapContext& ctx) {
    AppState& state = ctx.state;
    MapPictures& pictures = ctx.pictures;

    updateZoomTools(ctx);

    ctx.map.markersVisible = false;
    pictures.buffer.setImage(pictures.map.image());
    pictures.map.clear();

    const int mode = state.settings.backgroundMethod;
    for (size_t m = 0; m < kModeTools.size(); ++m)
        ctx.menus.setChecked(kModeTools[m], static_cast<int>(m) == mode);

    switch (mode) {
    case ShadedColour:
    case BandColour:
        hideGraticuleLabels(ctx.map);
        drawColourBackground(ctx,
                             shadeDivisor(static_cast<int16_t>(mode), currentLevelIndex(state)));
        break;
    case GraticuleOnly:
        drawGraticule(ctx);
        showBuffer(pictures);
        processPendingEvents();
        break;
    case NoBackground:
        hideGraticuleLabels(ctx.map);
        pictures.blank.clear();
        pictures.buffer.setImage(pictures.blank.image());
        showBuffer(pictures);
        processPendingEvents();
        break;
    default:
        // A mode the settings should never hold: the picture stays cleared.
        break;
    }

    if (state.contoursShown) drawContours(ctx);
    ctx.map.notify();
    if (ctx.drawOverlays) ctx.drawOverlays();
}

// Shows rows first..first+count-1 just painted in the buffer. The first show takes the whole
// buffer (the rows below still hold the picture before the redraw); later ones copy only the
// new rows, so neither picture copies itself whole, and the widget repaints only those rows.
void showPaintedRows(MapPictures& pictures, int first, int count) {
    if (first == 0) {
        showBuffer(pictures);
        return;
    }
    const PixelRect rows{0, first, kMapSize, count};
    pictures.map.copyPicture(pictures.buffer.image(), rows, rows, RasterOp::Copy);
    pictures.map.show(rows);
}

}  // namespace

void drawColourBackground(MapContext& ctx, float divisor) {
    ctx.map.workingColours = makeWorkingColours(ctx.state);
    for (int row = 0; row < kMapSize; row += kRowsPerShow) {
        if (row > 0) {
            processPendingEvents();
            showPaintedRows(ctx.pictures, row - kRowsPerShow, kRowsPerShow);
        }
        // The level is read again after events ran: a zoom chosen meanwhile is drawn at once.
        paintBackgroundRows(ctx.state.elevationGrid, currentLevelIndex(ctx.state),
                            ctx.map.workingColours, divisor, ctx.pictures.buffer, row,
                            row + kRowsPerShow - 1);
    }
    showBuffer(ctx.pictures);
}

void redrawMap(MapContext& ctx) {
    MapState& map = ctx.map;
    if (map.redrawing) {
        map.redrawRequested = true;
        return;
    }
    struct Running {
        MapState& map;
        explicit Running(MapState& m) : map(m) { map.redrawing = true; }
        ~Running() { map.redrawing = false; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    } running(map);
    do {
        map.redrawRequested = false;
        redrawOnce(ctx);
    } while (map.redrawRequested);
}

void selectBackgroundMode(MapContext& ctx, int mode) {
    if (!validMode(mode) || mode == ctx.state.settings.backgroundMethod) return;
    for (const ToolId tool : kModeTools) ctx.menus.setChecked(tool, false);
    ctx.menus.setChecked(kModeTools[static_cast<size_t>(mode)], true);
    setStatus(ctx.map, kDrawingText);
    processPendingEvents();
    ctx.state.backgroundLevel = kDefaultBackgroundLevel;
    ctx.state.settings.backgroundMethod = static_cast<int16_t>(mode);
    redrawMap(ctx);
    processPendingEvents();
    setStatus(ctx.map, "");
}

void viewColourSet(MapContext& ctx, int set) {
    if (!validSet(set) || set == ctx.state.settings.colourSetIndex) return;
    for (const ToolId tool : kViewTools) ctx.menus.setChecked(tool, false);
    ctx.state.settings.colourSetIndex = static_cast<int16_t>(set);
    ctx.menus.setChecked(kViewTools[static_cast<size_t>(set)], true);
    ctx.state.backgroundLevel = kDefaultBackgroundLevel;
    redrawMap(ctx);
}

void editColourSet(MapContext& ctx, int set) {
    if (!validSet(set)) return;
    AppState& state = ctx.state;
    state.settings.colourSetIndex = static_cast<int16_t>(set);
    if (ctx.openColourDialog && ctx.openColourDialog() == DialogOutcome::Cancelled) {
        // The edited colours stay in the set, and the set stays chosen; the map waits for
        // the next redraw.
        return;
    }
    if (set >= 1) {
        ctx.menus.setChecked(kEditTools[static_cast<size_t>(set)], true);
        ctx.menus.setEnabled(kViewTools[static_cast<size_t>(set)], true);
    }
    state.contoursShown = false;
    for (const ToolId tool : kViewTools) ctx.menus.setChecked(tool, false);
    ctx.menus.setChecked(kViewTools[static_cast<size_t>(set)], true);
    state.backgroundLevel = kDefaultBackgroundLevel;
    redrawMap(ctx);
}

void showContours(MapContext& ctx) {
    // Contours need an interval; until one is chosen there is nothing to show.
    if (ctx.state.contourInterval <= 0) return;
    ctx.state.contoursShown = true;
    ctx.state.backgroundLevel = ctx.state.settings.savedBackgroundLevel;
    setStatus(ctx.map, kAdjustingText);
    redrawMap(ctx);
    setStatus(ctx.map, "");
    if (ctx.drawOverlays) ctx.drawOverlays();
}

}  // namespace orv
