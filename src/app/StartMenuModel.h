#pragma once
// What the start menu window shows, held apart from its widgets so the start workflow can be
// driven and checked without a screen. The window draws itself from this model.
#include "platform/Progress.h"
#include "geo/Angles.h"
#include "platform/DrawingSurface.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace orv {

// The destination as the overview map of Japan shows it: a red triangle at (x, y) in overview
// picture pixels and three yellow lines beside it.
struct OverviewDestination {
    int x = 0;
    int y = 0;
    std::string nameLine;   // name, a blank, the elevation and "m"
    std::string latitude;   // as the mountain file gives it
    std::string longitude;

    bool operator==(const OverviewDestination&) const = default;
};

struct StartMenuModel {
    static constexpr int kPreviewSize = 150;
    static constexpr int kInitialHScroll = 480;
    static constexpr int kInitialVScroll = 1040;

    std::string caption;        // window caption
    std::string sheetCaption;   // "5339  東京", or ""
    std::string status;         // instruction line
    bool meshButtonsEnabled = false;
    std::array<bool, 2> trkIndicators{};  // route read, mountain-name file loaded
    bool routeMarkerVisible = false;
    int routeMarkerX = 0;       // overview picture pixels of the route-position marker
    int routeMarkerY = 0;
    bool progressVisible = false;
    // What is drawn over the overview picture; nothing when its drawing is cleared.
    std::optional<OverviewDestination> overviewDestination;
    int hScroll = kInitialHScroll;
    int vScroll = kInitialVScroll;
    ArcSeconds centreSouth = 0;
    ArcSeconds centreWest = 0;

    DrawingSurface preview{kPreviewSize, kPreviewSize};
    DrawingSurface progress{kProgressWidth, kProgressHeight};

    // Called after a change so the window can show it.
    std::function<void()> changed;
    void notify() const {
        if (changed) changed();
    }
};

}  // namespace orv
