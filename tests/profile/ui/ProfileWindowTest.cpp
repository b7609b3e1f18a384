// The profile window follows its logic: the "主ﾒﾆｭｰ" menu with its sub-menus and their headings,
// the panels, the tool tip of deletion mode, the route map's cursor as a line over the picture,
// and activation, which sets the profile up afresh only when coming from another window.
#include "profile/ui/ProfileWindow.h"

#include "platform/qt/SurfaceWidget.h"
#include "profile/SummitRoute.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

TEST(ProfileWindowTest, WidgetsFollowTheLogic) {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    test::planSummitRoute(*state);
    test::scheduleRoute(*state);
    ProfileWindow window(*state, &dialogs);
    EXPECT_EQ(window.objectName().toStdString(), "ORV_VVIEW");
    window.showProfile();

    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0]->text().toStdString(), "主ﾒﾆｭｰ");
    const QList<QAction*> main = bar[0]->menu()->actions();
    ASSERT_GE(main.size(), 8);
    EXPECT_EQ(main[2]->text().toStdString(), "ﾃﾞｰﾀ表示");
    ASSERT_NE(main[2]->menu(), nullptr);
    EXPECT_TRUE(main[2]->menu()->actions()[0]->isChecked());

    EXPECT_EQ(window.statusLine()->text().toStdString(),
              "ﾃﾞﾌｫﾙﾄではｽﾀｰﾄの区間は 30分で後の区間はおおよそ 30分　です。区間調整をした場合は適用されません。");
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(window.summary(i)->text().toStdString(), window.logic().summaries()[i]);

    window.dispatch("ActTVEreaDel");
    EXPECT_EQ(window.picture()->toolTip().toStdString(), "右クリックで削除区間選択");
    EXPECT_EQ(window.statusLine()->text().toStdString(),
              "削除する区間を選択し右クリックして下さい。「ｷｬﾝｾﾙ」で区間削除処理を終了します。");

    EXPECT_FALSE(window.cursorLine()->isVisible());
    window.logic().showRoutePosition(state->route[0].mapDistance / 2);
    ASSERT_TRUE(window.cursorLine()->isVisible());
    EXPECT_EQ(window.cursorLine()->geometry(), QRect(*window.logic().cursorColumn(), kPlotTop, 1, kPlotHeight + 1));
    window.logic().showRoutePosition(std::nullopt);
    EXPECT_FALSE(window.cursorLine()->isVisible());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// 【表示文字・色】 and 【背景色】 head their entries in "表示文字・色の変更" and cannot be chosen.
TEST(ProfileWindowTest, TheDisplayMenuHeadingsCannotBeChosen) {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    test::planSummitRoute(*state);
    test::scheduleRoute(*state);
    ProfileWindow window(*state, &dialogs);
    window.showProfile();
    const QList<QAction*> main = window.menuBar()->actions()[0]->menu()->actions();
    ASSERT_EQ(main[6]->text().toStdString(), "表示文字・色の変更");
    const QList<QAction*> display = main[6]->menu()->actions();
    ASSERT_EQ(display.size(), 10);
    for (const int i : {0, 6}) {
        EXPECT_TRUE(display[i]->isSeparator()) << i;
        display[i]->trigger();
    }
    EXPECT_EQ(display[0]->text().toStdString(), "【表示文字・色】");
    EXPECT_EQ(display[6]->text().toStdString(), "【背景色】");
    EXPECT_FALSE(display[1]->isSeparator());
    EXPECT_TRUE(dialogs.asked().empty());
}

// A base elevation entered in the window's own input box is still in force once the window is
// active again after the box has gone.
TEST(ProfileWindowTest, TheBaseElevationOutlivesItsInputBox) {
    std::unique_ptr<AppState> state = makeAppState();
    test::planSummitRoute(*state);
    QWidget other;
    other.show();
    ProfileWindow window(*state, nullptr);
    window.showProfile();
    QCoreApplication::processEvents();
    const int base = routeElevationRange(*state).lowest - 100;

    QTimer::singleShot(0, [base] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->setTextValue(QString::number(base));
        box->accept();
    });
    window.dispatch("ActTVHightV");
    // The window manager gives the focus back to the window.
    window.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.logic().scale().base, base);

    // Coming from another window the profile is set up afresh.
    other.activateWindow();
    QCoreApplication::processEvents();
    window.activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.logic().scale().base, 0.0);
}

}  // namespace
}  // namespace orv
