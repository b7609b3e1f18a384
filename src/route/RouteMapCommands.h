#pragma once
// The route map's command table: what each tool id of its bands does, with the parameter the
// id passes (a zoom level, a background mode, a colour set, a contour tool, a mark kind, a
// ridge or valley line). Entries that only open a sub-band, and unknown ids, do nothing.
#include <string_view>

namespace orv {

enum class MapAction {
    None,  // sub-band entries and unknown tool ids

    // Map view, background and contours.
    StartRangeZoom,        // ActZupMode
    SelectZoomLevel,       // ActVlv1..5 -> level 1..5
    SelectBackgroundMode,  // ActStpColSMode, ActStpColMode, ActDegLineMode, ActNoBGMode -> 0..3
    ViewColourSet,         // ActViewBCDef, ActViewBCU1..4 -> 0..4
    EditColourSet,         // ActBCDefColor, ActBCUser1..4 -> 0..4
    ShowContours,          // ActDispContor
    SetContourInterval,    // ActCNTPdata1..9 -> 1..9
    ClearContours,         // ActDelCnt
    ShowProfile,           // ActVView
    ExitMap,               // ActTViewExit

    // Route creation and editing.
    BeginMouseRoute,          // ActMakeNewTRKdata
    RouteFromSheet,           // ActMakeMapRoot
    RouteFromMapImage,        // ActBMPMapMakeRoot
    TraceReferenceRoute,      // ActCopyRefRoot
    BeginReferenceStart,      // ActTPStartRoot
    DeleteRoute,              // ActDelRoot
    StartFromReferencePoint,  // ActMakeRootPos
    StopMaking,               // ActStopMaking
    RouteEditOn,              // ActEditRootData
    RouteEditOff,             // ActExitRootEdit
    DeleteRoutePoint,         // ActDelTRKPoint
    RegisterMountainName,     // ActMakeMtName
    RegisterPlaceName,        // ActMakePName
    SetMark,                  // ActSetCamp, ActSetMtHouse, ActSetViewPoint, ActSetWPoint, ActSetEtPoint -> 1..5

    // Overlays and their settings.
    ChangeFont,               // ActChgMountName -> 0, ActChgPName -> 1, ActChgRVFont -> 9 (text style)
    ChangeRouteColour,        // ActChgTRKColor
    ChangeReferenceColour,    // ActChgREFLColor
    AllMountainNames,         // ActALLMtNameOutput
    DestinationNameOnly,      // ActMtName
    ToggleElevationLabels,    // ActHDdispON
    ToggleCumulativeTimes,    // ActSumTimeOut
    ToggleRouteView,          // ActTRKView
    ToggleReferenceRoute,     // ActViewRefTRK
    ToggleSegmentPositions,   // ActViewSepData
    ToggleWaypointNames,      // ActWPnameDisp

    // Ridge and valley lines and their names.
    TraceRidgeValley,         // ActMakeOneSuji
    ToggleRidgeValleyLines,   // ActViewRVout
    RevertRidgeValley,        // ActReturnRef
    ContinueRidgeValley,      // ActContOneLine -> 0 (ridge), ActContVLine -> 1 (valley)
    EndRidgeValley,           // ActExitRVLine
    ToggleRidgeValleyNames,   // ActRVNameViewSet
    RidgeValleyNameInput,     // ActRVNInput
    RidgeValleyNameDelete,    // ActRVNDDel
    RidgeValleyNameDataDelete,  // ActDelData

    // Schedule, output and sheet measurements.
    CourseTime,         // ActCalCorseTime
    CopyToClipboard,    // ActCopyToClip
    CopyToFile,         // ActCopyToFile
    SaveTrackPcx,       // ActSaveRootPCX
    SaveTrackGpx,       // ActSaveRootGPX
    SheetPointJob,      // ActMPjob
    SheetPointReinput,  // ActMPreinput
    SheetPointDelete,   // ActMPdel
};

struct MapCommand {
    MapAction action = MapAction::None;
    int parameter = 0;
    bool operator==(const MapCommand&) const = default;
};

// The action and parameter of a tool id.
MapCommand mapCommandOf(std::string_view toolId);

}  // namespace orv
