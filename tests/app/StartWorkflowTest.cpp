// The start menu's sequences run headless on the bundled sample data (the Hidaka block around
// 幌尻岳): scripted windows stand in for the plan start dialog, the mountain search, the GPS
// format choice, the end-of-map dialog and the route map, and the scripted Dialogs answer the
// questions, whose exact texts are checked.
#include "app/BlockPreview.h"
#include "app/EndOfMap.h"
#include "app/OverviewMarks.h"
#include "app/PlanFileLoading.h"
#include "plans/PlanName.h"
#include "app/StartMenu.h"
#include "core/Cp932.h"
#include "core/TextFile.h"
#include "route/RouteMap.h"
#include "state/ColourTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "terrain/DemCreation.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

const std::string kAssets = ORVANE_ASSETS;
const std::string kSampleDem = kAssets + "/sample/dem";
const std::string kSampleMountains = kAssets + "/sample/japan.ndb";  // Japan's main peaks
constexpr int kHoroshiriRecord = 75;  // 幌尻岳's record in it
const std::string kTrackFixture = std::string(ORVANE_FIXTURES) + "/workflow/horoshiri.TRK";
const std::string kRealData = ORVANE_REALDATA;  // the survey's zoom 8 tile over the block

const char* const kFolderQuestion =
    "ルート図は50mメッシュ数値地図をベースに作成します\r\n\r\n"
    "ﾊｰﾄﾞﾃﾞｨｽｸの任意のﾌｫﾙﾀﾞｰに必要な数値地図（標高）が\r\n"
    "セットされているか確認して下さい。";
const char* const kFolderTitle = "数値地図のフォルダを選択してください";
const char* const kOneWayQuestion = "作成したルートは片道として処理しますか";

struct StartWorkflowTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    IniStore settings;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<StartMenu> menu;
    std::unique_ptr<RouteMap> routeMap;

    std::vector<std::string> opened;    // the windows the sequences opened, in order
    std::vector<std::string> statuses;  // every status line shown, in order
    std::vector<std::string> planLines; // the saved plans the plan start dialog listed

    // What the scripted windows do.
    std::string planName = "幌尻岳0801";
    int pickPlanLine = -1;              // a line of the saved plans to pick instead of typing
    bool keepName = false;              // leave the name the dialog opened with
    bool cancelPlanStart = false;
    std::string destination = "幌尻岳";  // "" cancels the search
    std::optional<GpsFormatChoice> trackFormat = GpsFormatChoice{kGpsFormatPcx, false};
    bool saveAtEnd = true;

    void SetUp() override {
        state->appFolder = kAssets;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        state->demMedia = 1;  // the elevation files lie in a folder: no disc is looked for
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.registeredSets[0] = 1;
        menu = std::make_unique<StartMenu>(*state, settings, dir / "Orvane2.ini", dialogs);
        menu->setOpticalDriveFinder([] { return std::vector<fs::path>{}; });
        menu->model().changed = [this] {
            if (statuses.empty() || statuses.back() != menu->model().status)
                statuses.push_back(menu->model().status);
        };
        installWindows();
    }

    void installWindows() {
        StartDialogs& windows = menu->startDialogs();
        windows.planStart = [this](PlanStart& dialog) {
            opened.push_back("ORV_MRINFO " + dialog.caption());
            planLines = dialog.planLines();
            nameAtOpen = dialog.name();
            mountainFileAtOpen = dialog.mountainFile();
            if (cancelPlanStart) {
                dialog.cancel();
                return;
            }
            if (pickPlanLine >= 0) {
                dialog.pickPlan(pickPlanLine);
            } else if (!keepName) {
                dialog.editName(planName);
            }
            EXPECT_TRUE(dialog.execute());
        };
        windows.mountainSearch = [this](const OverviewRange& range, const std::function<void()>& clear) {
            opened.push_back("ORV_YAMANAME");
            lastRange = range;
            statusAtSearch = menu->model().status;
            clear();
            for (int i = 1; i <= state->mountainCount && !destination.empty(); ++i) {
                if (state->mountainTable[static_cast<size_t>(i)].name == destination) {
                    state->mountainConfirmed = true;
                    return std::optional<int>(i);
                }
            }
            state->mountainConfirmed = false;
            return std::optional<int>();
        };
        windows.trackFormat = [this] {
            opened.push_back("ORV_SELTRK");
            statusAtTrackFormat = menu->model().status;
            return trackFormat;
        };
        windows.endOfMap = [this] {
            opened.push_back("ORV_TVEND");
            EndOfMap end(*state, dialogs, [] { return std::string("2026/08/01"); });
            if (saveAtEnd) {
                EXPECT_TRUE(end.yes());
            } else {
                EXPECT_TRUE(end.cancel());
            }
            return end.outcome().value();
        };
        windows.openRouteMap = [this] {
            opened.push_back("ORV_TVIEW");
            routeMap = std::make_unique<RouteMap>(*state, dialogs);
            routeMap->setExitHook([this] {
                if (menu->leaveRouteMap()) opened.push_back("ORV_MAIN");
            });
            routeMap->create();
        };
    }

    // The answers for loading the block from the sample folder.
    void answerLoading() {
        dialogs.answerMessage(Answer::Ok);
        dialogs.answerFolder(kSampleDem);
    }

    // Draws a one-way route with the mouse from the valley up to 幌尻岳's summit cell.
    void drawMouseRoute() {
        ASSERT_TRUE(routeMap);
        routeMap->dispatch("ActMakeNewTRKdata");
        for (auto [x, y] : {std::pair{120, 420}, {180, 380}, {230, 330}, {265, 300}})
            routeMap->mouseRelease(MapButton::Left, x, y);
        dialogs.answerMessage(Answer::Yes);
        routeMap->mouseRelease(MapButton::Right, 292, 273);
    }

    void expectIdle() const {
        const StartMenuModel& model = menu->model();
        EXPECT_EQ(model.caption, "地域選択");
        EXPECT_EQ(model.sheetCaption, "");
        EXPECT_EQ(model.status, "");
        EXPECT_FALSE(model.meshButtonsEnabled);
        EXPECT_FALSE(model.routeMarkerVisible);
        EXPECT_FALSE(model.progressVisible);
        EXPECT_FALSE(model.overviewDestination.has_value());
        EXPECT_EQ(model.trkIndicators, (std::array<bool, 2>{false, false}));
        EXPECT_EQ(model.hScroll, 480);
        EXPECT_EQ(model.vScroll, 1040);
        EXPECT_EQ(state->planName, "");
        EXPECT_EQ(state->routeCount, 0);
        EXPECT_EQ(state->refRouteCount, 0);
        EXPECT_EQ(state->waypointCount, 0);
        EXPECT_EQ(state->mountainCount, 0);
        EXPECT_FALSE(state->routeLoaded);
        EXPECT_FALSE(state->mountainConfirmed);
        EXPECT_FALSE(menu->busy());
    }

    // A fresh start for another case of a table.
    void restart() {
        routeMap.reset();
        menu.reset();
        state = makeAppState();
        dialogs = test::ScriptedDialogs{};
        opened.clear();
        statuses.clear();
        planName = "幌尻岳0801";
        pickPlanLine = -1;
        keepName = false;
        cancelPlanStart = false;
        destination = "幌尻岳";
        trackFormat = GpsFormatChoice{kGpsFormatPcx, false};
        saveAtEnd = true;
        fs::remove_all(dir / "Data");
        SetUp();
    }

    OverviewRange lastRange{};
    std::string nameAtOpen;
    std::string mountainFileAtOpen;
    std::string statusAtSearch;
    std::string statusAtTrackFormat;
};

