#pragma once
// The commands of the route map window (ORV_TVIEW) in one table: every tool id as a typed
// constant, the bands in the order the window defines them (name, caption, the category their
// commands share), and for each command its caption, the band it opens, and its handler: the
// action the route map runs for it with the parameter the id passes (a zoom level, a background
// mode, a colour set, a contour tool, a mark kind, a ridge or valley line).
//
// The table sits in the map area, below the route map: the map's own operations (zoom levels,
// background modes, colour sets, contours) keep the check marks of their commands. The route
// map (route/RouteMap) runs the actions. No other file spells a tool id of this window.
#include "platform/MenuModel.h"
#include "platform/ToolId.h"

#include <array>
#include <span>
#include <string_view>

namespace orv {

namespace mapTool {
// Band PopupMenu: the main band, and the entries that open the other bands.
inline constexpr ToolId kRangeZoom = "ActZupMode";
inline constexpr ToolId kZoomLevelMenu = "ActZoutMode";
inline constexpr ToolId kDrawingMenu = "ActDispOut";
inline constexpr ToolId kRidgeValleyNameMenu = "ActRVName";
inline constexpr ToolId kDataDisplayMenu = "ActMountNameMode";
inline constexpr ToolId kNewRouteMenu = "ActMakeRoot";
inline constexpr ToolId kRouteEditAndViewMenu = "ActTRKEditMode";
inline constexpr ToolId kCourseTime = "ActCalCorseTime";
inline constexpr ToolId kDisplaySettingsMenu = "ActNameColorSet";
inline constexpr ToolId kCopyToClipboard = "ActCopyToClip";
inline constexpr ToolId kCopyToFile = "ActCopyToFile";
inline constexpr ToolId kSightMenu = "ActSightMenu";
inline constexpr ToolId kExitMap = "ActTViewExit";

// SightMenu: the panorama and the visible-area map.
inline constexpr ToolId kPanorama = "ActPanorama";
inline constexpr ToolId kPanoramaHere = "ActPanoramaHere";
inline constexpr ToolId kSightTint = "ActSightTint";
inline constexpr ToolId kClearSightTint = "ActSightTintClear";
inline constexpr ToolId kPeakSeenStretches = "ActPeakSeenStretch";

// MakeRootMenu.
inline constexpr ToolId kMouseRoute = "ActMakeNewTRKdata";
inline constexpr ToolId kRouteFromSheet = "ActMakeMapRoot";
inline constexpr ToolId kRouteFromMapImage = "ActBMPMapMakeRoot";
inline constexpr ToolId kTraceReferenceRoute = "ActCopyRefRoot";
inline constexpr ToolId kReferenceStart = "ActTPStartRoot";
inline constexpr ToolId kDeleteRoute = "ActDelRoot";

// SetColorMenu.
inline constexpr ToolId kMountainNameFont = "ActChgMountName";
inline constexpr ToolId kPlaceNameFont = "ActChgPName";
inline constexpr ToolId kRidgeValleyNameFont = "ActChgRVFont";
inline constexpr ToolId kRouteColour = "ActChgTRKColor";
inline constexpr ToolId kReferenceColour = "ActChgREFLColor";
inline constexpr ToolId kBackgroundColourMenu = "ActBColorSet";

// SetMNameMenu.
inline constexpr ToolId kAllMountainNames = "ActALLMtNameOutput";
inline constexpr ToolId kDestinationNameOnly = "ActMtName";
inline constexpr ToolId kElevationLabels = "ActHDdispON";
inline constexpr ToolId kCumulativeTimes = "ActSumTimeOut";

// RidVMenu.
inline constexpr ToolId kTraceRidgeValley = "ActMakeOneSuji";
inline constexpr ToolId kRidgeValleyLines = "ActViewRVout";
inline constexpr ToolId kRevertRidgeValley = "ActReturnRef";

// DispGMode. "等高線" stays a command; its interval band hangs under an entry of its own.
inline constexpr ToolId kContours = "ActDispContor";
inline constexpr ToolId kContourIntervalMenu = "ActDispContorMenu";
inline constexpr ToolId kProfile = "ActVView";
inline constexpr ToolId kRidgeValleyMenu = "ActViewRV";
inline constexpr ToolId kRidgeValleyNames = "ActRVNameViewSet";
// Background modes 0..3: "段彩陰影図", "段彩図", "経緯度線のみ", "背景なし".
inline constexpr std::array<ToolId, 4> kBackgroundModes{"ActStpColSMode", "ActStpColMode",
                                                        "ActDegLineMode", "ActNoBGMode"};
// The colour set a map is drawn with, 0..4: "ﾃﾞﾌｫﾙﾄ背景色", "ﾕｰｻﾞｰ１背景色" ….
inline constexpr std::array<ToolId, 5> kViewColourSets{"ActViewBCDef", "ActViewBCU1", "ActViewBCU2",
                                                       "ActViewBCU3", "ActViewBCU4"};

// BCColorSetMenu: editing colour set 0..4 ("ﾃﾞﾌｫﾙﾄ", "ﾕｰｻﾞｰ１" …).
inline constexpr std::array<ToolId, 5> kEditColourSets{"ActBCDefColor", "ActBCUser1", "ActBCUser2",
                                                       "ActBCUser3", "ActBCUser4"};

// TRKjobMenu.
inline constexpr ToolId kRouteEdit = "ActEditRootData";
inline constexpr ToolId kSaveRoutePcx = "ActSaveRootPCX";
inline constexpr ToolId kSaveRouteGpx = "ActSaveRootGPX";
inline constexpr ToolId kRouteView = "ActTRKView";
inline constexpr ToolId kReferenceRoute = "ActViewRefTRK";
inline constexpr ToolId kSegmentPositions = "ActViewSepData";
inline constexpr ToolId kWaypointNames = "ActWPnameDisp";

// RVContMenu.
inline constexpr ToolId kContinueRidge = "ActContOneLine";
inline constexpr ToolId kContinueValley = "ActContVLine";
inline constexpr ToolId kEndRidgeValley = "ActExitRVLine";

// RootEditMenu. The marks of kinds 1..5; the fifth is understood but offered by no band.
inline constexpr ToolId kDeleteRoutePoint = "ActDelTRKPoint";
inline constexpr ToolId kRegisterMountainName = "ActMakeMtName";
inline constexpr ToolId kRegisterPlaceName = "ActMakePName";
inline constexpr std::array<ToolId, 5> kMarks{"ActSetCamp", "ActSetMtHouse", "ActSetViewPoint",
                                              "ActSetWPoint", "ActSetEtPoint"};
inline constexpr ToolId kRouteEditEnd = "ActExitRootEdit";

// RefPointSetMenu.
inline constexpr ToolId kRouteFromReferencePoint = "ActMakeRootPos";
inline constexpr ToolId kStopMaking = "ActStopMaking";

// MPEditMenu.
inline constexpr ToolId kSheetPointJob = "ActMPjob";
inline constexpr ToolId kSheetPointReinput = "ActMPreinput";
inline constexpr ToolId kSheetPointDelete = "ActMPdel";

// SlevelselMenu: levels 1..5.
inline constexpr std::array<ToolId, 5> kZoomLevels{"ActVlv1", "ActVlv2", "ActVlv3", "ActVlv4",
                                                   "ActVlv5"};

// RVNEditMenu and DELRVNData.
inline constexpr ToolId kRidgeValleyNameInput = "ActRVNInput";
inline constexpr ToolId kRidgeValleyNameDelete = "ActRVNDDel";
inline constexpr ToolId kRidgeValleyNameDataDelete = "ActDelData";

// PopupBand1: contour tools 1..9 (10 m … 1000 m, "任意") and "等高線消去".
inline constexpr std::array<ToolId, 9> kContourIntervals{
    "ActCNTPdata1", "ActCNTPdata2", "ActCNTPdata3", "ActCNTPdata4", "ActCNTPdata5",
    "ActCNTPdata6", "ActCNTPdata7", "ActCNTPdata8", "ActCNTPdata9"};
inline constexpr ToolId kClearContours = "ActDelCnt";
}  // namespace mapTool

// The main band: the right-click menu of the map and the window's menu bar.
inline constexpr const char* kRouteMapMainBand = "PopupMenu";
// The bands the map pops up in edit mode and while a reference start is chosen.
inline constexpr const char* kRouteEditBand = "RootEditMenu";
inline constexpr const char* kReferencePointBand = "RefPointSetMenu";
inline constexpr const char* kSheetPointBand = "MPEditMenu";
inline constexpr const char* kSightBand = "SightMenu";
inline constexpr const char* kContourIntervalCaption = "等高線間隔";

// What a command of the route map does.
enum class MapAction {
    None,  // an entry that opens a band

