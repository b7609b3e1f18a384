#pragma once
// The route map's sight commands (the "展望" menu): "展望図..." asks where from and how and opens
// the panorama; "ここからの展望" and "可視マップ" see from the point of the map that was right
// clicked for the pop-up they were chosen in, or, chosen from the menu bar, from the next
// click on the map (Escape or another command gives up); "山が見える区間" asks for a peak and marks the stretches
// of the route from which it is seen. The visible area and the stretches are the route map's
// tint (MapState::tint), the totals go to the guide line. Positions of the map and of the
// mountain files (Tokyo datum) are shifted to JGD2011 here.
#include "panorama/Panorama.h"
#include "route/RouteMap.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv::panorama {

// A place the panorama can be seen from, offered by the dialog.
struct ObserverChoice {
    std::string caption;  // "ルートポイント 3　幌尻岳", "幌尻岳 2052m"
    LatLon position;      // JGD2011
    double groundHeight = std::nan("");
};

// The route points, then the mountains of the plan's table.
std::vector<ObserverChoice> observerChoices(const AppState& state);

// The position (JGD2011) of map pixel (x, y) of the shown level; nothing where PROJ cannot
// shift it.
std::optional<LatLon> mapPixelPosition(const AppState& state, int x, int y);

// What "展望図..." starts with: the remembered choices, seen from the destination, else the
// first route point, else the middle of the shown level.
PanoramaSettings sightStartSettings(const AppState& state);

// A peak offered for "山が見える区間" with its caption ("幌尻岳 2052m（12.3km）").
struct PeakChoice {
    std::string caption;
    Peak peak;
};

inline constexpr const char* kPickGuide = "観測点を地図上でクリックしてください（Escで中止）";

class RouteMapSight {
public:
    RouteMapSight(RouteMap& map, PanoramaSources sources);
    RouteMapSight(const RouteMapSight&) = delete;
    RouteMapSight& operator=(const RouteMapSight&) = delete;

    // The dialog of "展望図...": true when the user confirmed the settings.
    std::function<bool(PanoramaSettings&, const std::vector<ObserverChoice>&)> panoramaDialog;
    // Opens the panorama window and sees the panorama with the settings.
    std::function<void(const PanoramaSettings&)> openPanorama;
    // The peak for "山が見える区間": its index, nothing after a cancel.
    std::function<std::optional<size_t>(const std::vector<PeakChoice>&)> choosePeak;
    // Asked while terrain is gathered and worked on; false cancels.
    terrain::ProgressHook progress;

    // A command of the "展望" menu (the route map's sight hook).
    void run(ToolId toolId);

    enum class Pick { None, Panorama, VisibleArea };
    Pick picking() const { return pick_; }
    // The click that ends a pick.
    void pickAt(int x, int y);
    void cancelPick();

    // The peaks offered for "山が見える区間": within the largest distance of the route's first
    // point, nearest first.
    std::vector<PeakChoice> peakChoices() const;

    // The work of the commands, also for tests.
    void showVisibleArea(int x, int y);
    void showPeakStretches(const Peak& peak);

private:
    void beginPick(Pick pick);

    RouteMap& map_;
    PanoramaSources sources_;
    Pick pick_ = Pick::None;
};

}  // namespace orv::panorama
