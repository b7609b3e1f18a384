#pragma once
// The route map's logic (ORV_TVIEW): its map state, pictures and menus, the creation sequence,
// the command dispatcher, and the mouse on the map picture. The window only shows what this
// holds and forwards the user's actions here.
//
// Commands follow the one dispatch rule of every window (platform/CommandQueue.h): a command
// or mouse action that redraws the map lets pending window events run, so further commands can
// arrive meanwhile; they wait and run in order as soon as the running one has finished. Mouse
// clicks on the map are ignored while it runs. A command held while a mouse mode lasts does
// nothing.
//
// The mouse goes to the mouse modes (map/MapMode.h) in order of precedence: the zoom square,
// modes added by other areas, drawing a route, editing route points, choosing the reference
// start, and the normal mode. A command ends the zoom square first, so that no XOR drawing is
// left behind by its redraw; while a route is being drawn, every command but leaving the map is
// held, since a redraw would wipe the lines drawn so far and the rubber band.
#include "map/MapContext.h"
#include "map/MapMode.h"
#include "map/RidgeValleyNaming.h"
#include "map/RidgeValleyTracing.h"
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "route/PointNaming.h"
#include "route/RouteCreation.h"
#include "state/AppState.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kRouteMapHelpFile = "ORVANE4.hlp";
inline constexpr const char* kMapToolTip = "右クリックでメニュー";
// The status panel that shows a route was read with the plan or GPS file.
inline constexpr const char* kTrackIndicator = "ＴＲＫ";

// The track indicator's text: with the number of places where a recorded clock went back
// (taken as no time) when there are any, "ＴＲＫ（時刻が戻った箇所: 3）".
std::string trackIndicatorText(int clockStepsBack);

enum class MapButton { None, Left, Right, Middle };

// The GPS files the route is exported as: "PCX形式でルート保存", "GPX形式でルート保存".
enum class TrackFileKind { Pcx, Gpx };

class RouteMap {
public:
    RouteMap(AppState& state, Dialogs& dialogs);
    ~RouteMap();
    RouteMap(const RouteMap&) = delete;
    RouteMap& operator=(const RouteMap&) = delete;

    AppState& state() { return state_; }
    MapState& map() { return map_; }
    MapPictures& pictures() { return pictures_; }
    MenuModel& menus() { return menus_; }
    MapContext& context() { return ctx_; }
    RouteCreation& creation() { return creation_; }
    RidgeValleyTracing& ridgeValleyTracing() { return ridgeValley_; }
    RidgeValleyNaming& ridgeValleyNaming() { return naming_; }

    // planName + two spaces + "ルート平面図".
    std::string title() const;

    // The creation sequence, run once after the window is shown: panels, zoom and scroll
    // state, check marks, enabling rule, and the first background.
    void create();

    // Runs the command of a tool id as a menu entry or a test sends it. An id this window does
    // not know is reported (reportUnknownTool) and does nothing.
    void dispatch(std::string_view toolId);
    // The same for a command named in code.
    void submit(ToolId toolId);
    // Commands waiting for the running one to finish.
    size_t pendingCommands() const { return commands_.pending(); }

    // The mouse on the map picture, in picture pixels, for the mouse modes. Clicks are taken
    // when the button is released; a right click a mode answers with a band pops it up.
    void mouseMove(int x, int y);
    void mouseRelease(MapButton button, int x, int y);
    // The mouse left the map picture: it no longer stands on the route.
    void mouseLeave();
    // A button pressed on the map picture: the middle button pans the map while it is held
    // (the moves and release go to mouseMove and mouseRelease, the modes see none of them).
    void mousePress(MapButton button, int x, int y);
    // The wheel turned over the map picture at (x, y) (angles in eighths of a degree, 120 a
    // notch, positive away from the user): it scrolls the map, across with Shift; with Ctrl
    // every notch goes one level deeper (away) or up (towards the user) about (x, y), when the
    // menus offer "範囲拡大" or the level above.
    void wheel(int x, int y, int angleX, int angleY, bool shift, bool control);
    // The window's frame for the map picture has this size now.
    void setFrameSize(int width, int height);

    // The point number of the route-point or start-position panel: a stepping key, or a
    // number set through the box or its up/down control.
    void stepPointNumber(StepKey key);
    void choosePointNumber(int number);
    // The Delete key: deletes the current route point in edit mode. True when a mode took it.
    bool deleteKey();
    // The Escape key: ends the zoom square without zooming. True when a mode took it.
    bool escapeKey();

    // Adds a mouse mode. It takes the events before the modes of route creation and after the
    // zoom square and the modes added before it.
    void addMode(std::unique_ptr<MapMode> mode);
    // The mode that takes the mouse now.
    const MapMode& activeMode() const;

    // The "ヘルプ" buttons: the map's own, and those of the two point panels.
    void showHelp(const std::string& helpFile = kRouteMapHelpFile);

