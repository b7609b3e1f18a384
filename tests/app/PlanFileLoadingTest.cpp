// A saved plan's files into the state: the route data file with readRouteFile and the
// ridge/valley file with readRidgeValleyFile, including broken and hostile files.
#include "app/PlanFileLoading.h"

#include "core/Cp932.h"
#include "core/TextFile.h"
#include "plans/PlanName.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(ORVANE_FIXTURES) / "plans";

std::string cp932(std::string_view utf8) { return utf8ToCp932(utf8).text; }

// Joins lines with CR LF after each.
std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

// ---- Route data file ----

// A plan as the route map leaves it: the block around 543745 and the destination chosen.
struct RouteFileTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    StartMenuModel menu;

    RouteFileTest() {
        state->dataFolder = dir.path();
        state->planName = "Yari980707";
        state->centreMeshCode = "543745";
        state->meshCodes = meshNeighbours("543745");
        state->levelCorners[0][1] = meshSouthLatitude("543745");
        state->levelCorners[0][2] = meshWestLongitude("543745");
        state->mountainCount = 2;
        state->mountainTable[1] = {"穂高岳", "36.171", "137.3854", "3190", "ほたかだけ", "A", 0, ""};
        state->mountainTable[2] = {"槍ヶ岳", "36.2032", "137.384", "3180", "やりがたけ", "A", 0, ""};
        state->selectedMountain = 2;
    }

    void setPoint(int j, const char* lat, const char* lon, float elevation) {
        RoutePoint& p = state->route[static_cast<size_t>(j)];
        p.number = static_cast<int16_t>(j);
        p.latitude = lat;
        p.longitude = lon;
        p.elevation = elevation;
    }

    // What a failed read must leave as it was.
    void markState() {
        state->route[1].latitude = "1.1";
        state->routeCount = 7;
        state->centreMeshCode = "999999";
        state->selectedMountain = 1;
    }
    void expectStateUntouched() const {
        EXPECT_EQ(state->route[1].latitude, "1.1");
        EXPECT_EQ(state->routeCount, 7);
        EXPECT_EQ(state->centreMeshCode, "999999");
        EXPECT_EQ(state->selectedMountain, 1);
        EXPECT_FALSE(state->routeLoaded);
        EXPECT_FALSE(state->mountainConfirmed);
    }
};

TEST_F(RouteFileTest, ThreePointsWithEmptyTextsWriteAndReadBack) {
    setPoint(1, "35.2", "139.4", 1234.5f);
    setPoint(2, "35.201", "139.4015", 0.9f);
    setPoint(3, "35.2025", "139.403", -1.0f);
    state->route[3].mountainName = "槍ヶ岳";
    state->route[3].markKind = 2;
    state->route[3].label = "山頂";
    state->route[2].dateText = "1998/07/07";  // not saved
    state->routeCount = 3;

    const auto lines = routeFileLines(*state);
    const std::vector<std::string> expected = {
        "36.2 137.373 36.2 137.373",
        ";",
        "543745 543754 543755 543756 543744 543746 543734 543735 543736",
        ";",
        "槍ヶ岳 36.2032 137.384 3180 やりがたけ A",
        ";",
        "3 TRK",
        ";",
        "1 35.2 139.4 1234.5    0 ",
        "2 35.201 139.4015 .9    0 ",
        "3 35.2025 139.403 -1  槍ヶ岳  2 山頂",
    };
    EXPECT_EQ(lines, expected);

    ASSERT_EQ(writeTextLines(routeFilePath(dir.path(), "Yari980707"), lines), FileError::None);
    const RouteTable written = state->route;
    clearRoute(*state);
    state->centreMeshCode.clear();
    state->selectedMountain = 0;

    const RouteFileLoad load = readRouteFile(*state, menu);
    ASSERT_TRUE(load.loaded) << load.message;
    EXPECT_EQ(state->routeCount, 3);
    for (size_t j = 1; j <= 3; ++j) {
        const RoutePoint& a = state->route[j];
        const RoutePoint& b = written[j];
        EXPECT_EQ(a.number, b.number);
        EXPECT_EQ(a.latitude, b.latitude);
        EXPECT_EQ(a.longitude, b.longitude);
        EXPECT_EQ(a.elevation, b.elevation);
        EXPECT_EQ(a.timeText, b.timeText);
        EXPECT_EQ(a.mountainName, b.mountainName);
        EXPECT_EQ(a.placeName, b.placeName);
        EXPECT_EQ(a.markKind, b.markKind);
        EXPECT_EQ(a.label, b.label);
        EXPECT_EQ(a.dateText, "");
    }
    EXPECT_EQ(state->selectedMountain, 2);
    EXPECT_EQ(state->centreMeshCode, "543745");
}

