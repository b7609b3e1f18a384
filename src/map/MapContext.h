#pragma once
// Everything a route map operation works on: the shared application state, the window's map
// state and pictures, its menus and its dialogs. Built by the route map's logic and passed to
// the map and route operations.
#include "map/MapState.h"
#include "platform/DialogOutcome.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"

#include <functional>

namespace orv {

struct MapContext {
    AppState& state;
    MapState& map;
    MapPictures& pictures;
    MenuModel& menus;
    Dialogs& dialogs;

    // The overlay redraw (route, names, marks) run last by every background redraw.
    std::function<void()> drawOverlays;
    // Opens the colour dialog for the colour set `colourSetIndex`; returns how it closed.
    std::function<DialogOutcome()> openColourDialog;
};

// The current zoom level as an index into the per-level tables, clamped to 1..5.
inline int currentLevelIndex(const AppState& state) {
    return state.currentLevel < 1 ? 1 : (state.currentLevel > 5 ? 5 : state.currentLevel);
}

// The corners of the current level in arc-seconds.
inline LevelBounds currentLevelBounds(const AppState& state) {
    return levelBounds(state.levelCorners, currentLevelIndex(state));
}

}  // namespace orv
