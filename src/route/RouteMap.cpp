#include "route/RouteMap.h"

#include "map/Background.h"
#include "map/Contours.h"
#include "map/MapView.h"
#include "map/RouteMapTools.h"
#include "map/ZoomSquareMode.h"
#include "route/MapOutput.h"
#include "route/Measurement.h"
#include "route/OverlayCommands.h"
#include "route/Overlays.h"
#include "route/RouteMapMenuStates.h"
#include "route/RouteMapModes.h"
#include "route/RoutePosition.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace orv {

namespace {

using namespace mapTool;

// The display choices a newly opened map starts without.
constexpr std::array kUncheckedAtCreation{
    kBackgroundModes[0], kBackgroundModes[1], kBackgroundModes[2], kBackgroundModes[3],
    kViewColourSets[0], kViewColourSets[1], kViewColourSets[2], kViewColourSets[3], kViewColourSets[4],
    kEditColourSets[0], kEditColourSets[1], kEditColourSets[2], kEditColourSets[3], kEditColourSets[4],
    kRouteView, kReferenceRoute, kSegmentPositions, kWaypointNames,
    kAllMountainNames, kDestinationNameOnly,
    kRidgeValleyLines, kRidgeValleyNames, kElevationLabels,
    kContourIntervals[0], kContourIntervals[1], kContourIntervals[2], kContourIntervals[3],
    kContourIntervals[4], kContourIntervals[5], kContourIntervals[6], kContourIntervals[7],
    kContourIntervals[8],
};

constexpr float kStartHalfSize = 150.0f;

}  // namespace

RouteMap::RouteMap(AppState& state, Dialogs& dialogs)
    : state_(state),
      dialogs_(dialogs),
      ctx_{state_, map_, pictures_, menus_, dialogs_, {}, {}},
      commands_({.run = [this](const ToolId& id) { run(id); },
                 .available = [this](const ToolId& id) { return offers(id); },
                 .takenWhileBusy = {},
                 .alsoBusy = [this] { return map_.redrawing; }}) {
    buildRouteMapMenus(menus_);
    ctx_.drawOverlays = [this] { drawOverlays(ctx_); };
    modes_.push_back(std::make_unique<ZoomSquareMode>(ctx_));
    modes_.push_back(std::make_unique<RouteDrawingMode>(creation_));
    modes_.push_back(
        std::make_unique<RouteEditingMode>(creation_, [this] { submit(kDeleteRoutePoint); }));
    modes_.push_back(std::make_unique<ReferenceStartMode>(creation_));
    modes_.push_back(std::make_unique<NormalMode>(creation_));
    addMode(std::make_unique<RidgeValleyTracingMode>(ridgeValley_));
    addMode(std::make_unique<NamePlacingMode>(naming_));
}

RouteMap::~RouteMap() = default;

std::string trackIndicatorText(int clockStepsBack) {
    std::string text = kTrackIndicator;
    if (clockStepsBack > 0) text += "（時刻が戻った箇所: " + std::to_string(clockStepsBack) + "）";
    return text;
}

std::string RouteMap::title() const { return state_.planName + "  " + state_.mapWindowTitle; }