TEST_F(RouteFileTest, SavedPlanFixtureLoadsIntoTheState) {
    fs::copy_file(kFixtures / "Yari980707.RTD", dir / "Yari980707.RTD");
    state->centreMeshCode.clear();
    state->meshCodes = {};
    state->levelCorners[0] = {};
    state->selectedMountain = 0;
    menu.status = "計画ルートデータを読み込みます";
    menu.progressVisible = true;

    const RouteFileLoad load = readRouteFile(*state, menu);
    ASSERT_TRUE(load.loaded) << load.message;
    EXPECT_EQ(state->centreMeshCode, "543745");
    EXPECT_EQ(state->meshCodes, meshNeighbours("543745"));
    EXPECT_EQ(state->levelCorners[0][1], "36.2");
    EXPECT_EQ(state->levelCorners[0][2], "137.373");
    EXPECT_EQ(menu.centreSouth, dmsToSeconds("36.2"));
    EXPECT_EQ(menu.centreWest, dmsToSeconds("137.373"));
    EXPECT_EQ(state->selectedMountain, 2);
    EXPECT_EQ(state->routeCount, 3);
    EXPECT_EQ(state->route[1].placeName, "上高地");
    EXPECT_EQ(state->route[1].markKind, 1);
    EXPECT_EQ(state->route[1].elevation, 1500.0f);
    EXPECT_EQ(state->route[2].timeText, "08:30");
    EXPECT_EQ(state->route[2].elevation, 1800.5f);
    EXPECT_EQ(state->route[3].mountainName, "槍ヶ岳");
    EXPECT_EQ(state->route[3].label, "山頂");
    EXPECT_TRUE(state->mountainConfirmed);
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_TRUE(menu.trkIndicators[0]);
    EXPECT_TRUE(menu.status.empty());
    EXPECT_FALSE(menu.progressVisible);
}

TEST_F(RouteFileTest, DestinationNotInTheMountainTableKeepsTheSelection) {
    fs::copy_file(kFixtures / "Yari980707.RTD", dir / "Yari980707.RTD");
    state->mountainTable[2].elevation = "3179";  // all four texts must match
    state->selectedMountain = 1;
    ASSERT_TRUE(readRouteFile(*state, menu).loaded);
    EXPECT_EQ(state->selectedMountain, 1);
}