    // The window pops up a band at the mouse (the right-click menu and the bands of the
    // route, ridge/valley and sheet tools).
    void setPopupHook(std::function<void(const std::string& band)> hook) { popup_ = std::move(hook); }
    // Leaves the route map ("ﾙｰﾄ図終了"): the owner closes the route map and the profile window,
    // returns the application to the state without a plan and shows the start menu. The hook
    // must not destroy this object while it runs (delete it later, from the event loop).
    void setExitHook(std::function<void()> hook) { exit_ = std::move(hook); }
    // "ｺｰｽﾀｲﾑ": the owner runs the course-time window modally; when it returns, the map
    // refreshes its menus and shows the segment positions.
    void setCourseTimeHook(std::function<void()> hook) { courseTime_ = std::move(hook); }
    // "地図画像からﾙｰﾄ作成" opens the map-image window modally; true when it closed with the
    // traced points to be made a route, false after a cancel. (routeFromMapImage)
    void setMapImageRouteHook(std::function<bool()> hook) { mapImageRoute_ = std::move(hook); }
    // "地形図寸法からﾙｰﾄ作成" and the pop-up "MPEditMenu" ("再入力", "削除") go to the sheet
    // measurement panel.
    void setSheetRouteHook(std::function<void(ToolId)> hook) { sheetRoute_ = std::move(hook); }
    // While a pop-up band opened by a right click on the map is up (and so while the command
    // chosen in it runs), the picture pixel clicked; nothing otherwise (a command of the menu
    // bar, a key). "ここからの展望" starts from there.
    std::optional<PixelPoint> popupPosition() const { return popupAt_; }
    // Opens a pop-up band of the route map at the cursor (a panel over the map asks for one).
    void requestPopup(const std::string& band) {
        if (popup_) popup_(band);
    }
    // The panorama and the visible-area map ("展望図...", "ここからの展望", "可視マップ", "山が見える
    //区間") go to an area above the map. Without a hook the commands do nothing.
    void setSightHook(std::function<void(ToolId)> hook) { sight_ = std::move(hook); }
    // "PCX形式でルート保存", "GPX形式でルート保存": the owner writes the route's GPS file.
    void setTrackExportHook(std::function<void(TrackFileKind)> hook) { trackExport_ = std::move(hook); }

    // "山名登録", "地名・名称登録": the owner runs the name setting dialog modally over the
    // naming of the current route point. Without one the commands do nothing.
    void setPointNamingHook(std::function<void(PointNaming&)> hook) { pointNaming_ = std::move(hook); }
    // The profile window (an area above the map) through hooks its owner sets:
    // "ﾙｰﾄ断面図" shows it beside the map without waiting for it.
    void setProfileHook(std::function<void()> hook) { profile_ = std::move(hook); }
    // After every change the map shows (a command, a click, a panel's work on the route): the
    // profile follows the route through it.
    void setMapChangedHook(std::function<void()> hook) { map_.alsoChanged = std::move(hook); }
    // The mouse over the map at a distance along the route (within a few pixels of its line),
    // or off the route: the profile shows its cursor there.
    void setRouteHoverHook(std::function<void(std::optional<double> distance)> hook) {
        routeHover_ = std::move(hook);
    }
    // The schedule changed in another window: refresh the menus and redraw the overlays so the
    // segment positions follow; turnOn also checks "区間位置表示".
    void showSegmentPositions(bool turnOn);

private:
    using Commands = CommandQueue<ToolId>;

    bool busy() const { return commands_.busy(); }
    bool offers(ToolId toolId) const;
    void run(ToolId toolId);
    void exitMap();
    // The modes in force, in order of precedence.
    std::vector<MapMode*> activeModes() const;
    bool forwardKey(MapKey key);
    // Ends the modes a command would end, as before the command `toolId`.
    void endModesFor(ToolId toolId);
    // One level deeper (steps > 0) or up about (x, y) when the menus offer it.
    void zoomAbout(int steps, int x, int y);
    // Holds the menus while a mode keeps only some commands, and releases them after it.
    void holdMenusForMode();

    AppState& state_;
    Dialogs& dialogs_;
    MapState map_;
    MapPictures pictures_;
    MenuModel menus_;
    MapContext ctx_;
    RouteCreation creation_{ctx_};
    RidgeValleyTracing ridgeValley_{ctx_};
    RidgeValleyNaming naming_{ctx_};
    Commands commands_;
    // In order of precedence; the normal mode, always in force, comes last.
    std::vector<std::unique_ptr<MapMode>> modes_;
    size_t addedModes_ = 0;
    std::function<void(const std::string&)> popup_;
    std::function<void()> exit_;
    std::function<void()> courseTime_;
    std::function<bool()> mapImageRoute_;
    std::function<void(ToolId)> sheetRoute_;
    std::function<void(ToolId)> sight_;
    std::function<void(TrackFileKind)> trackExport_;
    std::function<void(PointNaming&)> pointNaming_;
    std::function<void()> profile_;
    std::function<void(std::optional<double>)> routeHover_;
    std::optional<double> hovered_;
    std::optional<PixelPoint> popupAt_;
    // The Ctrl+wheel turn not yet a whole notch.
    int zoomAngle_ = 0;
};

}  // namespace orv