// ---- A plan from the first start to its saved route, and the saved plan opened again ----

TEST_F(StartWorkflowTest, NewPlanOnTheSampleBlockIsSavedAndOpensAgainAsTheReferenceRoute) {
    // The plan start dialog proposes the bundled file of Japan's main peaks to a new user; the
    // search finds 幌尻岳 and the sample block around it is shown.
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_YAMANAME"}));
    EXPECT_FALSE(state->gpsMode);
    EXPECT_EQ(state->mountainFilePath, kSampleMountains);
    EXPECT_EQ(state->mountainCount, 1059);
    EXPECT_EQ(statusAtSearch, "行き先の山名を設定します。");
    EXPECT_EQ(lastRange, (OverviewRange{"34.4", "37.2", " 134.0", " 141.0"}));

    const StartMenuModel& model = menu->model();
    EXPECT_EQ(model.caption, "地域選択  幌尻岳0801");
    EXPECT_EQ(model.status, "行き先の山名を含む地域範囲を設定します。");
    EXPECT_TRUE(model.meshButtonsEnabled);
    EXPECT_EQ(model.trkIndicators, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(state->selectedMountain, kHoroshiriRecord);
    EXPECT_EQ(state->centreMeshCode, "644205");
    EXPECT_EQ(model.sheetCaption, "6442  夕張岳");

    // The destination on the overview: 142°41′12″ E, 42°43′01″ N (the sample file's Tokyo datum).
    ASSERT_TRUE(model.overviewDestination.has_value());
    EXPECT_EQ(*model.overviewDestination, (OverviewDestination{1174, 393, "幌尻岳 2052m", "42.4301", "142.4112"}));
    EXPECT_EQ(model.hScroll, 880);
    EXPECT_EQ(model.vScroll, 160);

    // The preview: 9″ and 6″ a pixel from 142°30′ E, 42°50′ N; the summit at (74, 69).
    EXPECT_EQ(model.preview.pixelAt(74, 70), colours::red);
    EXPECT_EQ(model.preview.pixelAt(77, 72), colours::black);  // the triangle's outline
    EXPECT_EQ(model.centreSouth, dmsToSeconds("42.40"));
    EXPECT_EQ(model.centreWest, dmsToSeconds("142.373"));

    // Confirming loads the block from the folder, starting the picker at the sample data.
    answerLoading();
    menu->confirmBlock();
    ASSERT_EQ(dialogs.asked().size(), 2u);
    EXPECT_EQ(dialogs.asked()[0].text, kFolderQuestion);
    EXPECT_EQ(dialogs.asked()[1].title, kFolderTitle);
    EXPECT_EQ(dialogs.asked()[1].text, kSampleDem);
    EXPECT_EQ(opened.back(), "ORV_TVIEW");
    EXPECT_EQ(state->demFolder, kSampleDem);
    EXPECT_EQ(dmsToSeconds(state->levelCorners[1][kSouth]), dmsToSeconds("42.35"));
    EXPECT_EQ(dmsToSeconds(state->levelCorners[1][kEast]), dmsToSeconds("142.523"));
    EXPECT_GT(state->elevationGrid.get(273, 292, 1), 1500.0f);  // 幌尻岳's summit cell

    // A route with the mouse, then "ﾙｰﾄ図終了" saves it and the start menu is idle again.
    drawMouseRoute();
    const int saved = state->routeCount;
    ASSERT_GT(saved, 100);
    const RoutePoint summit = state->route[static_cast<size_t>(saved)];
    routeMap->dispatch("ActTViewExit");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_YAMANAME", "ORV_TVIEW",
                                                "ORV_TVEND", "ORV_MAIN"}));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, kOneWayQuestion);
    expectIdle();
    EXPECT_TRUE(fs::exists(state->dataFolder / "幌尻岳0801.RTD"));
    const TextLines list = readTextLines(state->dataFolder / "Orvane.LST");
    EXPECT_EQ(list.lines, (std::vector<std::string>{"幌尻岳0801 2026/08/01"}));

    // Opened again from the list: the saved route is the reference route, the route is empty.
    opened.clear();
    statuses.clear();
    pickPlanLine = 0;
    answerLoading();
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(planLines, (std::vector<std::string>{"幌尻岳0801\t2026/08/01"}));
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_TVIEW"}));
    EXPECT_TRUE(state->existingPlan);
    EXPECT_EQ(state->planName, "幌尻岳0801");
    EXPECT_EQ(menu->model().caption, "地域選択  幌尻岳0801");
    EXPECT_EQ(state->refRouteCount, saved);
    EXPECT_EQ(state->referenceRoute[static_cast<size_t>(saved)].latitude, summit.latitude);
    EXPECT_EQ(state->referenceRoute[static_cast<size_t>(saved)].longitude, summit.longitude);
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(state->route[1].latitude, "");
    EXPECT_FALSE(state->routeLoaded);
    EXPECT_TRUE(state->mountainConfirmed);
    EXPECT_EQ(state->selectedMountain, kHoroshiriRecord);
    EXPECT_EQ(state->centreMeshCode, "644205");
    EXPECT_EQ(menu->model().sheetCaption, "6442  夕張岳");
    EXPECT_TRUE(menu->model().routeMarkerVisible);
    EXPECT_TRUE(menu->model().overviewDestination.has_value());
    EXPECT_EQ(menu->model().trkIndicators, (std::array<bool, 2>{true, true}));
    ASSERT_FALSE(statuses.empty());
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "計画ルートデータを読み込みます"), statuses.end());
    EXPECT_EQ(menu->model().status, "");
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// ---- Moving the block ----