TEST_F(RouteFileTest, BrokenFilesChangeNothingAndSayWhy) {
    const std::string header = "36.2 137.373 36.2 137.373\r\n;\r\n543745\r\n;\r\n槍ヶ岳 36.2032 137.384 3180\r\n;\r\n";
    const std::string point = "1 35.2 139.4 1234.5    0 \r\n";
    std::string binary = "\x00\x01\xff\xfe\x81";
    binary.append(5000, '\x9f');
    struct Case {
        const char* what;
        std::optional<std::string> bytes;  // nothing: no file
        const char* message;
    };
    const std::vector<Case> cases = {
        {"missing", std::nullopt, "ルートデータファイル「Yari980707.RTD」を読み込めません。"},
        {"empty", std::string(), kRouteFileFormatMessage},
        {"truncated header", cp932(header).substr(0, 30), kRouteFileFormatMessage},
        {"binary", binary, kRouteFileFormatMessage},
        {"count not a number", cp932(header) + "abc TRK\r\n;\r\n" + point, kRouteFileFormatMessage},
        {"negative count", cp932(header) + "-3 TRK\r\n;\r\n" + point, kRouteFileFormatMessage},
        {"2049 points stated", cp932(header) + "2049 TRK\r\n;\r\n" + point, kRouteFileTooManyMessage},
        {"huge count", cp932(header) + "1e300 TRK\r\n;\r\n" + point, kRouteFileTooManyMessage},
        {"fewer point lines", cp932(header) + "3 TRK\r\n;\r\n" + point + point, kRouteFileMissingPointsMessage},
        {"no separator after the count", cp932(header) + "1 TRK\r\n", kRouteFileMissingPointsMessage},
        {"no points", cp932(header) + "0 TRK\r\n;\r\n", kNoRouteDataMessage},
        {"first point without latitude", cp932(header) + "1 TRK\r\n;\r\n1  139.4 0    0 \r\n", kNoRouteDataMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(dir / "Yari980707.RTD");
        if (c.bytes) dir.write("Yari980707.RTD", *c.bytes);
        markState();
        state->routeLoaded = false;
        state->mountainConfirmed = false;
        menu.progressVisible = true;
        const RouteFileLoad load = readRouteFile(*state, menu);
        EXPECT_FALSE(load.loaded);
        EXPECT_EQ(load.message, c.message);
        expectStateUntouched();
        EXPECT_FALSE(menu.progressVisible);
    }
}

TEST_F(RouteFileTest, MeshCodesThatNameNoMeshAreRefusedWithTheirLine) {
    // The message quotes the field with its control characters visible and cut to 100 characters.
    const std::string longCode(300, '9');
    const std::vector<std::pair<std::string, std::string>> codes{
        {"../secret/loot", "../secret/loot"},
        {"/etc/hostname", "/etc/hostname"},
        {std::string("/etc/x\0", 7), "/etc/x\\x00"},
        {"\x1b]0;owned\x07", "\\x1b]0;owned\\x07"},
        {longCode, std::string(100, '9') + "…"},
        {"533948", "533948"},
        {"5339", "5339"},
    };
    for (const auto& [code, shown] : codes) {
        SCOPED_TRACE(shown);
        dir.write("Yari980707.RTD", "36.2 137.373 36.2 137.373\r\n;\r\n" + code +
                                        " 543754\r\n;\r\nx\r\n;\r\n1 TRK\r\n;\r\n1 35.2 139.4 100    0 \r\n");
        markState();
        state->routeLoaded = false;
        state->mountainConfirmed = false;
        const RouteFileLoad load = readRouteFile(*state, menu);
        EXPECT_FALSE(load.loaded);
        EXPECT_EQ(load.message, "ルートデータファイル「Yari980707.RTD」の3行目のメッシュコード「" + shown +
                                    "」が正しくありません。");
        expectStateUntouched();
    }
}

TEST_F(RouteFileTest, DestinationNotInTheTableIsKeptAsReadForTheNextSave) {
    fs::copy_file(kFixtures / "Yari980707.RTD", dir / "Yari980707.RTD");
    const std::string asRead = readTextLines(dir / "Yari980707.RTD").lines[4];
    state->mountainTable[2].elevation = "3179";
    state->selectedMountain = 0;  // the table was read anew
    ASSERT_TRUE(readRouteFile(*state, menu).loaded);
    EXPECT_EQ(state->selectedMountain, 0);
    EXPECT_EQ(routeFileLines(*state)[4], asRead);

    // A destination the table holds is written from its record.
    state->mountainTable[2].elevation = "3180";
    ASSERT_TRUE(readRouteFile(*state, menu).loaded);
    EXPECT_EQ(state->selectedMountain, 2);
    EXPECT_TRUE(state->destinationLineAsRead.empty());
}

TEST_F(RouteFileTest, FullTableHugeFieldsAndForeignEncodingStillLoad) {
    std::vector<std::string> lines = {"36.2 137.373 36.2 137.373", ";", "543745", ";", "x", ";", "2048 TRK", ";"};
    for (int j = 1; j <= kMaxRoutePoints; ++j) lines.push_back(std::to_string(j) + " 35.2 139.4 100    0 ");
    lines[9] = "2 35.2 139.4 100 " + std::string(1 << 20, 'z') + "   0 ";  // a 1 MB time text
    lines.push_back("2049 35.2 139.4 100    0 ");                         // beyond the stated count
    std::string bytes = crlf(lines);
    // The place name of point 1 in UTF-8 rather than CP932.
    const std::string pointOne = "1 35.2 139.4 100    0 ";
    bytes.replace(bytes.find(pointOne), pointOne.size(), "1 35.2 139.4 100   槍 0 ");
    dir.write("Yari980707.RTD", bytes);

    const Result<RouteFileData> read = readRouteData(dir / "Yari980707.RTD");
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read->lossless);
    const RouteFileLoad load = readRouteFile(*state, menu);
    ASSERT_TRUE(load.loaded) << load.message;
    EXPECT_EQ(state->routeCount, kMaxRoutePoints);
    EXPECT_EQ(state->route[2].timeText.size(), size_t{1} << 20);
    EXPECT_EQ(state->route[2048].number, 2048);
    EXPECT_FALSE(state->route[1].placeName.empty());
}

