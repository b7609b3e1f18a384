#pragma once
// The one process-wide record every window reads and writes. Tables keep their fixed sizes
// and explicit counts; slot 0 of a table has the meaning its owner gives it.
#include "core/Colour.h"
#include "core/TextStyle.h"
#include "geo/Angles.h"
#include "geo/ElevationGrid.h"
#include "geo/MeshCode.h"
#include "geo/MeshCorners.h"
#include "platform/DesktopPlaces.h"
#include "state/ColourTable.h"
#include "state/CourseSegment.h"
#include "state/MapImageReference.h"
#include "state/MountainRecord.h"
#include "state/SightChoices.h"
#include "state/RidgeValley.h"
#include "state/RouteModel.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace orv {

struct RegionEntry {
    const char* code;
    const char* sheetName;
};

inline constexpr int kRegionCount = 110;
extern const std::array<RegionEntry, kRegionCount> regionTable;

// Sheet name of a first-level code ("5339" -> "東京"); "" when the code is not in the table.
// Only the first four characters of `code` are compared.
std::string regionSheetName(std::string_view code);

// Where mountains of Japan lie: a mountain file's records outside are dropped, and the search of
// all Japan looks inside. It reaches the islands from Okinotori-shima (20° 25′ N) to
// Minami-tori-shima (153° 59′ E) and Yonaguni (122° 56′ E), beyond the start menu's overview map
// (30°..46° N, 128°..149° E), so the survey's list of main peaks is read whole.
struct JapanBounds {
    DmsText south = "20.00";
    DmsText north = "46.00";
    DmsText west = "122.00";
    DmsText east = "154.00";
};

// Corner cells of one zoom level: south, north, west, east.
enum Corner { kSouth = 0, kNorth = 1, kWest = 2, kEast = 3 };
using CornerTexts = std::array<DmsText, 4>;
using LevelCorners = std::array<CornerTexts, 6>;

// The persisted user choices (see the settings store for keys and defaults).
struct SettingsValues {
    ColourTable colourTable{};
    std::array<int16_t, kColourSets> registeredSets{};  // set 0 defined flag, user sets 1..4
    LineStyleSetting ridgeLine{192, 192, 192, 3};
    LineStyleSetting valleyLine{255, 0, 0, 1};
    Colour trackLineColour = makeColour(255, 0, 0);
    Colour referenceLineColour = makeColour(128, 255, 255);
    int16_t backgroundMethod = 0;
    int16_t colourSetIndex = 0;
    float savedBackgroundLevel = 0.9f;
    std::string cdromDriveText;
    // The elevation tile servers for "標高データの作成" ("template zoom" pairs); empty: the
    // survey's public tiles.
    std::string tileUrlSetting;
    float climbSpeed = 300;    // metres of ascent per hour
    float descentSpeed = 500;  // metres of descent per hour
    float flatSpeed = 4;       // km per hour
    int16_t shortRest = 5;     // minutes
    int16_t longRest = 60;     // minutes
};

inline constexpr int kTextStyles = 10;

// The ten text styles with their start values.
std::array<TextStyle, kTextStyles> initialTextStyles();

// The state is kept in groups by when it takes its start values again. Each member's initialiser
// is its start value; setStartValues and resetPlanState assign a fresh group.

// Texts and bounds that stay as they are for the whole run.
struct FixedTexts {
    std::string regionCaption = "地域選択";
    std::string mapWindowTitle = "ルート平面図";
    std::string profileWindowTitle = "ルート断面図";
    JapanBounds japanBounds;
};

// Flags of the plan being worked on: back to these values whenever the plan is left.
struct PlanFlags {
    bool routeLoaded = false;         // the route table holds a route the overlays draw
    bool mountainFileLoaded = false;
    bool mountainConfirmed = false;   // a destination was confirmed in the search
    int32_t ridgeValleyCount = 0;
    int32_t ridgeValleyLoaded = 0;
    bool ridgeValleyPresent = false;  // the plan has ridge/valley lines
    // The route map's label and line displays of the plan.
    bool elevationLabelsShown = false;
    bool cumulativeTimesShown = false;
    bool ridgeValleyLinesShown = false;
    // The background mode stored before a plan without elevation data forced its own; it
    // comes back when the plan is left, unless the user chose another mode meanwhile.
    std::optional<int16_t> backgroundBeforeNoData;
};