TEST_F(StartWorkflowTest, MeshButtonsMoveTheBlockAcrossFirstLevelSheets) {
    menu->dispatch("ActMakeRootMode");
    ASSERT_TRUE(menu->model().meshButtonsEnabled);

    struct Step {
        Direction direction;
        const char* centre;
        const char* sheet;
    };
    // Row 0 south into row 7 of the sheet below, and north again from row 7 into row 0 of the
    // next first-level mesh; column 7 east into column 0 of the sheet to the east.
    const Step steps[] = {
        {Direction::South, "634275", "6342  浦河"},
        {Direction::North, "644205", "6442  夕張岳"},
        {Direction::East, "644206", "6442  夕張岳"},
        {Direction::East, "644207", "6442  夕張岳"},
        {Direction::East, "644300", "6443  帯広"},
        {Direction::West, "644207", "6442  夕張岳"},
    };
    for (const Step& step : steps) {
        menu->moveBlock(step.direction);
        EXPECT_EQ(state->centreMeshCode, step.centre);
        EXPECT_EQ(menu->model().sheetCaption, step.sheet);
        EXPECT_EQ(state->meshCodes[5], step.centre);
    }
    // The block around 634275: its north-west mesh lies in the sheet above.
    menu->moveBlock(Direction::West);
    menu->moveBlock(Direction::West);
    menu->moveBlock(Direction::South);
    EXPECT_EQ(state->centreMeshCode, "634275");
    EXPECT_EQ(state->meshCodes[1], "644204");
    EXPECT_EQ(state->meshCodes[9], "634266");
    EXPECT_EQ(menu->model().centreSouth, dmsToSeconds("42.35"));
}

TEST_F(StartWorkflowTest, BlockPreviewDrawsTheCodesTheDestinationAndTheRoute) {
    state->centreMeshCode = "644205";
    state->mountainCount = 1;
    state->mountainTable[1] = MountainRecord{"幌尻岳", "42.431", "142.4058", "2052", "", "A", 0, ""};
    state->selectedMountain = 1;
    state->routeCount = 2;
    state->route[1].latitude = "42.40";    // the block's centre mesh, south-west corner
    state->route[1].longitude = "142.373";
    state->route[2].latitude = "42.431";
    state->route[2].longitude = "142.4058";
    StartMenuModel model;
    drawBlockPreview(*state, model);

    EXPECT_EQ(state->meshCodes[1], "644214");
    EXPECT_EQ(state->route[1].pixelX, 50);
    EXPECT_EQ(state->route[1].pixelY, 100);
    EXPECT_EQ(state->route[2].pixelX, 73);
    EXPECT_EQ(state->route[2].pixelY, 68);
    // The route line, 2 pixels wide in the route colour (red, as the mark's inside).
    int routePixels = 0;
    for (int y = 60; y <= 101; ++y)
        for (int x = 45; x <= 80; ++x) routePixels += model.preview.pixelAt(x, y) == state->settings.trackLineColour ? 1 : 0;
    EXPECT_GT(routePixels, 70);
    EXPECT_EQ(model.preview.pixelAt(50, 100), state->settings.trackLineColour);
    // The codes: some black pixels in each cell's top-left corner.
    for (int slot = 0; slot < 9; ++slot) {
        const int x0 = 2 + 50 * (slot % 3);
        const int y0 = 2 + 50 * (slot / 3);
        int black = 0;
        for (int y = y0; y < y0 + 12; ++y)
            for (int x = x0; x < x0 + 46; ++x) black += model.preview.pixelAt(x, y) == colours::black ? 1 : 0;
        EXPECT_GT(black, 20) << "slot " << slot + 1;
    }
    // The name in text style 0 (bold blue) right of the mark.
    int blue = 0;
    for (int y = 62; y < 80; ++y)
        for (int x = 83; x < 150; ++x) blue += model.preview.pixelAt(x, y) == colours::blue ? 1 : 0;
    EXPECT_GT(blue, 20);

    // A centre whose first-level code is not in the region table shows no sheet name.
    state->centreMeshCode = "563745";
    drawBlockPreview(*state, model);
    EXPECT_EQ(model.sheetCaption, "");
}

