// Menu bands and the notifications their state changes send.
#include "platform/MenuModel.h"
#include "support/UnknownTools.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

MenuCommand command(const char* toolId, const char* caption, const char* category,
                    const char* subBand = "") {
    MenuCommand c;
    c.toolId = toolId;
    c.caption = caption;
    c.category = category;
    c.subBand = subBand;
    return c;
}

MenuModel routeMenus() {
    MenuModel model;
    model.addBand("PopupMenu", "主ﾒﾆｭｰ");
    model.addCommand("PopupMenu", command("ActZupMode", "範囲拡大", "ﾒｲﾝﾒﾆｭｰ"));
    model.addCommand("PopupMenu",
                     command("ActMakeRoot", "新規ルート作成", "ﾒｲﾝﾒﾆｭｰ", "MakeRootMenu"));
    model.addCommand("MakeRootMenu", command("ActMakeNewTRKdata", "ﾏｳｽでﾙｰﾄ作成", "ﾙｰﾄ作成ﾒﾆｭｰ"));
    model.addCommand("MakeRootMenu", command("ActDelRoot", "作成ﾙｰﾄ削除", "ﾙｰﾄ作成ﾒﾆｭｰ"));
    // The same command in a second band, as a menu bar band and its pop-up twin have.
    model.addCommand("TRKjobMenu", command("ActDelRoot", "作成ﾙｰﾄ削除", "ﾙｰﾄ編集ﾒﾆｭｰ"));
    return model;
}

TEST(MenuModel, BandsKeepTheirOrderCaptionsAndCommands) {
    MenuModel model = routeMenus();
    ASSERT_EQ(model.bands().size(), 3u);
    EXPECT_EQ(model.bands()[0].name, "PopupMenu");
    EXPECT_EQ(model.bands()[0].caption, "主ﾒﾆｭｰ");
    EXPECT_EQ(model.bands()[1].name, "MakeRootMenu");
    EXPECT_EQ(model.band("MakeRootMenu")->commands.size(), 2u);
    EXPECT_EQ(model.band("Nothing"), nullptr);
    EXPECT_EQ(model.command("ActMakeRoot")->subBand, "MakeRootMenu");
    EXPECT_EQ(model.command("ActNothing"), nullptr);

    // Adding a band again returns the existing one; its caption stays unless a new one is given.
    model.addBand("PopupMenu");
    EXPECT_EQ(model.band("PopupMenu")->caption, "主ﾒﾆｭｰ");
    EXPECT_EQ(model.bands().size(), 3u);
}

TEST(MenuModel, StateChangesReachEveryCommandOfTheToolIdAndNotifyOnce) {
    MenuModel model = routeMenus();
    int notified = 0;
    model.onChanged([&] { ++notified; });

    model.setEnabled("ActDelRoot", false);
    EXPECT_EQ(notified, 1);
    EXPECT_FALSE(model.band("MakeRootMenu")->commands[1].enabled);
    EXPECT_FALSE(model.band("TRKjobMenu")->commands[0].enabled);
    EXPECT_FALSE(model.isEnabled("ActDelRoot"));

    model.setEnabled("ActDelRoot", false);  // no change, no notice
    {
        // Unknown ids change nothing and are reported, once per use.
        test::UnknownToolCatcher unknown;
        model.setChecked("ActUnknown", true);
        EXPECT_EQ(notified, 1);
        EXPECT_FALSE(model.isEnabled("ActUnknown"));
        EXPECT_FALSE(model.isChecked("ActUnknown"));
        EXPECT_EQ(unknown.reports(), std::vector<std::string>(3, "MenuModel: ActUnknown"));
    }

    model.setChecked("ActZupMode", true);
    model.setCaption("ActZupMode", "範囲拡大中");
    model.setVisible("ActZupMode", false);
    EXPECT_EQ(notified, 4);
    const MenuCommand* zoom = model.command("ActZupMode");
    EXPECT_TRUE(zoom->checked);
    EXPECT_TRUE(model.isChecked("ActZupMode"));
    EXPECT_EQ(zoom->caption, "範囲拡大中");
    EXPECT_FALSE(zoom->visible);
}

TEST(MenuModel, ListenersCanBeRemovedAndMayChangeTheModelWhileTold) {
    MenuModel model = routeMenus();
    int first = 0;
    int second = 0;
    const int firstId = model.onChanged([&] {
        ++first;
        model.setChecked("ActMakeNewTRKdata", true);  // a change made while being told
    });
    const int secondId = model.onChanged([&] { ++second; });
    EXPECT_NE(firstId, secondId);

    model.setEnabled("ActZupMode", false);
    EXPECT_EQ(first, 2);  // the change and the change it made itself
    EXPECT_EQ(second, 2);
    EXPECT_TRUE(model.isChecked("ActMakeNewTRKdata"));

    model.removeListener(firstId);
    model.setEnabled("ActZupMode", true);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 3);

    // A listener that removes another one before it is told.
    int third = 0;
    int thirdId = 0;
    model.onChanged([&] { model.removeListener(thirdId); });
    thirdId = model.onChanged([&] { ++third; });
    model.setEnabled("ActZupMode", false);
    EXPECT_EQ(third, 0);
}

TEST(MenuModel, AHoldKeepsOnlyTheKeptCommandsAvailableAndLeavesTheStatesAlone) {
    MenuModel model = routeMenus();
    model.setEnabled("ActDelRoot", false);
    int notified = 0;
    model.onChanged([&] { ++notified; });

    model.holdAllExcept({"ActMakeNewTRKdata", "ActDelRoot"});
    model.holdAllExcept({"ActMakeNewTRKdata", "ActDelRoot"});  // the same hold again: no notice
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(model.held());
    EXPECT_TRUE(model.isAvailable("ActMakeNewTRKdata"));
    EXPECT_FALSE(model.isAvailable("ActDelRoot"));  // kept, but disabled
    EXPECT_FALSE(model.isAvailable("ActZupMode"));
    EXPECT_FALSE(model.isAvailable("ActMakeRoot"));  // an entry that opens a band is held too
    EXPECT_TRUE(model.isEnabled("ActZupMode"));

    model.release();
    model.release();
    EXPECT_EQ(notified, 2);
    EXPECT_FALSE(model.held());
    EXPECT_TRUE(model.isAvailable("ActZupMode"));
    EXPECT_FALSE(model.isAvailable("ActDelRoot"));
}

}  // namespace
}  // namespace orv
