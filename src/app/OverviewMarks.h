#pragma once
// What the start menu's overview map of Japan shows besides the picture: the destination (a red
// triangle with its name, elevation and position in yellow) and the route-position marker, each
// with the scroll position that brings it into view; and the range the map shows, used by the
// destination search.
#include "app/StartMenuModel.h"
#include "names/MountainSearch.h"
#include "platform/DrawingSurface.h"
#include "state/AppState.h"

#include <utility>

namespace orv {

// The overview picture's north-west corner, 46° N 128° E, in arc-seconds.
inline constexpr ArcSeconds kOverviewNorth = 46 * 3600;
inline constexpr ArcSeconds kOverviewWest = 128 * 3600;

// The scroll positions that bring a position into view: 80 × clamp(floor((longitude − 128°) /
// 3600″) − 3, 0..13) and 80 × clamp(floor((46° − latitude) / 2400″) − 2, 0..19).
int overviewHScrollFor(ArcSeconds longitude);
int overviewVScrollFor(ArcSeconds latitude);

// The overview picture pixel of a position, 80 pixels per degree of longitude and per 40′ of
// latitude: floor((longitude − 128°) / 3600″ × 80), floor((46° − latitude) / 2400″ × 80).
PixelPoint overviewPixel(ArcSeconds latitude, ArcSeconds longitude);

// Destination on the overview: scrolls to the destination mountain and marks it. Nothing
// happens without a destination in the mountain table.
void showDestinationOnOverview(const AppState& state, StartMenuModel& menu);

// Route on the overview: scrolls to the middle of the route's extents and shows the
// route-position marker there. Nothing happens for an empty route.
void showRouteOnOverview(const AppState& state, StartMenuModel& menu);

// Draws the destination mark and its three lines (9-point bold yellow over a dark halo) on the
// overview picture.
void drawOverviewDestination(DrawingSurface& overview, const OverviewDestination& destination);

// The rows of the overview picture that drawing the destination can change (first, last; cut to
// the picture), so the pixels beneath can be kept and put back when the destination goes.
std::pair<int, int> overviewDestinationRows(const DrawingSurface& overview,
                                            const OverviewDestination& destination);

// The range the overview map shows at its scroll position, as its labels read: south = the
// fifth latitude label, north = the first, west = the first longitude label, east = the eighth.
OverviewRange overviewRange(const StartMenuModel& menu);

}  // namespace orv
