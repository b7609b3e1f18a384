#include "route/RouteCreation.h"

#include "core/NumberText.h"
#include "platform/Events.h"
#include "route/RouteMapMenuStates.h"
#include "route/Measurement.h"
#include "route/Overlays.h"
#include "route/RouteMap.h"
#include "map/RouteMapTools.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace orv {

namespace {

constexpr Colour kFixedLineColour = makeColour(255, 0, 0);
constexpr Colour kBandColour = makeColour(255, 255, 255);
constexpr int kLineWidth = 2;
constexpr int kHoverReach = 1;  // a point is hit within ±1 pixel, both inclusive

int toPixel(float value) { return static_cast<int>(value); }

// Draws one line on the map picture in the given mode and width, leaving the pen as it was.
void drawLine(DrawingSurface& picture, DrawMode mode, std::array<float, 2> from, int toX, int toY,
              Colour colour) {
    const DrawMode oldMode = picture.drawMode();
    const int oldWidth = picture.drawWidth();
    picture.setDrawMode(mode);
    picture.setDrawWidth(kLineWidth);
    picture.line(toPixel(from[0]), toPixel(from[1]), toX, toY, colour);
    picture.setDrawMode(oldMode);
    picture.setDrawWidth(oldWidth);
}

int16_t clampNumber(int value, int count) {
    return static_cast<int16_t>(std::clamp(value, 1, std::max(count, 1)));
}

int tableCount(int16_t count) { return std::clamp<int>(count, 0, kMaxRoutePoints); }

// A raw point takes a reference point's position, height, names and mark.
void takeReferencePoint(RawPoint& to, const RoutePoint& from) {
    to.latitude = from.latitude;
    to.longitude = from.longitude;
    to.elevation = from.elevation;
    to.markKind = from.markKind;
    to.placeName = from.placeName;
    to.mountainName = from.mountainName;
}

}  // namespace

RouteCreation::RouteCreation(MapContext& ctx) : ctx_(ctx) {}

void RouteCreation::reset() {
    drawing = RouteDrawing::Idle;
    nextRawNumber = 1;
    lastFixedPixel = {};
    bandEndPixel = {};
    currentPointNumber = 1;
    editing = false;
    choosingReferenceStart = false;
    takesSteppingKeys = false;
    routePointPanel = {};
    referenceStartPanel = {};
}

void RouteCreation::redraw() {
    if (ctx_.drawOverlays) ctx_.drawOverlays();
}

bool RouteCreation::rawTableFull() const { return nextRawNumber > kMaxRawPoints; }

void RouteCreation::stopRubberBand() {
    if (drawing == RouteDrawing::Drawing) drawing = RouteDrawing::Armed;
}

void RouteCreation::addRawPoint(int index, int x, int y) {
    if (index < 1 || index > kMaxRawPoints) return;
    const LevelBounds view = currentLevelBounds(ctx_.state);
    RawPoint& point = ctx_.state.rawRoute[static_cast<size_t>(index)];
    point = RawPoint{};
    point.latitude = secondsToDms(pixelLatitude(view, y));
    point.longitude = secondsToDms(pixelLongitude(view, x));
    point.number = static_cast<int16_t>(index);
}

// ---- Mouse creation ----

void RouteCreation::beginMouseRoute() {
    // A route being drawn is finished or dropped before another one starts.
    if (drawing == RouteDrawing::Drawing) return;
    ctx_.map.statusPanels[0] = kMouseRouteGuide;
    drawing = RouteDrawing::Armed;
    nextRawNumber = 1;
    ctx_.map.notify();
}

void RouteCreation::startMouseRoute(int x, int y) {
    if (drawing != RouteDrawing::Armed) return;
    lastFixedPixel = {static_cast<float>(x), static_cast<float>(y)};
    addRawPoint(nextRawNumber, x, y);
    ++nextRawNumber;
    bandEndPixel = lastFixedPixel;
    drawing = RouteDrawing::Drawing;
}

