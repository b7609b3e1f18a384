// The profile window follows its logic: the "主ﾒﾆｭｰ" menu with its sub-menus, the panels, the
// tool tip of deletion mode, and the route map's cursor as a line over the picture.
#include "profile/ui/ProfileWindow.h"

#include "platform/qt/SurfaceWidget.h"
#include "profile/SummitRoute.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

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

}  // namespace
}  // namespace orv
