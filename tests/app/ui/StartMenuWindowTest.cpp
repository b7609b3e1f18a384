#include "app/ui/StartMenuWindow.h"

#include "platform/qt/WindowShortcuts.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

struct StartMenuWindowTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    IniStore settings;
    test::ScriptedDialogs dialogs;
    std::filesystem::path settingsFile = dir / "Orvane2.ini";
};

TEST_F(StartMenuWindowTest, MenuBarHoldsTheFiveCommands) {
    StartMenuWindow window(*state, settings, settingsFile, &dialogs);
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        if (!action->isSeparator()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"山行計画（ルート作成）", "山行記録（GPS読込）", "ﾙｰﾄﾌｧｲﾙの削除",
                                     "Orvaneについて", "Orvaneの終了"}));
    EXPECT_EQ(window.windowTitle(), "地域選択");
    // Mesh buttons start disabled.
    int disabled = 0;
    for (auto* button : window.findChildren<QPushButton*>())
        if (!button->isEnabled()) ++disabled;
    EXPECT_EQ(disabled, 5);
}

// "標高データの作成" is a button of the window: it runs the command with the block's centre mesh.
TEST_F(StartMenuWindowTest, ElevationDataButtonRunsTheCommand) {
    StartMenuWindow window(*state, settings, settingsFile, &dialogs);
    state->centreMeshCode = "523874";
    std::vector<std::string> centres;
    window.logic().startDialogs().demCreation = [&](const std::string& centre, std::string&) {
        centres.push_back(centre);
        return std::optional<std::string>();
    };
    auto* button = window.findChild<QPushButton*>("ActMake50mData");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "標高データの作成");
    EXPECT_TRUE(button->isEnabled());
    button->click();
    EXPECT_EQ(centres, std::vector<std::string>{"523874"});
}

TEST_F(StartMenuWindowTest, ExitAsksAndNoKeepsTheWindow) {
    StartMenuWindow window(*state, settings, settingsFile, &dialogs);
    window.show();
    dialogs.answerMessage(Answer::No);
    window.dispatch("ActExitOrvane");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(std::filesystem::exists(settingsFile));

    // Ctrl+Q asks the same; F1 opens the help.
    QShortcut* help = windowShortcut(&window, QKeySequence(Qt::Key_F1));
    ASSERT_NE(help, nullptr);
    const size_t before = dialogs.asked().size();
    emit help->activated();
    ASSERT_EQ(dialogs.asked().size(), before + 1);
    EXPECT_EQ(dialogs.asked().back().text, kStartHelpFile);
    dialogs.answerMessage(Answer::Yes);
    QShortcut* quit = windowShortcut(&window, QKeySequence(Qt::CTRL | Qt::Key_Q));
    ASSERT_NE(quit, nullptr);
    emit quit->activated();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(std::filesystem::exists(settingsFile));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    for (const auto& asked : dialogs.messages()) {
        EXPECT_EQ(asked.text, "Orvaneを終了しますか？");
        EXPECT_EQ(asked.title, "Orvane終了確認");
    }
}

TEST_F(StartMenuWindowTest, OverviewLabelsFollowTheScrollPosition) {
    StartMenuWindow window(*state, settings, settingsFile, &dialogs);
    QStringList texts;
    for (auto* label : window.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("37.2"));    // vertical start 1040: 37°20′ at the top
    EXPECT_TRUE(texts.contains(" 134.0"));  // horizontal start 480
    EXPECT_TRUE(texts.contains(" 141.0"));
}

}  // namespace
}  // namespace orv
