// Qt menus built from menu bands follow the model and send tool ids to the dispatcher.
#include "platform/MenuModel.h"
#include "platform/qt/MenuAdapter.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

MenuCommand command(const char* toolId, const char* caption, const char* subBand = "") {
    MenuCommand c;
    c.toolId = toolId;
    c.caption = caption;
    c.category = "ﾒｲﾝﾒﾆｭｰ";
    c.subBand = subBand;
    return c;
}

class MenuAdapterTest : public ::testing::Test {
protected:
    MenuAdapterTest() {
        model_.addBand("PopupMenu", "主ﾒﾆｭｰ");
        model_.addCommand("PopupMenu", command("ActZupMode", "範囲拡大"));
        model_.addCommand("PopupMenu", command("ActMakeRoot", "新規ルート作成", "MakeRootMenu"));
        MenuCommand copy = command("ActCopyToClip", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ & 保存");
        copy.separatorBefore = true;
        model_.addCommand("PopupMenu", copy);
        model_.addCommand("MakeRootMenu", command("ActMakeNewTRKdata", "ﾏｳｽでﾙｰﾄ作成"));
        MenuCommand del = command("ActDelRoot", "作成ﾙｰﾄ削除");
        del.enabled = false;
        model_.addCommand("MakeRootMenu", del);
        MenuCommand shown = command("ActDispContor", "等高線");
        shown.checked = true;
        model_.addCommand("MakeRootMenu", shown);
    }

    QAction* only(const std::string& toolId) const {
        const std::vector<QAction*> found = adapter_.actions(toolId);
        EXPECT_EQ(found.size(), 1u) << toolId;
        return found.empty() ? nullptr : found.front();
    }

    MenuModel model_;
    std::vector<std::string> dispatched_;
    MenuAdapter adapter_{model_, [this](const std::string& id) { dispatched_.push_back(id); }};
};

TEST_F(MenuAdapterTest, MenuHoldsTheBandWithItsSubBandSeparatorsAndStates) {
    std::unique_ptr<QMenu> menu(adapter_.buildMenu("PopupMenu", nullptr));
    EXPECT_EQ(menu->title(), QString::fromUtf8("主ﾒﾆｭｰ"));
    const QList<QAction*> top = menu->actions();
    ASSERT_EQ(top.size(), 4);  // two commands, a separator, a command
    EXPECT_EQ(top[0]->text(), QString::fromUtf8("範囲拡大"));
    EXPECT_TRUE(top[2]->isSeparator());
    // "&" is shown as it is, not taken as a keyboard mnemonic.
    EXPECT_EQ(top[3]->text(), QString::fromUtf8("ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ && 保存"));

    QMenu* sub = top[1]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(top[1]->text(), QString::fromUtf8("新規ルート作成"));
    const QList<QAction*> subActions = sub->actions();
    ASSERT_EQ(subActions.size(), 3);
    EXPECT_EQ(subActions[0]->text(), QString::fromUtf8("ﾏｳｽでﾙｰﾄ作成"));
    EXPECT_TRUE(subActions[0]->isEnabled());
    EXPECT_FALSE(subActions[0]->isChecked());
    EXPECT_FALSE(subActions[1]->isEnabled());
    EXPECT_TRUE(subActions[2]->isCheckable());
    EXPECT_TRUE(subActions[2]->isChecked());
    EXPECT_EQ(only("ActDelRoot"), subActions[1]);
}

TEST_F(MenuAdapterTest, TriggeringAnEntryDispatchesItsToolIdAndTheModelKeepsTheCheckMarks) {
    std::unique_ptr<QMenu> menu(adapter_.buildMenu("PopupMenu", nullptr));
    only("ActMakeNewTRKdata")->trigger();
    only("ActZupMode")->trigger();
    only("ActDispContor")->trigger();  // Qt would uncheck it; the model still says checked
    EXPECT_EQ(dispatched_,
              (std::vector<std::string>{"ActMakeNewTRKdata", "ActZupMode", "ActDispContor"}));
    EXPECT_TRUE(only("ActDispContor")->isChecked());
    EXPECT_FALSE(only("ActZupMode")->isChecked());
}

TEST_F(MenuAdapterTest, ModelChangesReachTheEntries) {
    std::unique_ptr<QMenu> menu(adapter_.buildMenu("PopupMenu", nullptr));
    model_.setEnabled("ActDelRoot", true);
    model_.setChecked("ActDispContor", false);
    model_.setChecked("ActZupMode", true);
    model_.setCaption("ActMakeNewTRKdata", "A&B");
    model_.setVisible("ActCopyToClip", false);
    model_.setEnabled("ActMakeRoot", false);
    EXPECT_TRUE(only("ActDelRoot")->isEnabled());
    EXPECT_FALSE(only("ActDispContor")->isChecked());
    EXPECT_TRUE(only("ActZupMode")->isChecked());
    EXPECT_EQ(only("ActMakeNewTRKdata")->text(), QStringLiteral("A&&B"));
    EXPECT_FALSE(only("ActCopyToClip")->isVisible());
    EXPECT_FALSE(only("ActMakeRoot")->isEnabled());
    EXPECT_EQ(only("ActMakeRoot")->menu()->actions().size(), 3);
}

TEST_F(MenuAdapterTest, MenuBarGetsSubBandsAsMenusAndCommandsAsEntries) {
    QMenuBar bar;
    adapter_.fillMenuBar(&bar, "PopupMenu");
    const QList<QAction*> top = bar.actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->menu(), nullptr);
    ASSERT_NE(top[1]->menu(), nullptr);
    EXPECT_EQ(top[1]->menu()->actions().size(), 3);
    top[0]->trigger();
    EXPECT_EQ(dispatched_, std::vector<std::string>{"ActZupMode"});
}

