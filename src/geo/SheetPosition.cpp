#include "geo/SheetPosition.h"

#include "core/Rounding.h"

#include <cmath>

namespace orv {

namespace {

bool isTop(SheetCorner corner) {
    return corner == SheetCorner::TopLeft || corner == SheetCorner::TopRight;
}

bool isLeft(SheetCorner corner) {
    return corner == SheetCorner::TopLeft || corner == SheetCorner::BottomLeft;
}

}  // namespace

// The frame is a trapezoid, so the point's latitude is interpolated over the frame's height at
// the point's column, and its longitude over the frame's width at the point's row. Frame sizes,
// distances and the height h and width w are float32; the interpolation of the arc-seconds
// runs in double precision and is rounded with halves to even.
//
// A frame whose reference width, height at the point or width at the point is zero (or not a
// number) has no interpolation; the reference corner itself is returned.
LatLonText sheetPositionToLatLon(const SheetFrame& frame, SheetCorner corner, float dy, float dx) {
    const bool top = isTop(corner);
    const bool left = isLeft(corner);

    const float widthRef = top ? frame.topWidth : frame.bottomWidth;
    const float widthOpp = top ? frame.bottomWidth : frame.topWidth;
    const float heightRef = left ? frame.leftHeight : frame.rightHeight;
    const float heightOpp = left ? frame.rightHeight : frame.leftHeight;

    const ArcSeconds south = dmsToSeconds(frame.south);
    const ArcSeconds north = dmsToSeconds(frame.north);
    const ArcSeconds west = dmsToSeconds(frame.west);
    const ArcSeconds east = dmsToSeconds(frame.east);
    const ArcSeconds latRef = top ? north : south;
    const ArcSeconds latOpp = top ? south : north;
    const ArcSeconds lonRef = left ? west : east;
    const ArcSeconds lonOpp = left ? east : west;

    const LatLonText referenceCorner{secondsToDms(latRef), secondsToDms(lonRef)};
    if (!std::isfinite(widthRef) || widthRef == 0.0f) return referenceCorner;
    const float h = heightRef - (heightRef - heightOpp) * dx / widthRef;
    if (!std::isfinite(h) || h == 0.0f) return referenceCorner;
    const float w = widthRef - (widthRef - widthOpp) * dy / h;
    if (!std::isfinite(w) || w == 0.0f) return referenceCorner;

    const double latSpan = static_cast<double>(latOpp) - static_cast<double>(latRef);
    const double lonSpan = static_cast<double>(lonOpp) - static_cast<double>(lonRef);
    const double latitude =
        static_cast<double>(latRef) + latSpan * static_cast<double>(dy) / static_cast<double>(h);
    const double longitude =
        static_cast<double>(lonRef) + lonSpan * static_cast<double>(dx) / static_cast<double>(w);
    return {secondsToDms(roundHalfEven(latitude)), secondsToDms(roundHalfEven(longitude))};
}

}  // namespace orv