    // Map view, background and contours.
    StartRangeZoom,
    SelectZoomLevel,       // level 1..5
    SelectBackgroundMode,  // mode 0..3
    ViewColourSet,         // set 0..4
    EditColourSet,         // set 0..4
    ShowContours,
    SetContourInterval,    // contour tool 1..9
    ClearContours,
    ShowProfile,
    ExitMap,

    // Route creation and editing.
    BeginMouseRoute,
    RouteFromSheet,
    RouteFromMapImage,
    TraceReferenceRoute,
    BeginReferenceStart,
    DeleteRoute,
    StartFromReferencePoint,
    StopMaking,
    RouteEditOn,
    RouteEditOff,
    DeleteRoutePoint,
    RegisterMountainName,
    RegisterPlaceName,
    SetMark,  // kind 1..5

    // Overlays and their settings.
    ChangeFont,  // text style 0, 1 or 9
    ChangeRouteColour,
    ChangeReferenceColour,
    AllMountainNames,
    DestinationNameOnly,
    ToggleElevationLabels,
    ToggleCumulativeTimes,
    ToggleRouteView,
    ToggleReferenceRoute,
    ToggleSegmentPositions,
    ToggleWaypointNames,

    // Ridge and valley lines and their names.
    TraceRidgeValley,
    ToggleRidgeValleyLines,
    RevertRidgeValley,
    ContinueRidgeValley,  // 0 ridge, 1 valley
    EndRidgeValley,
    ToggleRidgeValleyNames,
    RidgeValleyNameInput,
    RidgeValleyNameDelete,
    RidgeValleyNameDataDelete,