void RouteMap::create() {
    {
        Commands::BusyScope scope(commands_);
        map_.statusPanels[1] = "Level:" + std::to_string(state_.currentLevel);
        map_.statusEnabled[2] = false;
        map_.statusEnabled[3] = false;

        map_.halfSize = kStartHalfSize;
        map_.magnification = 1;
        map_.hScroll = centredHorizontalScroll(map_);
        map_.vScroll = centredVerticalScroll(map_);
        state_.contoursShown = false;
        map_.selecting = false;
        creation_.reset();
        // Sheets are registered again for each map; their frame sides stay.
        state_.sheetRegistered.fill(false);
        state_.nextSheetPoint = 1;

        for (const ToolId id : kUncheckedAtCreation) menus_.setChecked(id, false);
        updateRouteMapMenus(state_, menus_);

        const int set = std::clamp<int>(state_.settings.colourSetIndex, 0, kColourSets - 1);
        if (menus_.isEnabled(kViewColourSets[set])) menus_.setChecked(kViewColourSets[set], true);

        menus_.setEnabled(kRevertRidgeValley, false);
        menus_.setEnabled(kClearSightTint, false);
        menus_.setEnabled(kRidgeValleyLines, state_.ridgeValleyPresent);
        menus_.setEnabled(kTraceRidgeValley, true);
        menus_.setChecked(kRidgeValleyNames, state_.ridgeValleyNamesShown);

        // A reference route is shown until a route of this plan replaces it.
        menus_.setChecked(kReferenceRoute, state_.routeCount == 0 && state_.refRouteCount != 0);

        menus_.setChecked(kDestinationNameOnly, true);
        menus_.setEnabled(kZoomLevelMenu, false);
        for (size_t level = 0; level < kZoomLevels.size(); ++level)
            menus_.setEnabled(kZoomLevels[level], level == 0);

        map_.markersVisible = false;
        map_.pointMarkerVisible = false;
        map_.progressVisible = false;
        const int mode = std::clamp<int>(state_.settings.backgroundMethod, ShadedColour, NoBackground);
        menus_.setChecked(kBackgroundModes[mode], true);

        // A route read with the plan or GPS file is measured at once.
        const bool routeLoaded = state_.routeLoaded;
        map_.statusEnabled[2] = routeLoaded;
        map_.statusPanels[2] = kTrackIndicator;
        menus_.setEnabled(kRouteColour, routeLoaded);
        if (routeLoaded) {
            map_.statusPanels[2] = trackIndicatorText(measureRoute(state_).clockStepsBack);
            showRouteFigures(map_, state_);
        }
        map_.statusEnabled[3] = state_.mountainFileLoaded;

        const bool waypoints = state_.waypointCount != 0;
        menus_.setChecked(kWaypointNames, waypoints);
        map_.showWaypointNames = waypoints;

        state_.backgroundLevel = kDefaultBackgroundLevel;
        flagRouteMountains(state_);
        redrawMap(ctx_);
        map_.mapToolTip = kMapToolTip;
        map_.notify();
        holdMenusForMode();
    }
    commands_.runPending();
}

void RouteMap::dispatch(std::string_view toolId) {
    const RouteMapTool* tool = findRouteMapTool(toolId);
    if (tool == nullptr) {
        reportUnknownTool("RouteMap", toolId);
        return;
    }
    submit(tool->id);
}

void RouteMap::submit(ToolId toolId) { commands_.submit(toolId); }

// The dispatcher runs every command of the table, as the menus offer only the enabled ones; a
// mouse mode that holds the menus keeps the others from running.
bool RouteMap::offers(ToolId toolId) const { return !menus_.isHeld(toolId.text()); }

void RouteMap::endModesFor(ToolId toolId) {
    for (MapMode* mode : activeModes()) {
        const std::string guide = mode->guide();
        mode->beforeCommand(toolId);
        // A mode the command ended takes its guide line with it.
        if (!mode->active() && !guide.empty() && map_.statusPanels[0] == guide)
            map_.statusPanels[0].clear();
    }
}