TEST(OverviewMarks, ScrollPositionsAreClampedToTheBars) {
    struct Case {
        const char* latitude;
        const char* longitude;
        int h;
        int v;
    };
    const Case cases[] = {
        {"42.431", "142.4058", 880, 160},  // 幌尻岳
        {"35.2139", "138.4339", 560, 1040},  // 富士山: floor(10.7) − 3 = 7, floor(15.96) − 2 = 13
        {"45.3", "128.3", 0, 0},          // north-west corner: both below 0
        {"30.1", "148.5", 1040, 1520},    // south-east corner: both beyond the last step
    };
    for (const Case& c : cases) {
        EXPECT_EQ(overviewHScrollFor(dmsToSeconds(c.longitude)), c.h) << c.longitude;
        EXPECT_EQ(overviewVScrollFor(dmsToSeconds(c.latitude)), c.v) << c.latitude;
    }
    EXPECT_EQ(overviewPixel(dmsToSeconds("46"), dmsToSeconds("128")), (PixelPoint{0, 0}));
    EXPECT_EQ(overviewPixel(dmsToSeconds("45.20"), dmsToSeconds("129")), (PixelPoint{80, 80}));

    // The overview destination: a red mark and yellow lines beside it.
    DrawingSurface overview(200, 100, colours::black);
    drawOverviewDestination(overview, OverviewDestination{20, 30, "幌尻岳 2052m", "42.431", "142.4058"});
    EXPECT_EQ(overview.pixelAt(20, 31), colours::red);
    int yellow = 0;
    for (int y = 28; y < 70; ++y)
        for (int x = 30; x < 200; ++x) yellow += overview.pixelAt(x, y) == colours::yellow ? 1 : 0;
    EXPECT_GT(yellow, 100);

    // On the land colour every yellow pixel is framed: the pixel diagonally beside the glyph's
    // pixels is the text's or the halo's, never the bare land.
    const Colour land = makeColour(200, 220, 160);
    DrawingSurface onLand(200, 100, land);
    drawOverviewDestination(onLand, OverviewDestination{20, 30, "幌尻岳 2052m", "42.431", "142.4058"});
    int framed = 0;
    int glyphs = 0;
    for (int y = 28; y < 70; ++y)
        for (int x = 30; x < 199; ++x) {
            if (onLand.pixelAt(x, y) != colours::yellow) continue;
            ++glyphs;
            framed += onLand.pixelAt(x + 1, y + 1) != land ? 1 : 0;
        }
    EXPECT_GT(glyphs, 100);
    EXPECT_EQ(framed, glyphs);
}

// The start menu keeps only the rows beneath the destination to take it off again: drawing it
// must change nothing outside them, at the picture's edges too.
TEST(OverviewMarks, DestinationChangesOnlyTheRowsNamedForIt) {
    for (const int y : {2, 40, 90, 118}) {
        DrawingSurface overview(300, 120, colours::black);
        const OverviewDestination destination{150, y, "幌尻岳 2052m", "42.431", "142.4058"};
        const auto [first, last] = overviewDestinationRows(overview, destination);
        drawOverviewDestination(overview, destination);
        int outside = 0;
        int inside = 0;
        for (int row = 0; row < overview.height(); ++row)
            for (int x = 0; x < overview.width(); ++x)
                if (overview.pixelAt(x, row) != colours::black) ++(row >= first && row <= last ? inside : outside);
        EXPECT_EQ(outside, 0) << "y " << y;
        EXPECT_GT(inside, 0) << "y " << y;
        EXPECT_GE(first, 0);
        EXPECT_LT(last, overview.height());
    }
}

// ---- Plans drawn without elevation data ----

TEST_F(StartWorkflowTest, WithoutElevationDataOnlyTheCornersAreSet) {
    StartDialogs& windows = menu->startDialogs();
    windows.planStart = [this](PlanStart& dialog) {
        dialog.setUseDem(false);
        dialog.editName("地図なし");
        EXPECT_TRUE(dialog.execute());
    };
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(state->demUnused, 1);
    EXPECT_EQ(state->settings.backgroundMethod, 2);
    menu->confirmBlock();
    EXPECT_TRUE(dialogs.asked().empty());  // no data question, no folder
    EXPECT_EQ(opened.back(), "ORV_TVIEW");
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_EQ(dmsToSeconds(state->levelCorners[0][1]), dmsToSeconds("42.40"));
    EXPECT_EQ(dmsToSeconds(state->levelCorners[0][2]), dmsToSeconds("142.373"));
    EXPECT_EQ(dmsToSeconds(state->levelCorners[1][kNorth]), dmsToSeconds("42.50"));
    EXPECT_EQ(dmsToSeconds(state->levelCorners[1][kWest]), dmsToSeconds("142.30"));
    EXPECT_EQ(state->meshCorners[1].meshCode, "644214");
    EXPECT_EQ(dmsToSeconds(state->meshCorners[9].southLatitude), dmsToSeconds("42.35"));
}

// ---- A block without elevation data ----

