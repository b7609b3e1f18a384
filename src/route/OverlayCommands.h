#pragma once
// The route map's display toggles and the commands that change marks, route colours and label
// fonts. Each keeps the check marks of its menu commands and redraws the overlays.
#include "map/MapContext.h"

namespace orv {

inline constexpr const char* kMarkQuestionTitle = "登録問い合わせ";
inline constexpr const char* kMarkQuestion =
    "既にこのポイントにデータが登録されています。書き換えますか？";
inline constexpr const char* kRouteColourTitle = "ルート表示色の変更";

// "ルート表示": its check mark follows the drawn route; choosing it changes nothing.
void toggleRouteView(MapContext& ctx);

// "参照ルート表示": shows the reference route (over a drawn route too) or, with a route present,
// hides it again.
void toggleReferenceRoute(MapContext& ctx);

// "区間位置表示": shows or hides the positions of the course segments.
void toggleSectionPositions(MapContext& ctx);

// "ｳｪｲﾎﾟｲﾝﾄ名称表示": shows or hides the waypoint names.
void toggleWaypointNames(MapContext& ctx);

// "標高値表示" and "累積時間表示": show or hide the elevation and cumulative time labels.
void toggleElevationLabels(MapContext& ctx);
void toggleCumulativeTimes(MapContext& ctx);

// "全山名の表示" and "指定山名のみ表示": all mountain names in the area, or the destination only.
void showAllMountains(MapContext& ctx);
void showDestinationOnly(MapContext& ctx);

// The mark commands (kinds 1..5) in route edit mode: gives route point `pointNumber` (the
// number in the point box) the mark `kind`, asking first when the point already has one, then
// draws the overlays over the map. A point number outside 1..routeCount or a kind without a
// mark changes nothing. The caller puts the point box's up/down control back on the point.
void setMark(MapContext& ctx, int kind, int pointNumber);

// "ﾙｰﾄ表示色" (reference = false) and "参照ﾙｰﾄ表示色" (reference = true): the colour picker
// starting from the current colour; the chosen colour is stored and the map redrawn.
void changeRouteColour(MapContext& ctx, bool reference);

// "山名表示フォント", "地名表示フォント", "谷尾根名フォント": the font picker preset with text
// style 0, 1 or 9; the chosen font is stored in that style and the map redrawn. Styles outside
// 0..9 change nothing.
void changeFont(MapContext& ctx, int style);

}  // namespace orv