void RouteMap::run(ToolId toolId) {
    endModesFor(toolId);
    const MapCommand command = mapCommandOf(toolId.text());
    {
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
                if (profile_) profile_();
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
                if (creation_.editing && state_.routeCount >= 1)
                    setMark(ctx_, command.parameter, creation_.routePointPanel.value);
                break;

            case MapAction::RegisterMountainName:
            case MapAction::RegisterPlaceName:
                if (creation_.editing && state_.routeCount >= 1 && pointNaming_) {
                    const PointNameKind kind = command.action == MapAction::RegisterMountainName
                                                   ? PointNameKind::Mountain
                                                   : PointNameKind::Place;
                    PointNaming naming(ctx_, kind, creation_.routePointPanel.value);
                    pointNaming_(naming);
                    naming.finish();
                    // The point panel shows the names the point has now.
                    creation_.setPanelNumber(creation_.routePointPanel.value);
                }
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

            case MapAction::TraceRidgeValley: ridgeValley_.begin(); break;
            case MapAction::ContinueRidgeValley: ridgeValley_.continueWith(command.parameter); break;
            case MapAction::EndRidgeValley: ridgeValley_.end(); break;
            case MapAction::ToggleRidgeValleyLines: ridgeValley_.toggleLines(); break;
            case MapAction::RevertRidgeValley: ridgeValley_.revert(); break;

            case MapAction::RidgeValleyNameInput: naming_.openInput(); break;
            case MapAction::RidgeValleyNameDelete: naming_.openList(); break;
            case MapAction::RidgeValleyNameDataDelete: naming_.deleteSelected(); break;
            case MapAction::ToggleRidgeValleyNames: naming_.toggleShown(); break;

            case MapAction::CourseTime:
                if (courseTime_) {
                    courseTime_();
                    // The window re-measured the route ("逆ルート" even turned it round): the
                    // read-outs follow at once, not at the next redraw.
                    if (state_.routeCount > 0) {
                        showRouteFigures(map_, state_);
                        map_.notify();
                    }
                    showSegmentPositions(true);
                }
                break;

            case MapAction::RouteFromSheet:
            case MapAction::SheetPointReinput:
            case MapAction::SheetPointDelete:
                if (sheetRoute_) sheetRoute_(toolId);
                break;
            case MapAction::RouteFromMapImage:
                if (mapImageRoute_) {
                    if (mapImageRoute_()) {
                        creation_.drawing = RouteDrawing::Idle;
                        creation_.finishCreation(CreationMethod::MapImage);
                    } else {
                        creation_.deleteRoute();
                    }
                }
                break;

            case MapAction::Sight:
                if (sight_) sight_(toolId);
                break;
            case MapAction::ClearSightTint: clearMapTint(ctx_); break;

            case MapAction::CopyToClipboard: copyMapToClipboard(ctx_); break;
            case MapAction::CopyToFile: saveMapToFile(ctx_, QDate::currentDate()); break;
            case MapAction::SaveTrackPcx:
                if (trackExport_) trackExport_(TrackFileKind::Pcx);
                break;
            case MapAction::SaveTrackGpx:
                if (trackExport_) trackExport_(TrackFileKind::Gpx);
                break;

            default:
                // The heading of the sheet point pop-up only names the point.
                break;
        }
        map_.notify();
        holdMenusForMode();
    }
    // Leaving the map comes last: the owner may close the window.
    if (command.action == MapAction::ExitMap) exitMap();
}

void RouteMap::exitMap() {
    map_.selecting = false;
    if (exit_) exit_();
    // Commands that waited for the map no longer apply once it has been left; none can come
    // while the end-of-map dialog keeps the map.
    commands_.dropPending();
}

std::vector<MapMode*> RouteMap::activeModes() const {
    std::vector<MapMode*> active;
    for (const auto& mode : modes_)
        if (mode->active()) active.push_back(mode.get());
    return active;
}

const MapMode& RouteMap::activeMode() const { return *activeModes().front(); }

void RouteMap::addMode(std::unique_ptr<MapMode> mode) {
    // After the zoom square and the modes added before, ahead of route creation's.
    modes_.insert(modes_.begin() + static_cast<std::ptrdiff_t>(1 + addedModes_), std::move(mode));
    ++addedModes_;
    holdMenusForMode();
}

void RouteMap::holdMenusForMode() {
    for (MapMode* mode : activeModes()) {
        if (std::optional<std::vector<ToolId>> kept = mode->keptCommands()) {
            menus_.holdAllExcept(std::move(*kept));
            return;
        }
    }
    menus_.release();
}

bool RouteMap::forwardKey(MapKey key) {
    for (MapMode* mode : activeModes()) {
        const std::string guide = mode->guide();
        if (!mode->key(key)) continue;
        // A mode the key ended takes its guide line with it.
        if (!mode->active() && !guide.empty() && map_.statusPanels[0] == guide)
            map_.statusPanels[0].clear();
        return true;
    }
    return false;
}

void RouteMap::showSegmentPositions(bool turnOn) {
    if (turnOn) menus_.setChecked(kSegmentPositions, true);
    updateRouteMapMenus(state_, menus_);
    redrawOverlays(ctx_);
    map_.notify();
}

void RouteMap::mouseMove(int x, int y) {
    // While a redraw runs the guide line keeps its own text.
    if (busy()) return;
    if (map_.panning) {
        panMap(ctx_, x, y);
        return;
    }
    if (routeHover_) {
        const std::optional<double> along = state_.routeCount > 0 ? routeDistanceNear(state_, x, y) : std::nullopt;
        if (along != hovered_) {
            hovered_ = along;
            routeHover_(along);
        }
    }
    for (MapMode* mode : activeModes())
        if (mode->mouseMove(x, y)) break;
    map_.notify();
    commands_.runPending();
}