// A folder without one file of the block: the loader offers to make the data there. "はい"
// opens "標高データの作成" over the block's centre mesh (here building from the survey tile for
// real) and the map opens on the meshes it wrote, their folder now the data folder; "いいえ" is
// the folder picker again; cancelling the question, closing the window without a build, or a
// build that writes nothing returns to the idle start menu with the data source as before.
TEST_F(StartWorkflowTest, BlockWithoutDataCanBeMadeWhereItIsLoaded) {
    enum class Window { None, Builds, Closed, BuildsNothing };
    struct Case {
        const char* name;
        Answer choice;  // to the question about the empty folder
        Window window;
        std::vector<std::string> titles;  // the message boxes in order
        bool mapOpens;
        std::string folderAfter;  // "" the folder before
    };
    const std::string question = "数値地図の準備確認";
    const std::string load = "数値地図読込";
    const std::string build = "標高データの作成";
    const fs::path made = dir / "made";
    const fs::path noTiles = dir / "noTiles";
    const std::vector<Case> cases = {
        {"made from the survey tile", Answer::Yes, Window::Builds, {question, load, build}, true, made.string()},
        {"another folder", Answer::No, Window::None, {question, load}, true, kSampleDem},
        {"question cancelled", Answer::Cancel, Window::None, {question, load}, false, ""},
        {"window closed without a build", Answer::Yes, Window::Closed, {question, load}, false, ""},
        {"a build that writes nothing", Answer::Yes, Window::BuildsNothing, {question, load, build}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const fs::path before = dir / "before";
        const fs::path empty = dir / "empty";
        fs::create_directories(before);
        fs::create_directories(empty);
        fs::create_directories(noTiles);
        state->demFolder = before.string();
        std::vector<std::string> centres;
        menu->startDialogs().demCreation = [&](const std::string& centre, std::string& setting) {
            centres.push_back(centre);
            if (c.window == Window::Closed) return std::optional<std::string>();
            terrain::DemCreation window(dialogs, centre, setting);
            dialogs.answerFolder(c.window == Window::Builds ? kRealData : noTiles.string());
            dialogs.answerFolder((c.window == Window::Builds ? made : dir / "unused").string());
            window.dispatch("ActDemTileFolder");
            window.dispatch("ActDemOutFolder");
            dialogs.answerMessage(Answer::Ok);  // the summary or the problem
            window.dispatch("ActDemRun");
            return window.lastOutcome() == terrain::DemBuildOutcome::Written ? std::optional(window.outFolder)
                                                                             : std::nullopt;
        };
        menu->dispatch("ActMakeRootMode");
        ASSERT_TRUE(menu->model().meshButtonsEnabled);
        dialogs.answerMessage(Answer::Ok);
        dialogs.answerFolder(empty.string());
        dialogs.answerMessage(c.choice);
        if (c.choice == Answer::No) dialogs.answerFolder(kSampleDem);
        menu->confirmBlock();

        std::vector<std::string> titles;
        for (const auto& asked : dialogs.messages()) titles.push_back(asked.title);
        EXPECT_EQ(titles, c.titles);
        const test::Asked offer = dialogs.messages().at(1);
        EXPECT_EQ(offer.text, "指定されたフォルダーに数値地図（標高）のファイルがありません。\r\n\r\n"
                              "フォルダー：" + empty.string() + "\r\n最初のファイル：644214.MEM\r\n\r\n"
                              "標高データを作成しますか？\r\n「いいえ」を選ぶと別のフォルダーを選択できます。");
        EXPECT_EQ(offer.buttons, Buttons::YesNoCancel);
        EXPECT_EQ(centres, c.window == Window::None ? std::vector<std::string>{} : std::vector<std::string>{"644205"});
        EXPECT_EQ(state->demFolder, c.folderAfter.empty() ? before.string() : c.folderAfter);
        EXPECT_EQ(state->demMedia, 1);
        EXPECT_EQ(state->settings.tileUrlSetting, "");
        EXPECT_TRUE(dialogs.allAnswersUsed());
        if (c.choice == Answer::No) {
            EXPECT_EQ(dialogs.asked().back().text, dir.path().string());  // the picker beside the empty folder
        }
        if (!c.mapOpens) {
            EXPECT_TRUE(std::find(opened.begin(), opened.end(), "ORV_TVIEW") == opened.end());
            expectIdle();
            EXPECT_FALSE(fs::exists(dir / "unused" / "644205.MEM"));
            continue;
        }
        EXPECT_EQ(opened.back(), "ORV_TVIEW");
        EXPECT_FALSE(menu->model().progressVisible);
        // 幌尻岳 (2052 m) stands in the centre mesh: its highest cells come near the summit's height.
        float highest = -1000.0f;
        for (int row = 200; row < 400; ++row)
            for (int column = 200; column < 400; ++column)
                highest = std::max(highest, state->elevationGrid.get(row, column, 1));
        EXPECT_GT(highest, 1900.0f);
        EXPECT_LT(highest, 2100.0f);
        EXPECT_EQ(dmsToSeconds(state->levelCorners[1][kSouth]), dmsToSeconds("42.35"));
    }
}

// ---- GPS records ----

TEST_F(StartWorkflowTest, GpsRecordReadsThePcxTrackThenTheBlockIsChosen) {
    planName = "幌尻岳GPS";
    dialogs.answerFile(kTrackFixture);
    menu->dispatch("ActRootLogGetMode");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート読み込み", "ORV_YAMANAME", "ORV_SELTRK"}));
    EXPECT_TRUE(state->gpsMode);
    EXPECT_EQ(statusAtSearch, "行き先の山名を設定します。");
    EXPECT_EQ(statusAtTrackFormat, "GPSデータを読み込みます");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].title, "GPSファイルを開く");
    EXPECT_EQ(state->gpsFilePath, kTrackFixture);
    // The file was shown on the status line while it was read.
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), kTrackFixture), statuses.end());

    ASSERT_EQ(state->routeCount, 5);
    EXPECT_EQ(state->route[1].latitude, "42.413");
    EXPECT_EQ(state->route[1].longitude, "142.38");
    EXPECT_EQ(state->route[1].timeText, "08:10:00");
    EXPECT_EQ(state->route[5].timeText, "11:00:00");
    EXPECT_TRUE(state->routeLoaded);

    const StartMenuModel& model = menu->model();
    EXPECT_EQ(model.status, "");
    EXPECT_FALSE(model.progressVisible);
    EXPECT_TRUE(model.meshButtonsEnabled);
    EXPECT_EQ(model.trkIndicators, (std::array<bool, 2>{true, true}));
    // The route on the overview: the middle of 42°41′30″..42°43′10″ N, 142°38′..142°40′58″ E.
    EXPECT_TRUE(model.routeMarkerVisible);
    EXPECT_EQ(model.routeMarkerX, 1172);
    EXPECT_EQ(model.routeMarkerY, 395);
    EXPECT_EQ(model.hScroll, 880);
    EXPECT_EQ(model.vScroll, 160);
    // The track on the preview, from (53, 85) to the summit at (73, 68).
    EXPECT_EQ(state->route[1].pixelX, 53);
    EXPECT_EQ(state->route[1].pixelY, 85);
    EXPECT_EQ(state->route[5].pixelX, 73);
    EXPECT_EQ(state->route[5].pixelY, 68);
    EXPECT_EQ(model.preview.pixelAt(53, 85), state->settings.trackLineColour);

    // The block is confirmed as for a plan; the track stays the route.
    answerLoading();
    menu->confirmBlock();
    EXPECT_EQ(opened.back(), "ORV_TVIEW");
    EXPECT_EQ(state->routeCount, 5);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(StartWorkflowTest, GpsRecordOfASavedPlanHoldsItsRouteTwice) {
    // The saved plan 槍ヶ岳980707 and a mountain file that holds its destination; the plan is
    // drawn without elevation data, so nothing is loaded.
    fs::copy_file(std::string(ORVANE_FIXTURES) + "/plans/Yari980707.RTD", state->dataFolder / "槍ヶ岳980707.RTD");
    ASSERT_EQ(writeTextLines(state->dataFolder / "Orvane.LST", {"槍ヶ岳980707 1998/07/07"}), FileError::None);
    ASSERT_EQ(writeTextLines(dir / "alps.ndb", {"MeshSize=-1", "大天井岳 36.2144 137.4025 2922 おてんしょうだけ A",
                                                "槍ヶ岳 36.2032 137.384 3180 やりがたけ A"}),
              FileError::None);
    state->mountainFilePath = (dir / "alps.ndb").string();
    state->demUnused = 1;
    planName = "槍ヶ岳980707";

    menu->dispatch("ActRootLogGetMode");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート読み込み", "ORV_TVIEW"}));
    EXPECT_TRUE(state->existingPlan);
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "GPSデータを読み込みます"), statuses.end());
    ASSERT_EQ(state->routeCount, 3);
    ASSERT_EQ(state->refRouteCount, 3);
    for (size_t j = 1; j <= 3; ++j) {
        EXPECT_EQ(state->route[j].latitude, state->referenceRoute[j].latitude);
        EXPECT_EQ(state->route[j].mountainName, state->referenceRoute[j].mountainName);
    }
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_EQ(state->selectedMountain, 2);
    EXPECT_TRUE(state->mountainTable[2].onRoute);  // the route names 槍ヶ岳
    EXPECT_FALSE(state->mountainTable[1].onRoute);
    EXPECT_EQ(state->centreMeshCode, "543745");
    EXPECT_EQ(menu->model().sheetCaption, "5437  高山");
    EXPECT_EQ(menu->model().status, "");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(StartWorkflowTest, SavedPlanWhoseDestinationIsNotInTheMountainFileKeepsItsBlock) {
    fs::copy_file(std::string(ORVANE_FIXTURES) + "/plans/Yari980707.RTD", state->dataFolder / "槍ヶ岳980707.RTD");
    ASSERT_EQ(writeTextLines(state->dataFolder / "Orvane.LST", {"槍ヶ岳980707 1998/07/07"}), FileError::None);
    state->demUnused = 1;
    state->selectedMountain = 4;  // left over from an earlier plan
    planName = "槍ヶ岳980707";
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(state->selectedMountain, 0);
    EXPECT_EQ(state->centreMeshCode, "543745");
    EXPECT_FALSE(menu->model().overviewDestination.has_value());
    EXPECT_TRUE(menu->model().routeMarkerVisible);
    EXPECT_EQ(state->refRouteCount, 3);
    EXPECT_EQ(opened.back(), "ORV_TVIEW");
}

