#include "route/RouteMapModes.h"

#include "map/RouteMapTools.h"

namespace orv {

namespace {

// The stepping key of a map key, or nothing for another key.
std::optional<StepKey> stepKeyOf(MapKey key) {
    switch (key) {
        case MapKey::Up: return StepKey::Up;
        case MapKey::Down: return StepKey::Down;
        case MapKey::PageUp: return StepKey::PageUp;
        case MapKey::PageDown: return StepKey::PageDown;
        case MapKey::Delete:
        case MapKey::Escape: break;
    }
    return std::nullopt;
}

}  // namespace

// ---- Drawing a route ----

bool RouteDrawingMode::mouseMove(int x, int y) {
    // Armed, the mouse still shows the position under it.
    if (!drawing()) return false;
    creation_.showCursorReadout(x, y);
    creation_.moveRubberBand(x, y);
    return true;
}

bool RouteDrawingMode::leftRelease(int x, int y) {
    if (drawing()) {
        creation_.addClickedPoint(x, y);
    } else {
        creation_.startMouseRoute(x, y);
    }
    return true;
}

std::optional<std::string> RouteDrawingMode::rightRelease(int x, int y) {
    // Before the first click a right click opens the menus as ever.
    if (!drawing()) return std::nullopt;
    // A GPS record is reviewed, not drawn: its right click ends nothing.
    if (!creation_.context().state.gpsMode) creation_.endMouseRoute(x, y);
    return std::string();
}

std::optional<std::vector<ToolId>> RouteDrawingMode::keptCommands() const {
    if (!drawing()) return std::nullopt;
    return std::vector<ToolId>{mapTool::kExitMap};
}

// ---- Editing route points ----

bool RouteEditingMode::mouseMove(int x, int y) {
    // The position under the mouse stays live; a hovered point shows in the point read-out.
    creation_.showCursorReadout(x, y);
    creation_.hoverRoutePoint(x, y);
    return true;
}

std::optional<std::string> RouteEditingMode::rightRelease(int /*x*/, int /*y*/) {
    return std::string(kRouteEditBand);
}

bool RouteEditingMode::key(MapKey key) {
    if (key == MapKey::Delete) {
        if (deletePoint_) deletePoint_();
        return true;
    }
    const std::optional<StepKey> step = stepKeyOf(key);
    if (step) creation_.stepKey(*step);
    return step.has_value();
}

// ---- Choosing the reference start ----

bool ReferenceStartMode::mouseMove(int x, int y) {
    creation_.showCursorReadout(x, y);
    if (!creation_.hoverReferencePoint(x, y)) creation_.context().map.statusPanels[0].clear();
    return true;
}

std::optional<std::string> ReferenceStartMode::rightRelease(int /*x*/, int /*y*/) {
    creation_.captionReferencePointBand();
    return std::string(kReferencePointBand);
}

bool ReferenceStartMode::key(MapKey key) {
    const std::optional<StepKey> step = stepKeyOf(key);
    if (step) creation_.stepKey(*step);
    return step.has_value();
}

// ---- Normal ----

bool NormalMode::mouseMove(int x, int y) {
    creation_.showCursorReadout(x, y);
    return true;
}

bool NormalMode::leftRelease(int /*x*/, int /*y*/) { return true; }

std::optional<std::string> NormalMode::rightRelease(int /*x*/, int /*y*/) {
    return std::string(kRouteMapMainBand);
}

}  // namespace orv