void RouteCreation::addClickedPoint(int x, int y) {
    if (drawing != RouteDrawing::Drawing) return;
    if (rawTableFull()) {
        ctx_.dialogs.message(kRawPointsFull, kCreationTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    DrawingSurface& picture = ctx_.pictures.map;
    drawLine(picture, DrawMode::Copy, lastFixedPixel, x, y, kFixedLineColour);
    picture.show();
    addRawPoint(nextRawNumber, x, y);
    ++nextRawNumber;
    lastFixedPixel = {static_cast<float>(x), static_cast<float>(y)};
    bandEndPixel = lastFixedPixel;
}

void RouteCreation::endMouseRoute(int x, int y) {
    if (drawing != RouteDrawing::Drawing) return;
    DrawingSurface& picture = ctx_.pictures.map;
    drawLine(picture, DrawMode::Copy, lastFixedPixel, toPixel(bandEndPixel[0]),
             toPixel(bandEndPixel[1]), kFixedLineColour);
    picture.show();
    // With a full table the route ends at the points already fixed.
    if (!rawTableFull()) {
        addRawPoint(nextRawNumber, x, y);
        ++nextRawNumber;
    }
    ctx_.state.rawRoute[0].number = static_cast<int16_t>(nextRawNumber - 1);
    // Made, dropped or drawn on: finishCreation leaves `drawing` as it then stands.
    finishCreation(CreationMethod::Mouse);
}

void RouteCreation::moveRubberBand(int x, int y) {
    if (drawing != RouteDrawing::Drawing) return;
    // XOR erases the last band and draws the new one.
    DrawingSurface& picture = ctx_.pictures.map;
    drawLine(picture, DrawMode::Xor, lastFixedPixel, toPixel(bandEndPixel[0]),
             toPixel(bandEndPixel[1]), kBandColour);
    bandEndPixel = {static_cast<float>(x), static_cast<float>(y)};
    drawLine(picture, DrawMode::Xor, lastFixedPixel, x, y, kBandColour);
    picture.show();
}

void RouteCreation::showCursorReadout(int x, int y) {
    const AppState& state = ctx_.state;
    ctx_.map.statusPanels[0] = cursorReadout(currentLevelBounds(state), state.elevationGrid,
                                             currentLevelIndex(state), x, y);
}

bool RouteCreation::hoverRoutePoint(int x, int y) {
    const int hit = hoveredPoint(ctx_.state.route, ctx_.state.routeCount, x, y);
    if (hit == 0) return false;
    routePointPanel.value = hit;
    showPointReadout();
    return true;
}

bool RouteCreation::hoverReferencePoint(int x, int y) {
    const int hit = hoveredPoint(ctx_.state.referenceRoute, ctx_.state.refRouteCount, x, y);
    if (hit == 0) return false;
    referenceStartPanel.value = hit;
    showPointReadout();
    return true;
}

void RouteCreation::captionReferencePointBand() {
    ctx_.menus.setCaption(mapTool::kRouteFromReferencePoint,
                          "No " + std::to_string(currentPointNumber) + " からﾙｰﾄ作成");
}

int RouteCreation::hoveredPoint(const RouteTable& table, int count, int x, int y) const {
    const int last = tableCount(static_cast<int16_t>(count));
    for (int i = 1; i <= last; ++i) {
        const RoutePoint& point = table[static_cast<size_t>(i)];
        const int64_t dx = static_cast<int64_t>(x) - point.pixelX;
        const int64_t dy = static_cast<int64_t>(y) - point.pixelY;
        if (std::llabs(dx) <= kHoverReach && std::llabs(dy) <= kHoverReach) return i;
    }
    return 0;
}

// ---- The common end ----

bool RouteCreation::finishCreation(CreationMethod method) {
    AppState& state = ctx_.state;
    const Answer answer = ctx_.dialogs.message(kOneWayQuestion, kOneWayTitle, Buttons::YesNo,
                                               Icon::Question);
    state.roundTrip = answer != Answer::Yes;
    // The interpolation does not mirror raw points that already come back over themselves.
    if (state.roundTrip && retracesItself(state.rawRoute, state.rawRoute[0].number)) {
        const char* told = method == CreationMethod::Trace ? kAlreadyRoundTripTrace : kAlreadyRoundTrip;
        ctx_.dialogs.message(told, kOneWayTitle, Buttons::Ok, Icon::Information);
    }

    // The reference-start mode ends with any creation: its panel would offer to start again.
    takesSteppingKeys = editing;
    choosingReferenceStart = false;
    referenceStartPanel.visible = false;
    ctx_.map.pointMarkerVisible = false;

    ctx_.menus.setEnabled(mapTool::kReferenceColour, false);
    ctx_.menus.setChecked(mapTool::kReferenceRoute, false);
    clearMapPicture(ctx_);
    redraw();

    const bool showsProgress = method == CreationMethod::Trace || method == CreationMethod::MapImage;
    if (showsProgress) {
        ctx_.map.statusPanels[0] = kInterpolatingText;
        ctx_.map.notify();
        processPendingEvents();
    }
    for (;;) {
        const InterpolationResult result = interpolateRoute(state, ctx_.map.magnification);
        if (result.ok) break;
        if (showsProgress) ctx_.map.statusPanels[0].clear();
        ctx_.dialogs.message(result.message, kCreationTitle, Buttons::Ok, Icon::Warning);
        if (method != CreationMethod::Mouse) {
            abandonCreation();
            return false;
        }
        // Clicked points are the user's work: they stay, and the choice is asked again.
        const Answer again = ctx_.dialogs.message(kTooLongAgainQuestion, kOneWayTitle,
                                                  Buttons::YesNoCancel, Icon::Question);
        if (again != Answer::Yes && again != Answer::No) {
            resumeMouseRoute();
            return false;
        }
        state.roundTrip = again == Answer::No;
    }
    measureRoute(state);
    showRouteFigures(ctx_.map, state);
    if (showsProgress) ctx_.map.statusPanels[0].clear();
    // Mountains named on a traced route are drawn with it, not a second time by the name layer.
    flagRouteMountains(state);

    updateRouteMapMenus(state, ctx_.menus);
    state.routeLoaded = true;
    if (showsProgress) clearMapPicture(ctx_);
    redraw();
    // A route exists now: no further click may add to it.
    drawing = RouteDrawing::Idle;
    ctx_.map.notify();
    return true;
}

// A refused interpolation leaves the map as it was before the creation began.
void RouteCreation::abandonCreation() {
    clearRawRoute(ctx_.state);
    drawing = RouteDrawing::Idle;
    nextRawNumber = 1;
    ctx_.menus.setChecked(mapTool::kReferenceRoute, ctx_.state.refRouteCount != 0);
    updateRouteMapMenus(ctx_.state, ctx_.menus);
    clearMapPicture(ctx_);
    redraw();
    ctx_.map.notify();
}

void RouteCreation::resumeMouseRoute() {
    AppState& state = ctx_.state;
    const int n = std::clamp<int>(state.rawRoute[0].number, 0, kMaxRawPoints);
    const LevelBounds view = currentLevelBounds(state);
    const auto pixelOf = [&](int j) {
        const RawPoint& p = state.rawRoute[static_cast<size_t>(j)];
        const MapPixel at = positionToPixel(view, dmsToSeconds(p.latitude), dmsToSeconds(p.longitude));
        return std::array<float, 2>{static_cast<float>(at.x), static_cast<float>(at.y)};
    };
    DrawingSurface& picture = ctx_.pictures.map;
    for (int j = 1; j < n; ++j) {
        const std::array<float, 2> to = pixelOf(j + 1);
        drawLine(picture, DrawMode::Copy, pixelOf(j), toPixel(to[0]), toPixel(to[1]),
                 kFixedLineColour);
    }
    picture.show();
    state.roundTrip = false;
    nextRawNumber = static_cast<int16_t>(n + 1);
    lastFixedPixel = n >= 1 ? pixelOf(n) : std::array<float, 2>{};
    bandEndPixel = lastFixedPixel;
    drawing = RouteDrawing::Drawing;
    ctx_.map.statusPanels[0] = kMouseRouteGuide;
    ctx_.map.notify();
}

// ---- From the reference route ----

void RouteCreation::beginReferenceStart() {
    if (ctx_.state.refRouteCount < 1 || drawing == RouteDrawing::Drawing) return;
    choosingReferenceStart = true;
    takesSteppingKeys = true;
    currentPointNumber = 1;
    referenceStartPanel.visible = true;
    referenceStartPanel.value = 1;
    referenceStartPanel.maximum = tableCount(ctx_.state.refRouteCount);
    ctx_.map.notify();
}

void RouteCreation::startFromReferencePoint() {
    AppState& state = ctx_.state;
    if (!choosingReferenceStart || state.refRouteCount < 1) return;
    const int n = clampNumber(currentPointNumber, tableCount(state.refRouteCount));
    if (n > kMaxRawPoints) {
        ctx_.dialogs.message(kReferenceStartTooFar, kCreationTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    for (int i = 1; i <= n; ++i) {
        const RoutePoint& from = state.referenceRoute[static_cast<size_t>(i)];
        RawPoint& to = state.rawRoute[static_cast<size_t>(i)];
        to = RawPoint{};
        takeReferencePoint(to, from);
        to.number = static_cast<int16_t>(i);
    }
    const RoutePoint& last = state.referenceRoute[static_cast<size_t>(n)];
    const MapPixel pixel = positionToPixel(currentLevelBounds(state), dmsToSeconds(last.latitude),
                                           dmsToSeconds(last.longitude));
    lastFixedPixel = {static_cast<float>(pixel.x), static_cast<float>(pixel.y)};
    bandEndPixel = lastFixedPixel;
    nextRawNumber = static_cast<int16_t>(n + 1);
    drawing = RouteDrawing::Drawing;
    ctx_.map.notify();
}

void RouteCreation::traceReferenceRoute() {
    AppState& state = ctx_.state;
    if (state.refRouteCount < 1) return;
    if (state.refRouteCount > kMaxRawPoints) {
        ctx_.dialogs.message(kReferenceTooLongToTrace, kCreationTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    clearRawRoute(state);
    for (int i = 0; i <= state.refRouteCount; ++i) {
        const RoutePoint& from = state.referenceRoute[static_cast<size_t>(i)];
        RawPoint& to = state.rawRoute[static_cast<size_t>(i)];
        takeReferencePoint(to, from);
        to.number = from.number;
    }
    state.rawRoute[0].number = state.refRouteCount;
    stopRubberBand();
    finishCreation(CreationMethod::Trace);
    stopRubberBand();
}

// ---- Deleting ----

void RouteCreation::deleteRoute() {
    AppState& state = ctx_.state;
    // The point panel has nothing left to show.
    if (editing) leaveEditMode();

    ctx_.map.pointMarkerVisible = false;
    clearMapPicture(ctx_);
    for (std::string& readout : ctx_.map.readouts) readout.clear();
    ctx_.map.routeNote.clear();
    if (state.mountainConfirmed) drawSelectedMountain(ctx_);

    clearRoute(state);
    clearSegments(state);
    clearRawRoute(state);
    state.nextSheetPoint = 1;
    state.routeCount = 0;
    state.segmentCount = 0;
    state.routeLoaded = false;
    drawing = RouteDrawing::Idle;
    state.gpsMode = false;

    MenuModel& menus = ctx_.menus;
    menus.setChecked(mapTool::kRouteView, false);
    menus.setChecked(mapTool::kReferenceRoute, false);
    menus.setChecked(mapTool::kSegmentPositions, false);
    menus.setEnabled(mapTool::kRouteView, false);
    menus.setChecked(mapTool::kReferenceRoute, state.refRouteCount != 0);

    updateRouteMapMenus(state, menus);
    redraw();
    ctx_.map.notify();
}

// ---- Edit mode ----

void RouteCreation::enterEditMode() {
    const int count = tableCount(ctx_.state.routeCount);
    if (count < 1) return;
    editing = true;
    ctx_.map.mapToolTip.clear();
    takesSteppingKeys = true;
    currentPointNumber = 1;
    routePointPanel.value = 1;
    routePointPanel.maximum = count;
    showPointReadout();
    routePointPanel.visible = true;
    ctx_.map.notify();
}

void RouteCreation::leaveEditMode() {
    takesSteppingKeys = choosingReferenceStart;
    editing = false;
    routePointPanel.visible = false;
    ctx_.map.pointMarkerVisible = false;
    ctx_.map.mapToolTip = kMapToolTip;
    ctx_.map.notify();
}

void RouteCreation::deleteRoutePoint() {
    AppState& state = ctx_.state;
    const int count = tableCount(state.routeCount);
    if (!editing || count < 1) return;
    if (count == 1) {
        ctx_.dialogs.message(kLastPointKept, kEditTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    const int k = clampNumber(routePointPanel.value, count);
    for (int i = k; i < count; ++i) {
        RoutePoint& to = state.route[static_cast<size_t>(i)];
        const RoutePoint& from = state.route[static_cast<size_t>(i + 1)];
        // Every field but the slope angle moves down one slot; the measurement below
        // recomputes the angles.
        to.markKind = from.markKind;
        to.elevation = from.elevation;
        to.latitude = from.latitude;
        to.longitude = from.longitude;
        to.dateText = from.dateText;
        to.timeText = from.timeText;
        to.mapDistance = from.mapDistance;
        to.mountainName = from.mountainName;
        to.placeName = from.placeName;
        to.number = static_cast<int16_t>(from.number - 1);
        to.walkDistance = from.walkDistance;
        to.minutesBack = from.minutesBack;
        to.minutesOut = from.minutesOut;
        to.label = from.label;
        to.pixelX = from.pixelX;
        to.pixelY = from.pixelY;
    }
    state.routeCount = static_cast<int16_t>(count - 1);
    clearMapPicture(ctx_);
    measureRoute(state);
    showRouteFigures(ctx_.map, state);
    routePointPanel.maximum = state.routeCount;
    routePointPanel.value = std::min(k, static_cast<int>(state.routeCount));
    redraw();
    showPointReadout();
    ctx_.map.notify();
}

// ---- The point panels ----

PointPanel* RouteCreation::activePanel() {
    if (editing) return &routePointPanel;
    if (choosingReferenceStart) return &referenceStartPanel;
    return nullptr;
}

void RouteCreation::stepKey(StepKey key) {
    PointPanel* panel = activePanel();
    if (panel == nullptr) return;
    int step = 0;
    switch (key) {
        case StepKey::Up: step = 1; break;
        case StepKey::Down: step = -1; break;
        case StepKey::PageUp: step = 10; break;
        case StepKey::PageDown: step = -10; break;
    }
    setPanelNumber(panel->value + step);
}

void RouteCreation::setPanelNumber(int number) {
    PointPanel* panel = activePanel();
    if (panel == nullptr) return;
    panel->value = clampNumber(number, panel->maximum);
    showPointReadout();
}

void RouteCreation::showPointReadout() {
    const AppState& state = ctx_.state;
    PointPanel* panel = nullptr;
    const RouteTable* table = nullptr;
    int count = 0;
    if (editing) {
        panel = &routePointPanel;
        table = &state.route;
        count = tableCount(state.routeCount);
    } else if (choosingReferenceStart) {
        panel = &referenceStartPanel;
        table = &state.referenceRoute;
        count = tableCount(state.refRouteCount);
    }
    if (panel == nullptr || count < 1) return;

    currentPointNumber = clampNumber(panel->value, count);
    const RoutePoint& point = (*table)[static_cast<size_t>(currentPointNumber)];
    const MapPixel pixel = positionToPixel(currentLevelBounds(state), dmsToSeconds(point.latitude),
                                           dmsToSeconds(point.longitude));
    // A point off the picture has no marker (an old one would point at another point).
    const bool onPicture = pixel.x >= 0 && pixel.x <= kMapSize && pixel.y >= 0 && pixel.y <= kMapSize;
    ctx_.map.pointMarkerVisible = onPicture;
    if (onPicture) {
        ctx_.map.pointMarkerX = pixel.x;
        ctx_.map.pointMarkerY = pixel.y - kPointMarkerLift;
    }
    panel->labels = {
        "緯度：  " + point.latitude,
        "経度： " + point.longitude,
        "標高： " + shortestText(point.elevation),
        "時間： " + point.timeText,
        "山名： " + point.mountainName,
        "地名： " + point.placeName,
    };
    ctx_.map.notify();
}

}  // namespace orv