TEST_F(StartWorkflowTest, SavedPlanOpensOnTheBlockItWasSavedWith) {
    // Saved after the block was moved one mesh east of 幌尻岳's own mesh 644205.
    ASSERT_EQ(writeTextLines(state->dataFolder / "Orvane.LST", {"東へ 2001/08/01"}), FileError::None);
    ASSERT_EQ(writeTextLines(state->dataFolder / "東へ.RTD",
                             {"42.40 142.4130 42.40 142.4130", ";",
                              "644206 644215 644216 644217 644205 644207 634275 634276 634277", ";",
                              "幌尻岳 42.4301 142.4112 2052 ぽろしりだけ A", ";", "2 TRK", ";",
                              "1 42.42 142.42 900     0 ", "2 42.4301 142.4112 2052  幌尻岳   0 "}),
              FileError::None);
    state->demUnused = 1;
    planName = "東へ";
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(state->centreMeshCode, "644206");
    EXPECT_EQ(state->meshCodes[1], "644215");
    EXPECT_EQ(state->selectedMountain, kHoroshiriRecord);  // in the proposed file
    ASSERT_TRUE(menu->model().overviewDestination.has_value());
    EXPECT_EQ(menu->model().overviewDestination->nameLine, "幌尻岳 2052m");
    EXPECT_EQ(state->refRouteCount, 2);
    EXPECT_EQ(state->referenceRoute[2].mountainName, "幌尻岳");
    EXPECT_EQ(opened.back(), "ORV_TVIEW");
}

// ---- Cancelling ----