struct RidgeValleyFileTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    StartMenuModel menu;

    RidgeValleyFileTest() {
        state->dataFolder = dir.path();
        state->planName = "Yari980707";
    }
};

TEST_F(RidgeValleyFileTest, NoFileChangesNothing) {
    state->ridgeValleyCount = 2;
    const RidgeValleyLoad load = readRidgeValleyFile(*state, menu);
    EXPECT_FALSE(load.found);
    EXPECT_EQ(state->ridgeValleyCount, 2);
    EXPECT_FALSE(state->ridgeValleyPresent);
    EXPECT_FALSE(state->ridgeValleyLinesShown);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"), "");
}

TEST_F(RidgeValleyFileTest, FixtureLoadsWithTheFlagsSetAndWritesBackTheSame) {
    fs::copy_file(kFixtures / "Yari980707.RVD", dir / "Yari980707.RVD");
    menu.progressVisible = true;
    const RidgeValleyLoad load = readRidgeValleyFile(*state, menu);
    EXPECT_TRUE(load.found);
    EXPECT_EQ(state->ridgeValleyCount, 5);
    EXPECT_EQ(state->ridgeValleyLoaded, 5);
    EXPECT_TRUE(state->ridgeValleyPresent);
    EXPECT_TRUE(state->ridgeValleyLinesShown);
    EXPECT_FALSE(menu.progressVisible);
    EXPECT_EQ(state->ridgeValleyPoints[2].latitude, "36.202");
    EXPECT_EQ(state->ridgeValleyPoints[2].longitude, "137.382");
    EXPECT_EQ(state->ridgeValleyPoints[3].kind, 2);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"), "");

    std::vector<int> values;
    const auto lines = ridgeValleyFileLines(*state, [&values](int v) { values.push_back(v); });
    EXPECT_EQ(lines, (std::vector<std::string>{"36.2 137.38 1", "36.201 137.381 0", "36.202 137.382 0",
                                               "36.19 137.39 2", "36.191 137.391 0"}));
    EXPECT_EQ(values, (std::vector<int>{0, 50, 100, 150, 200}));
}

TEST_F(RidgeValleyFileTest, HostileFilesLoadWhatTheyCanAndSaySo) {
    // More lines than the table holds, broken lines, binary and a huge line among them.
    std::string bytes = std::string("36.2 137.38 1\r\n\r\nbroken\r\n\x81\xff\x00 1 2\r\n", 34) +
                        std::string(1 << 20, '9') + "\r\n";
    for (int i = 0; i < kMaxRidgeValleyPoints + 10; ++i) bytes += "36.2 137.38 0\r\n";
    dir.write("Yari980707.RVD", bytes);
    const RidgeValleyLoad load = readRidgeValleyFile(*state, menu);
    EXPECT_TRUE(load.truncated);
    EXPECT_EQ(load.skippedLines, 3);
    EXPECT_EQ(state->ridgeValleyCount, kMaxRidgeValleyPoints);
    EXPECT_EQ(state->ridgeValleyLoaded, kMaxRidgeValleyPoints);
    EXPECT_EQ(state->ridgeValleyPoints[0].kind, 1);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"),
              "谷・尾根筋データが4001点を超えています。先頭の4001点だけを読み込みました。\r\n"
              "谷・尾根筋データファイルの3行は形式が正しくないため読み込みませんでした。");
}

TEST_F(RidgeValleyFileTest, UnreadableFileChangesNothingAndSaysSo) {
    fs::create_directories(dir / "Yari980707.RVD");
    const RidgeValleyLoad load = readRidgeValleyFile(*state, menu);
    EXPECT_TRUE(load.found);
    EXPECT_FALSE(state->ridgeValleyPresent);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"),
              "谷・尾根筋データファイル「Yari980707.RVD」を読み込めません。谷・尾根筋なしで続けます。");
}

}  // namespace
}  // namespace orv
