#include "map/RidgeValleyTracing.h"

#include "map/MapGeometry.h"
#include "map/RouteMapTools.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kSegmentWidth = 2;

}  // namespace

RidgeValleyTracing::RidgeValleyTracing(MapContext& ctx) : ctx_(ctx) {}

void RidgeValleyTracing::begin() {
    if (!settingsDialog_) return;
    RidgeValleySettings settings(ctx_.state.settings, ctx_.dialogs);
    settingsDialog_(settings);
    // Closed without "実　行": nothing is traced.
    const std::optional<int> frame = settings.chosenFrame();
    if (!frame) return;
    pendingKind_ = static_cast<int16_t>(*frame + 1);
    active_ = true;
    lineInProgress_ = false;
    ctx_.map.statusPanels[0] = kTracingGuide;
    showDrawingPicture(ctx_);
}

void RidgeValleyTracing::continueWith(int style) {
    if (!shown()) return;
    const bool valley = style == 1;
    pendingKind_ = valley ? 2 : 1;
    active_ = true;
    lineInProgress_ = false;
    ctx_.map.statusPanels[0] = valley ? kTracingValleyGuide : kTracingRidgeGuide;
}

void RidgeValleyTracing::end() {
    if (!shown()) return;
    stopTracing();
    ctx_.state.ridgeValleyPresent = true;
    ctx_.state.ridgeValleyLinesShown = true;
    redrawLines();
    showLineMenus();
    ctx_.menus.setChecked(mapTool::kRidgeValleyLines, true);
}

void RidgeValleyTracing::toggleLines() {
    AppState& state = ctx_.state;
    state.ridgeValleyLinesShown = !state.ridgeValleyLinesShown;
    ctx_.menus.setChecked(mapTool::kRidgeValleyLines, state.ridgeValleyLinesShown);
    redrawLines();
}

void RidgeValleyTracing::revert() {
    AppState& state = ctx_.state;
    const int kept = std::clamp<int>(state.ridgeValleyLoaded, 0, kMaxRidgeValleyPoints);
    const int count = std::clamp<int>(state.ridgeValleyCount, 0, kMaxRidgeValleyPoints);
    for (int i = kept; i < count; ++i) state.ridgeValleyPoints[static_cast<size_t>(i)] = {};
    state.ridgeValleyCount = kept;
    state.ridgeValleyPresent = true;
    stopTracing();
    redrawLines();
}

void RidgeValleyTracing::stopTracing() {
    if (shown()) {
        band_.stop(ctx_.pictures.blank);
        hideDrawingPicture(ctx_);
    }
    ctx_.map.statusPanels[0].clear();
    active_ = false;
    lineInProgress_ = false;
    // The next tracing starts a line of its own.
    pendingKind_ = 0;
}

void RidgeValleyTracing::redrawLines() {
    ctx_.pictures.map.setImage(ctx_.pictures.buffer.image());
    if (ctx_.drawOverlays) ctx_.drawOverlays();
}

void RidgeValleyTracing::showLineMenus() {
    ctx_.menus.setEnabled(mapTool::kTraceRidgeValley, true);
    ctx_.menus.setEnabled(mapTool::kRevertRidgeValley, true);
    ctx_.menus.setEnabled(mapTool::kRidgeValleyLines, true);
}

void RidgeValleyTracing::mouseMove(int x, int y) {
    if (!active_ || !lineInProgress_) return;
    band_.moveTo(ctx_.pictures.blank, {x, y});
}

void RidgeValleyTracing::leftClick(int x, int y) {
    if (!active_) return;
    AppState& state = ctx_.state;
    if (state.ridgeValleyCount >= kMaxRidgeValleyPoints) {
        ctx_.dialogs.message(kTracingFullMessage, kTracingFullTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    const LevelBounds view = currentLevelBounds(state);
    RidgeValleyPoint point;
    point.latitude = secondsToDms(pixelLatitude(view, y));
    point.longitude = secondsToDms(pixelLongitude(view, x));
    DrawingSurface& picture = ctx_.pictures.blank;
    if (lineInProgress_) {
        band_.erase(picture);
        const PixelPoint from = band_.anchor();
        const DrawMode mode = picture.drawMode();
        picture.setDrawMode(DrawMode::Copy);
        picture.setDrawWidth(kSegmentWidth);
        picture.line(from.x, from.y, x, y, colours::blue);
        picture.setDrawWidth(1);
        picture.setDrawMode(mode);
        point.kind = 0;
    } else {
        point.kind = pendingKind_;
        lineInProgress_ = true;
    }
    state.ridgeValleyPoints[static_cast<size_t>(state.ridgeValleyCount)] = point;
    ++state.ridgeValleyCount;
    pendingKind_ = 0;
    band_.start({x, y});
    picture.show();
}

std::optional<std::string> RidgeValleyTracing::rightClick() {
    if (!shown()) return std::nullopt;
    // A pop-up closed without a choice comes back with the next right click.
    if (!active_) return std::string(kTracingPopupBand);
    // The rubber band goes: only the clicked points make the line.
    band_.stop(ctx_.pictures.blank);
    ctx_.pictures.blank.show();
    ctx_.map.statusPanels[0].clear();
    active_ = false;
    lineInProgress_ = false;
    return std::string(kTracingPopupBand);
}

bool RidgeValleyTracingMode::mouseMove(int x, int y) {
    tracing_.mouseMove(x, y);
    return true;
}

bool RidgeValleyTracingMode::leftRelease(int x, int y) {
    tracing_.leftClick(x, y);
    return true;
}

std::optional<std::string> RidgeValleyTracingMode::rightRelease(int /*x*/, int /*y*/) {
    return tracing_.rightClick().value_or(std::string());
}

std::optional<std::vector<ToolId>> RidgeValleyTracingMode::keptCommands() const {
    using namespace mapTool;
    return std::vector<ToolId>{kContinueRidge, kContinueValley, kEndRidgeValley, kRevertRidgeValley,
                               kExitMap};
}

}  // namespace orv