TEST_F(StartWorkflowTest, CancelAtEachStepReturnsToIdle) {
    struct Case {
        const char* name;
        const char* command;
        std::function<void(StartWorkflowTest&)> script;
        bool confirm;  // the step is the block's confirmation
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {"plan start cancelled", "ActMakeRootMode", [](StartWorkflowTest& t) { t.cancelPlanStart = true; }, false, {}},
        {"plan start closed", "ActMakeRootMode",
         [](StartWorkflowTest& t) { t.menu->startDialogs().planStart = [](PlanStart&) {}; }, false, {}},
        {"search cancelled", "ActMakeRootMode", [](StartWorkflowTest& t) { t.destination.clear(); }, false, {}},
        {"data question cancelled", "ActMakeRootMode",
         [](StartWorkflowTest& t) { t.dialogs.answerMessage(Answer::Cancel); }, true, {kFolderQuestion}},
        {"folder picker cancelled", "ActMakeRootMode",
         [](StartWorkflowTest& t) {
             t.dialogs.answerMessage(Answer::Ok);
             t.dialogs.answerFolder("");
         },
         true, {kFolderQuestion}},
        {"GPS search cancelled", "ActRootLogGetMode", [](StartWorkflowTest& t) { t.destination.clear(); }, false, {}},
        {"GPS format dialog closed", "ActRootLogGetMode", [](StartWorkflowTest& t) { t.trackFormat.reset(); }, false,
         {}},
        {"GPS file dialog cancelled", "ActRootLogGetMode",
         [](StartWorkflowTest& t) { t.dialogs.answerFile(std::nullopt); }, false, {}},
        {"GPS file with an unknown unit", "ActRootLogGetMode",
         [](StartWorkflowTest& t) {
             t.dialogs.answerFile(t.dir.write("bad.TRK", "U  LAT LON UTM\r\nT  N424130.0 E1423800.0 01-AUG-01 "
                                                         "23:10:00 00800\r\n")
                                      .string());
         },
         false, {"この形式のＴＲＫデータは読み込めません"}},
        {"saved plan without route points", "ActMakeRootMode",
         [](StartWorkflowTest& t) {
             ASSERT_EQ(writeTextLines(t.state->dataFolder / "Orvane.LST", {"空 2001/01/01"}), FileError::None);
             ASSERT_EQ(writeTextLines(t.state->dataFolder / "空.RTD",
                                      {"42.40 142.373 42.40 142.373", ";",
                                       "644205 644214 644215 644216 644204 644206 634274 634275 634276", ";",
                                       "幌尻岳 42.4301 142.4112 2052 ぽろしりだけ A", ";", "0 TRK", ";"}),
                       FileError::None);
             t.planName = "空";
         },
         false, {"このファイルにはルートデータが保存されていません。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        c.script(*this);
        menu->dispatch(c.command);
        if (c.confirm) {
            ASSERT_TRUE(menu->model().meshButtonsEnabled);
            menu->confirmBlock();
        }
        std::vector<std::string> texts;
        for (const auto& asked : dialogs.messages()) texts.push_back(asked.text);
        EXPECT_EQ(texts, c.messages);
        EXPECT_TRUE(std::find(opened.begin(), opened.end(), "ORV_TVIEW") == opened.end());
        expectIdle();
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }
}

TEST_F(StartWorkflowTest, CancelInTheEndOfMapDialogStaysOnTheMap) {
    state->demUnused = 1;
    menu->dispatch("ActMakeRootMode");
    menu->confirmBlock();
    ASSERT_TRUE(routeMap);
    saveAtEnd = false;
    routeMap->dispatch("ActTViewExit");
    EXPECT_EQ(opened.back(), "ORV_TVEND");
    EXPECT_EQ(state->planName, "幌尻岳0801");
    EXPECT_EQ(menu->model().caption, "地域選択  幌尻岳0801");

    // Leaving without a route: "ルート図を終了します。" and "はい (&Y)" leave no files.
    saveAtEnd = true;
    routeMap->dispatch("ActTViewExit");
    EXPECT_EQ(opened.back(), "ORV_MAIN");
    expectIdle();
    EXPECT_FALSE(fs::exists(state->dataFolder / "幌尻岳0801.RTD"));
}

TEST_F(StartWorkflowTest, CommandsWhileASequenceRunsWaitForItInOrder) {
    int deletions = 0;
    int starts = 0;
    menu->startDialogs().planDeletion = [&] { ++deletions; };
    menu->startDialogs().planStart = [&](PlanStart& dialog) {
        if (++starts == 1) {
            menu->dispatch("ActDelCtrlRootFile");  // waits: a sequence is running
            menu->dispatch("ActMakeRootMode");     // waits too, and comes after the deletion
            EXPECT_EQ(menu->pendingCommands(), 2u);
            EXPECT_EQ(deletions, 0);
        } else {
            EXPECT_EQ(deletions, 1);
        }
        dialog.cancel();
    };
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(starts, 2);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(menu->pendingCommands(), 0u);
    // The mesh buttons do nothing while disabled.
    menu->moveBlock(Direction::North);
    menu->confirmBlock();
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(StartWorkflowTest, CommandsWaitingWhenTheRouteMapOpensAreDropped) {
    // Loading the block lets window events run; a command chosen then waits, and goes when the
    // start menu gives way to the route map.
    int deletions = 0;
    menu->startDialogs().planDeletion = [&] { ++deletions; };
    menu->dispatch("ActMakeRootMode");
    answerLoading();
    size_t pendingThen = 0;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            menu->dispatch("ActDelCtrlRootFile");
            pendingThen = menu->pendingCommands();
        },
        Qt::QueuedConnection);
    menu->confirmBlock();
    ASSERT_TRUE(routeMap);
    EXPECT_EQ(pendingThen, 1u);
    EXPECT_EQ(menu->pendingCommands(), 0u);
    EXPECT_EQ(deletions, 0);
}

TEST_F(StartWorkflowTest, SearchingAgainAsksFirstAndCancelKeepsTheDestination) {
    menu->dispatch("ActMakeRootMode");
    ASSERT_TRUE(state->mountainConfirmed);
    menu->moveBlock(Direction::East);

    // The plan sequence again while the block is being chosen: the question before a new
    // search; Cancel keeps 幌尻岳.
    dialogs.answerMessage(Answer::Cancel);
    destination = "札内岳";
    menu->dispatch("ActMakeRootMode");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "すでに検索され確定していますが、再度検索しますか。");
    EXPECT_EQ(dialogs.messages()[0].title, "検索問い合わせ");
    EXPECT_EQ(dialogs.messages()[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(state->mountainTable[static_cast<size_t>(state->selectedMountain)].name, "幌尻岳");
    EXPECT_TRUE(menu->model().meshButtonsEnabled);

    // OK searches again.
    dialogs.answerMessage(Answer::Ok);
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(state->mountainTable[static_cast<size_t>(state->selectedMountain)].name, "札内岳");
    EXPECT_EQ(std::count(opened.begin(), opened.end(), "ORV_YAMANAME"), 2);
}

// ---- A file given when the program starts ----

TEST_F(StartWorkflowTest, GivenRouteDataFileOpensItsPlanWhereverItLies) {
    // Outside the data folder with lower-case extensions, and in the data folder without a line
    // in the plan list: either way the plan is read from the file, with the ridge/valley file
    // beside it, and leaving the map without saving leaves the file where it was.
    const struct {
        const char* folder;
        const char* route;
        const char* ridgeValley;
    } cases[] = {
        {"elsewhere", "槍ヶ岳980707.rtd", "槍ヶ岳980707.rvd"},
        {"Data", "槍ヶ岳980707.RTD", "槍ヶ岳980707.RVD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        restart();
        const fs::path folder = dir / c.folder;
        fs::create_directories(folder);
        fs::copy_file(std::string(ORVANE_FIXTURES) + "/plans/Yari980707.RTD", folder / c.route);
        fs::copy_file(std::string(ORVANE_FIXTURES) + "/plans/Yari980707.RVD", folder / c.ridgeValley);
        state->demUnused = 1;
        keepName = true;
        menu->openGivenFile(folder / c.route);
        EXPECT_EQ(nameAtOpen, "槍ヶ岳980707");
        EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_TVIEW"}));
        EXPECT_TRUE(state->existingPlan);
        EXPECT_EQ(state->planName, "槍ヶ岳980707");
        EXPECT_EQ(state->refRouteCount, 3);
        EXPECT_EQ(state->centreMeshCode, "543745");
        EXPECT_TRUE(state->ridgeValleyPresent);
        EXPECT_GT(state->ridgeValleyCount, 0);
        EXPECT_EQ(state->dataFolder, dir / "Data");
        EXPECT_FALSE(menu->busy());

        ASSERT_TRUE(routeMap);
        routeMap->dispatch("ActTViewExit");
        EXPECT_EQ(opened.back(), "ORV_MAIN");
        EXPECT_TRUE(fs::exists(folder / c.route));
        EXPECT_TRUE(dialogs.allAnswersUsed());
    }

    // Another name typed in the dialog starts that plan; the file is not read.
    restart();
    fs::create_directories(dir / "elsewhere");
    menu->openGivenFile(dir / "elsewhere" / "槍ヶ岳980707.rtd");
    EXPECT_EQ(nameAtOpen, "槍ヶ岳980707");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_YAMANAME"}));
    EXPECT_EQ(state->planName, "幌尻岳0801");
    EXPECT_FALSE(state->existingPlan);
    EXPECT_EQ(state->refRouteCount, 0);
    EXPECT_TRUE(menu->model().meshButtonsEnabled);
}

TEST_F(StartWorkflowTest, GivenFileThatCannotBeOpenedIsNamedAndTheMenuStaysUsable) {
    fs::create_directories(dir / "folder.RTD");
    ASSERT_EQ(writeTextLines(dir / "notes.doc", {"x"}), FileError::None);
    ASSERT_EQ(writeTextLines(dir / "a b.RTD", {"x"}), FileError::None);
    const struct {
        fs::path path;
        std::string message;
    } cases[] = {
        {dir / "missing.TRK", "ファイルが見つかりません。"},
        {dir / "notes.doc",
         "この種類のファイルは開けません。\r\n開けるのはルートデータファイル（.RTD）、GPSファイル（.TRK .WPT "
         ".GPX .TXT）、山名ファイル（.ndb .Ymd）です。"},
        {dir / "folder.RTD", "ファイルを読み込めません。"},
        {dir / "a b.RTD",
         "ルートデータファイルの名前は管理ファイル名に使えないため、開けません。\r\n管理ファイル名に空白は使えません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        dialogs = test::ScriptedDialogs{};
        menu->openGivenFile(c.path);
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, c.message + "\r\n" + c.path.string());
        EXPECT_EQ(dialogs.messages()[0].title, "ファイルを開く");
        EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
        EXPECT_TRUE(opened.empty());
        expectIdle();
    }
    menu->dispatch("ActMakeRootMode");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_YAMANAME"}));
}

TEST_F(StartWorkflowTest, GivenGpsFileIsReadWithoutTheFormatAndFileDialogs) {
    // A PCX track file with its waypoint file beside it: both are read, nothing is asked.
    const fs::path folder = dir / "gps";
    fs::create_directories(folder);
    fs::copy_file(kTrackFixture, folder / "horoshiri.trk");
    ASSERT_EQ(writeTextLines(folder / "horoshiri.WPT",
                             {"U  LAT LON DEG", "W  001 N42.7 E142.65 08-OCT-99 15:20:00 0"}),
              FileError::None);
    planName = "幌尻岳GPS";
    menu->openGivenFile(folder / "horoshiri.trk");
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート読み込み", "ORV_YAMANAME"}));
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(state->routeCount, 5);
    EXPECT_EQ(state->waypointCount, 1);
    EXPECT_EQ(state->gpsFilePath, (folder / "horoshiri.WPT").string());
    EXPECT_TRUE(menu->model().meshButtonsEnabled);
    EXPECT_TRUE(menu->model().trkIndicators[0]);

    // A waypoint file alone: the track file is asked for, in the waypoint file's folder.
    restart();
    fs::remove(folder / "horoshiri.trk");
    dialogs.answerFile(kTrackFixture);
    menu->openGivenFile(folder / "horoshiri.WPT");
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, kPcxTrackFilter);
    EXPECT_EQ(dialogs.asked()[0].initialPath, folder.string());
    EXPECT_EQ(state->routeCount, 5);
    EXPECT_EQ(state->waypointCount, 1);
    EXPECT_TRUE(menu->model().meshButtonsEnabled);
}

TEST_F(StartWorkflowTest, GivenMountainFileIsThePlanStartDialogsMountainFile) {
    const fs::path file = dir / "alps.Ymd";
    ASSERT_EQ(writeTextLines(file, {"MeshSize=-1", "槍ヶ岳 36.2032 137.384 3180 やりがたけ A"}), FileError::None);
    destination = "槍ヶ岳";
    menu->openGivenFile(file);
    EXPECT_EQ(mountainFileAtOpen, file.string());
    EXPECT_EQ(opened, (std::vector<std::string>{"ORV_MRINFO ルート作成", "ORV_YAMANAME"}));
    EXPECT_EQ(state->mountainFilePath, file.string());
    EXPECT_EQ(state->mountainCount, 1);
    EXPECT_EQ(state->centreMeshCode, "543745");
    EXPECT_TRUE(menu->model().meshButtonsEnabled);
}

}  // namespace
}  // namespace orv
