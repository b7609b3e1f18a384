#include "route/RouteMap.h"

#include "map/Background.h"
#include "map/Contours.h"
#include "map/MapView.h"
#include "route/MainMenuSet.h"
#include "route/Overlays.h"
#include "route/RouteMapCommands.h"
#include "route/RouteMapMenus.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

// The display choices a newly opened map starts without.
constexpr std::array kUncheckedAtCreation{
    "ActStpColSMode", "ActStpColMode", "ActDegLineMode", "ActNoBGMode",
    "ActViewBCDef", "ActViewBCU1", "ActViewBCU2", "ActViewBCU3", "ActViewBCU4",
    "ActBCDefColor", "ActBCUser1", "ActBCUser2", "ActBCUser3", "ActBCUser4",
    "ActTRKView", "ActViewRefTRK", "ActViewSepData", "ActWPnameDisp",
    "ActALLMtNameOutput", "ActMtName",
    "ActViewRVout", "ActRVNameViewSet", "ActHDdispON",
    "ActCNTPdata1", "ActCNTPdata2", "ActCNTPdata3", "ActCNTPdata4", "ActCNTPdata5",
    "ActCNTPdata6", "ActCNTPdata7", "ActCNTPdata8", "ActCNTPdata9",
};

constexpr std::array kViewSetTools{"ActViewBCDef", "ActViewBCU1", "ActViewBCU2", "ActViewBCU3",
                                   "ActViewBCU4"};
constexpr std::array kModeTools{"ActStpColSMode", "ActStpColMode", "ActDegLineMode", "ActNoBGMode"};
constexpr std::array kLevelTools{"ActVlv1", "ActVlv2", "ActVlv3", "ActVlv4", "ActVlv5"};

constexpr int kStartScroll = 50;
constexpr float kStartHalfSize = 150.0f;

}  // namespace

