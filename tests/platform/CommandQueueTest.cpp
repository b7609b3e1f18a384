// The one dispatch rule of every window: commands wait while the window is busy and run in the
// order they came; commands not offered do nothing; a window's urgent commands run at once.
#include "platform/CommandQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace orv {
namespace {

struct CommandQueueTest : ::testing::Test {
    std::vector<std::string> ran;
    std::set<std::string> disabled;
    bool redrawing = false;
    // What a command does while it runs, by name.
    std::function<void(const std::string&)> during;
    CommandQueue<std::string> queue{{
        .run =
            [this](const std::string& command) {
                ran.push_back(command);
                if (during) during(command);
            },
        .available = [this](const std::string& command) { return !disabled.contains(command); },
        .takenWhileBusy = [](const std::string& command) { return command == "cancel"; },
        .alsoBusy = [this] { return redrawing; },
    }};
};

TEST_F(CommandQueueTest, CommandsArrivingWhileOneRunsWaitAndRunInOrder) {
    during = [this](const std::string& command) {
        if (command != "first") return;
        EXPECT_TRUE(queue.busy());
        EXPECT_FALSE(queue.submit("second"));
        EXPECT_FALSE(queue.submit("third"));
        EXPECT_EQ(queue.pending(), 2u);
    };
    EXPECT_TRUE(queue.submit("first"));
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(queue.pending(), 0u);
    EXPECT_FALSE(queue.busy());
}

TEST_F(CommandQueueTest, WorkOutsideACommandHoldsThemUntilItEnds) {
    {
        CommandQueue<std::string>::BusyScope work(queue);
        queue.submit("a");
        redrawing = true;
    }
    queue.runPending();
    EXPECT_TRUE(ran.empty());  // the window's own redraw still runs
    redrawing = false;
    queue.submit("b");
    EXPECT_EQ(ran, (std::vector<std::string>{"a", "b"}));
}

TEST_F(CommandQueueTest, CommandsNotOfferedDoNothingNowOrWhenTheirTurnComes) {
    disabled = {"off"};
    EXPECT_FALSE(queue.submit("off"));
    during = [this](const std::string& command) {
        if (command != "first") return;
        queue.submit("later");
        disabled.insert("later");  // disabled by the running command
    };
    queue.submit("first");
    EXPECT_EQ(ran, std::vector<std::string>{"first"});
}

TEST_F(CommandQueueTest, AWindowsUrgentCommandRunsAtOnceAndWaitingOnesCanBeDropped) {
    during = [this](const std::string& command) {
        if (command != "build") return;
        EXPECT_TRUE(queue.submit("cancel"));
        EXPECT_FALSE(queue.submit("other"));
        EXPECT_EQ(ran.back(), "cancel");
        queue.dropPending();
    };
    queue.submit("build");
    EXPECT_EQ(ran, (std::vector<std::string>{"build", "cancel"}));
}

}  // namespace
}  // namespace orv
