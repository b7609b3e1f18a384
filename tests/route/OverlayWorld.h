#pragma once
// A route map without a window for the overlay tests: the cone plan at level 1, the map state,
// the real menu bands, and a map picture whose background is a pattern of distinct colours, so
// anything drawn over it (and anything left alone) shows pixel by pixel.
#include "map/MapContext.h"
#include "map/MapView.h"
#include "platform/MenuModel.h"
#include "route/RouteMapMenus.h"
#include "state/AppState.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>

namespace orv::test {

// The background colour of a pixel: no two neighbours alike, never white, black or red.
inline Colour backgroundAt(int x, int y) {
    return makeColour(40 + (x * 7) % 160, 40 + (y * 11) % 160, 90 + ((x + y) * 5) % 100);
}

struct OverlayWorld {
    std::unique_ptr<AppState> state = makeAppState();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    ScriptedDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};

    OverlayWorld() {
        setStartValues(*state);
        loadConePlan(*state);
        buildRouteMapMenus(menus);
        QImage pattern(kMapSize, kMapSize, QImage::Format_RGB32);
        for (int y = 0; y < kMapSize; ++y)
            for (int x = 0; x < kMapSize; ++x) {
                const Colour c = backgroundAt(x, y);
                pattern.setPixel(x, y, qRgb(redOf(c), greenOf(c), blueOf(c)));
            }
        pictures.buffer.setImage(pattern);
        pictures.map.setImage(pattern);
    }

    // Latitude and longitude texts of the centre of map pixel (x, y) at level 1.
    LevelBounds level1() const { return levelBounds(state->levelCorners, 1); }
    DmsText latitudeAt(int y) const { return secondsToDms(pixelLatitude(level1(), y + 0.5)); }
    DmsText longitudeAt(int x) const { return secondsToDms(pixelLongitude(level1(), x + 0.5)); }

    // Puts a position at map pixel (x, y).
    template <typename Record>
    void place(Record& record, int x, int y) {
        record.latitude = latitudeAt(y);
        record.longitude = longitudeAt(x);
        const MapPixel p = positionToPixel(level1(), dmsToSeconds(record.latitude),
                                           dmsToSeconds(record.longitude));
        ASSERT_EQ(p.x, x);
        ASSERT_EQ(p.y, y);
    }

    // Appends a route point at (x, y) and marks the route as loaded.
    RoutePoint& addRoutePoint(int x, int y) {
        const auto n = static_cast<size_t>(++state->routeCount);
        RoutePoint& point = state->route[n];
        point.number = static_cast<int16_t>(n);
        place(point, x, y);
        state->routeLoaded = 1;
        return point;
    }

    RoutePoint& addReferencePoint(int x, int y) {
        const auto n = static_cast<size_t>(++state->refRouteCount);
        RoutePoint& point = state->referenceRoute[n];
        point.number = static_cast<int16_t>(n);
        place(point, x, y);
        return point;
    }

    MountainRecord& addMountain(const std::string& name, int x, int y) {
        MountainRecord& m = state->mountainTable[static_cast<size_t>(++state->mountainCount)];
        m.name = name;
        m.elevation = "1500.7";
        place(m, x, y);
        return m;
    }

    Colour at(int x, int y) const { return pictures.map.pixelAt(x, y); }
    bool untouched(int x, int y) const { return at(x, y) == backgroundAt(x, y); }

    // True when no pixel of the box x0..x1, y0..y1 differs from the background.
    bool untouchedBox(int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (!untouched(x, y)) return false;
        return true;
    }

    // Leftmost x in the box holding a pixel of the colour, -1 when none does.
    int leftmost(Colour colour, int x0, int y0, int x1, int y1) const {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                if (at(x, y) == colour) return x;
        return -1;
    }
};

}  // namespace orv::test
