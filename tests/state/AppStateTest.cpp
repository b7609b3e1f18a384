// What the two resets of the state take back and what they leave: the start values run after
// the folders are known and before the settings are read; the plan reset keeps everything that
// carries over from one plan to the next.
#include "state/AppState.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

// A state as a session leaves it: paths, settings, a plan with its tables, and changed
// display choices.
std::unique_ptr<AppState> usedState() {
    auto state = makeAppState();
    state->appFolder = "/opt/orvane";
    state->dataFolder = "/home/u/Data";
    state->planName = "幌尻岳";
    state->settings.flatSpeed = 3.5f;
    state->demFolder = "/media/cd/Data";
    state->rvnFileExists = true;
    state->gpsMode = true;
    state->routeCount = 3;
    state->route[2].placeName = "額平川";
    state->mountainCount = 1;
    state->elevationGrid.set(10, 10, 1, 1052.0f);
    state->regionCaption = "x";
    state->routeLoaded = true;
    state->cumulativeTimesShown = true;
    state->ridgeValleyLinesShown = true;
    state->currentLevel = 3;
    state->roundTrip = true;
    state->contoursShown = true;
    state->profileFlags = {false, true, true};
    state->textStyles[4].size = 20.0f;
    return state;
}

TEST(AppStateResets, StartValuesLeavePathsSettingsAndTables) {
    auto state = usedState();
    setStartValues(*state);

    EXPECT_EQ(state->regionCaption, "地域選択");
    EXPECT_FALSE(state->routeLoaded);
    EXPECT_FALSE(state->cumulativeTimesShown);
    EXPECT_FALSE(state->ridgeValleyLinesShown);
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_FALSE(state->roundTrip);
    EXPECT_FALSE(state->contoursShown);
    EXPECT_EQ(state->profileFlags, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(state->textStyles, initialTextStyles());

    EXPECT_EQ(state->appFolder, "/opt/orvane");
    EXPECT_EQ(state->dataFolder, "/home/u/Data");
    EXPECT_EQ(state->planName, "幌尻岳");
    EXPECT_EQ(state->settings.flatSpeed, 3.5f);
    EXPECT_EQ(state->demFolder, "/media/cd/Data");
    EXPECT_TRUE(state->rvnFileExists);
    EXPECT_EQ(state->routeCount, 3);
    EXPECT_EQ(state->route[2].placeName, "額平川");
    EXPECT_EQ(state->elevationGrid.get(10, 10, 1), 1052.0f);
}

TEST(AppStateResets, PlanResetKeepsWhatCarriesOverToTheNextPlan) {
    auto state = usedState();
    resetPlanState(*state);

    EXPECT_EQ(state->planName, "");
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(state->route[2].placeName, "");
    EXPECT_EQ(state->mountainCount, 0);
    EXPECT_FALSE(state->routeLoaded);
    EXPECT_FALSE(state->cumulativeTimesShown);
    EXPECT_FALSE(state->ridgeValleyLinesShown);

    EXPECT_EQ(state->regionCaption, "x");
    EXPECT_EQ(state->currentLevel, 3);
    EXPECT_TRUE(state->roundTrip);  // the course-time window still refuses to reverse
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(state->profileFlags, (std::array<bool, 3>{false, true, true}));
    EXPECT_EQ(state->textStyles[4].size, 20.0f);
    EXPECT_TRUE(state->gpsMode);
    EXPECT_TRUE(state->rvnFileExists);
    EXPECT_EQ(state->demFolder, "/media/cd/Data");
    EXPECT_EQ(state->settings.flatSpeed, 3.5f);
    EXPECT_EQ(state->elevationGrid.get(10, 10, 1), 1052.0f);
}

}  // namespace
}  // namespace orv
