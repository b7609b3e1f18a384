// The plan files: plan names, the plan list, the route data file with readRouteFile, and the
// ridge/valley file with ReadRidvFile, including broken and hostile files.
#include "app/PlanFiles.h"

#include "app/StagedFiles.h"
#include "core/Cp932.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(ORVANE_FIXTURES) / "plans";

std::string cp932(std::string_view utf8) { return utf8ToCp932(utf8).text; }

std::string fileBytes(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None) << path;
    return bytes;
}

// Joins lines with CR LF after each.
std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

// ---- Plan names ----

std::string repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

TEST(PlanNameTest, RefusesWhatCannotBeAPlanFileName) {
    struct Case {
        std::string name;
        const char* message;  // nullptr: accepted
    };
    const std::string longest(kMaxFileNameBytes - 4, 'a');
    const std::vector<Case> cases = {
        {"槍ヶ岳980707", nullptr},
        {"Hidaka_2001-08", nullptr},
        {"ﾔﾘ", nullptr},
        {"①番", nullptr},
        {"～", nullptr},
        {longest, nullptr},
        {"", kPlanNameEmpty},
        {"槍 ヶ岳", kPlanNameBlank},
        {"槍\u3000ヶ岳", kPlanNameBlank},
        {" ", kPlanNameBlank},
        {"a/b", kPlanNameSeparator},
        {"a\\b", kPlanNameSeparator},
        {".", kPlanNameDots},
        {"..", kPlanNameDots},
        {"a\tb", kPlanNameControl},
        {"a\nb", kPlanNameControl},
        {std::string("a\0b", 3), kPlanNameControl},
        {"a\x7f", kPlanNameControl},
        {"a\u0085", kPlanNameControl},
        {"😀", kPlanNameCharacter},
        {"한국", kPlanNameCharacter},
        {"¥100", kPlanNameCharacter},   // written as the byte of "\" and read back as "\"
        {"a\xff", kPlanNameCharacter},  // not UTF-8 at all
        {longest + "a", kPlanNameTooLong},
        {repeat("槍", 83), nullptr},  // 249 bytes and ".RTD"
        {repeat("槍", 84), kPlanNameTooLong},
    };
    for (const auto& c : cases) {
        const auto refused = validatePlanName(c.name);
        if (c.message == nullptr) EXPECT_FALSE(refused.has_value()) << c.name << ": " << *refused;
        else EXPECT_EQ(refused.value_or("accepted"), c.message) << c.name;
    }
}

TEST(PlanNameTest, FilesAndDateText) {
    EXPECT_EQ(routeFilePath("/d", "槍ヶ岳980707"), fs::path("/d/槍ヶ岳980707.RTD"));
    EXPECT_EQ(ridgeValleyFilePath("/d", "a"), fs::path("/d/a.RVD"));
    EXPECT_EQ(planListPath("/d"), fs::path("/d/Orvane.LST"));
    for (const char* stem : {"", ".", "..", "../x", "a/b", "a\\b"}) EXPECT_FALSE(isPlainFileStem(stem)) << stem;
    EXPECT_TRUE(isPlainFileStem("槍ヶ岳980707"));

    std::tm local{};
    local.tm_year = 1999 - 1900;
    local.tm_mon = 9;
    local.tm_mday = 12;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    EXPECT_EQ(planDateText(std::chrono::system_clock::from_time_t(std::mktime(&local))), "1999/10/12");
    EXPECT_EQ(todayText().size(), 10u);
}

// ---- Plan list ----

TEST(PlanListTest, SplitsEachLineAtItsFirstBlank) {
    test::TempDir dir;
    const auto file = dir.write("Orvane.LST", cp932("槍ヶ岳980707 1998/07/07\r\n"
                                                   "\r\n"
                                                   "   Hidaka   2001/08/15 追記  \r\n"
                                                   "NoDate\n"
                                                   "穂高 1999/10/12"));
    const PlanList list = readPlanList(file);
    ASSERT_EQ(list.error, FileError::None);
    ASSERT_EQ(list.entries.size(), 4u);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"槍ヶ岳980707", "1998/07/07"}, {"Hidaka", "2001/08/15 追記"}, {"NoDate", ""}, {"穂高", "1999/10/12"}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list.entries[i].name, expected[i].first);
        EXPECT_EQ(list.entries[i].rest, expected[i].second);
    }
    EXPECT_EQ(list.find("穂高"), 3);
    EXPECT_EQ(list.find("穂"), -1);
    EXPECT_TRUE(list.lossless);

    // Written back: name, one blank, rest; CP932 with CR LF; blank lines gone.
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), cp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15 追記\r\n"
                                     "NoDate \r\n穂高 1999/10/12\r\n"));
}

