#pragma once
// The overlays drawn over the map's background after every redraw: ridge and valley lines,
// the route with its labels and marks, the reference route, waypoints, names and segment
// positions. The map picture's persistent image stays the background: clearing the map puts
// the background back, and the overlays are drawn over it again.
//
// Every layer draws in copy mode (the picture's drawing mode is restored afterwards) at the
// map pixel of each position, x = floor((longitude − W) / dLon), y = floor((N − latitude) / dLat)
// of the current level. Positions far outside the picture are drawn partly or not at all.
//
// Filled circles (point and waypoint markers) take their inside from the map picture's fill
// colour: the mountain triangles set it to red and nothing else changes it, so before the
// first triangle it is the picture's initial fill colour (black).
#include "map/MapContext.h"
#include "state/AppState.h"

namespace orv {

// Redraws every overlay that is switched on over the current contents of the map picture, in
// this order: ridge and valley lines, the route (or, without one, the reference route when
// "参照ルート表示" is checked), mountain names, ridge and valley names, segment positions.
// It does not clear the picture first. (DataDraw)
void drawOverlays(MapContext& ctx);

// The route, points 1..routeCount: lines, mountain and place names with their elevation and
// time labels, marks, then the waypoints. Stores each point's map pixel in pixelX, pixelY.
// Sets the menu states that follow a drawn route. (DrawTRK)
void drawRoute(MapContext& ctx);

// The reference route, points 1..refRouteCount, in the reference colour, with its place
// names, labels and marks. Stores each point's map pixel in pixelX, pixelY.
void drawReferenceRoute(MapContext& ctx);

// The GPS waypoints 1..waypointCount, with their names when showWaypointNames is -1.
void drawWaypoints(MapContext& ctx);

// A white-centred marker at the start of every course segment, entries 0..segmentCount.
void drawSectionPositions(MapContext& ctx);

// Every mountain of the table strictly inside the current level's area, except those a route
// point already names.
void drawAllMountains(MapContext& ctx);

// The destination mountain alone, unless a route point already names it.
void drawSelectedMountain(MapContext& ctx);

// Flags (onRoute) every mountain record whose name is the mountain name of a route point,
// so the mountain-name layer does not draw it a second time.
void flagRouteMountains(AppState& state);

// The tint of a sight command over the map (MapState::tint), made on the current level, drawn
// at once and after every redraw of the overlays until it is cleared or another level is
// shown. "可視マップを消す" is offered while there is one.
void showMapTint(MapContext& ctx, QImage tint);
void clearMapTint(MapContext& ctx);
// Lays the tint over the map picture (drawOverlays does, last); a tint of another level goes.
void drawMapTint(MapContext& ctx);

// Returns the map picture to its background (the buffer holds the background after a redraw).
void clearMapPicture(MapContext& ctx);

// Clears the map picture and draws the overlays again. (EreaMarkDispOff)
void redrawOverlays(MapContext& ctx);

}  // namespace orv
