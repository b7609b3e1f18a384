// The plan files: plan names, the plan list, the route data file's lines and the
// ridge/valley file's lines, including broken and hostile files.
#include "plans/PlanFiles.h"

#include "core/Cp932.h"
#include "core/StagedFiles.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <iterator>
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
    // The save's longest file name: the route file's, with its staged write's temporary names.
    const std::string longest(kMaxFileNameBytes - 4 - kLongestTemporarySuffixBytes, 'a');
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
        {repeat("槍", 79), nullptr},  // 237 bytes, ".RTD" and 14 bytes of temporary names
        {repeat("槍", 80), kPlanNameTooLong},
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
    const Result<PlanList> read = readPlanList(file);
    ASSERT_TRUE(read.ok());
    const PlanList& list = *read;
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

TEST(PlanListTest, OnlySpacesAreBlanksAroundTheParts) {
    // A tab is part of the name or the date: the list splits and trims at spaces alone.
    test::TempDir dir;
    const auto file = dir.write("Orvane.LST", "\tplan 1999/10/12\t\r\n plan2\t 2000/01/01 \r\n");
    const PlanList list = *readPlanList(file);
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].name, "\tplan");
    EXPECT_EQ(list.entries[0].rest, "1999/10/12\t");
    EXPECT_EQ(list.entries[1].name, "plan2\t");
    EXPECT_EQ(list.entries[1].rest, "2000/01/01");
}

TEST(PlanListTest, MissingUnreadableAndFixtureLists) {
    test::TempDir dir;
    // No list yet is an empty list.
    const Result<PlanList> missing = readPlanList(dir / "Orvane.LST");
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->entries.empty());

    fs::create_directories(dir / "folder.LST");
    EXPECT_FALSE(readPlanList(dir / "folder.LST").ok());

    const PlanList fixture = *readPlanList(kFixtures / "Orvane.LST");
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
    PlanList list = *readPlanList(file);
    EXPECT_TRUE(list.tooLong());
    EXPECT_EQ(list.shownCount(), kMaxListedPlans);
    EXPECT_EQ(list.entries.size(), 1003u);
    EXPECT_EQ(list.find("plan1002"), 1001);
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), crlf(lines));
}

TEST(PlanListTest, AHugeListIsTakenApartOnlyUpToItsLimitAndRewrittenWhole) {
    std::string bytes;
    for (int i = 1; i <= 5000; ++i) bytes += "p" + std::to_string(i) + " 2001/01/01\r\n";
    bytes += "last";  // no line end
    const PlanList list = parsePlanList(bytes);
    EXPECT_EQ(list.entries.size(), kMaxListedPlans + kPlanListExtraEntries);
    EXPECT_TRUE(list.tooLong());
    EXPECT_EQ(list.unreadTail.substr(0, 5), "p1009");
    EXPECT_EQ(planListBytes(list), bytes + "\r\n");
}

// A list as large as the reader takes is written and read back; one byte more is refused and
// the list on disk stays as it was.
TEST(PlanListTest, AListBeyondWhatTheReaderTakesIsNotWritten) {
    test::TempDir dir;
    const auto file = dir.write("Orvane.LST", "old 2001/01/01\r\n");
    for (const size_t extra : {size_t{1}, size_t{0}}) {
        PlanList list;
        for (size_t i = 1; i <= kMaxListedPlans + kPlanListExtraEntries; ++i)
            list.entries.push_back(makePlanEntry("p" + std::to_string(i), "2001/01/01"));
        const size_t entries = planListBytes(list).size();
        list.unreadTail = std::string(kMaxPlanListBytes - entries - 2 + extra, 'x') + "\r\n";
        if (extra > 0) {
            EXPECT_EQ(writePlanList(file, list), FileError::TooLarge);
            EXPECT_EQ(fileBytes(file), "old 2001/01/01\r\n");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
            continue;
        }
        ASSERT_EQ(writePlanList(file, list), FileError::None);
        const Result<PlanList> read = readPlanList(file);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->entries.size(), list.entries.size());
        EXPECT_TRUE(read->unreadTail == list.unreadTail);
    }
}

TEST(PlanListTest, BytesThatAreNotCp932SurviveARewrite) {
    test::TempDir dir;
    // A list saved in UTF-8 by some other tool, and one line with a broken byte.
    const std::string bytes = "穂高 1999/10/12\r\nbad\x80name 2000/01/01\r\n";
    const auto file = dir.write("Orvane.LST", bytes);
    PlanList list = *readPlanList(file);
    EXPECT_FALSE(list.lossless);
    ASSERT_EQ(list.entries.size(), 2u);
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), bytes);

    // A changed part is written from its text; the untouched name keeps its bytes.
    list.entries[1].rest = "2024/05/06";
    ASSERT_EQ(writePlanList(file, list), FileError::None);
    EXPECT_EQ(fileBytes(file), "穂高 1999/10/12\r\nbad\x80name 2024/05/06\r\n");
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
    // So does an elevation no height comes near, instead of an infinite one.
    EXPECT_EQ(parseRoutePointLine("6 35.2 139.4 1e300").elevation, 0.0f);
    EXPECT_EQ(parseRoutePointLine("6 35.2 139.4 -99999.5").elevation, -99999.5f);
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

TEST(RidgeValleyLineTest, OnlySpacesSeparateAndTrimTokens) {
    // A tab stays inside its token: the latitude keeps it, a tab alone separates nothing.
    const auto tabbed = parseRidgeValleyLine("36.2\t 137.38 1");
    ASSERT_TRUE(tabbed.has_value());
    EXPECT_EQ(tabbed->latitude, "36.2\t");
    EXPECT_EQ(tabbed->longitude, "137.38");
    EXPECT_FALSE(parseRidgeValleyLine("36.2\t137.38\t1").has_value());
}

TEST(RidgeValleyLineTest, SaveProgressRunsFromZeroTo200) {
    EXPECT_EQ(ridgeValleySaveProgress(0, 1), 200);
    EXPECT_EQ(ridgeValleySaveProgress(0, 5), 0);
    EXPECT_EQ(ridgeValleySaveProgress(1, 5), 50);
    EXPECT_EQ(ridgeValleySaveProgress(4, 5), 200);
    EXPECT_EQ(ridgeValleySaveProgress(1, 8), 29);  // 28.57
}

}  // namespace
}  // namespace orv