TEST(PlanListTest, MissingUnreadableAndFixtureLists) {
    test::TempDir dir;
    const PlanList missing = readPlanList(dir / "Orvane.LST");
    EXPECT_EQ(missing.error, FileError::NotFound);
    EXPECT_TRUE(missing.usable());
    EXPECT_TRUE(missing.entries.empty());

    fs::create_directories(dir / "folder.LST");
    EXPECT_FALSE(readPlanList(dir / "folder.LST").usable());

    const PlanList fixture = readPlanList(kFixtures / "Orvane.LST");
    ASSERT_EQ(fixture.entries.size(), 3u);
    EXPECT_EQ(fixture.entries[0].name, "槍ヶ岳980707");
    EXPECT_EQ(planListTabLine(fixture.entries[0]), "槍ヶ岳980707\t1998/07/07");
    // Display width 12 (three two-byte characters and six digits), padded to 35.
    EXPECT_EQ(planListPaddedLine(fixture.entries[0]), "槍ヶ岳980707" + std::string(23, ' ') + "1998/07/07");
    EXPECT_EQ(planListPaddedLine(makePlanEntry(std::string(40, 'x'), "r")), std::string(40, 'x') + "r");
}

TEST(PlanListTest, LongListShowsAThousandAndRewritesEveryLine) {
    test::TempDir dir;
    std::vector<std::string> lines;
    for (int i = 1; i <= 1003; ++i) lines.push_back("plan" + std::to_string(i) + " 2001/01/01");
    const auto file = dir.write("Orvane.LST", crlf(lines));
    PlanList list = readPlanList(file);
    EXPECT_TRUE(list.tooLong());
    EXPECT_EQ(list.shownCount(), kMaxListedPlans);
    EXPECT_EQ(list.entries.size(), 1003u);
    EXPECT_EQ(list.find("plan1002"), 1001);
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), crlf(lines));
}

TEST(PlanListTest, BytesThatAreNotCp932SurviveARewrite) {
    test::TempDir dir;
    // A list saved in UTF-8 by some other tool, and one line with a broken byte.
    const std::string bytes = "穂高 1999/10/12\r\nbad\x80name 2000/01/01\r\n";
    const auto file = dir.write("Orvane.LST", bytes);
    PlanList list = readPlanList(file);
    EXPECT_FALSE(list.lossless);
    ASSERT_EQ(list.entries.size(), 2u);
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), bytes);

    // A changed part is written from its text; the untouched name keeps its bytes.
    list.entries[1].rest = "2024/05/06";
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), "穂高 1999/10/12\r\nbad\x80name 2024/05/06\r\n");
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
        EXPECT_EQ(state->routeLoaded, 0);
        EXPECT_EQ(state->mountainConfirmed, 0);
        EXPECT_EQ(state->startCancelled, -1);
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
    EXPECT_EQ(state->mountainConfirmed, 1);
    EXPECT_EQ(state->routeLoaded, 1);
    EXPECT_TRUE(menu.trkIndicators[0]);
    EXPECT_EQ(state->startCancelled, 0);
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
        state->startCancelled = 0;
        state->routeLoaded = 0;
        state->mountainConfirmed = 0;
        menu.progressVisible = true;
        const RouteFileLoad load = readRouteFile(*state, menu);
        EXPECT_FALSE(load.loaded);
        EXPECT_EQ(load.message, c.message);
        expectStateUntouched();
        EXPECT_FALSE(menu.progressVisible);
    }
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

    const RouteFileRead read = readRouteData(dir / "Yari980707.RTD");
    EXPECT_EQ(read.problem, RouteFileProblem::None);
    EXPECT_FALSE(read.lossless);
    const RouteFileLoad load = readRouteFile(*state, menu);
    ASSERT_TRUE(load.loaded) << load.message;
    EXPECT_EQ(state->routeCount, kMaxRoutePoints);
    EXPECT_EQ(state->route[2].timeText.size(), size_t{1} << 20);
    EXPECT_EQ(state->route[2048].number, 2048);
    EXPECT_FALSE(state->route[1].placeName.empty());
}

