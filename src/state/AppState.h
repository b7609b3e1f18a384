#pragma once
// The one process-wide record every window reads and writes. Tables keep their fixed sizes
// and explicit counts; slot 0 of a table has the meaning its owner gives it.
#include "core/Colour.h"
#include "core/TextStyle.h"
#include "geo/Angles.h"
#include "geo/ElevationGrid.h"
#include "geo/MeshCode.h"
#include "geo/MeshCorners.h"
#include "state/ColourTable.h"
#include "state/CourseSegment.h"
#include "state/MountainRecord.h"
#include "state/RidgeValley.h"
#include "state/RouteModel.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
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

struct JapanBounds {
    DmsText south = "30.00";
    DmsText north = "46.00";
    DmsText west = "128.00";
    DmsText east = "149.00";
};

// Corner cells of one zoom level: south, north, west, east.
enum Corner { kSouth = 0, kNorth = 1, kWest = 2, kEast = 3 };
using LevelCorners = std::array<std::array<DmsText, 4>, 6>;

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
    float climbSpeed = 300;    // metres of ascent per hour
    float descentSpeed = 500;  // metres of descent per hour
    float flatSpeed = 4;       // km per hour
    int16_t shortRest = 5;     // minutes
    int16_t longRest = 60;     // minutes
};

inline constexpr int kTextStyles = 10;

struct AppState {
    // Paths and fixed texts.
    std::filesystem::path appFolder;
    std::filesystem::path dataFolder;
    std::string planName;
    std::string regionCaption = "地域選択";
    std::string mapWindowTitle = "ルート平面図";
    std::string profileWindowTitle = "ルート断面図";
    JapanBounds japanBounds;
    std::string gpsFilePath;

    // Elevation data and geometry.
    int16_t demUnused = 0;
    int16_t demMedia = 0;
    std::string demFolder;
    MeshCode centreMeshCode;
    std::array<MeshCode, 10> meshCodes{};
    std::array<MeshCornerTable, 10> meshCorners{};
    LevelCorners levelCorners{};
    int16_t currentLevel = 1;
    ElevationGrid elevationGrid;

    // Names.
    std::string mountainFilePath;
    MountainTable mountainTable{};
    int32_t mountainCount = 0;
    int16_t mountainFileLoaded = 0;
    int16_t selectedMountain = 0;
    int16_t mountainConfirmed = 0;
    int16_t newMountainFile = 0;

    // Route data.
    RouteTable route{};
    int16_t routeCount = 0;
    RouteTable referenceRoute{};
    int16_t refRouteCount = 0;
    RouteTable spareRoute{};
    RawRouteTable rawRoute{};
    WaypointTable waypoints{};
    int16_t waypointCount = 0;
    int16_t waypointsRead = 0;
    int16_t routeLoaded = 0;
    int16_t roundTrip = 0;
    CourseSegmentTable segments{};
    int16_t segmentCount = 0;
    RidgeValleyTable ridgeValleyPoints{};
    int32_t ridgeValleyCount = 0;
    int32_t ridgeValleyLoaded = 0;
    int16_t ridgeValleyPresent = 0;
    int16_t rvnFileExists = 0;

    // Start sequence.
    int16_t startCancelled = 0;
    int16_t existingPlan = 0;
    int16_t gpsMode = 0;

    // Persisted settings.
    SettingsValues settings;

    // Display state owned by the map, route and profile windows, with its start values.
    int16_t elevationLabelsShown = 0;
    int16_t cumulativeTimesShown = 0;
    float backgroundLevel = 1.0f;
    bool contoursShown = false;
    float contourTint = 0.8f;
    bool ridgeValleyLinesShown = false;
    bool ridgeValleyNamesShown = true;
    float ridgeValleyLabelScale = 1.3f;
    std::array<int16_t, 3> profileFlags{1, 0, 0};
    std::array<int16_t, 10> sheetDimensionsSet{};  // per mesh slot 1..9
    int16_t sheetPointCount = 0;

    // Text styles 0..9.
    std::array<TextStyle, kTextStyles> textStyles{};
};

// The ten text styles with their start values.
std::array<TextStyle, kTextStyles> initialTextStyles();

// Sets every start value of the state (start sequence step 4 and the fixed tables).
void setStartValues(AppState& state);

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