    // Schedule, output and sheet measurements.
    CourseTime,
    CopyToClipboard,
    CopyToFile,
    SaveTrackPcx,
    SaveTrackGpx,
    SheetPointJob,
    SheetPointReinput,
    SheetPointDelete,

    // The panorama and the visible-area map (an area above the map runs them).
    Sight,
    ClearSightTint,
};

// One command of the table.
struct RouteMapTool {
    ToolId id;
    std::string_view caption;
    MapAction action = MapAction::None;
    int parameter = 0;
    std::string_view subBand = {};  // the band this entry opens, or empty
    bool separatorBefore = false;
};

struct RouteMapBand {
    std::string_view name;
    std::string_view caption;
    std::string_view category;
    std::span<const RouteMapTool> tools;
};

// All bands in the order the window defines them.
std::span<const RouteMapBand> routeMapBands();

// The command of a tool id, whether a band offers it or not; nullptr for an unknown id.
const RouteMapTool* findRouteMapTool(std::string_view toolId);

struct MapCommand {
    MapAction action = MapAction::None;
    int parameter = 0;
    bool operator==(const MapCommand&) const = default;
};

// The action and parameter of a tool id; nothing to do (MapAction::None) for an entry that
// opens a band and for an unknown id.
MapCommand mapCommandOf(std::string_view toolId);

// Adds every band with its commands (all enabled and unchecked) to the model.
void buildRouteMapMenus(MenuModel& menus);

}  // namespace orv
