#pragma once
// The profile window's logic (ORV_VVIEW): the profile picture and its panels, the scale, the
// menus and commands, deletion of segments by clicking on the profile, the picture's output,
// and the live link with the route map. The window only shows what this holds and forwards the
// user's actions here.
//
// The window is created hidden with the route map and lives until the route map closes. Each
// activation sets up the menus, the caption and the scale (base elevation 0) and redraws, so
// route edits made on the map show up. Commands follow the one dispatch rule
// (platform/CommandQueue.h).
//
// Live link: a mouse move over the plot reads distance, elevation and walking time at that
// column into the status line and asks the route map to mark the same spot; the route map tells
// the profile where the mouse stands on the route, and the profile shows a cursor column that
// the window draws over the picture, never into it, so copied and saved pictures carry no trace.
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/DrawingSurface.h"
#include "platform/MenuModel.h"
#include "profile/ProfileDrawing.h"
#include "profile/ProfileGeometry.h"
#include "state/AppState.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

inline constexpr const char* kProfileHelpFile = "ORVANE6.hlp";
inline constexpr const char* kProfileMenuTip = "右クリックでメニュー";
inline constexpr const char* kProfileDeletionTip = "右クリックで削除区間選択";
inline constexpr const char* kProfileDeletionStatus =
    "削除する区間を選択し右クリックして下さい。「ｷｬﾝｾﾙ」で区間削除処理を終了します。";

class Profile {
public:
    Profile(AppState& state, Dialogs& dialogs);
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    AppState& state() { return state_; }
    MenuModel& menus() { return menus_; }
    DrawingSurface& surface() { return surface_; }
    const DrawingSurface& surface() const { return surface_; }

    // planName + two spaces + "ルート断面図".
    std::string title() const;
    const std::array<std::string, 4>& summaries() const { return summaries_; }
    // The status panel as the redraw and the commands set it.
    const std::string& status() const { return status_; }
    // What the status line shows: the live read-out while the mouse is over the plot, else the
    // status panel.
    const std::string& statusLine() const { return readout_.empty() ? status_ : readout_; }
    const std::string& toolTip() const { return toolTip_; }
    bool deleting() const { return deleting_; }
    const ProfileScale& scale() const { return scale_; }
    const ProfileLook& look() const { return look_; }
    // The plot column of the route map's mouse, drawn over the picture by the window.
    std::optional<int> cursorColumn() const { return cursorColumn_; }

    // The window became the active window: menus, caption, scale from a base of 0, redraw.
    void activate();
    // Clears the picture and draws everything again; the panels follow.
    void redraw();
    // The route map changed: when the route or its schedule is no longer what the picture
    // shows, the menus and the scale are set up again (the base elevation kept, but never above
    // the lowest point) and the picture is redrawn.
    void followRoute();

    // Runs the command of a tool id as a menu entry or a test sends it. An id this window does
    // not know is reported (reportUnknownTool) and does nothing.
    void dispatch(std::string_view toolId);
    void submit(ToolId toolId);
    // The "ヘルプ" button.
    void showHelp();

    // The right button released on the picture: the pop-up menu, or in deletion mode the
    // segment under the click.
    void rightRelease(int x, int y);
    // The mouse over the picture and leaving it (live link).
    void mouseMove(int x, int y);
    void mouseLeave();
    // The route map's mouse at a distance along the route, or off the route.
    void showRoutePosition(std::optional<double> distance);

    // Panels, status, tool tip or picture changed.
    std::function<void()> changed;
    // The cursor column or the status line's read-out changed (the picture did not).
    std::function<void()> cursorMoved;
    // Pops up a band at the mouse.
    std::function<void(const std::string& band)> popup;
    // "断面図の終了": the window hides itself.
    std::function<void()> hideRequested;
    // "ｺｰｽﾀｲﾑ": runs the course-time window modally.
    std::function<void()> courseTimeWindow;
    // After "ｺｰｽﾀｲﾑ" the route map shows the segment positions; after a deletion it redraws
    // them.
    std::function<void(bool turnOnSegmentPositions)> refreshMap;
    // Marks a distance along the route on the route map, or removes the mark.
    std::function<void(std::optional<double> distance)> markOnMap;

private:
    bool offers(ToolId toolId) const;
    void run(ToolId toolId);
    void applyMenuStates();
    void askBaseElevation();
    void runCourseTime();
    void toggleLabel(int k);
    void changeFont(int k);
    void setBackground(int mode);
    void startDeletion();
    void deleteSegmentAt(int x);
    void copyToClipboard();
    void copyToFile();
    void notify();

    AppState& state_;
    Dialogs& dialogs_;
    MenuModel menus_;
    DrawingSurface surface_{kProfileWidth, kProfileHeight, kSkyColour};
    ProfilePainter painter_;
    CommandQueue<ToolId> commands_;
    ProfileScale scale_;
    ProfileLook look_;
    Colour lastDialogColour_ = colours::black;
    std::array<std::string, 4> summaries_;
    std::string status_;
    std::string readout_;
    std::string toolTip_ = kProfileMenuTip;
    bool deleting_ = false;
    int chosenSegment_ = 0;  // the entry the last deletion click chose
    std::optional<int> cursorColumn_;
    ProfiledRoute drawn_;  // what the last redraw took from the route
};

}  // namespace orv