// Marks a command or mouse action that may redraw the map: commands arriving meanwhile wait.
class RouteMap::BusyScope {
public:
    explicit BusyScope(RouteMap& owner) : owner_(owner) { ++owner_.busyDepth_; }
    ~BusyScope() { --owner_.busyDepth_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    RouteMap& owner_;
};

RouteMap::RouteMap(AppState& state, Dialogs& dialogs)
    : state_(state), dialogs_(dialogs), ctx_{state_, map_, pictures_, menus_, dialogs_, {}, {}} {
    buildRouteMapMenus(menus_);
    ctx_.dataDraw = [this] { DataDraw(ctx_); };
}

RouteMap::~RouteMap() = default;

std::string RouteMap::title() const { return state_.planName + "  " + state_.mapWindowTitle; }

bool RouteMap::busy() const { return busyDepth_ > 0 || map_.redrawing; }

void RouteMap::create() {
    {
        BusyScope scope(*this);
        map_.statusPanels[1] = "Level:" + std::to_string(state_.currentLevel);
        map_.statusEnabled[2] = false;
        map_.statusEnabled[3] = false;

        map_.halfSize = kStartHalfSize;
        map_.magnification = 1;
        map_.hScroll = kStartScroll;
        map_.vScroll = kStartScroll;
        state_.contoursShown = false;
        map_.selecting = false;

        for (const char* id : kUncheckedAtCreation) menus_.setChecked(id, false);
        MainMenuSet(state_, menus_);

        const int set = std::clamp<int>(state_.settings.colourSetIndex, 0, kColourSets - 1);
        if (menus_.isEnabled(kViewSetTools[set])) menus_.setChecked(kViewSetTools[set], true);

        menus_.setEnabled("ActReturnRef", false);
        menus_.setEnabled("ActViewRVout", state_.ridgeValleyPresent != 0);
        menus_.setEnabled("ActMakeOneSuji", true);

        // A reference route is shown until a route of this plan replaces it.
        menus_.setChecked("ActViewRefTRK", state_.routeCount == 0 && state_.refRouteCount != 0);

        menus_.setChecked("ActMtName", true);
        menus_.setEnabled("ActZoutMode", false);
        for (size_t level = 0; level < kLevelTools.size(); ++level)
            menus_.setEnabled(kLevelTools[level], level == 0);

        map_.markersVisible = false;
        map_.progressVisible = false;
        const int mode = std::clamp<int>(state_.settings.backgroundMethod, ShadedColour, NoBackground);
        menus_.setChecked(kModeTools[mode], true);

        // A route read with the plan is measured when the route measurement exists; until then
        // only its indicator and colour command follow it.
        const bool routeLoaded = state_.routeLoaded == 1;
        map_.statusEnabled[2] = routeLoaded;
        menus_.setEnabled("ActChgTRKColor", routeLoaded);
        map_.statusEnabled[3] = state_.mountainFileLoaded == 1;

        menus_.setChecked("ActWPnameDisp", state_.waypointCount != 0);

        state_.backgroundLevel = kDefaultBackgroundLevel;
        BackPictureSel(ctx_);
        map_.mapToolTip = kMapToolTip;
        map_.notify();
    }
    runPending();
}

void RouteMap::dispatch(const std::string& toolId) {
    if (busy()) {
        pending_.push_back(toolId);
        return;
    }
    run(toolId);
    runPending();
}

void RouteMap::runPending() {
    while (!busy() && !pending_.empty()) {
        const std::string toolId = std::move(pending_.front());
        pending_.pop_front();
        run(toolId);
    }
}

void RouteMap::run(const std::string& toolId) {
    const MapCommand command = mapCommandOf(toolId);
    {
        BusyScope scope(*this);
        switch (command.action) {
            case MapAction::StartRangeZoom: StartRangeZoom(ctx_); break;
            case MapAction::SelectZoomLevel: SelectZoomLevel(ctx_, command.parameter); break;
            case MapAction::SelectBackgroundMode: SelectBackgroundMode(ctx_, command.parameter); break;
            case MapAction::ViewColourSet: ViewColourSet(ctx_, command.parameter); break;
            case MapAction::EditColourSet: EditColourSet(ctx_, command.parameter); break;
            // Before any interval was chosen "等高線" asks for one.
            case MapAction::ShowContours: DisplayContours(ctx_); break;
            case MapAction::SetContourInterval: SetContourInterval(ctx_, command.parameter); break;
            case MapAction::ClearContours: ClearContours(ctx_); break;
            case MapAction::ShowProfile:
                // The profile is shown without contours under the map.
                state_.contoursShown = false;
                break;
            default:
                // Routes, overlays, names, ridge and valley lines, course time and output
                // bring their operations with them.
                break;
        }
        map_.notify();
    }
    // Leaving the map comes last: the owner may close the window.
    if (command.action == MapAction::ExitMap) exitMap();
}

void RouteMap::exitMap() {
    map_.selecting = false;
    if (exit_) exit_();
}

void RouteMap::mouseMove(int x, int y) {
    if (map_.selecting) {
        rangeZoomMouseMove(ctx_, x, y);
    } else if (!busy()) {
        // While a redraw runs the guide line keeps its own text.
        map_.statusPanels[0] = cursorReadout(state_, x, y);
    } else {
        return;
    }
    map_.notify();
    runPending();
}

void RouteMap::mousePress(MapButton button, int x, int y) {
    if (busy()) return;
    if (map_.selecting) {
        {
            BusyScope scope(*this);
            if (button == MapButton::Left) rangeZoomLeftClick(ctx_, x, y);
            if (button == MapButton::Right) rangeZoomRightClick(ctx_, x, y);
            map_.notify();
        }
        runPending();
        return;
    }
    if (button == MapButton::Right && popup_) popup_(kRouteMapMainBand);
}

void RouteMap::showHelp() { dialogs_.showHelp(kRouteMapHelpFile); }

}  // namespace orv
