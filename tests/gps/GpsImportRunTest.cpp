// The import chosen in the format dialog: which files are asked for with which filters, what
// the start menu is shown, and how cancelling and failing end the start sequence.
#include "gps/GpsImportRun.h"

#include "GpsTestFiles.h"
#include "schedule/CourseTime.h"
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

TEST_F(GpsImportRunTest, PcxFilesOnWgs84AreBroughtOntoTheTokyoDatum) {
    // The datum origin's JGD2000 position (≈ WGS 84) in a receiver's DM unit, and as a waypoint
    // in DMS: both land on its Tokyo datum position 35°39′17.5148″ N 139°44′40.5020″ E.
    const std::string wgsTrack = write("wgs.TRK", {"H  SOFTWARE NAME & VERSION",
                                                   "M  G WGS 84                121 +0.000000e+000 +0.000000e+000 "
                                                   "+0.000000e+000 +0.000000e+000 +0.000000e+000",
                                                   "U  LAT LON DM",
                                                   test::trackLine("3539.485953", "13944.481265")});
    const std::string wgsWaypoints = write("wgs.WPT", {"M  G WGS-84", test::waypointLine("AZABU", "353929.1572", "1394428.8759")});
    dialogs.answerFile(wgsTrack);
    dialogs.answerFile(wgsWaypoints);
    EXPECT_EQ(run(kGpsFormatPcx, true), GpsImportOutcome::Read);
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(state->routeCount, 1);
    ASSERT_EQ(state->waypointCount, 1);
    const double tokyoLat = 35 + 39 / 60.0 + 17.5148 / 3600.0;
    const double tokyoLon = 139 + 44 / 60.0 + 40.5020 / 3600.0;
    for (const auto& [lat, lon] : {std::pair{state->route[1].latitude, state->route[1].longitude},
                                   std::pair{state->waypoints[1].latitude, state->waypoints[1].longitude}}) {
        SCOPED_TRACE(lat + " " + lon);
        EXPECT_NEAR((*dmsTextDegrees(lat) - tokyoLat) * 3600.0, 0.0, 0.3);
        EXPECT_NEAR((*dmsTextDegrees(lon) - tokyoLon) * 3600.0, 0.0, 0.3);
    }
}

TEST_F(GpsImportRunTest, PcxDatumsTheProgramDoesNotKnowAreReadAsTokyoWithAWarning) {
    const std::string nad = write("nad.TRK", {"M  G NAD27 CONUS         131 -8.000000e+000", "U  LAT LON DM",
                                              test::trackLine("3545.205", "13945.205")});
    dialogs.answerFile(nad);
    EXPECT_EQ(run(kGpsFormatPcx), GpsImportOutcome::Read);
    EXPECT_EQ(statusLines, (std::vector<std::string>{
                               nad, "ＴＲＫデータの測地系「NAD27 CONUS」は分からないため、日本測地系として読み込みました。"}));
    EXPECT_EQ(state->route[1].latitude, "35.45123");
    EXPECT_EQ(state->route[1].longitude, "139.45123");
}

