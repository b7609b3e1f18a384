#include "route/RouteMapCommands.h"

#include <array>

namespace orv {

namespace {

struct Entry {
    std::string_view toolId;
    MapAction action;
    int parameter = 0;
};

using A = MapAction;

constexpr std::array kTable{
    Entry{"ActZupMode", A::StartRangeZoom},
    Entry{"ActVlv1", A::SelectZoomLevel, 1},
    Entry{"ActVlv2", A::SelectZoomLevel, 2},
    Entry{"ActVlv3", A::SelectZoomLevel, 3},
    Entry{"ActVlv4", A::SelectZoomLevel, 4},
    Entry{"ActVlv5", A::SelectZoomLevel, 5},
    Entry{"ActStpColSMode", A::SelectBackgroundMode, 0},
    Entry{"ActStpColMode", A::SelectBackgroundMode, 1},
    Entry{"ActDegLineMode", A::SelectBackgroundMode, 2},
    Entry{"ActNoBGMode", A::SelectBackgroundMode, 3},
    Entry{"ActViewBCDef", A::ViewColourSet, 0},
    Entry{"ActViewBCU1", A::ViewColourSet, 1},
    Entry{"ActViewBCU2", A::ViewColourSet, 2},
    Entry{"ActViewBCU3", A::ViewColourSet, 3},
    Entry{"ActViewBCU4", A::ViewColourSet, 4},
    Entry{"ActBCDefColor", A::EditColourSet, 0},
    Entry{"ActBCUser1", A::EditColourSet, 1},
    Entry{"ActBCUser2", A::EditColourSet, 2},
    Entry{"ActBCUser3", A::EditColourSet, 3},
    Entry{"ActBCUser4", A::EditColourSet, 4},
    Entry{"ActDispContor", A::ShowContours},
    Entry{"ActCNTPdata1", A::SetContourInterval, 1},
    Entry{"ActCNTPdata2", A::SetContourInterval, 2},
    Entry{"ActCNTPdata3", A::SetContourInterval, 3},
    Entry{"ActCNTPdata4", A::SetContourInterval, 4},
    Entry{"ActCNTPdata5", A::SetContourInterval, 5},
    Entry{"ActCNTPdata6", A::SetContourInterval, 6},
    Entry{"ActCNTPdata7", A::SetContourInterval, 7},
    Entry{"ActCNTPdata8", A::SetContourInterval, 8},
    Entry{"ActCNTPdata9", A::SetContourInterval, 9},
    Entry{"ActDelCnt", A::ClearContours},
    Entry{"ActVView", A::ShowProfile},
    Entry{"ActTViewExit", A::ExitMap},

    Entry{"ActMakeNewTRKdata", A::BeginMouseRoute},
    Entry{"ActMakeMapRoot", A::RouteFromSheet},
    Entry{"ActBMPMapMakeRoot", A::RouteFromMapImage},
    Entry{"ActCopyRefRoot", A::TraceReferenceRoute},
    Entry{"ActTPStartRoot", A::BeginReferenceStart},
    Entry{"ActDelRoot", A::DeleteRoute},
    Entry{"ActMakeRootPos", A::StartFromReferencePoint},
    Entry{"ActStopMaking", A::StopMaking},
    Entry{"ActEditRootData", A::RouteEditOn},
    Entry{"ActExitRootEdit", A::RouteEditOff},
    Entry{"ActDelTRKPoint", A::DeleteRoutePoint},
    Entry{"ActMakeMtName", A::RegisterMountainName},
    Entry{"ActMakePName", A::RegisterPlaceName},
    Entry{"ActSetCamp", A::SetMark, 1},
    Entry{"ActSetMtHouse", A::SetMark, 2},
    Entry{"ActSetViewPoint", A::SetMark, 3},
    Entry{"ActSetWPoint", A::SetMark, 4},
    Entry{"ActSetEtPoint", A::SetMark, 5},

    Entry{"ActChgMountName", A::ChangeFont, 0},
    Entry{"ActChgPName", A::ChangeFont, 1},
    Entry{"ActChgRVFont", A::ChangeFont, 9},
    Entry{"ActChgTRKColor", A::ChangeRouteColour},
    Entry{"ActChgREFLColor", A::ChangeReferenceColour},
    Entry{"ActALLMtNameOutput", A::AllMountainNames},
    Entry{"ActMtName", A::DestinationNameOnly},
    Entry{"ActHDdispON", A::ToggleElevationLabels},
    Entry{"ActSumTimeOut", A::ToggleCumulativeTimes},
    Entry{"ActTRKView", A::ToggleRouteView},
    Entry{"ActViewRefTRK", A::ToggleReferenceRoute},
    Entry{"ActViewSepData", A::ToggleSegmentPositions},
    Entry{"ActWPnameDisp", A::ToggleWaypointNames},

    Entry{"ActMakeOneSuji", A::TraceRidgeValley},
    Entry{"ActViewRVout", A::ToggleRidgeValleyLines},
    Entry{"ActReturnRef", A::RevertRidgeValley},
    Entry{"ActContOneLine", A::ContinueRidgeValley, 0},
    Entry{"ActContVLine", A::ContinueRidgeValley, 1},
    Entry{"ActExitRVLine", A::EndRidgeValley},
    Entry{"ActRVNameViewSet", A::ToggleRidgeValleyNames},
    Entry{"ActRVNInput", A::RidgeValleyNameInput},
    Entry{"ActRVNDDel", A::RidgeValleyNameDelete},
    Entry{"ActDelData", A::RidgeValleyNameDataDelete},

    Entry{"ActCalCorseTime", A::CourseTime},
    Entry{"ActCopyToClip", A::CopyToClipboard},
    Entry{"ActCopyToFile", A::CopyToFile},
    Entry{"ActSaveRootPCX", A::SaveTrackPcx},
    Entry{"ActSaveRootGPX", A::SaveTrackGpx},
    Entry{"ActMPjob", A::SheetPointJob},
    Entry{"ActMPreinput", A::SheetPointReinput},
    Entry{"ActMPdel", A::SheetPointDelete},
};

}  // namespace

MapCommand mapCommandOf(std::string_view toolId) {
    for (const Entry& entry : kTable)
        if (entry.toolId == toolId) return {entry.action, entry.parameter};
    return {};
}

}  // namespace orv