TEST_F(MenuAdapterTest, EntriesOfDeletedMenusAndBandsThatLeadBackAreHarmless) {
    { std::unique_ptr<QMenu> first(adapter_.buildMenu("PopupMenu", nullptr)); }
    EXPECT_TRUE(adapter_.actions("ActZupMode").empty());
    model_.setEnabled("ActZupMode", false);  // refreshes with the old entries gone

    // A band that opens itself is followed only a few levels deep.
    model_.addCommand("LoopMenu", command("ActLoop", "ループ", "LoopMenu"));
    std::unique_ptr<QMenu> loop(adapter_.buildMenu("LoopMenu", nullptr));
    EXPECT_FALSE(adapter_.actions("ActLoop").empty());
}

TEST(MenuAdapterLifetime, ModelChangesAfterTheAdapterIsGoneReachNoOne) {
    MenuModel model;
    model.addCommand("Band", command("ActOne", "一"));
    std::unique_ptr<QMenu> menu;
    int dispatched = 0;
    {
        MenuAdapter adapter(model, [&](const std::string&) { ++dispatched; });
        menu.reset(adapter.buildMenu("Band", nullptr));
    }
    model.setEnabled("ActOne", false);
    menu->actions().front()->trigger();
    EXPECT_EQ(dispatched, 0);
}

TEST_F(MenuAdapterTest, HeldCommandsAreShownDisabledUntilReleased) {
    std::unique_ptr<QMenu> menu(adapter_.buildMenu("PopupMenu", nullptr));
    model_.holdAllExcept({"ActCopyToClip"});
    EXPECT_FALSE(only("ActZupMode")->isEnabled());
    EXPECT_FALSE(only("ActMakeRoot")->isEnabled());
    EXPECT_TRUE(only("ActCopyToClip")->isEnabled());
    model_.release();
    EXPECT_TRUE(only("ActZupMode")->isEnabled());
    EXPECT_TRUE(only("ActMakeRoot")->isEnabled());
    EXPECT_FALSE(only("ActDelRoot")->isEnabled());  // disabled by the model all along
}

}  // namespace
}  // namespace orv
