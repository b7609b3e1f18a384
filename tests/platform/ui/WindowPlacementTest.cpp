#include "platform/qt/WindowPlacement.h"

#include <QCoreApplication>
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
    // The profile beside a route map on a 1600 px wide screen: where the right side has no
    // room it goes left of the map, never past the screen's edge.
    const QRect wide(0, 0, 1600, 900);
    EXPECT_EQ(placementBeside(QRect(200, 0, 1000, 700), QSize(1126, 560), wide), QPoint(474, 340));
    EXPECT_EQ(placementBeside(QRect(560, 30, 1000, 600), QSize(526, 400), wide), QPoint(34, 30));
    EXPECT_TRUE(wide.contains(QRect(placementBeside(QRect(0, 0, 1000, 700), QSize(1126, 560), wide), QSize(1126, 560))));
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

// A saved place comes back on the screen that holds most of it, else on the primary screen (the
// first), kept wholly on that screen.
TEST(WindowPlacement, ASavedPlaceComesBackOnAScreenThatIsThere) {
    const QRect left(-1280, 0, 1280, 1024);
    const QRect primary(0, 0, 1600, 900);
    const QList<QRect> both{primary, left};
    const QMargins frame(2, 24, 2, 2);
    const struct {
        const char* what;
        QList<QRect> screens;
        QRect saved;
        QRect frame;
    } cases[] = {
        {"on the primary screen: as it was", both, QRect(100, 100, 800, 600), QRect(98, 76, 804, 626)},
        {"on the left screen: as it was", both, QRect(-1200, 100, 800, 600), QRect(-1202, 76, 804, 626)},
        {"mostly on the left screen: kept on it", both, QRect(-700, 100, 800, 600), QRect(-804, 76, 804, 626)},
        {"the left screen gone: on the primary screen", {primary}, QRect(-1200, 100, 800, 600),
         QRect(0, 76, 804, 626)},
        {"on no screen at all: on the primary screen", both, QRect(5000, 3000, 800, 600), QRect(796, 274, 804, 626)},
        {"larger than the screen that is left: shrunk", {primary}, QRect(-1280, 0, 1900, 1000),
         QRect(0, 0, 1600, 900)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(restoredFrame(c.saved, c.screens, frame), c.frame);
    }
    EXPECT_EQ(restoredFrame(QRect(10, 10, 300, 200), {}), QRect(10, 10, 300, 200));
}

// A window notes its place while it is shown; the next window of that name opens there, and
// a place off every screen opens on the screen.
TEST(WindowPlacement, AWindowOpensWhereTheLastOfItsNameWas) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    WindowFrames frames;
    {
        QWidget window;
        window.setObjectName(QStringLiteral("ORV_CTIME"));
        rememberPlace(window, frames);
        window.setGeometry(available.left() + 40, available.top() + 30, 300, 200);
        EXPECT_TRUE(frames.empty());  // nothing noted before it shows
        window.show();
        window.setGeometry(available.left() + 60, available.top() + 50, 320, 210);
        QCoreApplication::processEvents();
        window.hide();
    }
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames.at("ORV_CTIME"), (WindowFrame{available.left() + 60, available.top() + 50, 320, 210}));

    QWidget again;
    again.setObjectName(QStringLiteral("ORV_CTIME"));
    rememberPlace(again, frames);
    again.resize(500, 400);  // what the window would open with by itself
    again.show();
    EXPECT_EQ(again.geometry(), QRect(available.left() + 60, available.top() + 50, 320, 210));

    // Saved on a screen that is gone: on this one, whole.
    frames["ORV_MGEDIT"] = WindowFrame{available.right() + 900, available.top() + 10, 300, 200};
    QWidget moved;
    moved.setObjectName(QStringLiteral("ORV_MGEDIT"));
    rememberPlace(moved, frames);
    moved.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(available.contains(moved.frameGeometry()));
    EXPECT_EQ(moved.size(), QSize(300, 200));
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
