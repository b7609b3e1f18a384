#pragma once
// A route map without a window, for the map and overlay tests: the shared state, the map state
// and pictures, the menus and scripted dialogs, wired into one MapContext whose overlay redraw
// only counts. It holds one of two plans:
// - TestBlock: level 1 of a block whose centre mesh's south-west corner lies at 35°40′ N,
//   139°45′ E, every height 0, drawn without background (so redraws stay cheap), with the zoom,
//   background-mode and contour-interval commands the map operations touch.
// - Cone: the cone plan (ConePlan.h) with every band of the route map, and map and buffer
//   pictures that hold a pattern of distinct colours, so anything drawn over them (and
//   anything left alone) shows pixel by pixel.
#include "map/MapContext.h"
#include "map/MapGeometry.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orv::test {

// Level 1 of the test block: the centre mesh's south-west corner at 35°40′ N, 139°45′ E.
inline constexpr ArcSeconds kCentreSouth = 35 * 3600 + 40 * 60;  // 128400″
inline constexpr ArcSeconds kCentreWest = 139 * 3600 + 45 * 60;  // 503100″
inline constexpr ArcSeconds kSouth1 = kCentreSouth - 300;
inline constexpr ArcSeconds kNorth1 = kCentreSouth + 600;
inline constexpr ArcSeconds kWest1 = kCentreWest - 450;
inline constexpr ArcSeconds kEast1 = kCentreWest + 900;

// Tool 9's caption before an interval is entered (eight ideographic spaces).
inline const std::string kAnyToolCaption = "　　　　　　　　任意";

// The pattern colour of a pixel of the Cone plan's pictures: no two neighbours alike, never
// white, black or red.
Colour backgroundAt(int x, int y);

struct MapWorld {
    enum class Plan { TestBlock, Cone };

    explicit MapWorld(Plan plan = Plan::TestBlock);

    std::unique_ptr<AppState> state = makeAppState();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    ScriptedDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};
    int overlayRedraws = 0;

    // ---- the grid and the levels ----
    void setCorners(int level, ArcSeconds south, ArcSeconds north, ArcSeconds west,
                    ArcSeconds east);
    void fillLevel(int level, float metres);
    float cell(int column, int row, int level) const {
        return state->elevationGrid.get(row, column, level);
    }
    LevelBounds bounds(int level) const { return levelBounds(state->levelCorners, level); }

    // ---- positions on the map ----
    // Latitude and longitude texts of the centre of map pixel (x, y) at level 1.
    DmsText latitudeAt(int y) const { return secondsToDms(pixelLatitude(bounds(1), y + 0.5)); }
    DmsText longitudeAt(int x) const { return secondsToDms(pixelLongitude(bounds(1), x + 0.5)); }

    // Puts a position at map pixel (x, y) of level 1.
    template <typename Record>
    void place(Record& record, int x, int y) {
        record.latitude = latitudeAt(y);
        record.longitude = longitudeAt(x);
        const MapPixel p = positionToPixel(bounds(1), dmsToSeconds(record.latitude),
                                           dmsToSeconds(record.longitude));
        ASSERT_EQ(p.x, x);
        ASSERT_EQ(p.y, y);
    }

    // Appends a route point at (x, y) and marks the route as loaded.
    RoutePoint& addRoutePoint(int x, int y);
    RoutePoint& addReferencePoint(int x, int y);
    MountainRecord& addMountain(const std::string& name, int x, int y);

    // ---- the map picture ----
    Colour at(int x, int y) const { return pictures.map.pixelAt(x, y); }
    bool untouched(int x, int y) const { return at(x, y) == backgroundAt(x, y); }
    // True when no pixel of the box x0..x1, y0..y1 differs from the pattern.
    bool untouchedBox(int x0, int y0, int x1, int y1) const;
    // Leftmost x in the box holding a pixel of the colour, -1 when none does.
    int leftmost(Colour colour, int x0, int y0, int x1, int y1) const;

private:
    void openTestBlock();
    void openCone();
};

}  // namespace orv::test
