#pragma once
// The start menu's logic: its command band, the plan and GPS record start sequences with the
// block preview and the mesh buttons, leaving the route map, and the exit question. The window
// (ui/StartMenuWindow) only shows the model and forwards user actions here.
//
// The sequences open other windows (the plan start dialog, the mountain search, the GPS format
// choice, the end-of-map and deletion dialogs, the route map) through the StartDialogs hooks:
// the window installs the real ones, tests install scripted ones, so every sequence also runs
// without a screen.
#include "app/IniStore.h"
#include "app/PlanStart.h"
#include "app/StartMenuModel.h"
#include "geo/MeshCode.h"
#include "gps/GpsImportRun.h"
#include "names/MountainSearch.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace orv {

inline constexpr const char* kStartMenuBand = "起動画面主メニュー";
inline constexpr const char* kStartPopupBand = "STUPopupMenu";
inline constexpr const char* kStartHelpFile = "ORVANE1.hlp";
inline constexpr const char* kAboutHelpFile = "ORVANE.hlp";

// The status line of the start sequences.
inline constexpr const char* kStatusChooseDestination = "行き先の山名を設定します。";
inline constexpr const char* kStatusChooseBlock = "行き先の山名を含む地域範囲を設定します。";
inline constexpr const char* kStatusReadPlanRoute = "計画ルートデータを読み込みます";
inline constexpr const char* kStatusReadGps = "GPSデータを読み込みます";

// Title of the note shown when a plan's ridge/valley file could only be read in part.
inline constexpr const char* kRidgeValleyReadTitle = "読み込みエラー";

// The windows a start sequence opens. Each is shown modally and returns when it closes; a
// missing hook counts as a window the user cancelled.
struct StartDialogs {
    // ORV_MRINFO over its opened model; the sequence reads the outcome from the model and state.
    std::function<void(PlanStart&)> planStart;
    // ORV_YAMANAME over the overview's range: the picked record after "確定" (mountainConfirmed
    // = 1), nothing otherwise. clearOverview clears the overview map's drawing.
    std::function<std::optional<int>(const OverviewRange& range, const std::function<void()>& clearOverview)>
        mountainSearch;
    // ORV_SELTRK: the chosen format after "実行", nothing otherwise.
    std::function<std::optional<GpsFormatChoice>()> trackFormat;
    // ORV_TVEND over the route map: startCancelled = -1 afterwards when the user stays.
    std::function<void()> endOfMap;
    // ORV_CRTFDEL.
    std::function<void()> planDeletion;
    // Hides the start menu and opens the route map on the loaded block.
    std::function<void()> openRouteMap;
};

class StartMenu {
public:
    StartMenu(AppState& state, IniStore& settings, std::filesystem::path settingsFile,
              Dialogs& dialogs);

    MenuModel& menus() { return menus_; }
    StartMenuModel& model() { return model_; }
    AppState& state() { return state_; }
    StartDialogs& startDialogs() { return windows_; }

    // Where the plan start dialog looks for the data CD-ROM (this machine's discs by default).
    void setOpticalDriveFinder(OpticalDriveFinder finder) { findDiscs_ = std::move(finder); }

    // Runs the command of a tool id; unknown ids, and commands arriving while a sequence is
    // running (its loading lets window events run), are ignored.
    void dispatch(const std::string& toolId);

    // The four moving mesh buttons and the confirm button.
    void moveBlock(Direction direction);
    void confirmBlock();

    // The route map's "ﾙｰﾄ図終了": the end-of-map dialog, then, unless the user stays (false),
    // the state without a plan. The caller then closes the route map and shows the start menu.
    bool leaveRouteMap();

    // True while a sequence runs.
    bool busy() const { return busy_ > 0; }

    // The "ヘルプ" button.
    void showHelp();

    // Asked when the window is about to close: true when it may close (settings saved).
    bool confirmExit();

    // Called to close the window (the window then asks confirmExit).
    void setCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }

private:
    class BusyScope;

    void buildMenus();
    void runPlanSequence();
    void runRecordSequence();
    bool runPlanStart();
    void startNewPlan();
    void startSavedPlan();
    void startNewRecord();
    void startSavedRecord();
    bool searchDestination();
    void readRidgeValleyFile();
    void forgetDestination();
    bool readSavedRoute();
    void showSavedDestination();
    void copyRouteToReference();
    void loadBlockAndOpenMap();
    bool importGps();
    void cancelStart();
    void setStatus(std::string text);

    AppState& state_;
    IniStore& settings_;
    std::filesystem::path settingsFile_;
    Dialogs& dialogs_;
    MenuModel menus_;
    StartMenuModel model_;
    StartDialogs windows_;
    OpticalDriveFinder findDiscs_;
    std::function<void()> closeRequest_;
    int busy_ = 0;
};

}  // namespace orv