TEST(RouteFieldsTest, BlanksAndCommasSeparateFields) {
    EXPECT_EQ(splitRouteFields("a b,c  d"), (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(splitRouteFields(""), (std::vector<std::string>{""}));
    // A text with a blank shifts the following fields.
    const RoutePoint p = parseRoutePointLine("4 35.2 139.4 10  北 岳  0 ");
    EXPECT_EQ(p.mountainName, "北");
    EXPECT_EQ(p.placeName, "岳");
    EXPECT_EQ(p.markKind, 0);
    // A short line leaves the missing fields empty.
    const RoutePoint q = parseRoutePointLine("5 35.2");
    EXPECT_EQ(q.number, 5);
    EXPECT_EQ(q.longitude, "");
    EXPECT_EQ(q.elevation, 0.0f);
}

// ---- Ridge/valley file ----

TEST(RidgeValleyLineTest, ParsesTokensAndRefusesBrokenLines) {
    RidgeValleyPoint p{"36.2", "137.38", 1};
    EXPECT_EQ(ridgeValleyLine(p), "36.2 137.38 1");
    struct Case {
        const char* line;
        const char* latitude;  // nullptr: refused
        const char* longitude;
        int kind;
    };
    const Case cases[] = {
        {"36.2 137.38 1", "36.2", "137.38", 1},
        {"  36.2   137.38    2  ", "36.2", "137.38", 2},
        {"36.2 137.38 0.6", "36.2", "137.38", 1},
        {"36.2 137.38 2.5", "36.2", "137.38", 2},
        {"36.2 137.38", nullptr, nullptr, 0},
        {"36.2", nullptr, nullptr, 0},
        {"", nullptr, nullptr, 0},
        {"abc 137.38 0", nullptr, nullptr, 0},
        {"36.2 x 0", nullptr, nullptr, 0},
        {"36.2 137.38 k", nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        const auto parsed = parseRidgeValleyLine(c.line);
        if (c.latitude == nullptr) {
            EXPECT_FALSE(parsed.has_value()) << c.line;
            continue;
        }
        ASSERT_TRUE(parsed.has_value()) << c.line;
        EXPECT_EQ(parsed->latitude, c.latitude);
        EXPECT_EQ(parsed->longitude, c.longitude);
        EXPECT_EQ(parsed->kind, c.kind) << c.line;
    }
}

TEST(RidgeValleyLineTest, SaveProgressRunsFromZeroTo200) {
    EXPECT_EQ(ridgeValleySaveProgress(0, 1), 200);
    EXPECT_EQ(ridgeValleySaveProgress(0, 5), 0);
    EXPECT_EQ(ridgeValleySaveProgress(1, 5), 50);
    EXPECT_EQ(ridgeValleySaveProgress(4, 5), 200);
    EXPECT_EQ(ridgeValleySaveProgress(1, 8), 29);  // 28.57
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
    const RidgeValleyLoad load = ReadRidvFile(*state, menu);
    EXPECT_FALSE(load.found);
    EXPECT_EQ(state->ridgeValleyCount, 2);
    EXPECT_EQ(state->ridgeValleyPresent, 0);
    EXPECT_FALSE(state->ridgeValleyLinesShown);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"), "");
}

TEST_F(RidgeValleyFileTest, FixtureLoadsWithTheFlagsSetAndWritesBackTheSame) {
    fs::copy_file(kFixtures / "Yari980707.RVD", dir / "Yari980707.RVD");
    menu.progressVisible = true;
    const RidgeValleyLoad load = ReadRidvFile(*state, menu);
    EXPECT_TRUE(load.found);
    EXPECT_EQ(state->ridgeValleyCount, 5);
    EXPECT_EQ(state->ridgeValleyLoaded, 5);
    EXPECT_EQ(state->ridgeValleyPresent, -1);
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
    const RidgeValleyLoad load = ReadRidvFile(*state, menu);
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
    const RidgeValleyLoad load = ReadRidvFile(*state, menu);
    EXPECT_TRUE(load.found);
    EXPECT_EQ(state->ridgeValleyPresent, 0);
    EXPECT_EQ(ridgeValleyLoadMessage(load, "Yari980707.RVD"),
              "谷・尾根筋データファイル「Yari980707.RVD」を読み込めません。谷・尾根筋なしで続けます。");
}

// ---- Files replaced together ----

TEST(StagedFilesTest, AFailedStageLeavesEveryTargetAsItWas) {
    test::TempDir dir;
    dir.write("a.txt", "old a");
    dir.write("b.txt", "old b");
    // The staging place of b is taken by a folder with something in it.
    dir.write("b.txt.orvnew/keep", "x");
    {
        StagedFiles staged;
        ASSERT_EQ(staged.stage(dir / "a.txt", "new a"), FileError::None);
        EXPECT_NE(staged.stage(dir / "b.txt", "new b"), FileError::None);
    }
    EXPECT_EQ(fileBytes(dir / "a.txt"), "old a");
    EXPECT_EQ(fileBytes(dir / "b.txt"), "old b");
    EXPECT_FALSE(fs::exists(dir / "a.txt.orvnew"));

    StagedFiles staged;
    ASSERT_EQ(staged.stage(dir / "a.txt", "new a"), FileError::None);
    ASSERT_EQ(staged.stageLines(dir / "c.txt", {"槍", ""}), FileError::None);
    EXPECT_EQ(fileBytes(dir / "a.txt"), "old a");
    ASSERT_EQ(staged.commit(), FileError::None);
    EXPECT_EQ(fileBytes(dir / "a.txt"), "new a");
    EXPECT_EQ(fileBytes(dir / "c.txt"), cp932("槍") + "\r\n\r\n");
    EXPECT_FALSE(fs::exists(dir / "a.txt.orvnew"));
}

}  // namespace
}  // namespace orv
