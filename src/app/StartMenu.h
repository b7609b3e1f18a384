#pragma once
// The start menu's logic: its command band, the plan and GPS record start sequences with the
// block preview and the mesh buttons, leaving the route map, and the exit question. The window
// (ui/StartMenuWindow) only shows the model and forwards user actions here.
//
// The sequences open other windows (the plan start dialog, the mountain search, the GPS format
// choice, the end-of-map and deletion dialogs, the route map) through the StartDialogs hooks:
// the window installs the real ones, tests install scripted ones, so every sequence also runs
// without a screen.
//
// Commands follow the one dispatch rule of every window (platform/CommandQueue.h): a command
// arriving while a sequence runs (its loading lets window events run) waits until the sequence
// has ended. When the sequence opens the route map, the start menu leaves the screen and the
// waiting commands are dropped.
#include "app/ElevationDataCreation.h"
#include "app/IniStore.h"
#include "app/PlanStart.h"
#include "app/StartMenuFile.h"
#include "app/StartMenuModel.h"
#include "app/StartMenuTools.h"
#include "geo/MeshCode.h"
#include "gps/GpsImportRun.h"
#include "names/MountainSearch.h"
#include "platform/CommandQueue.h"
#include "platform/DialogOutcome.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace orv {

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
    // ORV_TVEND over the route map: Cancelled when the user stays on the map.
    std::function<DialogOutcome()> endOfMap;
    // ORV_CRTFDEL.
    std::function<void()> planDeletion;
    // Hides the start menu and opens the route map on the loaded block.
    std::function<void()> openRouteMap;
    // "標高データの作成", from the start menu, from the plan start dialog and from the loading
    // of a block without any of its mesh files.
    DemCreationWindow demCreation;
    // "山名登録", from the plan start dialog's "山名ﾌｧｲﾙ新規作成".
    MountainRegistrationWindow mountainRegistration;
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

    // Runs the command of a tool id as a menu entry or a test sends it. An id this window does
    // not know is reported (reportUnknownTool) and does nothing.
    void dispatch(std::string_view toolId);
    // Commands waiting for a sequence to end.
    size_t pendingCommands() const { return commands_.pending(); }

    // The commands' handlers (app/StartMenuTools.h), run by dispatch.
    void startPlan();    // "山行計画（ルート作成）": the plan sequence
    void startRecord();  // "山行記録（GPS読込）": the GPS record sequence
    void deletePlans();  // "ﾙｰﾄﾌｧｲﾙの削除": the plan deletion dialog
    void showAbout();    // "Orvaneについて": the help's contents
    void requestExit();  // "Orvaneの終了": closes the window, which asks the exit question
    // "標高データの作成": the window over the block's centre mesh; its output folder, once
    // meshes were written there, becomes the hard-disk data folder of the next plan.
    void makeElevationData();

    // The four moving mesh buttons and the confirm button.
    void moveBlock(Direction direction);
    void confirmBlock();

    // The route map's "ﾙｰﾄ図終了": the end-of-map dialog, then, unless the user stays (false),
    // the state without a plan. The caller then closes the route map and shows the start menu.
    bool leaveRouteMap();

    // True while a sequence runs.
    bool busy() const { return commands_.busy(); }

    // A file given when the program starts: a plan's route data file runs the plan sequence
    // with the plan start dialog on that plan, and the plan is read from the file itself; a GPS
    // file runs the GPS record sequence, whose import reads it without asking for a file; a
    // mountain-name file runs the plan sequence with it in the plan start dialog. A file the
    // user turns away from in the dialog (another plan chosen) is not read. A file that cannot
    // be opened is named in a message and the start menu stays as it was. Nothing happens while
    // a sequence runs.
    void openGivenFile(const std::filesystem::path& path);

    // The "ヘルプ" button.
    void showHelp();

    // Asked when the window is about to close: true when it may close (settings saved).
    bool confirmExit();

    // Called to close the window (the window then asks confirmExit).
    void setCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }

private:
    using Commands = CommandQueue<ToolId>;

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
    std::filesystem::path routeFile() const;
    std::filesystem::path ridgeValleyFile() const;
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
    // The file given at the start while its sequence takes it in.
    std::optional<GivenFile> given_;
    Commands commands_;
};

}  // namespace orv