TEST_F(GpsImportRunTest, GpxLogIsReadThinnedAndBroughtOntoTheTokyoDatum) {
    std::string log = "<gpx version=\"1.1\">\n<wpt lat=\"42.7196\" lon=\"142.6838\"><name>幌尻岳</name></wpt>\n<trk><trkseg>\n";
    for (int i = 0; i < 3000; ++i)
        log += "<trkpt lat=\"" + std::to_string(42.70 + i * 1e-5) + "\" lon=\"142.65\"><time>2024-05-04T23:10:00Z</time></trkpt>\n";
    log += "</trkseg></trk></gpx>\n";
    const std::string gpx = dir.write("log.gpx", log).string();
    dialogs.answerFile(gpx);
    dialogs.answerMessage(Answer::Ok);
    EXPECT_EQ(run(kGpsFormatGpx, true), GpsImportOutcome::Read);
    EXPECT_EQ(fileFilters(), (std::vector<std::string>{"GPXファイル(*.GPX)|*.GPX;*.gpx"}));
    EXPECT_EQ(progressTexts, (std::vector<std::string>{"GPXデータ読込中"}));
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "GPXデータのＴＲＫの点が3000点あり、2048点を超えるため、等間隔に2048点に間引いて読み込みました。");
    EXPECT_EQ(messages[0].title, "ＴＲＫ読み込み");
    EXPECT_EQ(messages[0].icon, Icon::Information);
    ASSERT_EQ(state->routeCount, 2048);
    EXPECT_EQ(state->route[1].timeText, "08:10:00");
    EXPECT_EQ(state->route[1].dateText, "05/04/24");
    ASSERT_EQ(state->waypointCount, 1);
    EXPECT_EQ(state->waypoints[1].name, "幌尻岳");
    EXPECT_EQ(state->waypointsRead, 1);
    // About 9″ south and 14″ east of the GPS position on the Tokyo datum.
    EXPECT_NEAR((*dmsTextDegrees(state->route[1].latitude) - 42.70) * 3600.0, -9.0, 1.0);
    EXPECT_NEAR((*dmsTextDegrees(state->route[1].longitude) - 142.65) * 3600.0, 13.8, 1.0);
}

// A clean log of five points, read as the GPS record sequence reads it, is scheduled by the
// course-time window without any warning: its last point, where the pitch is passed, ends one
// entry.
TEST_F(GpsImportRunTest, FivePointGpxLogIsScheduledWithoutAWarning) {
    const char* const points[][4] = {
        {"42.6917", "142.6333", "800", "2024-08-01T23:10:00Z"},
        {"42.7000", "142.6500", "1000", "2024-08-01T23:40:00Z"},
        {"42.7083", "142.6667", "1300", "2024-08-02T00:30:00Z"},
        {"42.7167", "142.6750", "1600", "2024-08-02T01:20:00Z"},
        {"42.7194", "142.6828", "2052", "2024-08-02T02:00:00Z"},
    };
    std::string log = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"test\">\n"
                      "<trk><name>幌尻岳</name><trkseg>\n";
    for (const auto& p : points)
        log += std::string("<trkpt lat=\"") + p[0] + "\" lon=\"" + p[1] + "\"><ele>" + p[2] +
               "</ele><time>" + p[3] + "</time></trkpt>\n";
    log += "</trkseg></trk></gpx>\n";
    dialogs.answerFile(dir.write("horoshiri.gpx", log).string());
    ASSERT_EQ(run(kGpsFormatGpx), GpsImportOutcome::Read);
    ASSERT_EQ(state->routeCount, 5);
    EXPECT_EQ(state->route[1].timeText, "08:10:00");

    // The record sequence's state: recorded times, heights as recorded, the block's level 1.
    state->gpsMode = true;
    state->demUnused = 1;
    state->currentLevel = 1;
    state->levelCorners[1] = {"42.3500", "42.4500", "142.3500", "142.4500"};
    CourseTime window(*state, dialogs);
    window.open();
    window.calculate();
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(state->segmentCount, 2);
    EXPECT_EQ(state->segments[1].endPoint, 3);  // 80 minutes > 30
    EXPECT_EQ(state->segments[2].endPoint, 5);  // 90 minutes > 55, at the last point
    EXPECT_EQ(state->segments[2].arrival, "11:00");
    EXPECT_EQ(window.forecast(), "11:00");
}

TEST_F(GpsImportRunTest, BrokenGpxIsShownAndCancelsTheStart) {
    const std::string gpx = dir.write("log.gpx", "<gpx>\n<trk><trkseg>\n<trkpt lat=\"42.7\"/>\n").string();
    dialogs.answerFile(gpx);
    EXPECT_EQ(run(kGpsFormatGpx), GpsImportOutcome::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "GPXデータの 3 行目を読み取れません。\r\n点に緯度（lat）か経度（lon）がありません。");
    EXPECT_EQ(dialogs.messages()[0].title, "ＴＲＫ読み込み");
    EXPECT_EQ(state->routeCount, 0);
}

}  // namespace
}  // namespace orv
