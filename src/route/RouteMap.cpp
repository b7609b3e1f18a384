#include "route/RouteMap.h"

#include "map/Background.h"
#include "map/Contours.h"
#include "map/MapView.h"
#include "route/RouteMapMenuStates.h"
#include "route/MapOutput.h"
#include "route/Measurement.h"
#include "route/OverlayCommands.h"
#include "route/Overlays.h"
#include "route/RouteMapCommands.h"
#include "route/RouteMapMenus.h"

#include <QDate>

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
    ctx_.drawOverlays = [this] { drawOverlays(ctx_); };
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
        creation_.reset();

        for (const char* id : kUncheckedAtCreation) menus_.setChecked(id, false);
        updateRouteMapMenus(state_, menus_);

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
        map_.pointMarkerVisible = false;
        map_.progressVisible = false;
        const int mode = std::clamp<int>(state_.settings.backgroundMethod, ShadedColour, NoBackground);
        menus_.setChecked(kModeTools[mode], true);

        // A route read with the plan or GPS file is measured at once.
        const bool routeLoaded = state_.routeLoaded == 1;
        map_.statusEnabled[2] = routeLoaded;
        menus_.setEnabled("ActChgTRKColor", routeLoaded);
        if (routeLoaded) {
            measureRoute(state_);
            map_.readouts = routeReadouts(state_.route, state_.routeCount);
        }
        map_.statusEnabled[3] = state_.mountainFileLoaded == 1;

        const bool waypoints = state_.waypointCount != 0;
        menus_.setChecked("ActWPnameDisp", waypoints);
        map_.showWaypointNames = waypoints ? int16_t{-1} : int16_t{0};

        state_.backgroundLevel = kDefaultBackgroundLevel;
        flagRouteMountains(state_);
        redrawMap(ctx_);
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
            case MapAction::StartRangeZoom: startRangeZoom(ctx_); break;
            case MapAction::SelectZoomLevel: selectZoomLevel(ctx_, command.parameter); break;
            case MapAction::SelectBackgroundMode: selectBackgroundMode(ctx_, command.parameter); break;
            case MapAction::ViewColourSet: viewColourSet(ctx_, command.parameter); break;
            case MapAction::EditColourSet: editColourSet(ctx_, command.parameter); break;
            // Before any interval was chosen "等高線" asks for one.
            case MapAction::ShowContours: showContoursOrAskInterval(ctx_); break;
            case MapAction::SetContourInterval:
                chooseContourInterval(ctx_, command.parameter);
                break;
            case MapAction::ClearContours: clearContours(ctx_); break;
            case MapAction::ShowProfile:
                // The profile is shown without contours under the map.
                state_.contoursShown = false;
                break;

            case MapAction::BeginMouseRoute: creation_.beginMouseRoute(); break;
            case MapAction::BeginReferenceStart: creation_.beginReferenceStart(); break;
            case MapAction::StartFromReferencePoint: creation_.startFromReferencePoint(); break;
            case MapAction::StopMaking:
                // Only redraws: the start-position choice stays open.
                if (ctx_.drawOverlays) ctx_.drawOverlays();
                break;
            case MapAction::TraceReferenceRoute: creation_.traceReferenceRoute(); break;
            case MapAction::DeleteRoute: creation_.deleteRoute(); break;
            case MapAction::RouteEditOn: creation_.enterEditMode(); break;
            case MapAction::RouteEditOff: creation_.leaveEditMode(); break;
            case MapAction::DeleteRoutePoint: creation_.deleteRoutePoint(); break;
            case MapAction::SetMark:
                // Marks go on the point shown in the route-point panel.
                if (creation_.editMode == 1 && state_.routeCount >= 1)
                    setMark(ctx_, command.parameter, creation_.routePointPanel.value);
                break;

            case MapAction::ToggleRouteView: toggleRouteView(ctx_); break;
            case MapAction::ToggleReferenceRoute: toggleReferenceRoute(ctx_); break;
            case MapAction::ToggleSegmentPositions: toggleSectionPositions(ctx_); break;
            case MapAction::ToggleWaypointNames: toggleWaypointNames(ctx_); break;
            case MapAction::ToggleElevationLabels: toggleElevationLabels(ctx_); break;
            case MapAction::ToggleCumulativeTimes: toggleCumulativeTimes(ctx_); break;
            case MapAction::AllMountainNames: showAllMountains(ctx_); break;
            case MapAction::DestinationNameOnly: showDestinationOnly(ctx_); break;
            case MapAction::ChangeRouteColour: changeRouteColour(ctx_, false); break;
            case MapAction::ChangeReferenceColour: changeRouteColour(ctx_, true); break;
            case MapAction::ChangeFont: changeFont(ctx_, command.parameter); break;

            case MapAction::CourseTime:
                if (courseTime_) {
                    courseTime_();
                    menus_.setChecked("ActViewSepData", true);
                    updateRouteMapMenus(state_, menus_);
                    redrawOverlays(ctx_);
                }
                break;

            case MapAction::CopyToClipboard: copyMapToClipboard(ctx_); break;
            case MapAction::CopyToFile: saveMapToFile(ctx_, QDate::currentDate()); break;
            case MapAction::SaveTrackPcx:
                if (trackExport_) trackExport_(TrackFileKind::Pcx);
                break;
            case MapAction::SaveTrackGpx:
                if (trackExport_) trackExport_(TrackFileKind::Gpx);
                break;

            default:
                // Routes from sheets and map images, names, and ridge and valley lines bring
                // their operations with them.
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
        creation_.mouseMove(x, y);
    } else {
        return;
    }
    map_.notify();
    runPending();
}

void RouteMap::mouseRelease(MapButton button, int x, int y) {
    if (busy()) return;
    std::string band;
    {
        BusyScope scope(*this);
        if (map_.selecting) {
            if (button == MapButton::Left) rangeZoomLeftClick(ctx_, x, y);
            if (button == MapButton::Right) rangeZoomRightClick(ctx_, x, y);
        } else if (button == MapButton::Left) {
            creation_.leftRelease(x, y);
        } else if (button == MapButton::Right) {
            band = creation_.rightRelease(x, y);
        }
        map_.notify();
    }
    runPending();
    // The menu waits for its choice, which is dispatched like any other command.
    if (!band.empty() && popup_) popup_(band);
}

void RouteMap::stepPointNumber(StepKey key) {
    if (busy()) return;
    creation_.stepKey(key);
    map_.notify();
}

void RouteMap::choosePointNumber(int number) {
    if (busy()) return;
    creation_.setPanelNumber(number);
    map_.notify();
}

void RouteMap::deleteKey() {
    if (creation_.editMode == 1) dispatch("ActDelTRKPoint");
}

void RouteMap::showHelp(const std::string& helpFile) { dialogs_.showHelp(helpFile); }

}  // namespace orv
