#pragma once
// The bands of the route map window: the main pop-up band and its sub-bands, and the bands
// other parts of the window pop up at the mouse. Each band has its caption and the category
// text its commands share.
#include "platform/MenuModel.h"

#include <span>
#include <string_view>

namespace orv {

// The main band: the right-click menu of the map and the window's menu bar.
inline constexpr const char* kRouteMapMainBand = "PopupMenu";

// The contour interval band hangs under its own entry right after "等高線" (ActDispContor):
// a menu entry either runs a command or opens a sub-menu, and "等高線" stays a command.
inline constexpr const char* kContourIntervalEntry = "ActDispContorMenu";
inline constexpr const char* kContourIntervalCaption = "等高線間隔";

struct RouteMapCommandSpec {
    std::string_view toolId;
    std::string_view caption;
    std::string_view subBand = {};  // the band this entry opens, or empty
    bool separatorBefore = false;
};

struct RouteMapBandSpec {
    std::string_view name;
    std::string_view caption;
    std::string_view category;
    std::span<const RouteMapCommandSpec> commands;
};

// All bands in the order the window defines them.
std::span<const RouteMapBandSpec> routeMapBands();

// Adds every band with its commands (all enabled and unchecked) to the model.
void buildRouteMapMenus(MenuModel& menus);

}  // namespace orv
