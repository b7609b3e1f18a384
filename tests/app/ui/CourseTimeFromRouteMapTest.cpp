// "ｺｰｽﾀｲﾑ" on the route map as the start menu opens it: the course-time window opens modally,
// and once it is closed the map checks "区間位置表示" and draws the segment positions.
#include "app/ui/RouteMapWindows.h"
#include "schedule/ui/CourseTimeWindow.h"

#include "platform/qt/SurfaceWidget.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

void click(QWidget* picture, Qt::MouseButton button, int x, int y) {
    const QPointF at(x, y);
    for (const QEvent::Type type :
         {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButton pressed = type == QEvent::MouseMove ? Qt::NoButton : button;
        QMouseEvent event(type, at, picture->mapToGlobal(at), pressed,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &event);
    }
}

TEST(CourseTimeFromRouteMap, TheWindowRunsModallyAndTheMapShowsTheSegments) {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    setStartValues(*state);
    test::loadConePlan(*state);
    state->settings.backgroundMethod = BandColour;

    RouteMapWindow window(*state, &dialogs);
    connectRouteMapWindows(window);
    window.open();
    window.dispatch("ActMakeNewTRKdata");
    click(window.mapPicture(), Qt::LeftButton, 100, 100);
    click(window.mapPicture(), Qt::LeftButton, 300, 300);
    dialogs.answerMessage(Answer::Yes);  // one way
    click(window.mapPicture(), Qt::RightButton, 300, 300);
    ASSERT_GT(state->routeCount, 2);
    EXPECT_EQ(state->segmentCount, 0);
    EXPECT_FALSE(window.logic().menus().isEnabled("ActViewSepData"));

    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* course = qobject_cast<CourseTimeWindow*>(top);
            if (course == nullptr || !course->isVisible()) continue;
            shown = true;
            EXPECT_TRUE(course->isModal());
            course->findChild<QPushButton*>("calculateButton")->click();
            course->findChild<QPushButton*>("closeButton")->click();
            return;
        }
        ADD_FAILURE() << "no course-time window shown";
    });
    window.dispatch("ActCalCorseTime");

    ASSERT_TRUE(shown);
    ASSERT_GE(state->segmentCount, 1);
    MenuModel& menus = window.logic().menus();
    EXPECT_TRUE(menus.isChecked("ActViewSepData"));
    EXPECT_TRUE(menus.isEnabled("ActViewSepData"));
    // Every segment start has a white centre on the map.
    const RoutePoint& start = state->route[1];
    EXPECT_EQ(window.logic().pictures().map.pixelAt(start.pixelX, start.pixelY),
              makeColour(255, 255, 255));
}

}  // namespace
}  // namespace orv
