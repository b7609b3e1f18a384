// The profile window beside the route map as the start menu opens them, on a route to 幌尻岳
// over the sample block: "ﾙｰﾄ断面図" shows it without blocking the map, the panels follow the
// logic, and the live link marks the mouse's spot of the route on the other window, over the
// pictures and never in them.
#include "app/ui/RouteMapWindows.h"

#include "platform/qt/SurfaceWidget.h"
#include "profile/SummitRoute.h"
#include "profile/ui/ProfileWindow.h"
#include "route/RoutePosition.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

void moveMouse(QWidget* picture, int x, int y) {
    const QPointF at(x, y);
    QMouseEvent event(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &event);
}

TEST(ProfileFromRouteMap, ShownBesideTheMapWithTheLiveLink) {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    test::planSummitRoute(*state);

    RouteMapWindow map(*state, &dialogs);
    connectRouteMapWindows(map, &dialogs);
    map.open();
    auto* window = map.findChild<ProfileWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());

    map.dispatch("ActVView");
    ASSERT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle().toStdString(), "幌尻岳  ルート断面図");
    EXPECT_EQ(window->statusLine()->text().toStdString(), "コースタイム計算をすると区間表示されます。");
    EXPECT_EQ(window->summary(0)->text().toStdString(), window->logic().summaries()[0]);
    EXPECT_EQ(window->picture()->toolTip().toStdString(), "右クリックでメニュー");
    EXPECT_EQ(window->picture()->size(), QSize(kProfileWidth, kProfileHeight));
    const QImage clean = window->logic().surface().image().copy();
    const QImage mapClean = map.logic().pictures().map.image().copy();

    // The mouse on the route on the map: a cursor column over the profile.
    const double half = state->route[0].mapDistance / 2;
    const std::optional<PixelPoint> spot = routePixelAtDistance(*state, half);
    ASSERT_TRUE(spot);
    moveMouse(map.mapPicture(), spot->x, spot->y);
    ASSERT_TRUE(window->cursorLine()->isVisible());
    EXPECT_NEAR(window->cursorLine()->x(), kPlotLeft + kPlotWidth / 2, 6);
    // Away from the route it goes, and when the mouse leaves the map.
    moveMouse(map.mapPicture(), 2, 2);
    EXPECT_FALSE(window->cursorLine()->isVisible());
    moveMouse(map.mapPicture(), spot->x, spot->y);
    EXPECT_TRUE(window->cursorLine()->isVisible());
    QEvent leaveMap(QEvent::Leave);
    QCoreApplication::sendEvent(map.mapPicture(), &leaveMap);
    EXPECT_FALSE(window->cursorLine()->isVisible());

    // The mouse over the profile: the read-out in the status line and a ring on the map.
    moveMouse(window->picture(), kPlotLeft + kPlotWidth / 2, 150);
    EXPECT_EQ(window->statusLine()->text().left(3).toStdString(), "距離 ");
    ASSERT_TRUE(map.routeMarker()->isVisible());
    const QPoint centre = map.routeMarker()->geometry().center();
    EXPECT_NEAR(centre.x(), spot->x, 4);
    EXPECT_NEAR(centre.y(), spot->y, 4);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window->picture(), &leave);
    EXPECT_FALSE(map.routeMarker()->isVisible());
    EXPECT_EQ(window->statusLine()->text().toStdString(), "コースタイム計算をすると区間表示されます。");

    EXPECT_EQ(window->logic().surface().image(), clean);
    EXPECT_EQ(map.logic().pictures().map.image(), mapClean);

    window->dispatch("ActTVExitDMZ");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// The profile follows the route at once: a map command that leaves the route alone leaves the
// profile alone too (deletion mode keeps its status text), a deleted route empties it.
TEST(ProfileFromRouteMap, FollowsTheRouteWithoutAClick) {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    test::planSummitRoute(*state);
    test::scheduleRoute(*state);

    RouteMapWindow map(*state, &dialogs);
    connectRouteMapWindows(map, &dialogs);
    map.open();
    auto* window = map.findChild<ProfileWindow*>();
    ASSERT_NE(window, nullptr);
    map.dispatch("ActVView");
    ASSERT_TRUE(window->isVisible());
    window->dispatch("ActTVEreaDel");
    const QImage before = window->logic().surface().image().copy();

    map.dispatch("ActHDdispON");
    EXPECT_EQ(window->statusLine()->text().toStdString(),
              "削除する区間を選択し右クリックして下さい。「ｷｬﾝｾﾙ」で区間削除処理を終了します。");
    EXPECT_EQ(window->logic().surface().image(), before);

    map.dispatch("ActDelRoot");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(window->summary(0)->text().toStdString(), "地図上距離　：0m");
    EXPECT_EQ(window->statusLine()->text().toStdString(), "コースタイム計算をすると区間表示されます。");
    const QImage after = window->logic().surface().image();
    int black = 0;
    for (int y = kPlotTop; y <= kDividerBottom; ++y)
        for (int x = kPlotLeft; x <= kPlotRight; ++x) black += after.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_EQ(black, 0);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

}  // namespace
}  // namespace orv