// Values that start with the program and carry over from one plan to the next: the zoom level,
// the creation choices, the display state of the map, profile and sheet windows, and the text
// styles.
struct SessionValues {
    int16_t currentLevel = 1;
    bool newMountainFile = false;
    bool roundTrip = false;  // the route is processed out and back over the same points
    float backgroundLevel = 1.0f;
    bool contoursShown = false;
    int16_t contourInterval = 0;  // metres; 0 until the user first chooses one in this run
    float contourTint = 0.8f;
    bool ridgeValleyNamesShown = true;
    float ridgeValleyLabelScale = 1.3f;
    std::array<bool, 3> profileFlags{true, false, false};
    // The profile's data labels: segment distance, elevation, slope angle, segment time,
    // segment climb (not persisted; segment distance on at start).
    std::array<bool, 5> profileLabels{true, false, false, false, false};
    // The pitch length of the last course-time calculation, in minutes (the profile's status
    // line quotes it).
    int16_t pitchMinutes = 55;
    // Routes from printed sheets and map images. sheetRegistered[j]: the sheet of mesh slot j
    // (1..9) has all four frame sides; set by the sheet dimensions dialog, cleared when the route
    // map opens. selectedSheet: the slot of the sheet button clicked last (0 before any).
    // nextSheetPoint: the raw route slot the next measured point fills (the map-image window
    // uses it as the number of the last traced point).
    std::array<bool, 10> sheetRegistered{};
    int16_t selectedSheet = 0;
    int32_t nextSheetPoint = 0;
    // Scanned map images and their frames, one per mesh slot 1..9, kept for the run.
    MapImageReferenceTable mapImageReferences{};
    std::array<TextStyle, kTextStyles> textStyles = initialTextStyles();
};

struct AppState : FixedTexts, PlanFlags, SessionValues {
    // Paths.
    std::filesystem::path appFolder;
    std::filesystem::path dataFolder;
    // The folder each kind of file was last opened from or saved to, and the main windows'
    // last places; kept beside the settings between runs.
    FileFolders fileFolders;
    WindowFrames windowFrames;
    // The panorama's and the visible-area map's choices, kept beside the settings too.
    SightChoices sightChoices;
    std::string planName;
    std::string gpsFilePath;

    // Elevation data and geometry.
    int16_t demUnused = 0;
    int16_t demMedia = 0;
    std::string demFolder;
    MeshCode centreMeshCode;
    std::array<MeshCode, 10> meshCodes{};
    std::array<MeshCornerTable, 10> meshCorners{};
    LevelCorners levelCorners{};
    ElevationGrid elevationGrid;

    // Names.
    std::string mountainFilePath;
    MountainTable mountainTable{};
    int32_t mountainCount = 0;
    int16_t selectedMountain = 0;
    std::string destinationLineAsRead;  // a saved plan's destination not in the table, as read

    // Route data.
    RouteTable route{};
    int16_t routeCount = 0;
    RouteTable referenceRoute{};
    int16_t refRouteCount = 0;
    RouteTable spareRoute{};
    RawRouteTable rawRoute{};
    WaypointTable waypoints{};
    int16_t waypointCount = 0;
    bool waypointsRead = false;
    CourseSegmentTable segments{};
    int16_t segmentCount = 0;
    RidgeValleyTable ridgeValleyPoints{};
    bool rvnFileExists = false;

    // Start sequence.
    bool existingPlan = false;  // the plan name is one of the saved plans
    bool gpsMode = false;       // a walked route from GPS files is reviewed, not a plan made

    // Persisted settings.
    SettingsValues settings;
};

// Gives the fixed texts, the plan flags and the session values their start values (start
// sequence step 4); paths, settings and tables are left as they are.
void setStartValues(AppState& state);

// Returns the state to the state without a plan: the plan's tables are cleared, the plan name
// emptied and the plan flags back at their start values. The start menu resets its own part.
void resetPlanState(AppState& state);

// The background mode a plan without elevation data is drawn in ("経緯度線のみ").
inline constexpr int16_t kNoDataBackgroundMethod = 2;

// A plan without elevation data is drawn in kNoDataBackgroundMethod; the stored mode is kept
// aside for the next plan (resetPlanState puts it back).
void forceNoDataBackground(AppState& state);

// AppState is large (the elevation grid alone is 8.7 MB): always create it on the heap.
std::unique_ptr<AppState> makeAppState();

// Clearing operations: every slot's texts "" and numbers 0, and the count 0.
void clearRoute(AppState& state);
void clearReferenceRoute(AppState& state);
void clearSpareRoute(AppState& state);
void clearRawRoute(AppState& state);
void clearWaypoints(AppState& state);
void clearSegments(AppState& state);
void clearMountains(AppState& state);

}  // namespace orv
