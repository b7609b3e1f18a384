#pragma once
// What the start menu window shows, held apart from its widgets so the start workflow can be
// driven and checked without a screen. The window draws itself from this model.
#include "platform/Progress.h"
#include "geo/Angles.h"
#include "platform/DrawingSurface.h"

#include <array>
#include <functional>
#include <string>

namespace orv {

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
    bool progressVisible = false;
    bool overviewDrawingCleared = true;   // no destination drawn on the overview map
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
