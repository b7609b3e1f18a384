#include "platform/qt/WindowPlacement.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

// A 1400 × 1000 screen; the profile window is 800 × 500.
TEST(WindowPlacement, BesideTheAnchorWhereTheScreenHasRoomElseInTheBottomRightCorner) {
    const QRect screen(0, 0, 1400, 1000);
    const QSize size(800, 500);
    const struct {
        const char* what;
        QRect anchor;
        QPoint corner;
    } cases[] = {
        {"right of a narrow map", QRect(0, 100, 600, 700), QPoint(600, 100)},
        {"left of a map at the right edge", QRect(850, 100, 550, 700), QPoint(50, 100)},
        {"below a wide low map", QRect(100, 0, 1000, 450), QPoint(100, 450)},
        {"above a wide map at the bottom", QRect(100, 520, 1000, 480), QPoint(100, 20)},
        {"top kept inside the screen", QRect(0, 700, 600, 300), QPoint(600, 500)},
        {"no room anywhere: bottom right", QRect(100, 100, 1100, 800), QPoint(600, 500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placementBeside(c.anchor, size, screen), c.corner);
    }
    // A window larger than the screen keeps its top-left corner on the screen.
    EXPECT_EQ(placementBeside(QRect(0, 0, 100, 100), QSize(2000, 1200), screen), QPoint(0, 0));
}

}  // namespace
}  // namespace orv
