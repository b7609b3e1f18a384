#include "app/OverviewMarks.h"

#include "app/BlockPreview.h"
#include "app/OverviewLabels.h"
#include "core/Rounding.h"
#include "route/LabelGlyphs.h"
#include "route/RouteExtents.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kStep = 80;
constexpr int kLastHStep = 13;
constexpr int kLastVStep = 19;
constexpr Colour kOverviewHalo = makeColour(48, 48, 48);

// Whole arc-seconds divided towards minus infinity.
int floorDivide(ArcSeconds value, int divisor) { return floorToInt(static_cast<double>(value) / divisor); }

TextStyle overviewTextStyle() {
    TextStyle style;
    style.size = 9.0f;
    style.bold = true;
    style.colour = colours::yellow;
    return style;
}

}  // namespace

int overviewHScrollFor(ArcSeconds longitude) {
    return kStep * std::clamp(floorDivide(longitude - kOverviewWest, 3600) - 3, 0, kLastHStep);
}

int overviewVScrollFor(ArcSeconds latitude) {
    return kStep * std::clamp(floorDivide(kOverviewNorth - latitude, 2400) - 2, 0, kLastVStep);
}

PixelPoint overviewPixel(ArcSeconds latitude, ArcSeconds longitude) {
    return {floorToInt((longitude - kOverviewWest) / 3600.0 * kStep),
            floorToInt((kOverviewNorth - latitude) / 2400.0 * kStep)};
}

void showDestinationOnOverview(const AppState& state, StartMenuModel& menu) {
    const int selected = state.selectedMountain;
    if (selected < 1 || selected > std::min<int>(state.mountainCount, kMaxMountains)) return;
    const MountainRecord& mountain = state.mountainTable[static_cast<size_t>(selected)];
    const ArcSeconds latitude = dmsToSeconds(mountain.latitude);
    const ArcSeconds longitude = dmsToSeconds(mountain.longitude);
    menu.hScroll = overviewHScrollFor(longitude);
    menu.vScroll = overviewVScrollFor(latitude);
    const PixelPoint at = overviewPixel(latitude, longitude);
    menu.overviewDestination = OverviewDestination{at.x, at.y, mountain.name + " " + mountain.elevation + "m",
                                                   mountain.latitude, mountain.longitude};
    menu.notify();
}

void showRouteOnOverview(const AppState& state, StartMenuModel& menu) {
    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    if (count < 1) return;
    const ArcSeconds latitude =
        roundHalfEven((static_cast<double>(routeSouth(state.route, count)) + routeNorth(state.route, count)) / 2);
    const ArcSeconds longitude =
        roundHalfEven((static_cast<double>(routeWest(state.route, count)) + routeEast(state.route, count)) / 2);
    menu.hScroll = overviewHScrollFor(longitude);
    menu.vScroll = overviewVScrollFor(latitude);
    const PixelPoint at = overviewPixel(latitude, longitude);
    menu.routeMarkerX = at.x;
    menu.routeMarkerY = at.y;
    menu.routeMarkerVisible = true;
    menu.notify();
}

void drawOverviewDestination(DrawingSurface& overview, const OverviewDestination& destination) {
    const int x = destination.x;
    const int y = destination.y;
    overview.setDrawMode(DrawMode::Copy);
    overview.setDrawWidth(1);
    drawDestinationMark(overview, x, y);
    // Yellow on the land colours reads only with a halo, drawn as the route map draws its
    // labels' halo; a dark one, as a white halo would swallow the yellow.
    const TextStyle style = overviewTextStyle();
    const std::array<std::pair<int, const std::string*>, 3> lines{{
        {y - 2, &destination.nameLine}, {y + 10, &destination.latitude}, {y + 22, &destination.longitude}}};
    for (const auto& [top, text] : lines)
        LabelGlyphs(style, *text).drawHaloed(overview, x + 10, top, style.colour, kOverviewHalo);
    overview.show();
}

std::pair<int, int> overviewDestinationRows(const DrawingSurface& overview,
                                            const OverviewDestination& destination) {
    // The mark reaches 3 rows above the point; the last line starts 22 rows below it. The text
    // height is measured in the lines' own font, with a margin for glyphs that overhang it.
    DrawingSurface measure(1, 1);
    measure.setFont(overviewTextStyle());
    const int textHeight = measure.textHeight("山");
    const int first = std::max(destination.y - 3 - 4, 0);
    const int last = std::min(destination.y + 22 + textHeight + 4, overview.height() - 1);
    return {first, last};
}

OverviewRange overviewRange(const StartMenuModel& menu) {
    OverviewRange range;
    range[kSouth] = overviewLatitudeLabel(menu.vScroll, kOverviewLatitudeLabels - 1);
    range[kNorth] = overviewLatitudeLabel(menu.vScroll, 0);
    range[kWest] = overviewLongitudeLabel(menu.hScroll, 0);
    range[kEast] = overviewLongitudeLabel(menu.hScroll, kOverviewLongitudeLabels - 1);
    return range;
}

}  // namespace orv
