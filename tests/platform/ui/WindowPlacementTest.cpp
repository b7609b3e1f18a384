#include "platform/qt/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

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

TEST(WindowPlacement, AFrameIsKeptWhollyOnTheScreen) {
    const QRect screen(0, 0, 1400, 1000);
    const struct {
        const char* what;
        QRect frame;
        QSize minimum;
        QRect kept;
    } cases[] = {
        {"inside: stays", QRect(100, 100, 842, 500), {}, QRect(100, 100, 842, 500)},
        {"past the right edge", QRect(1185, 100, 842, 500), {}, QRect(558, 100, 842, 500)},
        {"above and left of the screen", QRect(-30, -10, 842, 500), {}, QRect(0, 0, 842, 500)},
        {"past the bottom", QRect(10, 900, 842, 500), {}, QRect(10, 500, 842, 500)},
        {"wider than the screen: shrunk", QRect(300, 0, 1600, 500), {}, QRect(0, 0, 1400, 500)},
        {"shrunk no further than its minimum", QRect(300, 0, 1600, 1200), QSize(1500, 800), QRect(0, 0, 1500, 1000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(keptWithin(c.frame, screen, c.minimum), c.kept);
    }
    // A screen that is not offset from the origin.
    EXPECT_EQ(keptWithin(QRect(0, 0, 300, 200), QRect(1400, 40, 1024, 728)), QRect(1400, 40, 300, 200));
}

// A window never shown is placed by the size its layout asks for, not by the size it has before
// it is first shown; a window larger than the screen is made smaller. (Offscreen the screen is
// 800 × 600 and a shown window gets a frame of 2 pixels.)
TEST(WindowPlacement, AWindowNeverShownIsPlacedByItsOwnSize) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget anchor;
    anchor.setGeometry(available.left(), available.top(), 150, 100);
    anchor.show();

    // Before its first showing the window is 640 pixels wide, which would fit right of the
    // anchor; its layout makes it wider.
    QWidget window;
    auto* content = new QWidget(&window);
    content->setMinimumSize(700, 400);
    (new QVBoxLayout(&window))->addWidget(content);
    placeBeside(window, anchor);
    window.show();
    EXPECT_TRUE(available.contains(window.frameGeometry()));
    EXPECT_GE(window.width(), 700);

    QWidget wide;
    wide.setMinimumSize(available.width() - 100, 300);
    wide.resize(available.width() + 300, 300);
    placeBeside(wide, anchor);
    wide.show();
    EXPECT_TRUE(available.contains(wide.frameGeometry()));
    EXPECT_EQ(wide.frameGeometry().width(), available.width());

    // Moved off the screen and shown: keepOnScreen brings it back.
    wide.move(available.right() - 50, available.top());
    keepOnScreen(wide);
    EXPECT_TRUE(available.contains(wide.frameGeometry()));
}

}  // namespace
}  // namespace orv
