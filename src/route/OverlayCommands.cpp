#include "route/OverlayCommands.h"

#include "map/RouteMapTools.h"
#include "route/MarkIcons.h"
#include "route/Overlays.h"
#include "state/RouteModel.h"

#include <cstddef>
#include <optional>

namespace orv {

namespace {

// Flips a display flag together with its command's check mark.
void toggleLabels(MapContext& ctx, ToolId toolId, bool& shown) {
    const bool wasChecked = ctx.menus.isChecked(toolId);
    ctx.menus.setChecked(toolId, !wasChecked);
    shown = !wasChecked;
    redrawOverlays(ctx);
}

}  // namespace

void toggleRouteView(MapContext& /*ctx*/) {}

void toggleReferenceRoute(MapContext& ctx) {
    MenuModel& menus = ctx.menus;
    if (!menus.isChecked(mapTool::kReferenceRoute)) {
        menus.setChecked(mapTool::kReferenceRoute, true);
        menus.setChecked(mapTool::kSegmentPositions, false);
        menus.setEnabled(mapTool::kReferenceColour, true);
        redrawOverlays(ctx);
        // A drawn route hides the reference route in the overlays: it goes over the route now.
        drawReferenceRoute(ctx);
        ctx.pictures.map.show();
    } else if (ctx.state.routeCount != 0) {
        menus.setChecked(mapTool::kReferenceRoute, false);
        menus.setChecked(mapTool::kSegmentPositions, false);
        menus.setEnabled(mapTool::kReferenceColour, false);
        redrawOverlays(ctx);
    }
    // Without a route the reference route is all there is to show: it stays.
}

void toggleSectionPositions(MapContext& ctx) {
    MenuModel& menus = ctx.menus;
    if (menus.isChecked(mapTool::kSegmentPositions)) {
        menus.setChecked(mapTool::kSegmentPositions, false);
        redrawOverlays(ctx);
        if (menus.isChecked(mapTool::kReferenceRoute)) {
            menus.setChecked(mapTool::kReferenceRoute, false);
            menus.setEnabled(mapTool::kReferenceColour, false);
            redrawOverlays(ctx);
        }
    } else {
        menus.setChecked(mapTool::kSegmentPositions, true);
        menus.setChecked(mapTool::kReferenceRoute, false);
        redrawOverlays(ctx);
        drawSectionPositions(ctx);
        ctx.pictures.map.show();
    }
}

void toggleWaypointNames(MapContext& ctx) {
    ctx.map.showWaypointNames = !ctx.map.showWaypointNames;
    ctx.menus.setChecked(mapTool::kWaypointNames, !ctx.menus.isChecked(mapTool::kWaypointNames));
    redrawOverlays(ctx);
}

void toggleElevationLabels(MapContext& ctx) {
    toggleLabels(ctx, mapTool::kElevationLabels, ctx.state.elevationLabelsShown);
}

void toggleCumulativeTimes(MapContext& ctx) {
    toggleLabels(ctx, mapTool::kCumulativeTimes, ctx.state.cumulativeTimesShown);
}

void showAllMountains(MapContext& ctx) {
    ctx.menus.setChecked(mapTool::kAllMountainNames, true);
    ctx.menus.setChecked(mapTool::kDestinationNameOnly, false);
    redrawOverlays(ctx);
}

void showDestinationOnly(MapContext& ctx) {
    ctx.menus.setChecked(mapTool::kDestinationNameOnly, true);
    ctx.menus.setChecked(mapTool::kAllMountainNames, false);
    redrawOverlays(ctx);
}

void setMark(MapContext& ctx, int kind, int pointNumber) {
    if (!isMarkKind(kind) || pointNumber < 1 || pointNumber > ctx.state.routeCount ||
        pointNumber > kMaxRoutePoints)
        return;
    RoutePoint& point = ctx.state.route[static_cast<size_t>(pointNumber)];
    if (point.markKind < 1) {
        point.markKind = static_cast<int16_t>(kind);
    } else if (ctx.dialogs.message(kMarkQuestion, kMarkQuestionTitle, Buttons::YesNo,
                                   Icon::Question) == Answer::Yes) {
        point.markKind = static_cast<int16_t>(kind);
    }
    drawOverlays(ctx);
}

void changeRouteColour(MapContext& ctx, bool reference) {
    Colour& colour = reference ? ctx.state.settings.referenceLineColour
                               : ctx.state.settings.trackLineColour;
    const std::optional<Colour> chosen = ctx.dialogs.pickColour(colour, kRouteColourTitle);
    if (!chosen) return;
    // Red is the lowest byte of the 24-bit value, then green and blue.
    colour = makeColour(redOf(*chosen), greenOf(*chosen), blueOf(*chosen));
    redrawOverlays(ctx);
}

void changeFont(MapContext& ctx, int style) {
    if (style < 0 || style >= kTextStyles) return;
    TextStyle& target = ctx.state.textStyles[static_cast<size_t>(style)];
    const std::optional<TextStyle> chosen = ctx.dialogs.pickFont(target);
    if (!chosen) return;
    target = *chosen;
    redrawOverlays(ctx);
}

}  // namespace orv
