#include "geo/SheetPosition.h"

#include <gtest/gtest.h>

#include <limits>

namespace orv {
namespace {

struct Expected {
    ArcSeconds latitude;
    ArcSeconds longitude;
};

void expectPosition(const LatLonText& got, Expected want, const char* what) {
    EXPECT_EQ(dmsToSeconds(got.latitude), want.latitude) << what << ": " << got.latitude;
    EXPECT_EQ(dmsToSeconds(got.longitude), want.longitude) << what << ": " << got.longitude;
}

// 35°00′..35°05′ by 139°00′..139°07′30″ on a 450 × 300 mm rectangle: one second per mm.
SheetFrame rectangle() {
    return {"35", "35.05", "139", "139.073", 450.0f, 450.0f, 300.0f, 300.0f};
}

struct RectangleCase {
    SheetCorner corner;
    float dy, dx;
    Expected result;
    const char* what;
};

TEST(SheetPosition, RectangleInterpolatesLinearlyFromTheCorner) {
    const RectangleCase cases[] = {
        {SheetCorner::TopLeft, 100, 50, {126200, 500450}, "top-left"},
        {SheetCorner::TopRight, 100, 50, {126200, 500800}, "top-right"},
        {SheetCorner::BottomLeft, 100, 50, {126100, 500450}, "bottom-left"},
        {SheetCorner::BottomRight, 100, 50, {126100, 500800}, "bottom-right"},
        {SheetCorner::BottomLeft, 300, 450, {126300, 500850}, "opposite corner"},
        {SheetCorner::BottomLeft, 0.5f, 1.5f, {126000, 500402}, "halves to even"},
        {SheetCorner::BottomLeft, 2.5f, 2.5f, {126002, 500402}, "halves to even"},
        {SheetCorner::BottomLeft, 2.51f, 2.49f, {126003, 500402}, "nearest"},
    };
    for (const auto& c : cases)
        expectPosition(sheetPositionToLatLon(rectangle(), c.corner, c.dy, c.dx), c.result, c.what);
}

// 35°00′..35°10′ by 139°00′..139°15′ on a frame 300 mm wide at the top, 320 mm at the bottom,
// 400 mm high on the left and 420 mm on the right.
SheetFrame trapezoid() {
    return {"35", "35.1", "139", "139.15", 300.0f, 320.0f, 400.0f, 420.0f};
}

TEST(SheetPosition, TrapezoidFromBottomLeft) {
    // h = 400 − (400 − 420) · 160 / 320 = 410; w = 320 − (320 − 300) · 100 / 410 = 315.12195
    // latitude = 126000 + 600 · 100 / 410 = 126146.34 -> 35°02′26″
    // longitude = 500400 + 900 · 160 / 315.12195 = 500856.97 -> 139°07′37″
    const LatLonText got = sheetPositionToLatLon(trapezoid(), SheetCorner::BottomLeft, 100, 160);
    EXPECT_EQ(got.latitude, "35.0226");
    EXPECT_EQ(got.longitude, "139.0737");
}

TEST(SheetPosition, TrapezoidFromTopRight) {
    // h = 420 − (420 − 400) · 150 / 300 = 410; w = 300 − (300 − 320) · 105 / 410 = 305.12195
    // latitude = 126600 − 600 · 105 / 410 = 126446.34 -> 35°07′26″
    // longitude = 501300 − 900 · 150 / 305.12195 = 500857.55 -> 139°07′38″
    const LatLonText got = sheetPositionToLatLon(trapezoid(), SheetCorner::TopRight, 105, 150);
    EXPECT_EQ(got.latitude, "35.0726");
    EXPECT_EQ(got.longitude, "139.0738");
}

TEST(SheetPosition, DegenerateFrameGivesTheReferenceCorner) {
    const SheetFrame empty{"35", "35.05", "139", "139.073", 0, 0, 0, 0};
    expectPosition(sheetPositionToLatLon(empty, SheetCorner::TopRight, 10, 10), {126300, 500850},
                   "zero frame");

    SheetFrame flat = rectangle();
    flat.leftHeight = flat.rightHeight = 0;  // no height at the point's column
    expectPosition(sheetPositionToLatLon(flat, SheetCorner::BottomLeft, 10, 10), {126000, 500400},
                   "zero height");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    expectPosition(sheetPositionToLatLon(rectangle(), SheetCorner::TopLeft, nan, 10),
                   {126300, 500400}, "not a number");
}

TEST(SheetPosition, HugeDistancesSaturate) {
    const LatLonText got =
        sheetPositionToLatLon(rectangle(), SheetCorner::BottomLeft, 3.0e38f, 3.0e38f);
    EXPECT_EQ(dmsToSeconds(got.latitude), dmsToSeconds(secondsToDms(2147483647)));
    EXPECT_FALSE(got.longitude.empty());
}

}  // namespace
}  // namespace orv
