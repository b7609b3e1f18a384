#include "app/StartMenu.h"

#include "app/BlockPreview.h"
#include "app/ElevationLoading.h"
#include "app/OverviewMarks.h"
#include "app/Paths.h"
#include "app/PlanFileLoading.h"
#include "app/PlanReset.h"
#include "app/Startup.h"
#include "names/SearchDestination.h"
#include "platform/Events.h"
#include "platform/Progress.h"
#include "plans/PlanName.h"
#include "route/Overlays.h"

#include <algorithm>
#include <system_error>

namespace orv {

StartMenu::StartMenu(AppState& state, IniStore& settings, std::filesystem::path settingsFile,
                     Dialogs& dialogs)
    : state_(state),
      settings_(settings),
      settingsFile_(std::move(settingsFile)),
      dialogs_(dialogs),
      commands_({.run =
                     [this](const ToolId& id) {
                         (this->*findStartMenuTool(id.text())->handler)();
                     },
                 .available = {},
                 .takenWhileBusy = {},
                 .alsoBusy = {}}) {
    buildStartMenus(menus_);
    resetPlanState(state_, model_);
}

void StartMenu::dispatch(std::string_view toolId) {
    const StartMenuTool* tool = findStartMenuTool(toolId);
    if (tool == nullptr) {
        reportUnknownTool("StartMenu", toolId);
        return;
    }
    commands_.submit(tool->id);
}

void StartMenu::showAbout() { dialogs_.showHelp(kAboutHelpFile); }

void StartMenu::requestExit() {
    if (closeRequest_) closeRequest_();
}

void StartMenu::deletePlans() {
    if (windows_.planDeletion) windows_.planDeletion();
}

void StartMenu::showHelp() { dialogs_.showHelp(kStartHelpFile); }

void StartMenu::makeElevationData() {
    const std::optional<std::string> folder = createElevationData(state_, windows_.demCreation);
    if (!folder) return;
    state_.demFolder = *folder;
    state_.demMedia = 1;
}

bool StartMenu::confirmExit() {
    const Answer answer = dialogs_.message("Orvaneを終了しますか？", "Orvane終了確認",
                                           Buttons::YesNo, Icon::Warning);
    if (answer != Answer::Yes) return false;
    saveSettingsAtExit(state_, settings_, settingsFile_, dialogs_);
    return true;
}

void StartMenu::openGivenFile(const std::filesystem::path& path) {
    if (busy()) return;
    GivenFileCheck check = checkGivenFile(path);
    if (!check.file) {
        dialogs_.message(check.message, kGivenFileTitle, Buttons::Ok, Icon::Error);
        return;
    }
    given_ = std::move(check.file);
    {
        Commands::BusyScope scope(commands_);
        if (given_->isGps()) {
            startRecord();
        } else {
            startPlan();
        }
    }
    given_.reset();
    commands_.runPending();
}

void StartMenu::setStatus(std::string text) {
    model_.status = std::move(text);
    model_.notify();
}

void StartMenu::cancelStart() { resetPlanState(state_, model_); }

// ---- The two sequences ----

void StartMenu::startPlan() {
    state_.gpsMode = false;
    if (!runPlanStart()) return;
    if (!state_.existingPlan) {
        startNewPlan();
    } else {
        startSavedPlan();
    }
}

void StartMenu::startRecord() {
    state_.gpsMode = true;
    if (!runPlanStart()) return;
    if (state_.existingPlan) {
        startSavedRecord();
    } else {
        startNewRecord();
    }
}

// The plan start dialog, then the "TRK" indicator and the caption with the plan name.
bool StartMenu::runPlanStart() {
    PlanStart dialog(state_, dialogs_, findDiscs_);
    dialog.setDemCreation(windows_.demCreation);
    dialog.setMountainRegistration(windows_.mountainRegistration);
    dialog.open();
    if (given_ && given_->kind == GivenFileKind::Plan) dialog.editName(given_->planName());
    if (given_ && given_->kind == GivenFileKind::MountainNames) dialog.editMountainFile(given_->path.string());
    if (windows_.planStart) windows_.planStart(dialog);
    if (!dialog.closed()) dialog.cancel();
    if (dialog.outcome() != DialogOutcome::Accepted) {
        cancelStart();
        return false;
    }
    // A given plan is opened from its file when the dialog kept it, whether or not the data
    // folder lists it; another name chosen in the dialog leaves the file unread.
    if (given_ && given_->kind == GivenFileKind::Plan) {
        if (state_.planName == given_->planName()) {
            state_.existingPlan = true;
        } else {
            given_.reset();
        }
    }
    if (state_.mountainFileLoaded) model_.trkIndicators[1] = true;
    model_.caption = state_.regionCaption + "  " + state_.planName;
    model_.notify();
    return true;
}

// A new plan: the destination, then the block is chosen with the mesh buttons.
void StartMenu::startNewPlan() {
    setStatus(kStatusChooseDestination);
    if (!searchDestination()) {
        cancelStart();
        return;
    }
    setStatus(kStatusChooseBlock);
    model_.meshButtonsEnabled = true;
    drawBlockPreview(state_, model_);
}

// A saved plan: its route becomes the reference route of a new, empty route, on the saved block.
void StartMenu::startSavedPlan() {
    readRidgeValleyFile();
    setStatus(kStatusReadPlanRoute);
    clearReferenceRoute(state_);
    forgetDestination();
    if (!readSavedRoute()) {
        cancelStart();
        return;
    }
    showSavedDestination();
    drawBlockPreview(state_, model_);
    copyRouteToReference();
    clearRoute(state_);
    setStatus("");
    state_.routeLoaded = false;
    loadBlockAndOpenMap();
}

// A new GPS record: the destination, the GPS files, then the block is chosen.
void StartMenu::startNewRecord() {
    setStatus(kStatusChooseDestination);
    if (!searchDestination()) {
        cancelStart();
        return;
    }
    setStatus(kStatusReadGps);
    if (!importGps()) {
        cancelStart();
        return;
    }
    setStatus("");
    drawBlockPreview(state_, model_);
    state_.routeLoaded = true;
    model_.meshButtonsEnabled = true;
    model_.notify();
}

// A saved plan read as a record: its route is both the route and the reference route.
void StartMenu::startSavedRecord() {
    readRidgeValleyFile();
    setStatus(kStatusReadGps);
    clearReferenceRoute(state_);
    forgetDestination();
    if (!readSavedRoute()) {
        cancelStart();
        return;
    }
    flagRouteMountains(state_);
    copyRouteToReference();
    clearRoute(state_);
    clearWaypoints(state_);
    if (!readSavedRoute()) {
        cancelStart();
        return;
    }
    showSavedDestination();
    drawBlockPreview(state_, model_);
    setStatus("");
    state_.routeLoaded = true;
    loadBlockAndOpenMap();
}

// ---- Steps of the sequences ----

bool StartMenu::searchDestination() {
    // A destination chosen before is kept when the user does not want to search again.
    if (!confirmSearchAgain(state_, dialogs_)) return true;
    const auto clearOverview = [this] {
        model_.overviewDestination.reset();
        model_.notify();
    };
    clearOverview();
    std::optional<int> picked;
    if (windows_.mountainSearch) picked = windows_.mountainSearch(overviewRange(model_), clearOverview);
    if (!takeDestination(state_, picked)) return false;
    processPendingEvents();
    showDestinationOnOverview(state_, model_);
    return true;
}

void StartMenu::readRidgeValleyFile() {
    const std::filesystem::path file = ridgeValleyFile();
    const RidgeValleyLoad load = orv::readRidgeValleyFile(state_, model_, file);
    const std::string message = ridgeValleyLoadMessage(load, file.filename().string());
    if (!message.empty()) dialogs_.message(message, kRidgeValleyReadTitle, Buttons::Ok, Icon::Warning);
}

// readRouteFile with its message; a route read is shown on the overview.
bool StartMenu::readSavedRoute() {
    const RouteFileLoad load = readRouteFile(state_, model_, routeFile());
    if (!load.loaded) {
        dialogs_.message(load.message, kRouteReadTitle, Buttons::Ok, Icon::Error);
        return false;
    }
    showRouteOnOverview(state_, model_);
    return true;
}

// The mountain table was just read anew: an index from an earlier plan means nothing in it, so
// a saved plan whose destination is not in the table has none.
void StartMenu::forgetDestination() { state_.selectedMountain = 0; }

// The destination of a saved plan on the overview. The block stays the one the plan was saved
// with (its centre mesh came from the route data file): that is where its route was drawn, even
// when the mesh buttons moved it away from the destination's own mesh.
void StartMenu::showSavedDestination() { showDestinationOnOverview(state_, model_); }

void StartMenu::copyRouteToReference() {
    const int count = std::clamp<int>(state_.routeCount, 0, kMaxRoutePoints);
    std::copy_n(state_.route.begin(), count + 1, state_.referenceRoute.begin());
    state_.refRouteCount = static_cast<int16_t>(count);
}

// A given plan's files are read where it lies, any other plan's in the data folder.
std::filesystem::path StartMenu::routeFile() const {
    if (given_ && given_->kind == GivenFileKind::Plan) return given_->path;
    return routeFilePath(state_.dataFolder, state_.planName);
}

std::filesystem::path StartMenu::ridgeValleyFile() const {
    if (given_ && given_->kind == GivenFileKind::Plan) {
        const auto beside = fileBeside(given_->path, kRidgeValleyFileExtension);
        return beside ? *beside : ridgeValleyFilePath(given_->path.parent_path(), state_.planName);
    }
    return ridgeValleyFilePath(state_.dataFolder, state_.planName);
}

bool StartMenu::importGps() {
    // A given GPS file is read as if its format had been chosen and the file picked in the
    // file dialog; a file dialog still asking starts in its folder.
    std::optional<GpsFormatChoice> choice;
    std::optional<GivenFileDialogs> givenDialogs;
    if (given_ && given_->isGps()) {
        GivenGpsImport given = givenGpsImport(*given_);
        choice = given.choice;
        givenDialogs.emplace(dialogs_, std::move(given.answers));
        state_.fileFolders.remember(FileKind::GpsFile, given_->path);
    } else if (windows_.trackFormat) {
        choice = windows_.trackFormat();
    }
    Dialogs& dialogs = givenDialogs ? static_cast<Dialogs&>(*givenDialogs) : dialogs_;

    // The readers' progress on the start menu's strip, their file on the status line.
    std::optional<ProgressStrip> strip;
    std::string stripText;
    GpsImportView view;
    view.progress = [&](int value, const std::string& text) {
        if (!model_.progressVisible) {
            model_.progressVisible = true;
            model_.notify();
        }
        if (!strip || stripText != text) {
            strip.emplace(model_.progress, text);
            stripText = text;
        }
        strip->show(value);
    };
    view.progressDone = [&] {
        strip.reset();
        model_.progress.clear();
        model_.progressVisible = false;
        model_.notify();
    };
    view.status = [this](const std::string& text) { setStatus(text); };

    switch (runGpsImport(choice, state_, dialogs, view)) {
        case GpsImportOutcome::Read:
            model_.trkIndicators[0] = true;
            state_.routeLoaded = true;
            showRouteOnOverview(state_, model_);
            model_.notify();
            return true;
        case GpsImportOutcome::NothingRead:
            return true;
        case GpsImportOutcome::ReadPlanRoute:
            return readSavedRoute();
        case GpsImportOutcome::Cancelled:
        case GpsImportOutcome::Failed:
            break;
    }
    return false;
}

// ---- Mesh buttons ----

void StartMenu::moveBlock(Direction direction) {
    if (busy() || !model_.meshButtonsEnabled) return;
    state_.centreMeshCode = meshStep(state_.centreMeshCode, direction);
    drawBlockPreview(state_, model_);
}

void StartMenu::confirmBlock() {
    if (busy() || !model_.meshButtonsEnabled) return;
    {
        Commands::BusyScope scope(commands_);
        loadBlockAndOpenMap();
    }
    commands_.runPending();
}

// The confirm button's steps: the centre mesh's corner, the block's codes, the elevation grid
// (or only the corners when the plan is drawn without elevation data), then the route map.
void StartMenu::loadBlockAndOpenMap() {
    // 1. The centre mesh's south-west corner.
    setStatus("");
    state_.levelCorners[0][1] = meshSouthLatitude(state_.centreMeshCode);
    state_.levelCorners[0][2] = meshWestLongitude(state_.centreMeshCode);
    model_.centreSouth = dmsToSeconds(state_.levelCorners[0][1]);
    model_.centreWest = dmsToSeconds(state_.levelCorners[0][2]);

    // 2. The block.
    state_.meshCodes = meshNeighbours(state_.centreMeshCode);

    // 3. The elevation data. The folder picker starts at the folder used last, or at the
    // sample data shipped with the program; a block without data may be made there with
    // "標高データの作成".
    model_.meshButtonsEnabled = false;
    model_.notify();
    if (state_.demUnused == 1) {
        state_.currentLevel = 1;
        setLevelOneCorners(state_, model_.centreSouth, model_.centreWest);
        setMeshCorners(state_);
    } else {
        std::error_code ec;
        const std::filesystem::path lastFolder(state_.demFolder);
        const bool known = !state_.demFolder.empty() && std::filesystem::is_directory(lastFolder, ec);
        if (!loadElevationBlock(state_, model_, dialogs_,
                                known ? lastFolder : sampleMeshFolder(state_.appFolder),
                                windows_.demCreation)) {
            cancelStart();
            return;
        }
    }

    // 4. The route map; the start menu leaves the screen, and what waited for it with it.
    commands_.dropPending();
    if (windows_.openRouteMap) windows_.openRouteMap();
}

bool StartMenu::leaveRouteMap() {
    if (windows_.endOfMap && windows_.endOfMap() == DialogOutcome::Cancelled) return false;
    resetPlanState(state_, model_);
    return true;
}

}  // namespace orv