void RouteMap::mouseLeave() {
    if (!hovered_) return;
    hovered_.reset();
    if (routeHover_) routeHover_(std::nullopt);
}

void RouteMap::mousePress(MapButton button, int x, int y) {
    if (button == MapButton::Middle && !busy()) beginMapPan(ctx_, x, y);
}

void RouteMap::mouseRelease(MapButton button, int x, int y) {
    if (button == MapButton::Middle && map_.panning) {
        endMapPan(ctx_);
        return;
    }
    if (busy()) return;
    std::string band;
    {
        Commands::BusyScope scope(commands_);
        for (MapMode* mode : activeModes()) {
            if (button == MapButton::Left && mode->leftRelease(x, y)) break;
            if (button != MapButton::Right) continue;
            if (std::optional<std::string> popup = mode->rightRelease(x, y)) {
                band = std::move(*popup);
                break;
            }
        }
        map_.notify();
        holdMenusForMode();
    }
    commands_.runPending();
    // The menu waits for its choice, which is dispatched like any other command.
    if (!band.empty() && popup_) {
        popupAt_ = PixelPoint{x, y};
        popup_(band);
        popupAt_.reset();
    }
}

void RouteMap::stepPointNumber(StepKey key) {
    if (busy()) return;
    switch (key) {
        case StepKey::Up: forwardKey(MapKey::Up); break;
        case StepKey::Down: forwardKey(MapKey::Down); break;
        case StepKey::PageUp: forwardKey(MapKey::PageUp); break;
        case StepKey::PageDown: forwardKey(MapKey::PageDown); break;
    }
    map_.notify();
}

void RouteMap::choosePointNumber(int number) {
    if (busy()) return;
    creation_.setPanelNumber(number);
    map_.notify();
}

// The deletion is a command: while the map is busy it waits like any other.
bool RouteMap::deleteKey() { return forwardKey(MapKey::Delete); }

bool RouteMap::escapeKey() {
    if (busy()) return false;
    if (!forwardKey(MapKey::Escape)) return false;
    map_.notify();
    holdMenusForMode();
    return true;
}

void RouteMap::wheel(int x, int y, int angleX, int angleY, bool shift, bool control) {
    if (control) {
        zoomAngle_ += std::clamp(angleY != 0 ? angleY : angleX, -120, 120);
        if (std::abs(zoomAngle_) < 120) return;
        const int steps = zoomAngle_ > 0 ? 1 : -1;
        zoomAngle_ = 0;
        zoomAbout(steps, x, y);
        return;
    }
    zoomAngle_ = 0;
    // Shift turns the wheel's way across (a wheel that already turns across keeps it).
    if (shift && angleX == 0) std::swap(angleX, angleY);
    scrollMapByWheel(ctx_, angleX, angleY);
}

void RouteMap::zoomAbout(int steps, int x, int y) {
    if (busy()) return;
    const int level = currentLevelIndex(state_);
    const ToolId tool = steps > 0 ? kRangeZoom : kZoomLevels[static_cast<size_t>(std::max(level - 2, 0))];
    if (steps > 0 ? !menus_.isAvailable(kRangeZoom)
                  : level <= 1 || !menus_.isAvailable(kZoomLevelMenu) || !menus_.isAvailable(tool))
        return;
    {
        Commands::BusyScope scope(commands_);
        // The zoom square goes first: a redraw under it would leave it undrawable.
        if (map_.selecting) forwardKey(MapKey::Escape);
        endModesFor(tool);
        if (steps > 0) {
            zoomInAbout(ctx_, x, y);
        } else {
            zoomOutAbout(ctx_, x, y);
        }
        map_.notify();
        holdMenusForMode();
    }
    commands_.runPending();
}

void RouteMap::setFrameSize(int width, int height) { setMapFrameSize(ctx_, width, height); }

void RouteMap::showHelp(const std::string& helpFile) { dialogs_.showHelp(helpFile); }

}  // namespace orv
