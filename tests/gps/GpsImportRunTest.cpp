// The import chosen in the format dialog: which files are asked for with which filters, what
// the start menu is shown, and how cancelling and failing end the start sequence.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {
namespace {

struct GpsImportRunTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::vector<std::string> statusLines;
    std::vector<std::string> progressTexts;
    int hidden = 0;
    GpsImportView view{
        [this](int value, const std::string& text) {
            if (value == 0) progressTexts.push_back(text);
        },
        [this] { ++hidden; },
        [this](const std::string& text) { statusLines.push_back(text); },
    };
    std::string trackFile;
    std::string waypointFile;
    std::string plusFile;

    std::string write(std::string_view name, const std::vector<std::string>& lines) const {
        return dir.write(name, test::crlfFile(lines)).string();
    }

    GpsImportRunTest() {
        trackFile = write("walk.TRK", {test::trackLine("354512.3", "1394512.3")});
        waypointFile = write("walk.WPT", {test::waypointLine("001", "354512.3", "1394512.3")});
        plusFile = write("walk.TXT", {"header", "WP,D,001,35.5,139.5"});
        // What an earlier sequence left behind is cleared before reading.
        state->route[1].latitude = "1";
        state->routeCount = 1;
        state->waypoints[1].name = "old";
        state->waypointCount = 1;
    }

    GpsImportOutcome run(int option, bool readWaypoints = false) {
        return runGpsImport(GpsFormatChoice{option, readWaypoints}, *state, dialogs, view);
    }

    std::vector<std::string> fileFilters() const {
        std::vector<std::string> filters;
        for (const auto& asked : dialogs.asked())
            if (asked.kind == "openFile") {
                EXPECT_EQ(asked.title, "GPSファイルを開く");
                filters.push_back(asked.text);
            }
        return filters;
    }
};

TEST_F(GpsImportRunTest, PcxTrackAloneLeavesNoWaypoints) {
    dialogs.answerFile(trackFile);
    EXPECT_EQ(run(kGpsFormatPcx), GpsImportOutcome::Read);
    EXPECT_EQ(fileFilters(), (std::vector<std::string>{"PCXテキストファイル(*.TRK)|*.TRK;*.trk"}));
    EXPECT_EQ(state->gpsFilePath, trackFile);
    EXPECT_EQ(statusLines, (std::vector<std::string>{trackFile, ""}));
    EXPECT_EQ(progressTexts, (std::vector<std::string>{"TRKデータ読み込み中"}));
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->route[1].latitude, "35.45123");
    EXPECT_EQ(state->waypointCount, 0);
    EXPECT_TRUE(state->waypoints[1].name.empty());
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(GpsImportRunTest, PcxTrackThenWaypointsWhenChecked) {
    dialogs.answerFile(trackFile);
    dialogs.answerFile(waypointFile);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Read);
    EXPECT_EQ(fileFilters(), (std::vector<std::string>{"PCXテキストファイル(*.TRK)|*.TRK;*.trk",
                                                       "PCXテキストファイル(*.WPT)|*.WPT;*.wpt"}));
    EXPECT_EQ(state->gpsFilePath, waypointFile);
    EXPECT_EQ(progressTexts, (std::vector<std::string>{"TRKデータ読み込み中", "WPTデータ読み込み中"}));
    EXPECT_EQ(state->routeCount, 1);
    EXPECT_EQ(state->waypointCount, 1);
    EXPECT_TRUE(state->waypointsRead);
}

TEST_F(GpsImportRunTest, WaypointPlusFile) {
    dialogs.answerFile(plusFile);
    EXPECT_EQ(run(kGpsFormatWaypointPlus, true), GpsImportOutcome::Read);
    EXPECT_EQ(fileFilters(), (std::vector<std::string>{"Waypoint+ﾃｷｽﾄﾌｧｲﾙ(*.TXT)|*.TXT;*.txt"}));
    EXPECT_EQ(progressTexts, (std::vector<std::string>{"TRKデータ読込中"}));
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(state->waypointCount, 1);
}

TEST_F(GpsImportRunTest, PotAndPlanRouteOptionsReadNoFile) {
    EXPECT_EQ(run(kGpsFormatPot, true), GpsImportOutcome::NothingRead);
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_TRUE(state->route[1].latitude.empty());
    EXPECT_EQ(state->waypointCount, 0);

    EXPECT_EQ(run(kGpsFormatPlanRoute), GpsImportOutcome::ReadPlanRoute);
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(GpsImportRunTest, CancellingAnyDialogCancelsTheStart) {
    dialogs.answerFile(std::nullopt);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Cancelled);
    EXPECT_EQ(fileFilters().size(), 1u);  // the waypoint file is not asked for

    dialogs.answerFile(trackFile);
    dialogs.answerFile(std::nullopt);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Cancelled);

    EXPECT_EQ(runGpsImport(std::nullopt, *state, dialogs, view), GpsImportOutcome::Cancelled);
}

TEST_F(GpsImportRunTest, ReaderProblemsAreShownAndCancelTheStart) {
    const std::string broken = write("broken.TRK", {"H", "T  N354512.3"});
    dialogs.answerFile(broken);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto shown = dialogs.messages()[0];
    EXPECT_EQ(shown.text, "ＴＲＫデータの 2 行目を読み取れません。\r\n経度の前の「E」がありません。");
    EXPECT_EQ(shown.title, "ＴＲＫ読み込み");
    EXPECT_EQ(shown.buttons, Buttons::Ok);
    EXPECT_EQ(shown.icon, Icon::Warning);
    EXPECT_EQ(state->routeCount, 0);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(statusLines.back(), "");
}

TEST_F(GpsImportRunTest, UnsupportedUnitIsShownAndCancelsTheStart) {
    const std::string utm = write("utm.WPT", {"U  LAT LON UTM"});
    dialogs.answerFile(trackFile);
    dialogs.answerFile(utm);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "この形式のＴＲＫデータは読み込めません");
    EXPECT_EQ(dialogs.messages()[0].title, "ＴＲＫ読み込み");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Information);
    EXPECT_EQ(state->routeCount, 0);  // the track read before is not kept either
}

}  // namespace
}  // namespace orv
