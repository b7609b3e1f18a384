// Exporting the route map's route as a GPS file: the save dialog's texts, the file written,
// a cancelled dialog that leaves the start sequence's flag alone, and a file that cannot be written.
#include "gps/TrackExport.h"

#include "GpsTestFiles.h"
#include "exchange/GpxReader.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace orv {
namespace {

struct TrackExportTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    TrackExportTest() {
        state->planName = "幌尻岳";
        state->route[1].latitude = "42.43";
        state->route[1].longitude = "142.41";
        state->route[1].elevation = 1000.0f;
        state->route[1].timeText = "00:00:00";
        state->route[2].latitude = "42.4312";
        state->route[2].longitude = "142.4115";
        state->route[2].elevation = 2052.0f;
        state->route[2].timeText = "02:10:00";
        state->route[2].mountainName = "幌尻岳";
        state->routeCount = 2;
    }
};

TEST_F(TrackExportTest, PcxTrackOfTheRouteInTheChosenFile) {
    const auto path = (dir / "out.TRK").string();
    dialogs.answerFile(path);
    EXPECT_EQ(exportPcxTrack(*state, dialogs), TrackExportOutcome::Saved);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    const test::Asked& asked = dialogs.asked()[0];
    EXPECT_EQ(asked.kind, "saveFile");
    EXPECT_EQ(asked.title, "GPSファイルを保存");
    EXPECT_EQ(asked.text, "PCXテキストファイル(*.TRK)|*.TRK;*.trk");
    EXPECT_EQ(asked.initialPath, "幌尻岳.TRK");
    EXPECT_EQ(state->gpsFilePath, "幌尻岳.TRK");
    const auto back = readPcxTrack(path, {});
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back->points.size(), 2u);
    EXPECT_EQ(back->points[1].latitude, "42.4312");
}

// The dialogs of GPS files start in the data folder, then in the folder the last GPS file was
// saved to, whichever the format; never in the program's folder.
TEST_F(TrackExportTest, TheDialogStartsWhereTheLastGpsFileWentElseInTheDataFolder) {
    state->dataFolder = dir / "data";
    state->appFolder = dir / "program";
    std::filesystem::create_directories(dir / "tracks");
    dialogs.answerFile((dir / "tracks" / "a.TRK").string());
    dialogs.answerFile((dir / "tracks" / "b.gpx").string());
    dialogs.answerFile(std::nullopt);
    EXPECT_EQ(exportPcxTrack(*state, dialogs), TrackExportOutcome::Saved);
    EXPECT_EQ(exportGpxTrack(*state, dialogs), TrackExportOutcome::Saved);
    EXPECT_EQ(exportPcxTrack(*state, dialogs), TrackExportOutcome::Cancelled);
    ASSERT_EQ(dialogs.asked().size(), 3u);
    EXPECT_EQ(dialogs.asked()[0].initialPath, (dir / "data" / "幌尻岳.TRK").string());
    EXPECT_EQ(dialogs.asked()[1].initialPath, (dir / "tracks" / "幌尻岳.gpx").string());
    EXPECT_EQ(dialogs.asked()[2].initialPath, (dir / "tracks" / "幌尻岳.TRK").string());
    EXPECT_EQ(state->fileFolders.last(FileKind::GpsFile), dir / "tracks");
}

TEST_F(TrackExportTest, GpxOfTheRouteWithItsNamedPointAsWaypoint) {
    const auto path = (dir / "out.gpx").string();
    dialogs.answerFile(path);
    EXPECT_EQ(exportGpxTrack(*state, dialogs), TrackExportOutcome::Saved);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].title, "GPSファイルを保存");
    EXPECT_EQ(dialogs.asked()[0].text, "GPXファイル(*.GPX)|*.GPX;*.gpx");
    EXPECT_EQ(dialogs.asked()[0].initialPath, "幌尻岳.gpx");
    const auto back = readGpxFile(path);
    ASSERT_TRUE(back.ok()) << back.problem().detail;
    EXPECT_EQ(back->name, "幌尻岳");
    ASSERT_EQ(back->trackPointCount(), 2u);
    EXPECT_EQ(back->tracks[0].segments[0][1].elevation, 2052.0);
    ASSERT_EQ(back->waypoints.size(), 1u);
    EXPECT_EQ(back->waypoints[0].name, "幌尻岳");
    // On WGS 84: north-east of the Tokyo datum position by about 9″ and 14″ west.
    EXPECT_NEAR((back->waypoints[0].latitude - (42 + 43 / 60.0 + 12 / 3600.0)) * 3600.0, 9.0, 1.0);
    EXPECT_NEAR((back->waypoints[0].longitude - (142 + 41 / 60.0 + 15 / 3600.0)) * 3600.0, -13.8, 1.0);
}

TEST_F(TrackExportTest, ACancelledDialogWritesNothingAndKeepsNoOneInTheMap) {
    for (auto exportTrack : {exportPcxTrack, exportGpxTrack}) {
        dialogs.answerFile(std::nullopt);
        EXPECT_EQ(exportTrack(*state, dialogs), TrackExportOutcome::Cancelled);
        EXPECT_TRUE(dialogs.messages().empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(TrackExportTest, AFileThatCannotBeWrittenIsTold) {
    std::filesystem::create_directory(dir / "taken.TRK");
    for (const auto& [exportTrack, path] : {std::pair{&exportPcxTrack, dir / "taken.TRK"},
                                            std::pair{&exportGpxTrack, dir / "missing" / "a.gpx"}}) {
        dialogs.answerFile(path.string());
        EXPECT_EQ(exportTrack(*state, dialogs), TrackExportOutcome::Failed);
    }
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "GPSファイルを保存できません。\r\n" + (dir / "taken.TRK").string());
    EXPECT_EQ(messages[0].title, "GPSファイルを保存");
    EXPECT_EQ(messages[0].icon, Icon::Warning);
    EXPECT_EQ(messages[1].text, "GPSファイルを保存できません。\r\n" + (dir / "missing" / "a.gpx").string());
}

}  // namespace
}  // namespace orv
